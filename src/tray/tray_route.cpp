#include "tray/tray_route.h"

namespace qv {
namespace {
constexpr unsigned kLButtonDown = 0x0201, kLButtonUp = 0x0202, kRButtonDown = 0x0204,
                   kRButtonUp = 0x0205, kContextMenu = 0x007B;
constexpr unsigned kSelect = 0x0400, kKeySelect = 0x0401;  // NIN_SELECT, NIN_KEYSELECT
constexpr unsigned kBalloonUserClick = 0x0405;             // NIN_BALLOONUSERCLICK
constexpr int kMinimised = 1;
}  // namespace

TrayAction routeTrayMessage(unsigned message, std::uintptr_t lParam, int ownerState,
                            unsigned taskbarCreatedMessage, TrayFollowUps& pending)
{
    if (message == WM_TRAYICON) {
        switch (static_cast<unsigned>(lParam & 0xFFFF)) {
        case kLButtonDown:
        case kRButtonDown:
            // A new click: what an earlier one left pending is stale now.
            pending = {};
            return TrayAction::PassOn;
        case kLButtonUp:
            pending.select = true;
            return ownerState == kMinimised ? TrayAction::Restore : TrayAction::PassOn;
        case kRButtonUp:
            pending.contextMenu = true;
            return TrayAction::Popup;
        case kSelect:
            if (pending.select) {
                pending.select = false;
                return TrayAction::PassOn;
            }
            // Enter on an icon chosen with the mouse.
            return ownerState == kMinimised ? TrayAction::Restore : TrayAction::PassOn;
        case kKeySelect:
            return TrayAction::Restore;
        case kContextMenu:
            if (pending.contextMenu) {
                pending.contextMenu = false;
                return TrayAction::PassOn;
            }
            return TrayAction::KeyPopup;
        case kBalloonUserClick:
            return TrayAction::NotificationClick;
        default:
            return TrayAction::PassOn;
        }
    }
    // Registered messages are never 0; 0 means "not known yet".
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage)
        return TrayAction::ReAdd;
    return TrayAction::PassOn;
}

unsigned trayRetryDelayMs(int failures)
{
    constexpr unsigned kFirst = 1000, kLongest = 30000;
    unsigned delay = kFirst;
    for (int i = 1; i < failures && delay < kLongest; ++i)
        delay *= 2;
    return delay < kLongest ? delay : kLongest;
}

}  // namespace qv
