#include <gtest/gtest.h>

#include "core/start_rules.h"

using namespace qv;

TEST(StartRules, ACopyWithMoreRightsCountsAsARunningCopyAndArgumentsFollowTheName)
{
    EXPECT_TRUE(anotherCopyRuns(183) && anotherCopyRuns(5) && !anotherCopyRuns(0));  // 5: an administrator's
    EXPECT_FALSE(anotherCopyRuns(6));  // no lock at all: better one copy than none

    EXPECT_EQ(argumentsOf(L"\"C:\\Program Files\\q\\qorvane.exe\" /setclock x"), L"/setclock x");
    EXPECT_EQ(argumentsOf(L"C:\\q\\qorvane.exe  /setclock x"), L"/setclock x");
    for (const wchar_t* none : {L"\"C:\\q\\qorvane.exe\"", L"qorvane.exe", L"\"unclosed"})
        EXPECT_EQ(argumentsOf(none), L"") << none;
    // Malformed or not, these are the elevated step and never a clock.
    for (const wchar_t* step : {L"/setclock", L"/SetClock 2026-13-07", L"/setclockx"})
        EXPECT_TRUE(isSetClockStep(step)) << step;
    for (const wchar_t* clock : {L"", L"/setcloc", L"x /setclock"})
        EXPECT_FALSE(isSetClockStep(clock)) << clock;
}

TEST(StartRules, ASetClockRequestRoundTripsAndOnlyItsExactFormWithARealDateIsTaken)
{
    const std::wstring text = setClockArguments({{2028, 2, 29, 23, 59, 58, 7, 2}, 123456789});
    EXPECT_EQ(text, L"/setclock 2028-02-29 23:59:58.007 123456789");
    const auto back = parseSetClockArguments(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(setClockArguments(*back), text);

    for (const wchar_t* bad : {
             L"", L"/setclock", L"/setclock 2026-12-07 10:30:00.000", L"/setclock 2026-12-07 10:30:00.000 ",
             L"/SETCLOCK 2026-12-07 10:30:00.000 1", L"/setclock 2026-12-7 10:30:00.000 1",
             L"/setclock 2026-13-07 10:30:00.000 1", L"/setclock 2027-02-29 10:30:00.000 1",
             L"/setclock 2026-12-07 24:00:00.000 1", L"/setclock 2026-12-07 10:60:00.000 1",
             L"/setclock 2026-12-07 10:30:00.000 -1", L"/setclock 2026-12-07 10:30:00.000 1 more",
             L"/setclock 2026-12-07 10:30:00.000 1234567890123456789", L"/setclock ２026-12-07 10:30:00.000 1",
             L"/setclock 2026-12-07T10:30:00.000 1"})
        EXPECT_FALSE(parseSetClockArguments(bad)) << bad;
    EXPECT_TRUE(parseSetClockArguments(L"/setclock 2026-12-07 10:30:00.000 123456789012345678"));
}

TEST(StartRules, TheClockIsSetAsIfTheConsentPromptHadTakenNoTime)
{
    const SetClockRequest r{{2026, 12, 31, 23, 59, 50, 500, 4}, 10'000};
    const auto t = clockTargetAt(r, 22'000);  // 12 s on the prompt: past midnight
    ASSERT_TRUE(t);
    EXPECT_EQ(setClockArguments({*t, 0}), L"/setclock 2027-01-01 00:00:02.500 0");
    EXPECT_EQ(t->weekday, 5);
    EXPECT_FALSE(clockTargetAt(r, 9'999));  // restarted in between
    EXPECT_FALSE(clockTargetAt(r, 10'000 + 3'600'001));
}
