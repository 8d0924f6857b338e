#pragma once
// Twips, pixels and DPI: the one rounding every window uses. A twip is
// 1/1440 inch, 15 to a pixel at 96 DPI; results round half away from zero,
// as the system's MulDiv does, so figures given in pixels at 96 DPI and
// figures given in twips land on the same pixel.

namespace qv {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;

// Exact, before rounding: for geometry that rounds later.
constexpr double twipsToPixelsExact(double twips, int dpi) { return twips * dpi / kTwipsPerInch; }

int roundHalfAway(double value);
int twipsToPixels(double twips, int dpi);
// A size in pixels at 96 DPI, at `dpi`; a visible size stays at least 1.
int scalePixels(int pixelsAt96, int dpi);
// A pixel point at `dpi` back in 96-DPI pixels, for hit tests laid out there.
int unscalePixels(int pixels, int dpi);
// A pixel point at `dpi` in twips, exact.
constexpr double pixelsToTwips(int pixels, int dpi) { return pixels * static_cast<double>(kTwipsPerInch) / dpi; }

}  // namespace qv
