#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "ProgressBar.h"

using namespace std::chrono_literals;

TEST(ProgressBar, QuietForTheFirstSecondThenRedrawnInPlaceAtMostTenTimesASecond)
{
    const ProgressBar::Clock::time_point t0{};
    std::ostringstream out;
    ProgressBar bar(out, 200, t0);
    bar.Update(50, t0 + 999ms);
    EXPECT_TRUE(out.str().empty()) << "a run under a second shows no bar";
    bar.Update(100, t0 + 1s);
    const std::string half = out.str();
    EXPECT_TRUE(half.starts_with("\r")) << half;
    EXPECT_NE(half.find("50%"), std::string::npos) << half;
    EXPECT_EQ(std::count(half.begin(), half.end(), '#'), 20);
    EXPECT_EQ(half.find('\n'), std::string::npos);

    bar.Update(150, t0 + 1s + 99ms);
    EXPECT_EQ(out.str(), half) << "redrawn too soon";
    bar.Update(200, t0 + 1s + 100ms);
    EXPECT_NE(out.str().find("100%"), std::string::npos);

    const auto drawn = out.str().size();
    bar.Finish();
    const std::string wipe = out.str().substr(drawn);
    EXPECT_TRUE(wipe.starts_with("\r") && wipe.ends_with("\r"));
    EXPECT_EQ(wipe.find_first_not_of(" \r"), std::string::npos);
    EXPECT_GE(wipe.size(), half.size() + 1) << "the wipe must cover the whole bar";
}
