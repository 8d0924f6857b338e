#pragma once
// Digits as the number boxes take them.

#include <string>

namespace qv {

constexpr bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A Chinese input method in full-width mode types ０-９; they stand for 0-9.
// Nothing else changes: full-width letters stay letters.
std::wstring halfWidthDigits(std::wstring text);

}  // namespace qv
