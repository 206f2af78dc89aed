#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "RowName.h"

#include "BufferTestSupport.h"
#include "DrawFrame.h"
#include "PlantMotion.h"

namespace {

struct Scenario {
    const char* name;
    int width;
    int height;
    std::uint8_t firstFade;
    std::uint8_t laterFade;
};

class ChangeTrackingScenario : public testing::TestWithParam<Scenario> {};

std::unique_ptr<BackBuffer> FreshBuffer(int width, int height, BackBuffer::Tracking tracking)
{
    auto buffer = std::make_unique<BackBuffer>(width, height, tracking);
    buffer->FillRect(PlantStyle{}.backColor, 0, 0, width, height);
    return buffer;
}

bool SamePicture(BackBuffer& a, BackBuffer& b)
{
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(&PixelAt(a, 0, y), &PixelAt(b, 0, y), static_cast<std::size_t>(a.Width()) * 4) != 0) {
            return false;
        }
    }
    return true;
}

bool Inside(const std::vector<PixelRect>& area, int x, int y)
{
    for (const PixelRect& r : area) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return true;
        }
    }
    return false;
}

// Fills every pixel with a different colour, so that any fade moves them.
void Varied(BackBuffer& buffer)
{
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            PixelAt(buffer, x, y) =
                PixelColor::FromBytes(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 255).value;
        }
    }
}

} // namespace

// Skipping settled tiles must never change a pixel: the tracked buffer equals
// one faded whole every frame, through a weight change and a resize; and the
// changed area it reports covers every pixel that changed.
TEST_P(ChangeTrackingScenario, SameFramesAsFadingEverythingAndItReportsEveryChange)
{
    const Scenario& run = GetParam();
    int width = run.width;
    int height = run.height;
    auto tracked = FreshBuffer(width, height, BackBuffer::Tracking::On);
    auto plain = FreshBuffer(width, height, BackBuffer::Tracking::Off);
    std::vector<std::uint32_t> before;
    (void)tracked->TakeChangedArea();

    PlantMotion motion(20261208);
    SegmentList segments;
    for (int frame = 0; frame < 500; ++frame) {
        if (frame == 300) { // a resize starts both pictures afresh
            std::swap(width, height);
            tracked = FreshBuffer(width, height, BackBuffer::Tracking::On);
            plain = FreshBuffer(width, height, BackBuffer::Tracking::Off);
            (void)tracked->TakeChangedArea();
        }
        const std::uint8_t fade = frame < 200 ? run.firstFade : run.laterFade;
        before.assign(tracked->Bits(), tracked->Bits() + static_cast<std::size_t>(tracked->Stride()) * height);
        const auto rules = motion.NextFrame();
        DrawFrame(*tracked, rules, PlantStyle{}, fade, segments);
        DrawFrame(*plain, rules, PlantStyle{}, fade, segments);
        ASSERT_TRUE(SamePicture(*tracked, *plain)) << "frame " << frame;

        const std::vector<PixelRect> area = tracked->TakeChangedArea();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(tracked->Stride()) +
                                       static_cast<std::size_t>(x);
                if (before[at] != tracked->Bits()[at]) {
                    ASSERT_TRUE(Inside(area, x, y)) << "frame " << frame << " pixel " << x << "," << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, ChangeTrackingScenario,
                         testing::Values(Scenario{"DefaultView", 469, 340, 64, 140},
                                         Scenario{"TallLightFade", 200, 300, 12, 64},
                                         Scenario{"OddHeavyFade", 131, 77, 230, 3}),
                         RowName());

TEST(ChangeTracking, SettledPictureReportsNothingAndAFillReportsEverything)
{
    BackBuffer buffer(100, 40);
    buffer.FillRect(PixelColor{0x00000080}, 0, 0, 100, 40);
    EXPECT_EQ(buffer.TakeChangedArea().size(), 3U); // bands of 16, 16 and 8 rows
    buffer.Fade(64U << 24 | 0x80, 0, 0, 100, 40);
    EXPECT_TRUE(buffer.TakeChangedArea().empty());
    buffer.DrawLine(70, 20, 90, 20, PixelColor{0x00FFFFFF});
    EXPECT_EQ(buffer.TakeChangedArea(), (std::vector<PixelRect>{{64, 16, 100, 32}}));
    BackBuffer plain(100, 40, BackBuffer::Tracking::Off);
    EXPECT_EQ(plain.TakeChangedArea(), (std::vector<PixelRect>{{0, 0, 100, 40}}));
}

TEST(ChangeTracking, AFadeOfPartOfThePictureIsReported)
{
    BackBuffer buffer(100, 40);
    Varied(buffer);
    (void)buffer.TakeChangedArea();
    buffer.Fade(64U << 24 | 0x80, 10, 20, 30, 5);
    const std::vector<PixelRect> area = buffer.TakeChangedArea();
    for (int y = 20; y < 25; ++y) {
        for (int x = 10; x < 40; ++x) {
            ASSERT_TRUE(Inside(area, x, y)) << x << "," << y;
        }
    }
}

TEST(ChangeTracking, ATileDrawnOnStaysChangedThoughTheFadeAfterMovesNothing)
{
    BackBuffer buffer(100, 40);
    buffer.FillRect(PixelColor{0x00000080}, 0, 0, 100, 40);
    buffer.Fade(64U << 24 | 0x80, 0, 0, 100, 40);
    (void)buffer.TakeChangedArea();
    buffer.DrawLine(70, 20, 90, 20, PixelColor{0x00FFFFFF});
    buffer.Fade(0U << 24 | 0x80, 0, 0, 100, 40); // weight 0: moves nothing
    EXPECT_EQ(buffer.TakeChangedArea(), (std::vector<PixelRect>{{64, 16, 100, 32}}));
}
