#include <gtest/gtest.h>

#include "tray/tray_route.h"

using qv::TrayAction;

namespace {
constexpr unsigned kTaskbarCreated = 0xC0DE;
constexpr std::uintptr_t kMouseMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203,
                         kRDown = 0x204, kRUp = 0x205;
TrayAction route(unsigned msg, std::uintptr_t code, int state)
{
    return qv::routeTrayMessage(msg, code, state, kTaskbarCreated);
}
}  // namespace

TEST(TrayRoute, LeftReleaseRestoresOnlyAMinimisedFace)
{
    EXPECT_EQ(route(2025, kLUp, 1), TrayAction::Restore);
    EXPECT_EQ(route(2025, kLUp, 0), TrayAction::PassOn);
    EXPECT_EQ(route(2025, kLUp, 2), TrayAction::PassOn);
}

TEST(TrayRoute, RightReleaseOpensTheMenuInAnyState)
{
    for (int state : {0, 1, 2})
        EXPECT_EQ(route(2025, kRUp, state), TrayAction::Popup);
}

TEST(TrayRoute, PressesMovesAndDoubleClicksArePassedOn)
{
    for (std::uintptr_t code : {kMouseMove, kLDown, kLDbl, kRDown})
        for (int state : {0, 1})
            EXPECT_EQ(route(2025, code, state), TrayAction::PassOn) << code;
}

TEST(TrayRoute, OtherMessagesPassOnEvenWithAMouseCodeInLParam)
{
    EXPECT_EQ(route(0x0202, kLUp, 1), TrayAction::PassOn);
    EXPECT_EQ(route(2024, kRUp, 0), TrayAction::PassOn);
    EXPECT_EQ(route(0x000F, 0, 1), TrayAction::PassOn);
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

TEST(TrayRoute, ShellRestartAddsTheIconAgain)
{
    EXPECT_EQ(route(kTaskbarCreated, 0, 0), TrayAction::ReAdd);
    EXPECT_EQ(route(kTaskbarCreated, 0, 1), TrayAction::ReAdd);
    // Before the message is registered nothing is taken for it.
    EXPECT_EQ(qv::routeTrayMessage(0, 0, 0, 0), TrayAction::PassOn);
}
