#include <gtest/gtest.h>

#include <string>

#include "core/datetext.h"
#include "core/repeat_rule.h"
#include "core/seconds.h"

using namespace qv;

// 2026-12-07 is a Monday. Wall time throughout: 07:00 stays 07:00 whatever
// summer time does, and a ring in the hour the clock skips keeps its time.
TEST(RepeatRule, TheNextRingIsAtItsTimeOnTheNextDayTheRuleAllows)
{
    const struct {
        LocalTime after;
        int hour, minute;
        unsigned mask;
        const wchar_t* next;
    } rows[] = {
        {{2026, 12, 7, 6, 0, 0}, 7, 0, kEveryDay, L"26年12月07日 07:00:00 星期一"},
        {{2026, 12, 7, 7, 0, 0}, 7, 0, kEveryDay, L"26年12月08日 07:00:00 星期二"},  // strictly after
        {{2026, 12, 7, 7, 0, 0}, 7, 0, kOnce, L"26年12月08日 07:00:00 星期二"},
        {{2026, 12, 11, 7, 0, 0}, 7, 0, kMondayToFriday, L"26年12月14日 07:00:00 星期一"},
        {{2026, 12, 12, 6, 0, 0}, 7, 0, kMondayToFriday, L"26年12月14日 07:00:00 星期一"},
        {{2026, 12, 16, 7, 0, 1}, 7, 0, 1u << 3, L"26年12月23日 07:00:00 星期三"},  // one day: a week on
        {{2026, 12, 31, 23, 0, 0}, 6, 30, kEveryDay, L"27年01月01日 06:30:00 星期五"},
        {{2026, 2, 28, 8, 0, 0}, 7, 0, 1u << 0, L"26年03月01日 07:00:00 星期日"},
        {{2026, 3, 29, 1, 59, 59}, 2, 30, kEveryDay, L"26年03月29日 02:30:00 星期日"},
    };
    for (const auto& r : rows) {
        const LocalTime t = fromAbsoluteSeconds(nextRingAfter(absoluteSeconds(r.after), r.hour * 3600 + r.minute * 60, r.mask));
        EXPECT_EQ(dateText(t) + L" " + timeText(t) + L" " + weekdayText(t), r.next) << r.mask;
    }
    // After a sleep, the latest ring at or before the waking moment.
    const LocalTime thursday{2026, 12, 10, 9, 0, 0};
    EXPECT_EQ(timeText(fromAbsoluteSeconds(lastRingAtOrBefore(absoluteSeconds(thursday), 7 * 3600, 62))) +
                  weekdayText(fromAbsoluteSeconds(lastRingAtOrBefore(absoluteSeconds(thursday), 7 * 3600, 1u << 1))),
              L"07:00:00星期一");
    EXPECT_EQ(repeatText(kOnce) + L"|" + repeatText(kEveryDay) + L"|" + repeatText(kMondayToFriday) + L"|" +
                  repeatText(0b1000101),
              L"|每天|周一至周五|每周二六日");
}
