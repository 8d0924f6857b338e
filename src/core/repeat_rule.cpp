#include "core/repeat_rule.h"

#include "core/seconds.h"

namespace qv {
namespace {

constexpr long long kDay = 86400;

long long dayOf(long long seconds)
{
    return seconds >= 0 ? seconds / kDay : (seconds - kDay + 1) / kDay;
}

// Once (no weekday bit) allows any day.
bool allows(unsigned mask, long long day)
{
    return (mask & kRepeatBits) == 0 || (mask >> fromAbsoluteSeconds(day * kDay).weekday & 1u) != 0;
}

}  // namespace

long long nextRingAfter(long long after, int secondOfDay, unsigned mask)
{
    long long day = dayOf(after);
    if (day * kDay + secondOfDay <= after)
        ++day;
    while (!allows(mask, day))
        ++day;  // at most six days on
    return day * kDay + secondOfDay;
}

long long lastRingAtOrBefore(long long at, int secondOfDay, unsigned mask)
{
    long long day = dayOf(at);
    if (day * kDay + secondOfDay > at)
        --day;
    while (!allows(mask, day))
        --day;
    return day * kDay + secondOfDay;
}

std::wstring repeatText(unsigned mask)
{
    mask &= kRepeatBits;
    if (mask == kOnce)
        return {};
    if (mask == kEveryDay)
        return L"每天";
    if (mask == kMondayToFriday)
        return L"周一至周五";
    static constexpr wchar_t kDays[] = L"日一二三四五六";
    std::wstring text = L"每周";
    for (int d : {1, 2, 3, 4, 5, 6, 0})
        if (mask >> d & 1u)
            text += kDays[d];
    return text;
}

}  // namespace qv
