#include "alarm/alarm_rules.h"

#include <algorithm>

#include "app/digits.h"

namespace qv {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring trimmed(const std::wstring& text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

// The value of a text that passed isNumericText.
double numericValue(const std::wstring& text)
{
    const std::wstring t = trimmed(text);
    double value = 0, scale = 0;
    bool negative = false;
    for (wchar_t c : t) {
        if (c == L'-')
            negative = true;
        else if (c == L'.')
            scale = 1;
        else if (isAsciiDigit(c)) {
            if (scale > 0) {
                scale /= 10;
                value += (c - L'0') * scale;
            } else {
                value = value * 10 + (c - L'0');
            }
        }
    }
    return negative ? -value : value;
}

bool isPlainDigits(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

bool inRange(const std::wstring& text, int limit)
{
    const double v = numericValue(text);
    return v >= 0 && v < limit;
}

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

void appendTwo(std::wstring& out, int v)
{
    out += static_cast<wchar_t>(L'0' + (v / 10) % 10);
    out += static_cast<wchar_t>(L'0' + v % 10);
}

}  // namespace

bool isNumericText(const std::wstring& text)
{
    const std::wstring t = trimmed(text);
    bool digit = false, point = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const wchar_t c = t[i];
        if (isAsciiDigit(c))
            digit = true;
        else if ((c == L'+' || c == L'-') && i == 0)
            continue;
        else if (c == L'.' && !point)
            point = true;
        else if (c == L',' && !point)
            continue;
        else
            return false;
    }
    return digit;
}

EntryVerdict checkEntry(const std::wstring& typedHour, const std::wstring& typedMinute,
                        const std::wstring& typedSecond, const std::wstring& message)
{
    const std::wstring hour = halfWidthDigits(typedHour), minute = halfWidthDigits(typedMinute),
                       second = halfWidthDigits(typedSecond);
    if (hour.empty() || minute.empty() || second.empty() || message.empty())
        return EntryVerdict::Empty;
    if (!isNumericText(hour) || !isNumericText(minute) || !isNumericText(second))
        return EntryVerdict::NotNumeric;
    if (!inRange(hour, 24) || !inRange(minute, 60) || !inRange(second, 60))
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

std::wstring timeText(const LocalTime& t)
{
    std::wstring out;
    out.reserve(8);
    appendTwo(out, t.hour);
    out += L':';
    appendTwo(out, t.minute);
    out += L':';
    appendTwo(out, t.second);
    return out;
}

bool notLaterThanNow(const std::wstring& alarmTime, const LocalTime& now)
{
    return alarmTime.compare(timeText(now)) <= 0;
}

std::optional<int> secondOfDay(const std::wstring& alarmTime)
{
    if (alarmTime.size() != 8 || alarmTime[2] != L':' || alarmTime[5] != L':')
        return std::nullopt;
    for (int i : {0, 1, 3, 4, 6, 7})
        if (!isAsciiDigit(alarmTime[i]))
            return std::nullopt;
    auto two = [&](int i) { return (alarmTime[i] - L'0') * 10 + (alarmTime[i + 1] - L'0'); };
    const int h = two(0), m = two(3), s = two(6);
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}

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

void AlarmSchedule::arm(int alarmSecondOfDay, const ClockReading& now)
{
    alarm_ = alarmSecondOfDay;
    lastCheck_ = absoluteSeconds(now.local);
    lastSteadyMs_ = now.steadyMs;
}

long long AlarmSchedule::nextAfter(long long previous) const
{
    long long next = (previous / 86400) * 86400 + alarm_;
    if (next <= previous)
        next += 86400;
    return next;
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
    // The alarm moment came after the previous check, so it cannot be later
    // than the real time since then; a wall clock that jumped forward (summer
    // time, a clock set by hand) makes no alarm late.
    const long long late = std::min(n - next, realSeconds);
    return Ring{late, late <= kTuneLimitSeconds};
}

}  // namespace qv
