#include <gtest/gtest.h>

#include <tuple>

#include "core/screen_units.h"

TEST(ScreenUnits, TwipsPointsAndPixelsAtEachDpiRoundHalvesToEven)
{
    const std::pair<double, int> halves[] = {{857.33, 857}, {857.5, 858}, {856.5, 856},
                                             {856.51, 857}, {-0.5, 0},    {-1.5, -2}};
    for (auto [value, rounded] : halves)
        EXPECT_EQ(qv::roundHalfEven(value), rounded) << value;
    const std::tuple<double, int, int> rows[] = {
        {2430, 96, 162}, {4455, 96, 297}, {6060, 96, 404}, {375, 96, 25}, {40, 96, 3},
        {12862.5, 96, 858}, {12847.5, 96, 856},  // 857.5 and 856.5 px
        {2430, 144, 243}, {375, 144, 38}, {245, 144, 24}, {2430, 120, 202}, {2430, 192, 324},
    };
    for (auto [twips, dpi, pixels] : rows)
        EXPECT_EQ(qv::twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;

    EXPECT_EQ(qv::pointsToPixels(9, 96), 12);
    EXPECT_EQ(qv::pointsToPixels(14.25, 96), 19);
    EXPECT_EQ(qv::scalePixels(160, 120), 200);
    EXPECT_EQ(qv::scalePixels(1, 48), 1);  // a visible pen stays visible
    EXPECT_EQ(qv::scalePixels(0, 144), 0);
    EXPECT_EQ(qv::unscalePixels(qv::scalePixels(350, 144), 144), 350);
}
