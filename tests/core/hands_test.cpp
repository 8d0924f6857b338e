#include <gtest/gtest.h>

#include "face/hands.h"

using qv::HandLine;

namespace {

struct Sample {
    int h, m, s;
    double secX, secY, minX, minY, houX, houY;
};

// Tips of the three hands at sample times, to three decimals.
constexpr Sample kSamples[] = {
    {0, 0, 0, 1200.637, 390.000, 1200.478, 590.000, 1200.318, 792.000},
    {3, 0, 0, 1200.637, 390.000, 1200.478, 590.000, 1600.000, 1192.000},
    {6, 30, 45, 400.001, 1191.274, 1200.478, 1790.000, 1096.831, 1578.466},
    {15, 0, 15, 2000.000, 1190.000, 1200.478, 590.000, 1599.998, 1190.726},
    {21, 45, 30, 1200.637, 1990.000, 600.001, 1190.956, 829.691, 1040.768},
};

void expectTip(const HandLine& line, double x, double y, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(line.X2, x, 0.0005);
    EXPECT_NEAR(line.Y2, y, 0.0005);
    EXPECT_EQ(line.X1, 1215.0f);
    EXPECT_EQ(line.Y1, 1115.0f);
}

}  // namespace

TEST(Hands, TipsAndInnerEndsMatchTheSampleTimes)
{
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(testing::Message() << s.h << ":" << s.m << ":" << s.s);
        const qv::HandSet hands = qv::computeHands(s.h, s.m, s.s, 2430, 2430);
        expectTip(hands.sec, s.secX, s.secY, "second");
        expectTip(hands.min, s.minX, s.minY, "minute");
        expectTip(hands.hou, s.houX, s.houY, "hour");
    }
}

TEST(Hands, HourHandMovesHalfADegreeAMinuteNotWithSeconds)
{
    EXPECT_DOUBLE_EQ(qv::handAngle(qv::HandKind::Hour, 21, 45, 30), 562.5);
    EXPECT_EQ(qv::computeHands(7, 20, 0, 2430, 2430).hou,
              qv::computeHands(7, 20, 59, 2430, 2430).hou);
    EXPECT_NE(qv::computeHands(7, 20, 0, 2430, 2430).hou,
              qv::computeHands(7, 21, 0, 2430, 2430).hou);
}

TEST(Hands, ThreeAndFifteenHoursDifferBecauseOfTheFactor)
{
    const HandLine three = qv::computeHands(3, 0, 0, 2430, 2430).hou;
    const HandLine fifteen = qv::computeHands(15, 0, 0, 2430, 2430).hou;
    EXPECT_NE(three, fifteen);
    EXPECT_NEAR(three.Y2 - fifteen.Y2, 1.274, 0.001);
}

TEST(Hands, InnerEndFollowsTheClientSize)
{
    const HandLine line = qv::computeHands(0, 0, 0, 3000, 2000).sec;
    EXPECT_EQ(line.X1, 1500.0f);
    EXPECT_EQ(line.Y1, 900.0f);
}
