#include "settings/settings_rules.h"

#include <cmath>

#include "core/datetext.h"
#include "core/number_text.h"

namespace qv {
namespace {

std::optional<int> wholeIn(const std::wstring& text, int largest)
{
    const std::optional<double> v = readNumber(text, Grouping::none);
    if (!v || *v < 0 || *v > largest || std::floor(*v) != *v)
        return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

bool timeBoxAcceptable(const std::wstring& text, int largest)
{
    const std::optional<double> v = readNumber(text, Grouping::none);
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

void nowLine(const LocalTime& t, std::wstring& out)
{
    out.assign(L"现在的时间是： ");
    appendDateText(out, t);
    out.append(L"  ");
    appendTimeText(out, t);
}

}  // namespace qv
