#include <gtest/gtest.h>

#include "tray/tray_route.h"

using qv::TrayAction;

namespace {
constexpr unsigned kTaskbarCreated = 0xC0DE;
constexpr std::uintptr_t kMouseMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203,
                         kRDown = 0x204, kRUp = 0x205, kContextMenu = 0x7B, kSelect = 0x400,
                         kKeySelect = 0x401;
}  // namespace

// Alone (nothing pending): the mouse releases act as they always did, the
// keyboard's select restores in any state and its menu key opens the menu.
TEST(TrayRoute, EachMessageCodeAndFaceStateHasItsAction)
{
    using enum TrayAction;
    struct Row {
        unsigned message;
        std::uintptr_t code;
        int state;
        TrayAction action;
    };
    const Row rows[] = {
        {2025, kLUp, 1, Restore}, {2025, kLUp, 0, PassOn}, {2025, kLUp, 2, PassOn},
        {2025, kRUp, 0, Popup}, {2025, kRUp, 1, Popup}, {2025, kRUp, 2, Popup},
        {2025, kMouseMove, 1, PassOn}, {2025, kLDown, 1, PassOn}, {2025, kLDbl, 1, PassOn}, {2025, kRDown, 0, PassOn},
        {2025, kKeySelect, 1, Restore}, {2025, kKeySelect, 0, Restore},
        {2025, kSelect, 1, Restore}, {2025, kSelect, 0, PassOn},
        {2025, kContextMenu, 0, KeyPopup}, {2025, kContextMenu, 1, KeyPopup},
        // The event is the low word; the high word holds the icon's id.
        {2025, 0x00070000 | kRUp, 0, Popup},
        // Other messages pass on even with a mouse code in lParam.
        {0x0202, kLUp, 1, PassOn}, {2024, kRUp, 0, PassOn}, {0x000F, 0, 1, PassOn},
        {kTaskbarCreated, 0, 0, ReAdd}, {kTaskbarCreated, 0, 1, ReAdd},
    };
    for (const Row& r : rows) {
        qv::TrayFollowUps pending;
        EXPECT_EQ(qv::routeTrayMessage(r.message, r.code, r.state, kTaskbarCreated, pending), r.action)
            << r.message << " " << r.code << " " << r.state;
    }
    // Before the shell's message is registered nothing is taken for it.
    qv::TrayFollowUps pending;
    EXPECT_EQ(qv::routeTrayMessage(0, 0, 0, 0, pending), PassOn);
}

// A click as the shell reports it under version 4: the release, then its
// follow-up. One click, one action.
TEST(TrayRoute, AReleaseFollowUpDoesNotActTwice)
{
    using enum TrayAction;
    qv::TrayFollowUps pending;
    auto route = [&pending](std::uintptr_t code, int state) {
        return qv::routeTrayMessage(2025, code, state, kTaskbarCreated, pending);
    };
    EXPECT_EQ(route(kRDown, 0), PassOn);
    EXPECT_EQ(route(kRUp, 0), Popup);
    EXPECT_EQ(route(kContextMenu, 0), PassOn);
    EXPECT_EQ(route(kContextMenu, 0), KeyPopup);  // later, from the keyboard

    EXPECT_EQ(route(kLDown, 1), PassOn);
    EXPECT_EQ(route(kLUp, 1), Restore);
    EXPECT_EQ(route(kSelect, 1), PassOn);  // still minimised while the restore is on its way

    // A shell that sent no follow-up leaves nothing behind past the next press.
    EXPECT_EQ(route(kRUp, 0), Popup);
    EXPECT_EQ(route(kLDown, 0), PassOn);
    EXPECT_EQ(route(kContextMenu, 0), KeyPopup);
}

TEST(TrayRoute, RetriesComeSoonAtFirstAndNeverLaterThanHalfAMinute)
{
    EXPECT_EQ(qv::trayRetryDelayMs(1), 1000u);
    unsigned previous = 0;
    for (int failures = 1; failures < 200; ++failures) {
        const unsigned delay = qv::trayRetryDelayMs(failures);
        EXPECT_GE(delay, previous) << failures;
        EXPECT_LE(delay, 30000u) << failures;
        previous = delay;
    }
    EXPECT_EQ(previous, 30000u);
}
