#include <gtest/gtest.h>

#include "about/about_shape.h"

TEST(AboutShape, CircleAndPanelAreInsideTheCornersAreNot)
{
    struct P {
        int x, y;
    };
    for (P p : {P{79, 81}, P{0, 81}, P{79, 0}, P{79, 161}, P{157, 81}, P{200, 150}, P{56, 57},
                P{351, 251}, P{60, 240}, P{340, 200}})
        EXPECT_TRUE(qv::insideAboutShape(p.x, p.y)) << p.x << "," << p.y;
    // Above the panel at the top right, below the circle at the bottom left,
    // the circle's own corners, and past the exclusive right and bottom edges.
    for (P p : {P{300, 20}, P{351, 56}, P{10, 240}, P{0, 0}, P{2, 160}, P{352, 100},
                P{100, 252}, P{354, 252}})
        EXPECT_FALSE(qv::insideAboutShape(p.x, p.y)) << p.x << "," << p.y;
}

TEST(AboutShape, TheHotAreaAndTheVersionLieInsideThePanel)
{
    for (const qv::PxBox& b : {qv::kAboutImage1, qv::kAboutLabel1}) {
        EXPECT_TRUE(qv::insideAboutShape(b.left, b.top));
        EXPECT_TRUE(qv::insideAboutShape(b.right - 1, b.bottom - 1));
    }
}
