#include <gtest/gtest.h>

#include "about/about_shape.h"

TEST(AboutShape, CircleAndPanelAreInsideTheCornersAreNot)
{
    const std::pair<int, int> inside[] = {{79, 81},   {0, 81},   {79, 0},   {79, 161}, {157, 81},
                                          {200, 150}, {56, 57},  {351, 251}, {60, 240}, {340, 200}};
    // Above the panel at the top right, below the circle at the bottom left,
    // the circle's own corners, and past the exclusive right and bottom edges.
    const std::pair<int, int> outside[] = {{300, 20}, {351, 56}, {10, 240}, {0, 0},
                                           {2, 160},  {352, 100}, {100, 252}, {354, 252}};
    for (auto [x, y] : inside)
        EXPECT_TRUE(qv::insideAboutShape(x, y)) << x << "," << y;
    for (auto [x, y] : outside)
        EXPECT_FALSE(qv::insideAboutShape(x, y)) << x << "," << y;
}
