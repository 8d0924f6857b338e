#pragma once
// Fonts and texts the windows share.

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/localtime.h"
#include "platform/unique_handle.h"

namespace qv {

// "宋体" at the given size; GB2312 lets the font mapper find a Chinese face
// where SimSun itself is absent.
UniqueHfont createSongti(int points, int dpi, int weight = FW_NORMAL);

SYSTEMTIME toSystemTime(const LocalTime& t);

// A box in twips (left, top, width, height) as a pixel rectangle at `dpi`.
RECT twipBoxToPixels(const RECT& box, int dpi);

std::wstring windowText(HWND hwnd);

// The clipboard's text, or nullopt when it holds none or cannot be opened.
std::optional<std::wstring> clipboardText(HWND owner);

// The time of day in the user's own time format (e.g. 04:47:12 in zh-CN).
std::wstring systemTimeText(const LocalTime& t);
// The same in `buffer`, for what shows the time every second without allocating.
std::wstring_view systemTimeText(const LocalTime& t, std::span<wchar_t, 64> buffer);

// A tooltip owned by `owner` with one tool (id 1) that watches the owner's
// mouse by itself; `area` in client pixels, the whole client when null.
// Destroyed with its owner.
HWND createTip(HWND owner, HINSTANCE instance, const wchar_t* text, const RECT* area = nullptr);

}  // namespace qv
