#pragma once
// Resource numbers, shared by the resource script and the code.

#define IDI_QORVANE 1  // program and tray icon (32 x 32 and 16 x 16)
#define IDB_FACE 201   // the clock-face picture, 160 x 160
#define IDB_ALARM_PANEL 202  // alarm window background, 230 x 300
#define IDB_ALARM_TITLE 203  // its title strip, 215 x 25

// Alarm window picture buttons, loaded by number each time they are shown.
#define IDB_OK 102
#define IDB_OK_LIT 103
#define IDB_CANCEL 104
#define IDB_CANCEL_LIT 105
#define IDB_HIDE_GREY 106
#define IDB_HIDE 107
#define IDB_HIDE_LIT 108
#define IDB_CLOSE 109
#define IDB_CLOSE_LIT 110

#define IDB_ABOUT 204          // about window picture, 350 x 250
#define IDC_POINTING_HAND 301  // 32 x 32 pointing hand, hot spot at 0,0
// Where the tune cannot play: 8000 Hz 8-bit mono, looped (PlaySound finds it as "WAVE").
#define IDW_ALARM_SOUND 401
