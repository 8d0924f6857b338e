#pragma once

#include <windows.h>

namespace qv {

// The DPI of the monitor the window is on (per-monitor aware where the
// system offers it, the system DPI on Windows 7 and 8).
int dpiForWindow(HWND hwnd);

}  // namespace qv
