#include "core/start_rules.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "core/digits.h"
#include "core/seconds.h"

namespace qv {
namespace {

constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorAlreadyExists = 183;
constexpr wchar_t kSetClockSwitch[] = L"/setclock ";
constexpr long long kLongestPrompt = 3600 * 1000LL;

// `width` ASCII digits at `text[at]`, as a number; -1 when they are not.
long long digitsAt(const std::wstring& text, std::size_t at, std::size_t width)
{
    if (at + width > text.size() || width == 0)
        return -1;
    long long value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (!isAsciiDigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

bool isRealDate(int y, int m, int d)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1601 || y > 30827 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

}  // namespace

bool anotherCopyRuns(unsigned long lastError)
{
    return lastError == kErrorAlreadyExists || lastError == kErrorAccessDenied;
}

std::wstring argumentsOf(const std::wstring& commandLine)
{
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t')
        ++i;
    while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t'))
        ++i;
    return commandLine.substr(i);
}

std::wstring setClockArguments(const SetClockRequest& r)
{
    wchar_t text[80] = {};
    const LocalTime& t = r.asked;
    std::swprintf(text, 80, L"%ls%04d-%02d-%02d %02d:%02d:%02d.%03d %lld", kSetClockSwitch, t.year, t.month,
                  t.day, t.hour, t.minute, t.second, t.millisecond, r.askedAtMs);
    return text;
}

bool isSetClockStep(const std::wstring& arguments)
{
    static constexpr wchar_t kStep[] = L"/setclock";
    const std::size_t n = std::wcslen(kStep);
    if (arguments.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::towlower(static_cast<std::wint_t>(arguments[i])) != static_cast<std::wint_t>(kStep[i]))
            return false;
    return true;
}

std::optional<SetClockRequest> parseSetClockArguments(const std::wstring& a)
{
    const std::size_t p = std::wcslen(kSetClockSwitch);
    // "YYYY-MM-DD hh:mm:ss.mmm " then the steady reading.
    static constexpr wchar_t kShape[] = L"0000-00-00 00:00:00.000 ";
    const std::size_t shape = std::wcslen(kShape);
    if (a.compare(0, p, kSetClockSwitch) != 0 || a.size() <= p + shape || a.size() > p + shape + 18)
        return std::nullopt;
    for (std::size_t i = 0; i < shape; ++i) {
        if (kShape[i] != L'0' && a[p + i] != kShape[i])
            return std::nullopt;
    }
    SetClockRequest r;
    const long long fields[] = {digitsAt(a, p, 4),      digitsAt(a, p + 5, 2),  digitsAt(a, p + 8, 2),
                                digitsAt(a, p + 11, 2), digitsAt(a, p + 14, 2), digitsAt(a, p + 17, 2),
                                digitsAt(a, p + 20, 3), digitsAt(a, p + shape, a.size() - p - shape)};
    for (long long f : fields) {
        if (f < 0)
            return std::nullopt;
    }
    LocalTime& t = r.asked;
    t.year = static_cast<int>(fields[0]);
    t.month = static_cast<int>(fields[1]);
    t.day = static_cast<int>(fields[2]);
    t.hour = static_cast<int>(fields[3]);
    t.minute = static_cast<int>(fields[4]);
    t.second = static_cast<int>(fields[5]);
    t.millisecond = static_cast<int>(fields[6]);
    r.askedAtMs = fields[7];
    if (!isRealDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return r;
}

std::optional<LocalTime> clockTargetAt(const SetClockRequest& r, long long nowMs)
{
    const long long passed = nowMs - r.askedAtMs;
    if (passed < 0 || passed > kLongestPrompt)
        return std::nullopt;
    const long long ms = absoluteSeconds(r.asked) * 1000 + r.asked.millisecond + passed;
    LocalTime t = fromAbsoluteSeconds(ms / 1000);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

}  // namespace qv
