#include "core/number_text.h"

#include "core/digits.h"

namespace qv {

std::optional<double> readNumber(const std::wstring& typed, Grouping grouping)
{
    const std::wstring text = halfWidthDigits(typed);
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    std::size_t i = 0, n = text.size();
    while (i < n && blank(text[i]))
        ++i;
    while (n > i && blank(text[n - 1]))
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
        } else if (c == L',' && !point && grouping == Grouping::allowed) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace qv
