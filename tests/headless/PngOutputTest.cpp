#include <cstdint>
#include <ctime>
#include <set>

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FadeReference.h"
#include "FrameSequence.h"
#include "RenderRun.h"

namespace {

constexpr std::uint32_t kBack = 0x000080;
constexpr std::uint32_t kTrunk = 0xFF8000;
constexpr std::uint32_t kTip = 0xFFFFFF;

// Each channel pair of `from` and `to` through `step`.
std::uint32_t Blend(std::uint32_t from, std::uint32_t to, auto step)
{
    std::uint32_t result = 0;
    for (const int shift : {16, 8, 0}) {
        result |= static_cast<std::uint32_t>(
                      step(static_cast<int>(from >> shift & 0xFF), static_cast<int>(to >> shift & 0xFF)))
                  << shift;
    }
    return result;
}

std::uint32_t Pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFU;
}

} // namespace

TEST(PngOutput, EveryFrameIsTheFadedFrameBeforeWithTheNewPlantOverIt)
{
    QTemporaryDir dir;
    const QString seq = dir.path() + "/seq";
    const RenderRun run = RenderRun::Of({"--seed", "77", "--frames", "30", "--size", "200x300", "--slider", "120",
                                         "--png-sequence", seq, "--png", dir.path() + "/last.png"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(Entries(seq).size(), 30);

    std::set<std::uint32_t> depth; // trunk to tip over five levels
    for (int level = 0; level <= 5; ++level) {
        const auto step = [level](int a, int b) { return static_cast<int>((b - a) * (level / 5.0) + a); };
        depth.insert(Blend(kTrunk, kTip, step));
    }
    ASSERT_EQ(depth.size(), 6u);
    const std::uint32_t fade = static_cast<std::uint32_t>(255 - 120 * 255 / 200) << 24 | kBack;

    QImage previous;
    for (int k = 0; k < 30; ++k) {
        const QImage frame(QString::fromStdString(seq.toStdString() + "/" + FrameSequence::FileName(k, 30)));
        ASSERT_EQ(frame.size(), QSize(200, 300)) << k;
        ASSERT_FALSE(frame.hasAlphaChannel());
        EXPECT_EQ(frame.text("Seed") + " " + frame.text("Frames") + " " + frame.text("Slider"),
                  QString("77 %1 120").arg(k + 1));
        std::set<std::uint32_t> seen;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 200; ++x) {
                const std::uint32_t p = Pixel(frame, x, y);
                seen.insert(p);
                const std::uint32_t faded = k == 0 ? kBack : FadedPixel(Pixel(previous, x, y), fade);
                ASSERT_TRUE(p == faded || depth.contains(p)) << "frame " << k << " at " << x << "," << y;
            }
        }
        EXPECT_TRUE(seen.contains(kTrunk) && seen.contains(kTip)) << "frame " << k << " shows no plant";
        previous = frame;
    }
    const QImage last(dir.path() + "/last.png");
    EXPECT_EQ(last, previous) << "the single picture is the sequence's last frame";
    EXPECT_EQ(last.text("Frames"), "30");
}

TEST(PngOutput, FileIsOpaqueRgbAndCarriesTheClockSeedWhenNoneIsGiven)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/plant.png";
    const auto before = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::time(nullptr)));
    ASSERT_EQ(RenderRun::Of({"--frames", "2", "--png", path}).exitCode, 0);
    const auto after = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::time(nullptr)));

    const QByteArray bytes = FileBytes(path);
    ASSERT_GT(bytes.size(), 26);
    EXPECT_EQ(bytes.mid(12, 4), "IHDR");
    EXPECT_EQ(bytes[24], 8) << "bit depth";
    EXPECT_EQ(bytes[25], 2) << "colour type: RGB, no alpha";
    const QImage image(path);
    EXPECT_EQ(image.size(), QSize(469, 340)) << "the window's default view";
    EXPECT_EQ(image.text("Frames") + " " + image.text("Slider"), "2 150");
    bool ok = false;
    const int seed = image.text("Seed").toInt(&ok);
    EXPECT_TRUE(ok && seed >= before && seed <= after) << image.text("Seed").toStdString();
}

TEST(PngOutput, SequenceNamesSortInFrameOrder)
{
    EXPECT_EQ(FrameSequence::FileName(0, 30), "frame-000000.png");
    for (const long long count : {1'000'000LL, 1'000'001LL, 10'000'000LL}) {
        const std::string last = FrameSequence::FileName(count - 1, count);
        EXPECT_EQ(FrameSequence::FileName(0, count).size(), last.size()) << count;
        EXPECT_LT(FrameSequence::FileName(9, count), last) << count;
    }
}
