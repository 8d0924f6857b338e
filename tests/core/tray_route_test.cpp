#include <gtest/gtest.h>

#include "tray/tray_route.h"

using enum qv::TrayAction;

namespace {

constexpr unsigned kTaskbarCreated = 0xC0DE;
constexpr std::uintptr_t kMouseMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203, kRDown = 0x204, kRUp = 0x205,
                         kContextMenu = 0x7B, kSelect = 0x400, kKeySelect = 0x401, kBalloonClick = 0x405;

// The face's state: 0 normal, 1 minimised, 2 maximised.
struct Row {
    unsigned message;
    std::uintptr_t code;
    int state;
    qv::TrayAction action;
};

}  // namespace

// Alone (nothing pending): the mouse releases act as they always did, the
// keyboard's select restores in any state and its menu key opens the menu.
TEST(TrayRoute, EachMessageCodeAndFaceStateHasItsAction)
{
    const Row rows[] = {
        {2025, kLUp, 1, Restore}, {2025, kLUp, 0, PassOn}, {2025, kLUp, 2, PassOn}, {2025, kRUp, 0, Popup},
        {2025, kRUp, 1, Popup}, {2025, kRUp, 2, Popup}, {2025, kMouseMove, 1, PassOn}, {2025, kLDown, 1, PassOn},
        {2025, kLDbl, 1, PassOn}, {2025, kRDown, 0, PassOn}, {2025, kKeySelect, 1, Restore},
        {2025, kKeySelect, 0, Restore}, {2025, kSelect, 1, Restore}, {2025, kSelect, 0, PassOn},
        {2025, kContextMenu, 0, KeyPopup}, {2025, kContextMenu, 1, KeyPopup}, {2025, kBalloonClick, 1, NotificationClick},
        {2025, 0x00070000 | kRUp, 0, Popup},  // the high word holds the icon's id
        // Other messages pass on even with a mouse code in lParam.
        {0x0202, kLUp, 1, PassOn}, {2024, kRUp, 0, PassOn}, {0x000F, 0, 1, PassOn},
        {kTaskbarCreated, 0, 0, ReAdd}, {kTaskbarCreated, 0, 1, ReAdd},
    };
    for (const Row& r : rows) {
        qv::TrayFollowUps pending;
        EXPECT_EQ(qv::routeTrayMessage(r.message, r.code, r.state, kTaskbarCreated, pending), r.action)
            << r.message << " " << r.code << " " << r.state;
    }
    qv::TrayFollowUps pending;
    EXPECT_EQ(qv::routeTrayMessage(0, 0, 0, 0, pending), PassOn);  // the shell's message not registered yet
}

// Under version 4 the shell follows a release with NIN_SELECT or WM_CONTEXTMENU: one click, one action.
TEST(TrayRoute, AReleaseFollowUpDoesNotActTwice)
{
    const Row steps[] = {
        {2025, kRDown, 0, PassOn}, {2025, kRUp, 0, Popup}, {2025, kContextMenu, 0, PassOn},
        {2025, kContextMenu, 0, KeyPopup},  // later, from the keyboard
        {2025, kLDown, 1, PassOn}, {2025, kLUp, 1, Restore},
        {2025, kSelect, 1, PassOn},  // still minimised while the restore is on its way
        // A shell that sent no follow-up leaves nothing behind past the next press.
        {2025, kRUp, 0, Popup}, {2025, kLDown, 0, PassOn}, {2025, kContextMenu, 0, KeyPopup},
    };
    qv::TrayFollowUps pending;
    for (const Row& s : steps)
        EXPECT_EQ(qv::routeTrayMessage(s.message, s.code, s.state, kTaskbarCreated, pending), s.action) << &s - steps;
}

TEST(TrayRoute, RetriesComeSoonAtFirstAndNeverLaterThanHalfAMinute)
{
    EXPECT_EQ(qv::trayRetryDelayMs(1), 1000u);
    for (int failures = 2; failures < 200; ++failures) {
        const unsigned delay = qv::trayRetryDelayMs(failures);
        EXPECT_TRUE(delay >= qv::trayRetryDelayMs(failures - 1) && delay <= 30000u) << failures << ": " << delay;
    }
    EXPECT_EQ(qv::trayRetryDelayMs(199), 30000u);
}
