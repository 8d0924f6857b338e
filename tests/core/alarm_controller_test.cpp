#include <gtest/gtest.h>

#include <string>
#include <functional>
#include <utility>

#include "alarm/alarm_controller.h"
#include "core/datetext.h"
#include "core/seconds.h"

using namespace qv;

namespace {

// A wall clock and a steady clock side by side. pass() lets real time go by,
// to() up to a time of the same day; jump() sets the wall clock within the
// day, as summer time or a user would, in one second of real time.
struct Clock {
    Clock(int y, int mo, int d, int h, int mi, int s) : wall(absoluteSeconds({y, mo, d, h, mi, s, 0, 0})) {}
    ClockReading now() const { return {fromAbsoluteSeconds(wall), steadyMs}; }
    Clock& pass(long long seconds) { return set(wall + seconds, seconds); }
    Clock& to(int h, int mi, int s) { return pass(h * 3600 + mi * 60 + s - wall % 86400); }
    Clock& jump(int h, int mi, int s) { return set(wall - wall % 86400 + h * 3600 + mi * 60 + s, 1); }
    Clock& set(long long newWall, long long realSeconds)
    {
        wall = newWall;
        steadyMs += realSeconds * 1000;
        return *this;
    }
    long long wall, steadyMs = 5'000'000;
};

Confirmation confirm(AlarmController& a, const wchar_t* h, const wchar_t* m, const Clock& c,
                     const wchar_t* msg = L"x", const wchar_t* s = L"0")
{
    return a.confirm(h, m, s, msg, c.now());
}

// A tick's answer: "" when it does not ring.
std::string rang(const std::optional<Ring>& r)
{
    return r ? std::to_string(r->lateSeconds) + (r->playTune ? " s late, tune" : " s late, quiet") : "";
}

// The two facts, what the window shows and what is kept, in one line.
std::wstring facts(const AlarmController& a)
{
    auto entry = [](const AlarmEntry& e) {
        return e.timeText() + L" " + e.reminder + (e.repeat ? L" " + repeatText(e.repeat) : L"");
    };
    auto moment = [](const LocalTime& t) { return std::to_wstring(t.day) + L" " + timeText(t); };
    const auto kept = a.toKeep();
    return L"armed " + (a.nextRing() ? moment(*a.nextRing()) : L"-") + L", unanswered " +
           (a.unanswered() ? moment(a.unanswered()->due) + L" " + a.unanswered()->entry.reminder : L"-") +
           L", shows " + (a.shown() ? entry(*a.shown()) : L"-") + L", keeps " +
           (kept ? moment(kept->at) + L" " + kept->message : L"-");
}

std::wstring when(const LocalTime& t) { return dateText(t) + L" " + timeText(t) + L" " + weekdayText(t); }

}  // namespace

// Confirming, ringing, answering and cancelling each change only their own
// fact; the store keeps the armed alarm, else the unanswered ring.
TEST(AlarmController, ArmedAndUnansweredAreTwoFactsAndTheKeptValueFollowsThem)
{
    AlarmController a;
    Clock c(2026, 12, 7, 9, 0, 0);
    const std::function<void()> confirm905 = [&] { confirm(a, L"9", L"5", c, L"a"); },
                                confirm930 = [&] { confirm(a, L"9", L"30", c, L"b"); },
                                ring905 = [&] { EXPECT_TRUE(a.tick(c.to(9, 5, 0).now())); },
                                ring930 = [&] { EXPECT_TRUE(a.tick(c.to(9, 30, 0).now())); },
                                ack = [&] { a.acknowledge(); }, cancel = [&] { a.cancel(); };
    const std::pair<std::function<void()>, const wchar_t*> steps[] = {
        {confirm905, L"armed 7 09:05:00, unanswered -, shows 09:05:00 a, keeps 7 09:05:00 a"},
        {ring905, L"armed -, unanswered 7 09:05:00 a, shows 09:05:00 a, keeps 7 09:05:00 a"},
        {confirm930, L"armed 7 09:30:00, unanswered 7 09:05:00 a, shows 09:30:00 b, keeps 7 09:30:00 b"},
        // The old alert answered: the new alarm stays armed and kept.
        {ack, L"armed 7 09:30:00, unanswered -, shows 09:30:00 b, keeps 7 09:30:00 b"},
        {ring930, L"armed -, unanswered 7 09:30:00 b, shows 09:30:00 b, keeps 7 09:30:00 b"},
        // Cancel ends the armed alarm only: the ring up is still to be answered.
        {confirm905, L"armed 8 09:05:00, unanswered 7 09:30:00 b, shows 09:05:00 a, keeps 8 09:05:00 a"},
        {cancel, L"armed -, unanswered 7 09:30:00 b, shows -, keeps 7 09:30:00 b"},
        {ack, L"armed -, unanswered -, shows -, keeps -"},
    };
    EXPECT_EQ(facts(a), L"armed -, unanswered -, shows -, keeps -");
    for (const auto& [step, want] : steps) {
        step();
        EXPECT_EQ(facts(a), want);
    }
}

