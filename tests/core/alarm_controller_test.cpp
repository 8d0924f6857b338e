#include <gtest/gtest.h>

#include <string>

#include "alarm/alarm_controller.h"
#include "app/seconds.h"

using qv::AlarmController;
using qv::AlarmPhase;
using qv::ClockReading;
using qv::EntryVerdict;
using qv::LocalTime;

namespace {

// A wall clock and a steady clock side by side. pass() lets real time go
// by; jump() sets the wall clock as summer time or a user would.
class Clock {
public:
    Clock(int y, int mo, int d, int h, int mi, int s, int ms = 0)
        : wall_(qv::fromAbsoluteSeconds(qv::absoluteSeconds({y, mo, d, h, mi, s, ms, 0})))
    {
    }
    ClockReading now() const { return {wall_, steadyMs_}; }
    Clock& pass(long long seconds)
    {
        wall_ = qv::fromAbsoluteSeconds(qv::absoluteSeconds(wall_) + seconds);
        steadyMs_ += seconds * 1000;
        return *this;
    }
    Clock& jump(int h, int mi, int s, long long realSeconds)
    {
        wall_.hour = h;
        wall_.minute = mi;
        wall_.second = s;
        steadyMs_ += realSeconds * 1000;
        return *this;
    }
    // Real time passes to this wall-clock time of the same day.
    Clock& to(int h, int mi, int s)
    {
        return pass(h * 3600LL + mi * 60 + s - (wall_.hour * 3600LL + wall_.minute * 60 + wall_.second));
    }

private:
    LocalTime wall_;
    long long steadyMs_ = 5'000'000;
};

qv::Confirmation confirm(AlarmController& a, const wchar_t* h, const wchar_t* m, const Clock& c,
                         const wchar_t* msg = L"x")
{
    return a.confirm(h, m, L"0", msg, c.now());
}

}  // namespace

TEST(AlarmController, NoneArmedRungAndCancelled)
{
    AlarmController a;
    Clock c(2026, 12, 7, 8, 0, 0);
    EXPECT_FALSE(a.AlarmSet());
    EXPECT_FALSE(a.tick(c.to(9, 5, 0).now()));
    EXPECT_FALSE(a.nextRing());

    c = Clock(2026, 12, 7, 8, 0, 0);
    const qv::Confirmation ok = confirm(a, L"9", L"5", c);
    EXPECT_EQ(ok.verdict, EntryVerdict::Ok);
    EXPECT_FALSE(ok.earlierThanNow);
    EXPECT_EQ(a.phase(), AlarmPhase::Armed);
    EXPECT_EQ(a.AlarmTime(), L"09:05:00");
    EXPECT_TRUE(a.TmrclockEnabled());
    ASSERT_TRUE(a.nextRing());
    EXPECT_EQ(qv::absoluteSeconds(*a.nextRing()), qv::absoluteSeconds(LocalTime{2026, 12, 7, 9, 5, 0, 0, 1}));

    EXPECT_FALSE(a.tick(c.to(9, 4, 59).now()));
    const auto ring = a.tick(c.to(9, 5, 0).now());
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->lateSeconds, 0);
    EXPECT_TRUE(ring->playTune);
    // Rung: shown again by the window, never rung again by itself.
    EXPECT_EQ(a.phase(), AlarmPhase::Rung);
    EXPECT_TRUE(a.AlarmSet());
    EXPECT_FALSE(a.TmrclockEnabled());
    EXPECT_FALSE(a.nextRing());
    EXPECT_FALSE(a.tick(c.pass(86400).now()));

    // OK on the rung alarm arms it again: for the next day, with the warning.
    c = Clock(2026, 12, 8, 9, 10, 0);
    EXPECT_TRUE(confirm(a, L"09", L"05", c).earlierThanNow);
    EXPECT_EQ(a.nextRing()->day, 9);

    a.cancel();
    EXPECT_EQ(a.phase(), AlarmPhase::Cancelled);
    EXPECT_EQ(a.AlarmTime() + a.AlarmMsg(), L"");
    EXPECT_FALSE(a.AlarmSet());
    EXPECT_FALSE(a.nextRing());
    EXPECT_FALSE(a.tick(c.pass(86400).now()));  // past the cancelled time: nothing
}

