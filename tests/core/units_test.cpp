#include <gtest/gtest.h>

#include <vector>

#include "app/seconds.h"
#include "platform/screen_units.h"

TEST(ScreenUnits, OneRoundingHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(qv::roundHalfEven(857.33), 857);
    EXPECT_EQ(qv::roundHalfEven(857.5), 858);
    EXPECT_EQ(qv::roundHalfEven(856.5), 856);
    EXPECT_EQ(qv::roundHalfEven(856.51), 857);
    EXPECT_EQ(qv::roundHalfEven(-0.5), 0);
    EXPECT_EQ(qv::roundHalfEven(-1.5), -2);
}

TEST(ScreenUnits, TwipsPointsAndPixelsAtEachDpi)
{
    struct Row {
        double twips;
        int dpi, pixels;
    };
    const Row rows[] = {
        {2430, 96, 162}, {4455, 96, 297}, {6060, 96, 404}, {375, 96, 25}, {40, 96, 3},
        {12862.5, 96, 858}, {12847.5, 96, 856},  // 857.5 and 856.5 px
        {2430, 144, 243}, {375, 144, 38}, {245, 144, 24}, {2430, 120, 202}, {2430, 192, 324},
    };
    for (const Row& r : rows)
        EXPECT_EQ(qv::twipsToPixels(r.twips, r.dpi), r.pixels) << r.twips << " twips at " << r.dpi;

    EXPECT_EQ(qv::pointsToPixels(9, 96), 12);
    EXPECT_EQ(qv::pointsToPixels(14.25, 96), 19);
    EXPECT_EQ(qv::scalePixels(160, 120), 200);
    EXPECT_EQ(qv::scalePixels(1, 96), 1);
    EXPECT_EQ(qv::scalePixels(1, 48), 1);  // a visible pen stays visible
    EXPECT_EQ(qv::scalePixels(0, 144), 0);
    EXPECT_EQ(qv::unscalePixels(qv::scalePixels(350, 144), 144), 350);
    EXPECT_DOUBLE_EQ(qv::pixelsToTwips(3, 144), 30.0);
}

TEST(Seconds, CountingAcrossMonthsLeapDaysAndTheWeek)
{
    const qv::LocalTime leap{2024, 2, 29, 13, 4, 5, 0, 4};
    const qv::LocalTime back = qv::fromAbsoluteSeconds(qv::absoluteSeconds(leap));
    EXPECT_EQ((std::vector<int>{back.year, back.month, back.day, back.hour, back.minute, back.second, back.weekday}),
              (std::vector<int>{2024, 2, 29, 13, 4, 5, 4}));
    const qv::LocalTime next = qv::fromAbsoluteSeconds(qv::absoluteSeconds({2026, 12, 31, 23, 59, 59, 0, 4}) + 1);
    EXPECT_EQ((std::vector<int>{next.year, next.month, next.day, next.hour, next.weekday}),
              (std::vector<int>{2027, 1, 1, 0, 5}));  // a Friday
}

TEST(Seconds, TickLandsJustAfterTheNextSecond)
{
    for (int ms = 0; ms < 1000; ++ms) {
        const unsigned wait = qv::msToNextSecond(ms);
        EXPECT_GE(ms + static_cast<int>(wait), 1000) << ms;
        EXPECT_LE(ms + static_cast<int>(wait), 1050) << ms;
    }
    EXPECT_EQ(qv::msToNextSecond(1200), qv::msToNextSecond(999));
}