// An alarm set for now or earlier rings tomorrow, and is warned about.
TEST(AlarmController, RingsOnceAtItsSecondAndAFailedCheckKeepsTheArmedAlarm)
{
    AlarmController a;
    Clock c(2026, 12, 7, 9, 4, 59);
    const Confirmation ok = confirm(a, L"9", L"5", c);
    EXPECT_TRUE(ok.verdict == EntryVerdict::Ok && !ok.earlierThanNow);
    EXPECT_EQ(a.AlarmTime() + L" " + when(*a.nextRing()), L"09:05:00 26年12月07日 09:05:00 星期一");
    EXPECT_EQ(rang(a.tick(c.pass(1).now())), "0 s late, tune");
    EXPECT_FALSE(a.TmrclockEnabled() || a.tick(c.pass(86400).now()));  // never rung again by itself

    // OK on the rung alarm at its very second arms it again, for the next day.
    EXPECT_TRUE(confirm(a, L"09", L"05", c).earlierThanNow);
    EXPECT_EQ(when(*a.nextRing()), L"26年12月09日 09:05:00 星期三");
    EXPECT_FALSE(a.tick(c.pass(1).now()));
    EXPECT_TRUE(a.tick(c.pass(86399).now()));

    // A failed check keeps the armed alarm; a new one replaces it.
    confirm(a, L"9", L"30", c, L"first");
    for (const wchar_t* minute : {L"", L"ab", L"+1"})  // empty, no number, out of range
        EXPECT_NE(confirm(a, L"8", minute, c).verdict, EntryVerdict::Ok) << minute;
    EXPECT_EQ(a.AlarmTime() + a.AlarmMsg(), L"09:30:00first");
    confirm(a, L"10", L"0", c, L"second");
    EXPECT_FALSE(a.tick(c.to(9, 30, 0).now()));
    EXPECT_TRUE(a.tick(c.to(10, 0, 0).now()));
}

// Checks that skip the alarm's second (a late tick, a sleep, midnight) still ring; a tune up to a minute late.
TEST(AlarmController, NoSkippedSecondLosesTheAlarm)
{
    const std::pair<int, const char*> lates[] = {{60, "60 s late, tune"}, {61, "61 s late, quiet"}};
    for (auto [late, want] : lates) {
        AlarmController a;
        Clock c(2026, 12, 7, 9, 4, 0);
        confirm(a, L"9", L"5", c);
        EXPECT_FALSE(a.tick(c.to(9, 4, 59).now()));
        EXPECT_EQ(rang(a.tick(c.pass(late + 1).now())), want);
    }

    AlarmController midnight, last;
    Clock c(2026, 12, 31, 23, 59, 50);
    confirm(midnight, L"0", L"0", c);
    confirm(last, L"23", L"59", c, L"x", L"59");
    EXPECT_EQ(when(*midnight.nextRing()), L"27年01月01日 00:00:00 星期五");
    EXPECT_FALSE(midnight.tick(c.to(23, 59, 58).now()) || last.tick(c.now()));
    c.pass(3);  // 00:00:01
    EXPECT_EQ(rang(midnight.tick(c.now())) + ", " + rang(last.tick(c.now())), "1 s late, tune, 2 s late, tune");
}

