#include <gtest/gtest.h>

#include <vector>

#include "core/seconds.h"

TEST(Seconds, LeapDaysCount)
{
    const qv::LocalTime leap = qv::fromAbsoluteSeconds(qv::absoluteSeconds({2024, 2, 28, 13, 4, 5, 0, 3}) + 86400);
    EXPECT_EQ((std::vector<int>{leap.year, leap.month, leap.day, leap.hour, leap.minute, leap.second, leap.weekday}),
              (std::vector<int>{2024, 2, 29, 13, 4, 5, 4}));
    EXPECT_EQ(qv::absoluteSeconds({2024, 3, 1}) - qv::absoluteSeconds({2024, 2, 28}), 2 * 86400);
    EXPECT_EQ(qv::absoluteSeconds({2023, 3, 1}) - qv::absoluteSeconds({2023, 2, 28}), 86400);
}

// A timer lands its period after it was set, and then every period, each
// landing up to 15 ms late; a timer that runs slow drifts besides.
TEST(Seconds, TheTickTimerIsSetRarelyAndTheHandsNeverSkipOrStallASecond)
{
    for (const int drift : {0, 2})
        for (int start = 0; start < 1000; start += 37) {
            long long setAt = start, shown = -1;
            unsigned period = qv::nextTickPeriod(start, start, 0);
            int sets = 1, k = 0;
            for (int tick = 0; tick < 200; ++tick) {
                const long long landed = setAt + ++k * (period + drift) + (tick * 7919) % 16;
                // Each tick a second on, and soon after it once settled.
                EXPECT_TRUE((shown < 0 || landed / 1000 == shown + 1) && (tick < 2 || landed % 1000 < 130))
                    << "drift " << drift << " start " << start << " tick " << tick;
                shown = landed / 1000;
                if (const unsigned next = qv::nextTickPeriod(landed % 1000, (landed + 3) % 1000, period))
                    period = next, setAt = landed + 3, k = 0, ++sets;
            }
            EXPECT_LE(sets, 3 + drift * 200 / 25) << "drift " << drift << " start " << start;
        }
    EXPECT_EQ(qv::msToNextSecond(1200), qv::msToNextSecond(999));
}
