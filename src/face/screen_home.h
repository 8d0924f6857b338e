#pragma once
// Keeping the face on a screen the user can reach: a face left outside every
// work area (its monitor unplugged, the resolution lowered) goes back to the
// top-right corner of the nearest monitor.

#include <optional>
#include <span>

#include "core/screen_area.h"

namespace qv {

struct FaceHome {
    int left = 0, top = 0, dpi = 96;
    friend bool operator==(const FaceHome&, const FaceHome&) = default;
};

// Where a lost face goes; nothing while it overlaps some work area, or when
// no monitor is known. "Nearest" as the system picks a window's monitor: the
// largest overlap with a monitor's rectangle, else the closest one, the first
// listed on a tie.
std::optional<FaceHome> faceHome(const PxRect& face, std::span<const MonitorArea> monitors);

}  // namespace qv
