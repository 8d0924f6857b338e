#pragma once
// Text drawn by the program itself over its pictures, readable under a
// high-contrast theme too.

#include <windows.h>

namespace qv {

bool highContrastOn();

// The colour for text in `artworkText` normally; under high contrast the
// system colours `textIndex` on `backIndex`.
COLORREF labelTextColour(COLORREF artworkText, int textIndex = COLOR_WINDOWTEXT,
                         int backIndex = COLOR_WINDOW);

// Labels are drawn in the system's colours, not over the artwork (high
// contrast, or a dark scheme): what draws beside them follows suit.
bool systemLabelColours();

// Sets `dc` up for a label: transparent over the artwork, or opaque in the
// system colours under high contrast.
void useLabelColours(HDC dc, COLORREF artworkText, int textIndex = COLOR_WINDOWTEXT,
                     int backIndex = COLOR_WINDOW);

}  // namespace qv
