#include "core/alarm_entry.h"

#include "core/digits.h"

namespace qv {

std::wstring AlarmEntry::field(int which) const
{
    const int value = which == 0 ? secondOfDay / 3600 : which == 1 ? secondOfDay / 60 % 60 : secondOfDay % 60;
    return {static_cast<wchar_t>(L'0' + value / 10), static_cast<wchar_t>(L'0' + value % 10)};
}

std::wstring AlarmEntry::timeText() const
{
    return field(0) + L":" + field(1) + L":" + field(2);
}

std::wstring AlarmEntry::shownText() const
{
    const std::wstring rule = repeatText(repeat);
    return timeText() + (rule.empty() ? L"" : L" " + rule) + L"   " + reminder;
}

std::optional<int> secondOfDay(const std::wstring& timeText)
{
    if (timeText.size() != 8 || timeText[2] != L':' || timeText[5] != L':')
        return std::nullopt;
    for (int i : {0, 1, 3, 4, 6, 7})
        if (!isAsciiDigit(timeText[i]))
            return std::nullopt;
    auto two = [&](int i) { return (timeText[i] - L'0') * 10 + (timeText[i + 1] - L'0'); };
    const int h = two(0), m = two(3), s = two(6);
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}

}  // namespace qv
