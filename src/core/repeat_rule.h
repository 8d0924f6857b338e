#pragma once
// When the alarm repeats: a weekday mask, bit 0 Sunday to bit 6 Saturday as
// SYSTEMTIME counts them; 0 rings once.

#include <string>

namespace qv {

inline constexpr unsigned kOnce = 0, kEveryDay = 127, kMondayToFriday = 62;
inline constexpr unsigned kRepeatBits = 127;

// Seconds of the wall clock read as UTC (absoluteSeconds): the first moment
// strictly after `after` at `secondOfDay` on a day the mask allows; once
// (0) allows any day. Wall time, so 07:00 stays 07:00 across summer time.
long long nextRingAfter(long long after, int secondOfDay, unsigned mask);
// The last such moment at or before `at`.
long long lastRingAtOrBefore(long long at, int secondOfDay, unsigned mask);

// What the alarm window shows after the time: nothing for once, "每天",
// "周一至周五", else "每周" and the days from Monday ("每周一三五").
std::wstring repeatText(unsigned mask);

}  // namespace qv
