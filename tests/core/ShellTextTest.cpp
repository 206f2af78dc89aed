#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "FadeSlider.h"
#include "HelpText.h"
#include "MonitorSeed.h"

// Spelt with the micro sign U+00B5, not the Greek mu U+03BC.
TEST(FadeSlider, LabelShowsTheValueInMicrograms)
{
    EXPECT_EQ(FadeSlider::LabelFor(150), "\xC2\xB5g (0 - 200): 150 \xC2\xB5g");
}

TEST(MonitorSeed, CountsOnAndWrapsPastTheLargestSeed)
{
    EXPECT_EQ(MonitorSeed(-7, 0), -7);
    EXPECT_EQ(MonitorSeed(-7, 2), -5);
    EXPECT_EQ(MonitorSeed(std::numeric_limits<std::int32_t>::max(), 1), std::numeric_limits<std::int32_t>::min());
}

// The help box's command draws exactly the picture on the screen: every
// fact of it in the renderer's own options.
TEST(WindowHelp, CommandDrawsWhatIsOnTheScreen)
{
    const HelpText help = WindowHelp("9.9", {-12, 345, 469, 339, 200}, false);
    EXPECT_EQ(help.command, "quillbrook-render --seed -12 --frames 345 --size 469x339 --slider 200 --png plant.png");
    EXPECT_EQ(help.paragraphs.front(), "Quillbrook 9.9");
    EXPECT_NE(help.paragraphs.back().find("seed -12."), std::string::npos);
}

// Only a window that saves pictures names Ctrl+S.
TEST(WindowHelp, NamesCtrlSOnlyWhereItSaves)
{
    const auto mentions = [](const HelpText& help) {
        for (const std::string& paragraph : help.paragraphs) {
            if (paragraph.find("Ctrl+S") != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(mentions(WindowHelp("1", {}, true)));
    EXPECT_FALSE(mentions(WindowHelp("1", {}, false)));
}
