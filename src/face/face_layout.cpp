#include "face/face_layout.h"

#include <algorithm>
#include <cmath>

namespace qv {

int faceLeftPixels(int screenWidthPx, int dpi)
{
    const float screenTwips = static_cast<float>(pixelsToTwips(screenWidthPx, dpi));
    const float leftTwips = screenTwips - static_cast<float>(kFaceLeftFromRightTwips);
    return twipsToPixels(leftTwips, dpi);
}

PxRect handBoundsPx(const HandLine& line, int dpi, int penWidthPx)
{
    const double x1 = twipsToPixelsExact(line.X1, dpi), y1 = twipsToPixelsExact(line.Y1, dpi);
    const double x2 = twipsToPixelsExact(line.X2, dpi), y2 = twipsToPixelsExact(line.Y2, dpi);
    // GDI rounds end points and centres the pen on them; one pixel more covers both.
    const int grow = penWidthPx / 2 + 2;
    PxRect r;
    r.left = static_cast<int>(std::floor(std::min(x1, x2))) - grow;
    r.top = static_cast<int>(std::floor(std::min(y1, y2))) - grow;
    r.right = static_cast<int>(std::ceil(std::max(x1, x2))) + grow + 1;
    r.bottom = static_cast<int>(std::ceil(std::max(y1, y2))) + grow + 1;
    return r;
}

}  // namespace qv
