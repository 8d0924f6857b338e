#include <gtest/gtest.h>

#include "face/twin_marks.h"

using qv::DoorCommand;
using qv::Twin;

// The menus' pairs and the door are driven through the real menus in the
// window tests; this case cannot be reached there.
TEST(TwinMarks, StartupCloseHappensOnceAndLeavesTheMarks)
{
    qv::TwinMarks marks;
    marks.toggleDoor();  // open before the first paint
    EXPECT_TRUE(marks.takeStartupClose());
    EXPECT_TRUE(marks.checked(Twin::CdDoor));
    EXPECT_FALSE(marks.takeStartupClose());  // later paints send nothing
    EXPECT_EQ(marks.toggleDoor(), DoorCommand::Close);
}
