#include <gtest/gtest.h>

#include "tray/tray_route.h"

using qv::TrayAction;

namespace {
constexpr unsigned kTaskbarCreated = 0xC0DE;
constexpr std::uintptr_t kMouseMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203,
                         kRDown = 0x204, kRUp = 0x205;
}  // namespace

// Only releases act: the left one restores a minimised face, the right one
// opens the menu in any state.
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
        // Other messages pass on even with a mouse code in lParam.
        {0x0202, kLUp, 1, PassOn}, {2024, kRUp, 0, PassOn}, {0x000F, 0, 1, PassOn},
        {kTaskbarCreated, 0, 0, ReAdd}, {kTaskbarCreated, 0, 1, ReAdd},
    };
    for (const Row& r : rows)
        EXPECT_EQ(qv::routeTrayMessage(r.message, r.code, r.state, kTaskbarCreated), r.action)
            << r.message << " " << r.code << " " << r.state;
    // Before the shell's message is registered nothing is taken for it.
    EXPECT_EQ(qv::routeTrayMessage(0, 0, 0, 0), PassOn);
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
