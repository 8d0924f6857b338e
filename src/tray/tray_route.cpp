#include "tray/tray_route.h"

namespace qv {
namespace {
constexpr std::uintptr_t kLButtonUp = 0x0202;
constexpr std::uintptr_t kRButtonUp = 0x0205;
constexpr int kMinimised = 1;
}  // namespace

TrayAction routeTrayMessage(unsigned message, std::uintptr_t code, int ownerState,
                            unsigned taskbarCreatedMessage)
{
    if (message == WM_TRAYICON) {
        if (code == kLButtonUp && ownerState == kMinimised)
            return TrayAction::Restore;
        if (code == kRButtonUp)
            return TrayAction::Popup;
        return TrayAction::PassOn;
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
