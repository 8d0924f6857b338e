#include "about/about_shape.h"

namespace qv {

bool insideAboutShape(int x, int y)
{
    if (inBox(kAboutPanel, x, y))
        return true;
    // The pixel's centre inside the ellipse inscribed in the circle's box.
    const double cx = (kAboutCircle.left + kAboutCircle.right) / 2.0;
    const double cy = (kAboutCircle.top + kAboutCircle.bottom) / 2.0;
    const double rx = (kAboutCircle.right - kAboutCircle.left) / 2.0;
    const double ry = (kAboutCircle.bottom - kAboutCircle.top) / 2.0;
    const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace qv
