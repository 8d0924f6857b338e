#include "alarm/alarm_rules.h"

#include <algorithm>

#include "core/datetext.h"
#include "core/digits.h"
#include "core/number_text.h"
#include "core/seconds.h"

namespace qv {
namespace {

bool isPlainDigits(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

}  // namespace

EntryVerdict checkEntry(const std::wstring& typedHour, const std::wstring& typedMinute,
                        const std::wstring& typedSecond, const std::wstring& message)
{
    const std::wstring hour = halfWidthDigits(typedHour), minute = halfWidthDigits(typedMinute),
                       second = halfWidthDigits(typedSecond);
    if (hour.empty() || minute.empty() || second.empty() || message.empty())
        return EntryVerdict::Empty;
    // Read as the system's lenient parser would: blanks, a sign, separators.
    const auto h = readNumber(hour, Grouping::allowed), m = readNumber(minute, Grouping::allowed),
               s = readNumber(second, Grouping::allowed);
    if (!h || !m || !s)
        return EntryVerdict::NotNumeric;
    auto inRange = [](double v, int limit) { return v >= 0 && v < limit; };
    if (!inRange(*h, 24) || !inRange(*m, 60) || !inRange(*s, 60))
        return EntryVerdict::OutOfRange;
    if (!isPlainDigits(hour) || !isPlainDigits(minute) || !isPlainDigits(second))
        return EntryVerdict::OutOfRange;
    return EntryVerdict::Ok;
}

std::wstring buildAlarmTime(const std::wstring& hour, const std::wstring& minute,
                            const std::wstring& second)
{
    auto pad = [](const std::wstring& typed) {
        const std::wstring t = halfWidthDigits(typed);
        return t.size() < 2 ? L"0" + t : t;
    };
    return pad(hour) + L":" + pad(minute) + L":" + pad(second);
}

bool notLaterThanNow(const std::wstring& alarmTime, const LocalTime& now)
{
    return alarmTime.compare(timeText(now)) <= 0;
}

void AlarmSchedule::arm(int alarmSecondOfDay, const ClockReading& now, unsigned repeat)
{
    alarm_ = alarmSecondOfDay;
    repeat_ = repeat;
    lastCheck_ = absoluteSeconds(now.local);
    lastSteadyMs_ = now.steadyMs;
}

long long AlarmSchedule::nextAfter(long long previous) const
{
    return nextRingAfter(previous, alarm_, repeat_);
}

LocalTime AlarmSchedule::nextRing() const
{
    return fromAbsoluteSeconds(nextAfter(lastCheck_));
}

std::optional<Ring> AlarmSchedule::check(const ClockReading& now)
{
    const long long n = absoluteSeconds(now.local);
    const long long previous = lastCheck_;
    const long long realSeconds = std::max<long long>(0, (now.steadyMs - lastSteadyMs_) / 1000);
    lastCheck_ = n;
    lastSteadyMs_ = now.steadyMs;
    if (n <= previous)
        return std::nullopt;  // same second again, or the clock was set back
    const long long next = nextAfter(previous);
    if (n < next)
        return std::nullopt;
    const long long due = repeat_ == kOnce ? next : lastRingAtOrBefore(n, alarm_, repeat_);
    // The alarm moment came after the previous check, so it cannot be later
    // than the real time since then; a wall clock that jumped forward (summer
    // time, a clock set by hand) makes no alarm late.
    const long long late = std::min(n - due, realSeconds);
    return Ring{late, late <= kTuneLimitSeconds, fromAbsoluteSeconds(due)};
}

Restore decideRestore(const LocalTime& keptAt, const LocalTime& now, unsigned repeat)
{
    const long long kept = absoluteSeconds(keptAt), n = absoluteSeconds(now);
    if (n < kept)
        return {};
    const int ofDay = keptAt.hour * 3600 + keptAt.minute * 60 + keptAt.second;
    const long long due = repeat == kOnce ? kept : std::max(kept, lastRingAtOrBefore(n, ofDay, repeat));
    const long long late = n - due;
    return {true, late, late <= AlarmSchedule::kTuneLimitSeconds, fromAbsoluteSeconds(due)};
}

std::wstring dueLine(const LocalTime& due, const LocalTime& now)
{
    std::wstring line = L"应在";
    if (dateKey(due) != dateKey(now)) {
        const std::wstring date = dateText(due);  // "yy年mm月dd日"
        line += (due.year == now.year ? date.substr(3) : date) + L" ";
    }
    appendTimeText(line, due);
    return line + L"提醒";
}

}  // namespace qv
