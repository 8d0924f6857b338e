#include "app/screen_units.h"

#include <cmath>

namespace qv {

int roundHalfAway(double value)
{
    return static_cast<int>(std::lround(value));
}

int twipsToPixels(double twips, int dpi)
{
    return roundHalfAway(twipsToPixelsExact(twips, dpi));
}

int scalePixels(int pixelsAt96, int dpi)
{
    const int scaled = roundHalfAway(static_cast<double>(pixelsAt96) * dpi / kBaseDpi);
    return pixelsAt96 > 0 && scaled < 1 ? 1 : scaled;
}

int unscalePixels(int pixels, int dpi)
{
    return roundHalfAway(static_cast<double>(pixels) * kBaseDpi / dpi);
}

}  // namespace qv