TEST(AlarmController, LatenessIsRealTimeWhateverTheWallClockDoes)
{
    // Summer time begins: 02:00 becomes 03:00. 02:30 never shows: on time at the jump.
    AlarmController spring, autumn, repeated;
    Clock c(2026, 3, 29, 1, 0, 0);
    confirm(spring, L"2", L"30", c);
    EXPECT_FALSE(spring.tick(c.to(1, 59, 59).now()));
    EXPECT_EQ(rang(spring.tick(c.jump(3, 0, 0).now())), "1 s late, tune");

    // Summer time ends: 03:00 becomes 02:00. An alarm in that hour rings in its
    // first pass only; one confirmed in the first pass after its time, in the second.
    c = Clock(2026, 10, 25, 1, 0, 0);
    confirm(autumn, L"2", L"30", c);
    EXPECT_TRUE(autumn.tick(c.to(2, 30, 0).now()));
    EXPECT_TRUE(confirm(repeated, L"2", L"30", c.to(2, 40, 0)).earlierThanNow);
    EXPECT_FALSE(autumn.tick(c.to(2, 59, 59).now()) || repeated.tick(c.now()));
    EXPECT_FALSE(autumn.tick(c.jump(2, 0, 0).now()) || repeated.tick(c.now()));
    EXPECT_FALSE(autumn.tick(c.to(2, 30, 0).now()));
    EXPECT_EQ(rang(repeated.tick(c.now())), "0 s late, tune");

    // Set forward by hand across the alarm: rings at once, with its tune. Set
    // back before it: rings when the clock reaches it again.
    AlarmController forward, back;
    c = Clock(2026, 12, 7, 9, 4, 0);
    confirm(forward, L"9", L"5", c);
    confirm(back, L"9", L"5", c);
    EXPECT_EQ(rang(forward.tick(Clock(c).jump(9, 30, 0).now())), "1 s late, tune");
    EXPECT_EQ(when(forward.toKeep()->at), L"26年12月07日 09:05:00 星期一");  // kept: when it was due
    EXPECT_FALSE(back.tick(c.jump(8, 30, 0).now()));
    EXPECT_FALSE(back.tick(c.to(9, 4, 59).now()));
    EXPECT_TRUE(back.tick(c.to(9, 5, 0).now()));
}

// A kept alarm still ahead is armed as OK pressed now would arm it; one that
// came while the program was not running rings at once, late by the wall clock.
TEST(AlarmController, AKeptAlarmComesBackArmedOrRungAndIsKeptOnAsSuch)
{
    const struct {
        LocalTime kept;
        Clock now;
        const char* rang;
        const wchar_t* keeps;  // and for an armed one, where it rings
    } rows[] = {
        {{2026, 12, 10, 0, 10, 0}, {2026, 12, 9, 23, 50, 0}, "", L"26年12月10日 00:10:00 星期四"},
        // The clock set back days while off: the next such time of day.
        {{2026, 12, 12, 7, 30, 0}, {2026, 12, 9, 7, 0, 0}, "", L"26年12月09日 07:30:00 星期三"},
        {{2026, 12, 9, 7, 30, 0}, {2026, 12, 9, 7, 30, 0}, "0 s late, tune", L"26年12月09日 07:30:00 星期三"},
        {{2026, 12, 9, 7, 30, 0}, {2026, 12, 9, 7, 31, 0}, "60 s late, tune", L"26年12月09日 07:30:00 星期三"},
        {{2026, 12, 9, 7, 30, 0}, {2026, 12, 9, 7, 31, 1}, "61 s late, quiet", L"26年12月09日 07:30:00 星期三"},
        {{2026, 12, 31, 23, 59, 50}, {2027, 1, 1, 0, 0, 20}, "30 s late, tune", L"26年12月31日 23:59:50 星期四"},
    };
    for (const auto& r : rows) {
        AlarmController a;
        Clock c = r.now;
        const std::string row = rang(a.restore({r.kept, L"tea\u2028"}, c.now()));  // cleaned as a paste is
        EXPECT_EQ(row, r.rang);
        EXPECT_EQ(a.AlarmTime() + a.AlarmMsg(), timeText(r.kept) + L"tea ") << row;
        EXPECT_EQ(when(a.toKeep()->at) + a.toKeep()->message, r.keeps + std::wstring(L"tea ")) << row;
        if (!row.empty()) {
            EXPECT_TRUE(a.unanswered() && !a.TmrclockEnabled());
            EXPECT_FALSE(a.tick(c.pass(86400).now()));
            continue;
        }
        EXPECT_EQ(when(*a.nextRing()), r.keeps);
        EXPECT_FALSE(a.tick(c.pass(absoluteSeconds(*a.nextRing()) - c.wall - 1).now())) << r.keeps;
        EXPECT_EQ(rang(a.tick(c.pass(1).now())), "0 s late, tune") << r.keeps;
    }
}

