// Setting the computer's clock across a summer-time boundary, over a
// stand-in for SetLocalTime that behaves as Windows documents it: the
// local time is turned into UTC with the summer-time state of the moment of
// the call, not of the time being set.

#include <windows.h>

#include <gtest/gtest.h>

#include "app/seconds.h"
#include "platform/local_time_setter.h"

namespace qv::test {
namespace {

// A zone one hour ahead of UTC in winter, two in summer (April to
// September, whole months, which is all this test needs).
std::int64_t biasSeconds(const LocalTime& local)
{
    return local.month >= 4 && local.month <= 9 ? 7200 : 3600;
}

struct ModelClock {
    std::int64_t utc = 0;  // seconds
    int calls = 0;

    LocalTime local() const
    {
        // The bias of the moment: found from the local time it gives.
        LocalTime guess = fromAbsoluteSeconds(utc + 3600);
        return fromAbsoluteSeconds(utc + biasSeconds(guess));
    }
} model;

BOOL WINAPI modelSetLocalTime(const SYSTEMTIME* st)
{
    ++model.calls;
    LocalTime asked;
    asked.year = st->wYear;
    asked.month = st->wMonth;
    asked.day = st->wDay;
    asked.hour = st->wHour;
    asked.minute = st->wMinute;
    asked.second = st->wSecond;
    model.utc = absoluteSeconds(asked) - biasSeconds(model.local());
    return TRUE;
}

TEST(LocalTimeSetter, TheDateAndTimeAskedForIsTheOneSetAcrossSummerTime)
{
    LocalTimeSetter setter(&modelSetLocalTime);
    const LocalTime summer{2026, 7, 1, 12, 0, 0, 0, 3};
    const LocalTime winter{2026, 12, 7, 10, 30, 0, 0, 1};

    model.utc = absoluteSeconds(summer) - 7200;
    ASSERT_TRUE(setter.setLocalTime(winter));
    LocalTime now = model.local();
    EXPECT_EQ(absoluteSeconds(now), absoluteSeconds(winter)) << "reads " << now.hour << ":" << now.minute;

    ASSERT_TRUE(setter.setLocalTime(summer));
    now = model.local();
    EXPECT_EQ(absoluteSeconds(now), absoluteSeconds(summer)) << "reads " << now.hour << ":" << now.minute;
}

}  // namespace
}  // namespace qv::test
