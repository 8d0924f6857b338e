#include <gtest/gtest.h>

#include "face/face_layout.h"

TEST(FaceLayout, LeftEdgeIs2500TwipsFromTheRightAtAnyDpi)
{
    EXPECT_EQ(qv::faceLeftPixels(1024, 96), 857);   // 857.33 px
    EXPECT_EQ(qv::faceLeftPixels(1920, 96), 1753);  // 1753.33 px
    EXPECT_EQ(qv::faceLeftPixels(2880, 144), 2630);  // 250 px at 150 %
    EXPECT_EQ(qv::faceLeftPixels(3840, 192), 3507);  // 333.33 px at 200 %
}

TEST(FaceLayout, HandBoundsCoverBothEndsAndThePen)
{
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
