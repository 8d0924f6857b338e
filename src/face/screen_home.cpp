#include "face/screen_home.h"

#include <algorithm>

#include "face/face_layout.h"

namespace qv {
namespace {

long long overlap(const PxRect& a, const PxRect& b)
{
    return PxRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)}
        .area();
}

// Squared gap between two rectangles; 0 when they touch or overlap.
long long gapSquared(const PxRect& a, const PxRect& b)
{
    const long long dx = std::max({0, b.left - a.right, a.left - b.right});
    const long long dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

std::optional<FaceHome> faceHome(const PxRect& face, std::span<const MonitorArea> monitors)
{
    if (monitors.empty())
        return std::nullopt;
    if (std::any_of(monitors.begin(), monitors.end(),
                    [&](const MonitorArea& m) { return overlap(face, m.work) > 0; }))
        return std::nullopt;

    const MonitorArea* nearest = &monitors.front();
    long long bestOverlap = overlap(face, nearest->monitor);
    long long bestGap = gapSquared(face, nearest->monitor);
    for (const MonitorArea& m : monitors.subspan(1)) {
        const long long o = overlap(face, m.monitor), g = gapSquared(face, m.monitor);
        if (o > bestOverlap || (bestOverlap == 0 && o == 0 && g < bestGap)) {
            nearest = &m;
            bestOverlap = o;
            bestGap = g;
        }
    }
    // The start-up rule, on that monitor.
    const PxRect& r = nearest->monitor;
    return FaceHome{r.left + faceLeftPixels(r.right - r.left, nearest->dpi), r.top, nearest->dpi};
}

}  // namespace qv
