#include "face/face_layout.h"

#include <algorithm>
#include <cmath>

namespace qv {

int roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double diff = value - lower;
    double result = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0))
        result = lower + 1.0;
    return static_cast<int>(result);
}

double twipsToPixels(double twips, int dpi)
{
    return twips * dpi / 1440.0;
}

int twipsToPixelsRounded(double twips, int dpi)
{
    return roundHalfEven(twipsToPixels(twips, dpi));
}

int scalePixels(int pixelsAt96, int dpi)
{
    return std::max(1, roundHalfEven(static_cast<double>(pixelsAt96) * dpi / 96.0));
}

int faceLeftPixels(int screenWidthPx, int dpi)
{
    const float screenTwips = static_cast<float>(screenWidthPx * 1440.0 / dpi);
    const float leftTwips = screenTwips - static_cast<float>(kFaceLeftFromRightTwips);
    return twipsToPixelsRounded(leftTwips, dpi);
}

PxRect handBoundsPx(const HandLine& line, int dpi, int penWidthPx)
{
    const double x1 = twipsToPixels(line.X1, dpi), y1 = twipsToPixels(line.Y1, dpi);
    const double x2 = twipsToPixels(line.X2, dpi), y2 = twipsToPixels(line.Y2, dpi);
    // GDI rounds end points and centres the pen on them; one pixel more covers both.
    const int grow = penWidthPx / 2 + 2;
    PxRect r;
    r.left = static_cast<int>(std::floor(std::min(x1, x2))) - grow;
    r.top = static_cast<int>(std::floor(std::min(y1, y2))) - grow;
    r.right = static_cast<int>(std::ceil(std::max(x1, x2))) + grow + 1;
    r.bottom = static_cast<int>(std::ceil(std::max(y1, y2))) + grow + 1;
    return r;
}

unsigned msToNextSecond(int millisecond)
{
    // A timer may fire a tick early; the margin keeps it past the boundary.
    constexpr int kMargin = 20;
    const int ms = std::clamp(millisecond, 0, 999);
    return static_cast<unsigned>(1000 - ms + kMargin);
}

}  // namespace qv
