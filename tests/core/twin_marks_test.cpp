#include <gtest/gtest.h>

#include "face/twin_marks.h"

// The menus' pairs and the door go through the real menus in the window tests; this case cannot.
TEST(TwinMarks, StartupCloseHappensOnceAndLeavesTheMarks)
{
    qv::TwinMarks marks;
    marks.toggleDoor();  // open before the first paint
    EXPECT_TRUE(marks.takeStartupClose());
    EXPECT_TRUE(marks.checked(qv::Twin::CdDoor));
    EXPECT_FALSE(marks.takeStartupClose());  // later paints send nothing
    EXPECT_EQ(marks.toggleDoor(), qv::DoorCommand::Close);
}
