#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "morph/MinStdRandom.h"
#include "morph/RuleMorpher.h"
#include "render/DrawFrame.h"

namespace {

struct Scenario {
    int width;
    int height;
    std::uint8_t firstFade;
    std::uint8_t laterFade;
};

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

} // namespace

// Skipping settled tiles must never change a pixel: the tracked buffer equals
// one faded whole every frame, through weight changes and a resize; and the
// changed area it reports covers every pixel that changed.
TEST(ChangeTracking, SameFramesAsFadingEverythingAndItReportsEveryChange)
{
    for (const Scenario& run : {Scenario{469, 339, 64, 140}, Scenario{200, 300, 12, 64}, Scenario{131, 77, 230, 3}}) {
        SCOPED_TRACE(testing::Message() << run.width << " x " << run.height);
        int width = run.width;
        int height = run.height;
        auto tracked = FreshBuffer(width, height, BackBuffer::Tracking::On);
        auto plain = FreshBuffer(width, height, BackBuffer::Tracking::Off);
        std::vector<std::uint32_t> before;
        (void)tracked->TakeChangedArea();

        MinStdRandom random(20261208);
        RuleMorpher morpher;
        std::vector<RuleTrack> tracks;
        std::vector<BranchRule> rules;
        SegmentList segments;
        for (int frame = 0; frame < 500; ++frame) {
            if (frame == 300) { // a resize starts both pictures afresh
                width = run.height;
                height = run.width;
                tracked = FreshBuffer(width, height, BackBuffer::Tracking::On);
                plain = FreshBuffer(width, height, BackBuffer::Tracking::Off);
                (void)tracked->TakeChangedArea();
            }
            const std::uint8_t fade = frame < 200 ? run.firstFade : run.laterFade;
            before.assign(tracked->Bits(), tracked->Bits() + static_cast<std::size_t>(tracked->Stride()) * height);
            morpher.Advance(tracks, rules, 4, [&random] { return random.Uniform(); });
            DrawFrame(*tracked, width, height, rules, PlantStyle{}, fade, segments);
            DrawFrame(*plain, width, height, rules, PlantStyle{}, fade, segments);
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
}

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
