#pragma once
// Program-wide declarations shared by every window.

#include <string>

namespace Modmain {

inline constexpr wchar_t ProductTitle[] = L"墨蝉小闹钟";
inline constexpr wchar_t TipVersion[] = L"1.01";
inline constexpr wchar_t HelpFileName[] = L"image\\help.chm";

// Joins a folder and a relative path with exactly one backslash between them,
// so a program at the root of a drive gets "X:\image\help.chm".
std::wstring joinPath(const std::wstring& folder, const std::wstring& relative);

}  // namespace Modmain
