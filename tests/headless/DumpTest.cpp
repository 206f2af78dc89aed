#include <array>
#include <cmath>
#include <cstdint>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "RenderRun.h"

namespace {

// The generator by plain 64-bit arithmetic, seeded by the same rule but
// written apart from the program's own.
class ReferenceRandom {
public:
    explicit ReferenceRandom(std::int32_t seed) : m_state((seed % kModulus + kModulus) % kModulus)
    {
        m_state = m_state == 0 ? 1 : m_state;
    }
    double Uniform()
    {
        m_state = m_state * 48271 % kModulus;
        return static_cast<double>(m_state) * (1.0 / 2147483647.0);
    }

private:
    static constexpr std::int64_t kModulus = 2147483647;
    std::int64_t m_state;
};

struct LengthAngle {
    double length;
    double angle;
};

LengthAngle Draw(ReferenceRandom& random)
{
    const double angle = random.Uniform();
    return {0.5 * random.Uniform() + 0.25, 240.0 * angle - 120.0};
}

} // namespace

TEST(Dump, RulesOfTheFirstThreeCyclesMatchTheGeneratorAndTheFormulas)
{
    for (const std::int32_t seed : {20240611, -123456789}) {
        const RenderRun run = RenderRun::Of({"--seed", QString::number(seed), "--frames", "150", "--dump", "-"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QList<QByteArray> lines = run.out.split('\n');
        ASSERT_EQ(lines.size(), 151);
        EXPECT_TRUE(lines.back().isEmpty()) << "every line ends with a newline";

        // Cycles of 50 frames: the first from random starts, every later
        // one from the targets just reached.
        ReferenceRandom random(seed);
        std::array<LengthAngle, 4> start{};
        std::array<LengthAngle, 4> target{};
        for (int k = 0; k < 150; ++k) {
            const int j = k % 50;
            for (int i = 0; j == 0 && i < 4; ++i) {
                start[i] = k == 0 ? Draw(random) : target[i];
                target[i] = Draw(random);
            }
            const QJsonObject object = QJsonDocument::fromJson(lines[k]).object();
            ASSERT_EQ(object.value("frame").toInt(-1), k) << lines[k].toStdString();
            const QJsonArray rules = object.value("rules").toArray();
            ASSERT_EQ(rules.size(), 4) << lines[k].toStdString();
            for (int i = 0; i < 4; ++i) {
                const double length = start[i].length + j * (0.02 * (target[i].length - start[i].length));
                const double angle = start[i].angle + j * (0.02 * (target[i].angle - start[i].angle));
                const double theta = angle * 0.017453292522222223;
                const QJsonArray rule = rules[i].toArray();
                ASSERT_EQ(rule.size(), 2);
                EXPECT_EQ(rule[0].toDouble(), length * std::cos(theta)) << "seed " << seed << " frame " << k;
                EXPECT_EQ(rule[1].toDouble(), length * std::sin(theta)) << "seed " << seed << " frame " << k;
            }
        }
    }
}
