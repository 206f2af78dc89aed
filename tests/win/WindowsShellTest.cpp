#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include "RowName.h"

#include "CommandLine.h"
#include "ConsoleText.h"
#include "ControlPanel.h"
#include "FadeSlider.h"
#include "SaverCommand.h"
#include "SaverSettings.h"
#include "ScreenSaver.h"

namespace {

struct SaverCase {
    const char* name;
    std::vector<std::string> arguments;
    SaverCommand::Mode mode;
    std::uintptr_t window;
};

class SaverCommands : public testing::TestWithParam<SaverCase> {};

TEST_P(SaverCommands, ModeAndWindow)
{
    const SaverCommand command = SaverCommand::Parse(GetParam().arguments);
    EXPECT_EQ(command.mode, GetParam().mode) << command.message;
    EXPECT_EQ(command.window, GetParam().window);
    EXPECT_EQ(command.mode == SaverCommand::Mode::Refuse, !command.message.empty());
}

using Mode = SaverCommand::Mode;
INSTANTIATE_TEST_SUITE_P(Forms, SaverCommands,
                         testing::Values(SaverCase{"NoArgumentIsSettings", {}, Mode::Settings, 0},
                                         SaverCase{"FullScreen", {"/s"}, Mode::FullScreen, 0},
                                         SaverCase{"FullScreenUpperCaseDash", {"-S"}, Mode::FullScreen, 0},
                                         SaverCase{"PreviewWindowApart", {"/p", "1234"}, Mode::Preview, 1234},
                                         SaverCase{"PreviewWindowAfterColon", {"/P:1234"}, Mode::Preview, 1234},
                                         SaverCase{"SettingsAlone", {"/c"}, Mode::Settings, 0},
                                         SaverCase{"SettingsWithOwner", {"/c:99"}, Mode::Settings, 99},
                                         SaverCase{"PreviewWithoutWindow", {"/p"}, Mode::Refuse, 0},
                                         SaverCase{"PreviewWindowNotANumber", {"/p", "x1"}, Mode::Refuse, 0},
                                         SaverCase{"PreviewWindowZero", {"/p:0"}, Mode::Refuse, 0},
                                         SaverCase{"FullScreenWithExtra", {"/s", "5"}, Mode::Refuse, 0},
                                         SaverCase{"PreviewWithExtra", {"/p", "1", "2"}, Mode::Refuse, 0},
                                         SaverCase{"UnknownLetter", {"/x"}, Mode::Refuse, 0},
                                         SaverCase{"NoSlash", {"s"}, Mode::Refuse, 0}),
                         RowName());

struct WindowCase {
    const char* name;
    std::vector<std::string> arguments;
    CommandLine::Action action;
    std::string found; // in the refusal, or empty
};

class WindowCommandLines : public testing::TestWithParam<WindowCase> {};

TEST_P(WindowCommandLines, ActionAndReason)
{
    const CommandLine::Result result = CommandLine::Parse(GetParam().arguments);
    EXPECT_EQ(result.action, GetParam().action) << result.message;
    EXPECT_NE(result.message.find(GetParam().found), std::string::npos) << result.message;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, WindowCommandLines,
    testing::Values(WindowCase{"Nothing", {}, CommandLine::Action::Run, ""},
                    WindowCase{"Help", {"--seed", "1", "--help"}, CommandLine::Action::Help, "Usage"},
                    WindowCase{"Version", {"--version"}, CommandLine::Action::Version, ""},
                    WindowCase{"SeedMissing", {"--seed"}, CommandLine::Action::Refuse, "--seed: missing value"},
                    WindowCase{"SliderTooHigh",
                               {"--slider=201"},
                               CommandLine::Action::Refuse,
                               "--slider: expects a whole number from 0 to 200, got '201'"},
                    WindowCase{"Unknown", {"--bogus"}, CommandLine::Action::Refuse, "--bogus: unknown option"},
                    WindowCase{"FlagWithValue", {"--report=1"}, CommandLine::Action::Refuse, "unknown option"},
                    WindowCase{"Positional", {"plant"}, CommandLine::Action::Refuse, "'plant': unexpected"}),
    RowName());

TEST(WindowCommandLine, ReadsEveryOption)
{
    const std::vector<std::string> arguments{"--seed=-7", "--slider", "0", "--fullscreen", "--report"};
    const CommandLine::Result result = CommandLine::Parse(arguments);
    ASSERT_EQ(result.action, CommandLine::Action::Run) << result.message;
    EXPECT_EQ(result.options.seed, -7);
    EXPECT_EQ(result.options.slider, 0);
    EXPECT_TRUE(result.options.fullScreen);
    EXPECT_TRUE(result.options.report);
}

// The label reaches the trackbar's window with the micro sign intact.
TEST(ControlPanel, LabelKeepsTheMicroSign)
{
    EXPECT_EQ(ConsoleText::Wide(FadeSlider::LabelFor(150)), L"\u00B5g (0 - 200): 150 \u00B5g");
}

TEST(ScreenSaver, OnlyAMoveBeyondTheSlackEndsIt)
{
    EXPECT_FALSE(ScreenSaver::MovedFarEnough({100, 100}, {104, 96}));
    EXPECT_TRUE(ScreenSaver::MovedFarEnough({100, 100}, {105, 100}));
    EXPECT_TRUE(ScreenSaver::MovedFarEnough({100, 100}, {100, 95}));
}

// The registry of the wine prefix the tests run in, never a user's own.
class SaverSetting : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillbrook"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillbrook"); }

    static void Store(DWORD value)
    {
        ASSERT_EQ(
            RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillbrook", L"Slider", REG_DWORD, &value, sizeof value),
            ERROR_SUCCESS);
    }
};

TEST_F(SaverSetting, StoredValueComesBack)
{
    EXPECT_EQ(SaverSettings::LoadSlider(), FadeSlider::kStart);
    std::string error;
    ASSERT_TRUE(SaverSettings::SaveSlider(35, error)) << error;
    EXPECT_EQ(SaverSettings::LoadSlider(), 35);
}

TEST_F(SaverSetting, ValueOutOfRangeGivesTheStart)
{
    Store(201);
    EXPECT_EQ(SaverSettings::LoadSlider(), FadeSlider::kStart);
    Store(200);
    EXPECT_EQ(SaverSettings::LoadSlider(), 200);
}

} // namespace
