#pragma once
// What the tray icon's owner does with a window message.

#include <cstdint>

namespace qv {

inline constexpr unsigned WM_TRAYICON = 2025;  // the icon's callback message

enum class TrayAction {
    PassOn,   // hand the message to the window's previous procedure
    Restore,  // bring the minimised face back in its remembered state
    Popup,    // show the tray menu
    ReAdd,    // the shell restarted: add the icon and its tip again
};

// `code` is the icon's notification (the mouse message in lParam);
// `ownerState` 0 normal, 1 minimised, 2 maximised. Only releases act.
TrayAction routeTrayMessage(unsigned message, std::uintptr_t code, int ownerState,
                            unsigned taskbarCreatedMessage);

// How long to wait before trying again to add an icon the shell refused
// (at logon the notification area may not be ready yet), after `failures`
// refusals in a row: short at first, never longer than half a minute.
unsigned trayRetryDelayMs(int failures);

}  // namespace qv
