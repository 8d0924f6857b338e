#pragma once

#include <windows.h>

#include "core/screen_area.h"

namespace qv {

// The connected monitors, the primary first, each at its own DPI (the
// system DPI where the system has no per-monitor one).
Monitors connectedMonitors();

}  // namespace qv