// The wake comes two minutes before the ring. A ring the computer woke for
// counts as on time, with its tune, however long the resume took; a resume
// before the wake's moment or long after the ring was for something else.
TEST(AlarmController, TheWakeComesEarlyAndARingWokenForHasItsTune)
{
    AlarmController a, b;
    Clock c(2026, 12, 7, 6, 0, 0);
    confirm(a, L"7", L"0", c);
    confirm(b, L"7", L"30", c);
    EXPECT_EQ(when(*a.wakeAt()), L"26年12月07日 06:58:00 星期一");
    a.resumed(c.to(6, 57, 59).now());
    EXPECT_FALSE(a.wokenForAlarm());
    a.resumed(c.to(6, 58, 0).now());
    EXPECT_TRUE(a.wokenForAlarm());
    EXPECT_EQ(rang(a.tick(c.to(7, 4, 0).now())), "0 s late, tune");  // a slow resume from hibernation
    b.resumed(c.to(7, 45, 1).now());
    EXPECT_EQ(rang(b.tick(c.now())), "901 s late, quiet");
    confirm(a, L"8", L"0", c);
    a.resumed(c.to(7, 59, 0).now());
    confirm(a, L"8", L"0", c);  // a new alarm: woken for none yet
    EXPECT_FALSE(a.wokenForAlarm());
}

// 2026-12-11 is a Friday. A repeating alarm stays armed for its next day
// after each ring; its own unanswered ring is what is kept until answered.
TEST(AlarmController, ARepeatingAlarmRingsOnEachChosenDayOnceForTheLatestAfterASleep)
{
    AlarmController a;
    Clock c(2026, 12, 11, 8, 0, 0);
    EXPECT_FALSE(a.confirm(L"7", L"30", L"0", L"a", c.now(), kMondayToFriday).earlierThanNow);
    const std::pair<std::function<void()>, const wchar_t*> steps[] = {
        {[] {}, L"armed 14 07:30:00, unanswered -, shows 07:30:00 a 周一至周五, keeps 14 07:30:00 a"},
        {[&] { EXPECT_EQ(rang(a.tick(c.pass(3 * 86400 - 1800).now())), "0 s late, tune"); },
         L"armed 15 07:30:00, unanswered 14 07:30:00 a, shows 07:30:00 a 周一至周五, keeps 14 07:30:00 a"},
        {[&] { a.acknowledge(); }, L"armed 15 07:30:00, unanswered -, shows 07:30:00 a 周一至周五, keeps 15 07:30:00 a"},
        // Asleep from Tuesday to Thursday morning: one ring, for Thursday's.
        {[&] { EXPECT_EQ(rang(a.tick(c.pass(3 * 86400 + 5400).now())), "5400 s late, quiet"); },
         L"armed 18 07:30:00, unanswered 17 07:30:00 a, shows 07:30:00 a 周一至周五, keeps 17 07:30:00 a"},
        // Cancelled, its ring still up is kept as a one-time ring.
        {[&] { a.cancel(); }, L"armed -, unanswered 17 07:30:00 a, shows -, keeps 17 07:30:00 a"},
    };
    for (const auto& [step, want] : steps) {
        step();
        EXPECT_EQ(facts(a), want);
    }
    EXPECT_EQ(a.toKeep()->repeat, kOnce);
    EXPECT_EQ(a.shown(), std::nullopt);
}

// Kept for Monday 14th 07:30, Monday to Friday, and started at these times.
TEST(AlarmController, AKeptRepeatingAlarmShowsOnlyItsLatestMissedRingAndIsArmedForItsNext)
{
    const struct {
        Clock now;
        const char* rang;
        const wchar_t* facts;
    } rows[] = {
        {{2026, 12, 13, 20, 0, 0}, "", L"armed 14 07:30:00, unanswered -, shows 07:30:00 a 周一至周五, keeps 14 07:30:00 a"},
        {{2026, 12, 14, 7, 30, 30}, "30 s late, tune",
         L"armed 15 07:30:00, unanswered 14 07:30:00 a, shows 07:30:00 a 周一至周五, keeps 14 07:30:00 a"},
        {{2026, 12, 17, 9, 0, 0}, "5400 s late, quiet",
         L"armed 18 07:30:00, unanswered 17 07:30:00 a, shows 07:30:00 a 周一至周五, keeps 17 07:30:00 a"},
    };
    for (const auto& r : rows) {
        AlarmController a;
        EXPECT_EQ(rang(a.restore({{2026, 12, 14, 7, 30, 0}, L"a", kMondayToFriday}, r.now.now())), r.rang);
        EXPECT_EQ(facts(a), r.facts);
    }
    // Shown and not answered, today's ring comes back at the next start; answered, it does not.
    AlarmController first, second, third;
    first.restore({{2026, 12, 14, 7, 30, 0}, L"a", kMondayToFriday}, Clock(2026, 12, 14, 8, 0, 0).now());
    EXPECT_EQ(rang(second.restore(*first.toKeep(), Clock(2026, 12, 14, 8, 30, 0).now())), "3600 s late, quiet");
    first.acknowledge();
    EXPECT_EQ(rang(third.restore(*first.toKeep(), Clock(2026, 12, 14, 8, 30, 0).now())), "");
}
