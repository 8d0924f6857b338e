#include <gtest/gtest.h>

#include <vector>

#include "core/seconds.h"

TEST(Seconds, LeapDaysCountAndTheTickLandsJustAfterTheNextSecond)
{
    const qv::LocalTime leap = qv::fromAbsoluteSeconds(qv::absoluteSeconds({2024, 2, 28, 13, 4, 5, 0, 3}) + 86400);
    EXPECT_EQ((std::vector<int>{leap.year, leap.month, leap.day, leap.hour, leap.minute, leap.second, leap.weekday}),
              (std::vector<int>{2024, 2, 29, 13, 4, 5, 4}));
    EXPECT_EQ(qv::absoluteSeconds({2024, 3, 1}) - qv::absoluteSeconds({2024, 2, 28}), 2 * 86400);
    EXPECT_EQ(qv::absoluteSeconds({2023, 3, 1}) - qv::absoluteSeconds({2023, 2, 28}), 86400);

    for (int ms = 0; ms < 1000; ++ms) {
        const int at = ms + static_cast<int>(qv::msToNextSecond(ms));
        EXPECT_TRUE(at >= 1000 && at <= 1050) << ms << " waits to " << at;
    }
    EXPECT_EQ(qv::msToNextSecond(1200), qv::msToNextSecond(999));
}
