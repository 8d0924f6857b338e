#pragma once
// Pixel rectangles and the monitors' areas: what the platform reports and the
// face's placement reads, so neither has to include the other.

#include <vector>

namespace qv {

struct PxRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    long long area() const { return empty() ? 0 : 1LL * (right - left) * (bottom - top); }
    friend bool operator==(const PxRect&, const PxRect&) = default;
};

struct MonitorArea {
    PxRect monitor;  // the whole monitor, in virtual-screen pixels
    PxRect work;     // less the taskbar and docked bars
    int dpi = 96;
};
using Monitors = std::vector<MonitorArea>;

}  // namespace qv
