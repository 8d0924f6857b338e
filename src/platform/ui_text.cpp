#include "platform/ui_text.h"

#include <commctrl.h>

#include "core/screen_units.h"

namespace qv {

UniqueHfont createSongti(int points, int dpi, int weight)
{
    return UniqueHfont(::CreateFontW(-pointsToPixels(points, dpi), 0, 0, 0, weight, FALSE, FALSE,
                                     FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

RECT twipBoxToPixels(const RECT& box, int dpi)
{
    const int left = twipsToPixels(box.left, dpi), top = twipsToPixels(box.top, dpi);
    return RECT{left, top, left + twipsToPixels(box.right, dpi), top + twipsToPixels(box.bottom, dpi)};
}

std::wstring windowText(HWND hwnd)
{
    const int n = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::optional<std::wstring> clipboardText(HWND owner)
{
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(owner))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // Bounded by the block's size: clipboard text need not end in NUL.
            const std::size_t most = ::GlobalSize(data) / sizeof(wchar_t);
            std::size_t n = 0;
            while (n < most && chars[n] != L'\0')
                ++n;
            text.emplace(chars, n);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
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

std::wstring_view systemTimeText(const LocalTime& t, std::span<wchar_t, 64> buffer)
{
    const SYSTEMTIME st = toSystemTime(t);
    const int n = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer.data(),
                                   static_cast<int>(buffer.size()));
    return n > 1 ? std::wstring_view(buffer.data(), static_cast<std::size_t>(n - 1)) : std::wstring_view();
}

std::wstring systemTimeText(const LocalTime& t)
{
    wchar_t buffer[64];
    return std::wstring(systemTimeText(t, buffer));
}

HWND createTip(HWND owner, HINSTANCE instance, const wchar_t* text, const RECT* area)
{
    HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 instance, nullptr);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = 1;
    if (area)
        ti.rect = *area;
    else
        ::GetClientRect(owner, &ti.rect);
    ti.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    return tip;
}

}  // namespace qv
