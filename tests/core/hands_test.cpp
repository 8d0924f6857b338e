#include <gtest/gtest.h>

#include <cmath>

#include "face/face_layout.h"
#include "face/hands.h"

TEST(Hands, TipsAtSampleTimesTheInnerEndAtTheClientsCentreAndTheHourHandByTheMinute)
{
    // Tips to three decimals; 3 and 15 o'clock differ, as radians come from 3.14.
    const struct {
        int h, m, s;
        double secX, secY, minX, minY, houX, houY;
    } samples[] = {
        {0, 0, 0, 1200.637, 390.000, 1200.478, 590.000, 1200.318, 792.000},
        {3, 0, 0, 1200.637, 390.000, 1200.478, 590.000, 1600.000, 1192.000},
        {6, 30, 45, 400.001, 1191.274, 1200.478, 1790.000, 1096.831, 1578.466},
        {15, 0, 15, 2000.000, 1190.000, 1200.478, 590.000, 1599.998, 1190.726},
        {21, 45, 30, 1200.637, 1990.000, 600.001, 1190.956, 829.691, 1040.768},
    };
    for (const auto& s : samples) {
        SCOPED_TRACE(testing::Message() << s.h << ":" << s.m << ":" << s.s);
        const qv::HandSet hands = qv::computeHands(s.h, s.m, s.s, 2430, 2430);
        const qv::HandLine* lines[] = {&hands.sec, &hands.min, &hands.hou};
        const double tips[] = {s.secX, s.secY, s.minX, s.minY, s.houX, s.houY};
        for (int i = 0; i < 3; ++i) {
            EXPECT_LT(std::hypot(lines[i]->X2 - tips[2 * i], lines[i]->Y2 - tips[2 * i + 1]), 0.0007)
                << "second, minute, hour: " << i << " at " << lines[i]->X2 << "," << lines[i]->Y2;
            EXPECT_EQ(std::pair(lines[i]->X1, lines[i]->Y1), std::pair(1215.0f, 1115.0f));
        }
    }
    const qv::HandLine wide = qv::computeHands(0, 0, 0, 3000, 2000).sec;
    EXPECT_EQ(std::pair(wide.X1, wide.Y1), std::pair(1500.0f, 900.0f));
    // The hour hand moves half a degree a minute, not with the seconds.
    EXPECT_EQ(qv::computeHands(7, 20, 0, 2430, 2430).hou, qv::computeHands(7, 20, 59, 2430, 2430).hou);
    EXPECT_NE(qv::computeHands(7, 20, 0, 2430, 2430).hou, qv::computeHands(7, 21, 0, 2430, 2430).hou);
}

TEST(FaceLayout, LeftEdgeIs2500TwipsFromTheRightAtAnyDpiAndHandBoundsCoverBothEndsAndThePen)
{
    // 857.33, 1753.33, 250 px at 150 % and 333.33 px at 200 % from the right.
    const int rows[][3] = {{1024, 96, 857}, {1920, 96, 1753}, {2880, 144, 2630}, {3840, 192, 3507}};
    for (const auto& [width, dpi, left] : rows)
        EXPECT_EQ(qv::faceLeftPixels(width, dpi), left) << width << " at " << dpi;

    const qv::HandLine line{1215, 1115, 400, 1191.274f};  // 81,74.3 -> 26.7,79.4 px
    for (int pen : {1, 3}) {
        const qv::PxRect r = qv::handBoundsPx(line, 96, pen);
        EXPECT_LE(r.left, 26 - pen / 2);
        EXPECT_GE(r.right, 81 + pen / 2 + 1);
        EXPECT_LE(r.top, 74 - pen / 2);
        EXPECT_GE(r.bottom, 80 + pen / 2 + 1);
        EXPECT_LT(r.area(), 80 * 20);  // a strip, not the face
    }
}
