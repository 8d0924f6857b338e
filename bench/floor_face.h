#pragma once
// The floor face, also for the idle figures in process.

#include <windows.h>

// Registers the class once, creates and shows the window.
HWND makeFloorFace(HINSTANCE instance);
