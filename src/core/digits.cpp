#include "core/digits.h"

namespace qv {

std::wstring halfWidthDigits(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'\xFF10' && c <= L'\xFF19')
            c = static_cast<wchar_t>(L'0' + (c - L'\xFF10'));
    return text;
}

}  // namespace qv
