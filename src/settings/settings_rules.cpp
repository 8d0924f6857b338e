#include "settings/settings_rules.h"

#include <cmath>

#include "alarm/alarm_rules.h"
#include "app/datetext.h"
#include "app/digits.h"

namespace qv {
namespace {

// Optional sign, digits (full-width ones too) with an optional fraction,
// blanks around.
std::optional<double> parseNumber(const std::wstring& typed)
{
    const std::wstring text = halfWidthDigits(typed);
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == L' ')
        ++i;
    while (n > i && text[n - 1] == L' ')
        --n;
    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    double value = 0, scale = 1;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const wchar_t c = text[i];
        if (isAsciiDigit(c)) {
            digits = true;
            if (point) {
                scale /= 10;
                value += (c - L'0') * scale;
            } else {
                value = value * 10 + (c - L'0');
            }
        } else if (c == L'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<int> wholeIn(const std::wstring& text, int largest)
{
    const std::optional<double> v = parseNumber(text);
    if (!v || *v < 0 || *v > largest || std::floor(*v) != *v)
        return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

bool timeBoxAcceptable(const std::wstring& text, int largest)
{
    const std::optional<double> v = parseNumber(text);
    return v && *v >= 0 && *v <= largest;
}

std::optional<TimeOfDay> wholeTimeOfDay(const std::wstring& hour, const std::wstring& minute,
                                        const std::wstring& second)
{
    const auto h = wholeIn(hour, 23), m = wholeIn(minute, 59), s = wholeIn(second, 59);
    if (!h || !m || !s)
        return std::nullopt;
    return TimeOfDay{*h, *m, *s};
}

std::wstring nowLine(const LocalTime& t)
{
    return L"现在的时间是： " + dateText(t) + L"  " + timeText(t);
}

}  // namespace qv
