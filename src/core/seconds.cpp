#include "core/seconds.h"

#include <algorithm>

namespace qv {
namespace {

long long daysFromCivil(int y, int m, int d)
{
    // Howard Hinnant's days_from_civil: day 0 is 1970-01-01.
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

long long absoluteSeconds(const LocalTime& t)
{
    return daysFromCivil(t.year, t.month, t.day) * 86400LL + t.hour * 3600LL + t.minute * 60LL + t.second;
}

LocalTime fromAbsoluteSeconds(long long seconds)
{
    long long days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Howard Hinnant's civil_from_days.
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    LocalTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    t.weekday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    return t;
}

unsigned msToNextSecond(int millisecond)
{
    // A timer may fire a tick early; the margin keeps it past the boundary.
    constexpr int kMargin = 20;
    const int ms = std::clamp(millisecond, 0, 999);
    return static_cast<unsigned>(1000 - ms + kMargin);
}

unsigned nextTickPeriod(int landedAt, int now, unsigned running)
{
    // Late enough past the second to be seen against another clock.
    constexpr int kLate = 100;
    auto onTime = [](int ms) { return ms >= 0 && ms < kLate; };
    if (running == 1000 && onTime(landedAt))
        return 0;
    return onTime(now) ? 1000 : msToNextSecond(now);
}

}  // namespace qv
