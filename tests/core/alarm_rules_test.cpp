#include <gtest/gtest.h>

#include <vector>

#include "alarm/alarm_rules.h"
#include "app/datetext.h"
#include "app/seconds.h"

using qv::ClockReading;
using qv::EntryVerdict;
using qv::LocalTime;

namespace {

// A reading in December 2026 whose steady clock has kept pace with the wall
// clock: time really passed.
ClockReading at(int day, int h, int m, int s)
{
    const LocalTime t{2026, 12, day, h, m, s, 0, (day % 7)};
    return ClockReading{t, qv::absoluteSeconds(t) * 1000};
}

}  // namespace

// Checked in order: an empty box first, then a text that is no number, then
// a value out of range.
TEST(AlarmEntry, EachEntryEarnsItsVerdict)
{
    using enum EntryVerdict;
    struct Row {
        const wchar_t *h, *m, *s, *msg;
        EntryVerdict verdict;
    };
    const Row rows[] = {
        {L"ab", L"1", L"1", L"", Empty}, {L"", L"1", L"1", L"x", Empty}, {L"9", L"5", L"", L"x", Empty},
        {L"9", L"5", L"0", L" ", Ok},  // a blank message is a message
        {L"ab", L"1", L"1", L"x", NotNumeric}, {L"1", L"1a", L"1", L"x", NotNumeric},
        {L"1", L"1", L" ", L"x", NotNumeric}, {L" ", L"1", L"1", L"x", NotNumeric},
        {L"1", L"1", L"+", L"x", NotNumeric}, {L"1", L"1", L"ａ", L"x", NotNumeric},
        {L"ａｂ", L"0", L"0", L"x", NotNumeric},
        {L"24", L"0", L"0", L"x", OutOfRange}, {L"0", L"60", L"0", L"x", OutOfRange},
        {L"0", L"0", L"60", L"x", OutOfRange}, {L"0", L"0", L"-1", L"x", OutOfRange},
        {L"２４", L"0", L"0", L"x", OutOfRange},
        // Accepted by the number check but never equal to a clock reading.
        {L"1", L"+1", L"0", L"x", OutOfRange}, {L"1", L"1.", L"0", L"x", OutOfRange},
        {L"1", L" 1", L"0", L"x", OutOfRange}, {L"1", L"1 ", L"0", L"x", OutOfRange},
        {L"1", L"1,", L"0", L"x", OutOfRange}, {L"+1", L"0", L"0", L"x", OutOfRange}, {L"1", L"0", L"1.", L"x", OutOfRange},
        {L"23", L"59", L"59", L"x", Ok}, {L"0", L"00", L"7", L"x", Ok},
        {L"１２", L"０５", L"３０", L"x", Ok}, {L"1２", L"5", L"０", L"x", Ok},  // full-width digits
    };
    for (const Row& r : rows)
        EXPECT_EQ(qv::checkEntry(r.h, r.m, r.s, r.msg), r.verdict) << r.h << "|" << r.m << "|" << r.s << "|" << r.msg;
}

TEST(AlarmEntry, TimeIsBuiltFromTheTextsAsTyped)
{
    EXPECT_EQ(qv::buildAlarmTime(L"9", L"5", L"0"), L"09:05:00");
    EXPECT_EQ(qv::buildAlarmTime(L"7", L"30", L"00"), L"07:30:00");
    EXPECT_EQ(qv::buildAlarmTime(L"23", L"05", L"9"), L"23:05:09");
    EXPECT_EQ(qv::secondOfDay(L"09:05:00"), 9 * 3600 + 5 * 60);
    EXPECT_EQ(qv::buildAlarmTime(L"１２", L"５", L"３０"), L"12:05:30");
    EXPECT_EQ(qv::secondOfDay(L""), std::nullopt);
}

TEST(AlarmEntry, EarlierOrEqualToNowIsWarnedAbout)
{
    const LocalTime eight = at(7, 8, 0, 0).local;
    EXPECT_TRUE(qv::notLaterThanNow(L"08:00:00", eight));
    EXPECT_TRUE(qv::notLaterThanNow(L"07:59:59", eight));
    EXPECT_FALSE(qv::notLaterThanNow(L"08:00:01", eight));
    EXPECT_FALSE(qv::notLaterThanNow(L"09:05:00", eight));
}

namespace {

qv::AlarmSchedule armed(const wchar_t* alarm, const ClockReading& armedAt)
{
    qv::AlarmSchedule schedule;
    schedule.arm(*qv::secondOfDay(alarm), armedAt);
    return schedule;
}

}  // namespace

TEST(AlarmSchedule, ALateTickOrSkippedSecondStillRings)
{
    auto r = armed(L"09:05:00", at(7, 8, 0, 0));
    EXPECT_FALSE(r.check(at(7, 9, 4, 59)));
    const auto ring = r.check(at(7, 9, 5, 2));  // 09:05:00 and :01 had no tick
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->lateSeconds, 2);
    EXPECT_TRUE(ring->playTune);
}

TEST(AlarmSchedule, WrapsAtMidnight)
{
    auto midnight = armed(L"00:00:00", at(7, 23, 59, 50));
    EXPECT_FALSE(midnight.check(at(7, 23, 59, 59)));
    EXPECT_TRUE(midnight.check(at(8, 0, 0, 0)));

    auto last = armed(L"23:59:59", at(7, 23, 59, 57));
    EXPECT_FALSE(last.check(at(7, 23, 59, 58)));
    const auto ring = last.check(at(8, 0, 0, 1));  // skipped past midnight
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->lateSeconds, 2);
}

TEST(AlarmSchedule, TheNextRingIsAWallClockTimeAcrossMonthsAndYears)
{
    EXPECT_EQ(qv::timeText(armed(L"09:05:00", at(7, 8, 0, 0)).nextRing()), L"09:05:00");
    const LocalTime newYear = armed(L"00:00:05", at(31, 23, 0, 0)).nextRing();
    EXPECT_EQ((std::vector<int>{newYear.year, newYear.month, newYear.day, newYear.weekday}),
              (std::vector<int>{2027, 1, 1, 5}));  // a Friday
}