TEST(AlarmController, AFailedCheckKeepsTheArmedAlarmAndANewOneReplacesIt)
{
    AlarmController a;
    Clock c(2026, 12, 7, 8, 0, 0);
    confirm(a, L"9", L"5", c, L"first");
    EXPECT_EQ(confirm(a, L"ab", L"1", c, L"").verdict, EntryVerdict::Empty);
    EXPECT_EQ(confirm(a, L"ab", L"1", c).verdict, EntryVerdict::NotNumeric);
    EXPECT_EQ(confirm(a, L"8", L"+1", c).verdict, EntryVerdict::OutOfRange);
    EXPECT_EQ(a.AlarmTime(), L"09:05:00");
    EXPECT_EQ(a.AlarmMsg(), L"first");

    confirm(a, L"10", L"0", c, L"second");
    EXPECT_FALSE(a.tick(c.to(9, 5, 0).now()));
    EXPECT_TRUE(a.tick(c.to(10, 0, 0).now()));
}

TEST(AlarmController, JudgedAndArmedOnOneReadingOfTheClock)
{
    AlarmController a;
    Clock before(2026, 12, 7, 8, 59, 59, 995);
    EXPECT_FALSE(confirm(a, L"9", L"0", before).earlierThanNow);
    EXPECT_TRUE(a.tick(before.pass(1).now()));  // 09:00:00.995: today

    Clock exactly(2026, 12, 7, 9, 0, 0);
    EXPECT_TRUE(confirm(a, L"9", L"0", exactly).earlierThanNow);
    EXPECT_FALSE(a.tick(exactly.pass(1).now()));
    EXPECT_TRUE(a.tick(exactly.to(23, 59, 59).pass(9 * 3600 + 1).now()));
}

TEST(AlarmController, LatenessIsRealTimeWhateverTheWallClockDoes)
{
    // Summer time begins: 02:00 becomes 03:00, and 02:30 never shows. The
    // alarm rings at the jump, on time.
    AlarmController spring;
    Clock c(2026, 3, 29, 1, 0, 0);
    confirm(spring, L"2", L"30", c);
    EXPECT_FALSE(spring.tick(c.to(1, 59, 59).now()));
    auto ring = spring.tick(c.jump(3, 0, 0, 1).now());
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->lateSeconds, 1);
    EXPECT_TRUE(ring->playTune);

    // Summer time ends: 03:00 becomes 02:00 again. An alarm in that hour
    // rings in its first pass and not again in the second.
    AlarmController autumn;
    c = Clock(2026, 10, 25, 1, 0, 0);
    confirm(autumn, L"2", L"30", c);
    EXPECT_TRUE(autumn.tick(c.to(2, 30, 0).now()));
    EXPECT_FALSE(autumn.tick(c.to(2, 59, 59).now()));
    EXPECT_FALSE(autumn.tick(c.jump(2, 0, 0, 1).now()));
    EXPECT_FALSE(autumn.tick(c.to(2, 30, 0).now()));

    // Confirmed late in the first pass for a time it already passed: the
    // wall clock reaches it again in the second pass, and it rings there.
    AlarmController repeated;
    c = Clock(2026, 10, 25, 2, 40, 0);
    EXPECT_TRUE(confirm(repeated, L"2", L"30", c).earlierThanNow);
    EXPECT_FALSE(repeated.tick(c.to(2, 59, 59).now()));
    EXPECT_FALSE(repeated.tick(c.jump(2, 0, 0, 1).now()));
    ring = repeated.tick(c.to(2, 30, 0).now());
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->lateSeconds, 0);

    // Set forward by hand across the alarm: rings at once, with its tune.
    // Set back before it: rings when the clock reaches it again.
    for (int h : {9, 8}) {
        AlarmController a;
        c = Clock(2026, 12, 7, 9, 0, 0);
        confirm(a, L"9", L"5", c);
        EXPECT_FALSE(a.tick(c.to(9, 4, 0).now()));
        ring = a.tick(c.jump(h, 30, 0, 1).now());
        EXPECT_EQ(ring && ring->playTune, h == 9) << h;
        if (h == 8) {
            EXPECT_FALSE(a.tick(c.to(9, 4, 59).now()));
            EXPECT_TRUE(a.tick(c.to(9, 5, 0).now()));
        }
    }
}

TEST(AlarmController, SleepingThroughTheAlarmRingsOnWakingWithoutTheTuneAfterAMinute)
{
    for (int late : {60, 61}) {
        AlarmController a;
        Clock c(2026, 12, 7, 9, 0, 0);
        confirm(a, L"9", L"5", c);
        EXPECT_FALSE(a.tick(c.to(9, 4, 0).now()));
        const auto ring = a.tick(c.to(9, 5, late).now());  // asleep from 09:04
        ASSERT_TRUE(ring);
        EXPECT_EQ(ring->lateSeconds, late);
        EXPECT_EQ(ring->playTune, late <= 60) << late;
    }
}
