#include "core/screen_units.h"

#include <cmath>

namespace qv {

int roundHalfEven(double value)
{
    // Not nearbyint: that follows whatever rounding mode the thread is in.
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return static_cast<int>(lower + 1.0);
    return static_cast<int>(lower);
}

int twipsToPixels(double twips, int dpi)
{
    return roundHalfEven(twipsToPixelsExact(twips, dpi));
}

int pointsToPixels(double points, int dpi)
{
    return roundHalfEven(points * dpi / 72.0);
}

int scalePixels(int pixelsAt96, int dpi)
{
    const int scaled = roundHalfEven(static_cast<double>(pixelsAt96) * dpi / kBaseDpi);
    return pixelsAt96 > 0 && scaled < 1 ? 1 : scaled;
}

int unscalePixels(int pixels, int dpi)
{
    return roundHalfEven(static_cast<double>(pixels) * kBaseDpi / dpi);
}

}  // namespace qv
