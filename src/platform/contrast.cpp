#include "platform/contrast.h"

#include "core/contrast_rules.h"

namespace qv {
namespace {

TextColours coloursFor(COLORREF artworkText, int textIndex, int backIndex)
{
    return labelColours(highContrastOn(), artworkText, ::GetSysColor(textIndex), ::GetSysColor(backIndex));
}

}  // namespace

bool highContrastOn()
{
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF labelTextColour(COLORREF artworkText, int textIndex, int backIndex)
{
    return coloursFor(artworkText, textIndex, backIndex).text;
}

bool systemLabelColours()
{
    return coloursFor(RGB(0, 0, 0), COLOR_WINDOWTEXT, COLOR_WINDOW).back.has_value();
}

void useLabelColours(HDC dc, COLORREF artworkText, int textIndex, int backIndex)
{
    const TextColours c = coloursFor(artworkText, textIndex, backIndex);
    ::SetTextColor(dc, c.text);
    if (c.back) {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, *c.back);
    } else {
        ::SetBkMode(dc, TRANSPARENT);
    }
}

}  // namespace qv
