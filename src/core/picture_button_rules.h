#pragma once
// When a picture button lights up: the pointer at least 40 twips inside
// every edge (the bounds count as inside).

namespace qv {

inline constexpr double kLitMarginTwips = 40;

constexpr bool pointerWellInside(double xTwips, double yTwips, double widthTwips, double heightTwips)
{
    return xTwips >= kLitMarginTwips && xTwips <= widthTwips - kLitMarginTwips &&
           yTwips >= kLitMarginTwips && yTwips <= heightTwips - kLitMarginTwips;
}

}  // namespace qv
