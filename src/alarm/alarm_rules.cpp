#include "alarm/alarm_rules.h"

namespace qv {
namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
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
        else if (isDigit(c)) {
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
        if (!isDigit(c))
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
        if (isDigit(c))
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

EntryVerdict checkEntry(const std::wstring& hour, const std::wstring& minute,
                        const std::wstring& second, const std::wstring& message)
{
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
    auto pad = [](const std::wstring& t) { return t.size() < 2 ? L"0" + t : t; };
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
        if (!isDigit(alarmTime[i]))
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

void AlarmSchedule::arm(int alarmSecondOfDay, const LocalTime& now)
{
    alarm_ = alarmSecondOfDay;
    lastCheck_ = absoluteSeconds(now);
}

std::optional<Ring> AlarmSchedule::check(const LocalTime& now)
{
    const long long n = absoluteSeconds(now);
    const long long previous = lastCheck_;
    lastCheck_ = n;
    if (n <= previous)
        return std::nullopt;  // same second again, or the clock was set back
    long long next = (previous / 86400) * 86400 + alarm_;
    if (next <= previous)
        next += 86400;
    if (n < next)
        return std::nullopt;
    const long long late = n - next;
    return Ring{late, late <= kTuneLimitSeconds};
}

}  // namespace qv
