#pragma once
// Sizes and places of the face window, in twips unless the name says pixels.
// Twips become pixels at the monitor's DPI: 15 twips a pixel at 96 DPI.

#include <cstdint>

#include "core/screen_area.h"
#include "core/screen_units.h"
#include "face/hands.h"

namespace qv {

inline constexpr int kFaceClientTwips = 2430;
inline constexpr int kFaceRegionPx = 160;        // rounded square, at 96 DPI
inline constexpr int kFaceRegionCornerPx = 130;  // corner ellipse width and height
inline constexpr int kFaceLeftFromRightTwips = 2500;

struct TwipRect {
    float left, top, width, height;
    bool contains(float x, float y) const
    {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

inline constexpr TwipRect kLblweekTwips{960, 1560, 540, 180};

struct Rgb {
    std::uint8_t r, g, b;
};

struct HandStyle {
    Rgb colour;
    int widthPx;  // at 96 DPI
};

inline constexpr HandStyle kLinsecStyle{{255, 0, 255}, 1};
inline constexpr HandStyle kLinminStyle{{255, 255, 0}, 2};
inline constexpr HandStyle kLinhouStyle{{0, 255, 255}, 3};

// Left edge of the face: 2500 twips left of the screen's right edge.
int faceLeftPixels(int screenWidthPx, int dpi);

// The pixels a drawn hand can touch: both end points, widened by the pen.
PxRect handBoundsPx(const HandLine& line, int dpi, int penWidthPx);

}  // namespace qv
