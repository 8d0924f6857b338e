#include "core/datetext.h"

#include "core/Modmain.h"

namespace qv {
namespace {

void appendTwoDigits(std::wstring& out, int value)
{
    value %= 100;
    if (value < 0)
        value += 100;
    out += static_cast<wchar_t>(L'0' + value / 10);
    out += static_cast<wchar_t>(L'0' + value % 10);
}

bool isHighSurrogate(wchar_t c)
{
    return static_cast<unsigned>(c) >= 0xD800u && static_cast<unsigned>(c) <= 0xDBFFu;
}

}  // namespace

void appendDateText(std::wstring& out, const LocalTime& t)
{
    appendTwoDigits(out, t.year);
    out += L'年';
    appendTwoDigits(out, t.month);
    out += L'月';
    appendTwoDigits(out, t.day);
    out += L'日';
}

void appendTimeText(std::wstring& out, const LocalTime& t)
{
    appendTwoDigits(out, t.hour);
    out += L':';
    appendTwoDigits(out, t.minute);
    out += L':';
    appendTwoDigits(out, t.second);
}

std::wstring dateText(const LocalTime& t)
{
    std::wstring out;
    appendDateText(out, t);
    return out;
}

std::wstring timeText(const LocalTime& t)
{
    std::wstring out;
    appendTimeText(out, t);
    return out;
}

const wchar_t* weekdayText(const LocalTime& t)
{
    const int d = ((t.weekday % 7) + 7) % 7;
    return WeekdayNames[d];
}

std::wstring todayText(const LocalTime& t)
{
    return L"今天是" + dateText(t);
}

std::wstring trayTipText(const LocalTime& t)
{
    std::wstring tip = Modmain::ProductTitle;
    tip += L"  ";
    tip += Modmain::TipVersion;
    tip += L'\r';
    tip += todayText(t);
    return tip;
}

std::wstring fitToField(const std::wstring& text, std::size_t capacity)
{
    if (capacity == 0)
        return {};
    if (text.size() < capacity)
        return text;
    std::size_t keep = capacity - 1;
    if (keep > 0 && isHighSurrogate(text[keep - 1]))
        --keep;
    return text.substr(0, keep);
}

}  // namespace qv
