#pragma once
// Twips, points, pixels and DPI: the one rounding every window uses. A twip
// is 1/1440 inch, 15 to a pixel at 96 DPI. Results go to the nearest whole
// pixel, halves to the even neighbour (857.5 -> 858, 856.5 -> 856), the rule
// the face's placement follows; at 96 DPI every layout figure in twips is a
// whole number of pixels, so the rule only decides at other DPIs.
// No Windows headers: the core's geometry uses it too.

namespace qv {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;

int roundHalfEven(double value);

// Exact, before rounding: for geometry that rounds later.
constexpr double twipsToPixelsExact(double twips, int dpi) { return twips * dpi / kTwipsPerInch; }
int twipsToPixels(double twips, int dpi);
// A font size in points as a pixel height.
int pointsToPixels(double points, int dpi);
// A size in pixels at 96 DPI, at `dpi`; a visible size stays at least 1.
int scalePixels(int pixelsAt96, int dpi);
// A pixel point at `dpi` back in 96-DPI pixels, for hit tests laid out there.
int unscalePixels(int pixels, int dpi);
constexpr double pixelsToTwips(int pixels, int dpi) { return pixels * static_cast<double>(kTwipsPerInch) / dpi; }

}  // namespace qv
