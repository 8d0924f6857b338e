#include <gtest/gtest.h>

#include "face/twin_marks.h"

using qv::DoorCommand;
using qv::MenuId;
using qv::Twin;
using qv::WindowStep;

TEST(TwinMarks, EitherItemOfAPairTogglesTheSameWindow)
{
    qv::TwinMarks marks;
    EXPECT_EQ(qv::twinOf(MenuId::showclock), Twin::Clock);
    EXPECT_EQ(qv::twinOf(MenuId::hidefrmclock), Twin::Clock);
    EXPECT_EQ(marks.toggleWindow(Twin::Clock), WindowStep::Show);  // from the face menu
    EXPECT_TRUE(marks.checked(Twin::Clock));
    EXPECT_FALSE(marks.checked(Twin::Options));
    EXPECT_EQ(marks.toggleWindow(Twin::Clock), WindowStep::Close);  // from the tray menu
    EXPECT_FALSE(marks.checked(Twin::Clock));
}

TEST(TwinMarks, AWindowClosedByItselfClearsItsPairSoTheNextClickOpensIt)
{
    qv::TwinMarks marks;
    marks.toggleWindow(Twin::Options);
    marks.toggleWindow(Twin::Clock);
    marks.windowClosed(Twin::Options);
    EXPECT_FALSE(marks.checked(Twin::Options));
    EXPECT_TRUE(marks.checked(Twin::Clock));
    EXPECT_EQ(marks.toggleWindow(Twin::Options), WindowStep::Show);
    // Opened elsewhere, marks clear: a click shows it (again) and checks.
    marks.windowClosed(Twin::Clock);
    EXPECT_EQ(marks.toggleWindow(Twin::Clock), WindowStep::Show);
    EXPECT_TRUE(marks.checked(Twin::Clock));
}

TEST(TwinMarks, DoorOpensFromOneMenuAndClosesFromTheOther)
{
    qv::TwinMarks marks;
    EXPECT_EQ(qv::twinOf(MenuId::opencddrive), Twin::CdDoor);
    EXPECT_EQ(qv::twinOf(MenuId::opencd), Twin::CdDoor);
    EXPECT_EQ(marks.toggleDoor(), DoorCommand::Open);
    EXPECT_TRUE(marks.checked(Twin::CdDoor));
    EXPECT_EQ(marks.toggleDoor(), DoorCommand::Close);
    EXPECT_FALSE(marks.checked(Twin::CdDoor));
    EXPECT_STREQ(qv::doorCommandText(DoorCommand::Open), L"set CDAudio door open");
    EXPECT_STREQ(qv::doorCommandText(DoorCommand::Close), L"set CDAudio door closed");
}

TEST(TwinMarks, StartupCloseHappensOnceAndLeavesTheMarks)
{
    qv::TwinMarks marks;
    marks.toggleDoor();  // open before the first paint
    EXPECT_TRUE(marks.takeStartupClose());
    EXPECT_TRUE(marks.checked(Twin::CdDoor));
    EXPECT_FALSE(marks.takeStartupClose());  // later paints send nothing
    EXPECT_EQ(marks.toggleDoor(), DoorCommand::Close);
}
