#pragma once
// What the tray icon's owner does with a window message.

#include <cstdint>

namespace qv {

inline constexpr unsigned WM_TRAYICON = 2025;  // the icon's callback message

enum class TrayAction {
    PassOn,    // hand the message to the window's previous procedure
    Restore,   // bring the minimised face back in its remembered state
    Popup,     // show the tray menu at the mouse
    KeyPopup,  // show the tray menu at the icon: it was asked for from the keyboard
    ReAdd,     // the shell restarted: add the icon and its tip again
    NotificationClick,  // the user clicked the icon's notification
};

// The shell's follow-ups to a mouse release: under the icon's version 4 a
// left release is followed by NIN_SELECT and a right one by WM_CONTEXTMENU.
// The release has acted already, so its follow-up must not act again.
struct TrayFollowUps {
    bool select = false;
    bool contextMenu = false;
};

// `lParam` of the icon's callback carries the event in its low word (the
// icon's id, 0, in the high word); `ownerState` 0 normal, 1 minimised,
// 2 maximised. Mouse releases act as they always did: the left one restores
// a minimised face, the right one opens the menu. Enter or Space on the icon
// (NIN_KEYSELECT) restores the face and gives it the focus, the menu key or
// Shift+F10 on it opens the menu. A click on the icon's notification
// (NIN_BALLOONUSERCLICK) leads to what it told of.
TrayAction routeTrayMessage(unsigned message, std::uintptr_t lParam, int ownerState,
                            unsigned taskbarCreatedMessage, TrayFollowUps& pending);

// How long to wait before trying again to add an icon the shell refused
// (at logon the notification area may not be ready yet), after `failures`
// refusals in a row: short at first, never longer than half a minute.
unsigned trayRetryDelayMs(int failures);

}  // namespace qv
