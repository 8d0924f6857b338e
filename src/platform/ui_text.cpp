#include "platform/ui_text.h"

namespace qv {

UniqueHfont createSongti(int points, int dpi, int weight)
{
    return UniqueHfont(::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, FALSE,
                                     FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

SYSTEMTIME toSystemTime(const LocalTime& t)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.weekday);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

std::wstring systemTimeText(const LocalTime& t)
{
    const SYSTEMTIME st = toSystemTime(t);
    wchar_t buf[64] = {};
    const int n = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, 64);
    return n > 1 ? std::wstring(buf, n - 1) : std::wstring();
}

}  // namespace qv
