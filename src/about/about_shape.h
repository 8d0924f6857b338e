#pragma once
// The about window's shape: a clock-face circle with a panel beside it.
// Boxes in window pixels; right and bottom exclusive, as for regions.

namespace qv {

struct PxBox {
    int left, top, right, bottom;
};

inline constexpr PxBox kAboutCircle{-3, -1, 161, 163};  // the ellipse's bounding box
inline constexpr PxBox kAboutPanel{56, 57, 352, 252};
inline constexpr PxBox kAboutLabel1{272, 72, 308, 88};   // the version
inline constexpr PxBox kAboutImage1{176, 192, 345, 209}; // over the artwork's e-mail line

// Whether the pixel (x, y) belongs to the window.
bool insideAboutShape(int x, int y);

constexpr bool inBox(const PxBox& b, int x, int y)
{
    return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
}

}  // namespace qv
