#pragma once
// Resource numbers, shared by the resource script and the code.

#define IDI_QORVANE 1  // program and tray icon (32 x 32 and 16 x 16)
#define IDB_FACE 201   // the clock-face picture, 160 x 160
