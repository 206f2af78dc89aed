#include <cstdint>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "PlantMotion.h"
#include "RenderRun.h"

namespace {

class DumpSeeds : public testing::TestWithParam<std::int32_t> {};

} // namespace

// One JSON object a line, frame after frame: the frame's number and its
// rules, each double written so that it reads back as exactly itself.
TEST_P(DumpSeeds, EveryLineHoldsExactlyThatFramesRules)
{
    const std::int32_t seed = GetParam();
    const RenderRun run = RenderRun::Of({"--seed", QString::number(seed), "--frames", "150", "--dump", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 151);
    EXPECT_TRUE(lines.back().isEmpty()) << "every line ends with a newline";

    PlantMotion motion(seed);
    for (int k = 0; k < 150; ++k) {
        const QJsonObject object = QJsonDocument::fromJson(lines[k]).object();
        ASSERT_EQ(object.value("frame").toInt(-1), k) << lines[k].toStdString();
        const QJsonArray rules = object.value("rules").toArray();
        const auto expected = motion.NextFrame();
        ASSERT_EQ(rules.size(), static_cast<qsizetype>(expected.size())) << lines[k].toStdString();
        for (qsizetype i = 0; i < rules.size(); ++i) {
            const QJsonArray rule = rules[i].toArray();
            ASSERT_EQ(rule.size(), 2);
            EXPECT_EQ((BranchRule{rule[0].toDouble(), rule[1].toDouble()}), expected[static_cast<std::size_t>(i)])
                << "frame " << k << " rule " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DumpSeeds, testing::Values(20240611, -123456789),
                         [](const testing::TestParamInfo<std::int32_t>& info) {
                             return info.param < 0 ? "Negative" : "Positive";
                         });
