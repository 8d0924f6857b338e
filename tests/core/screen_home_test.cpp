#include <gtest/gtest.h>

#include "face/screen_home.h"

namespace qv {
namespace {

// A 1920x1080 primary, taskbar at the bottom; a 150 % monitor to its right, with one too.
const MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96};
const Monitors kBoth{kPrimary, {{1920, 0, 4800, 1620}, {1920, 0, 4800, 1560}, 144}};
const Monitors kTwins{kPrimary, {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, 96}};
const Monitors kLeft{kPrimary, {{-1280, -200, 0, 824}, {-1280, -200, 0, 824}, 96}};

PxRect faceAt(int left, int top, int side = 162) { return {left, top, left + side, top + side}; }

TEST(ScreenHome, AFaceOverlappingAnyWorkAreaStaysElseGoesToTheNearestMonitorsCorner)
{
    const FaceHome primaryHome{1753, 0, 96};  // 2500 twips from the right
    const struct {
        const char* what;
        PxRect face;
        Monitors monitors;
        std::optional<FaceHome> want;
    } cases[] = {
        {"on the second monitor", faceAt(3000, 800, 243), kBoth, std::nullopt},
        {"mostly off the right edge", faceAt(4790, 100), kBoth, std::nullopt},
        {"one pixel into the work area", faceAt(100, 1039), kBoth, std::nullopt},
        {"over the taskbar only", faceAt(100, 1045), kBoth, primaryHome},
        {"over both taskbars, more of the left one", faceAt(1780, 1045), kTwins, primaryHome},
        {"over both taskbars, more of the right one", faceAt(1900, 1045), kTwins, FaceHome{3673, 0, 96}},
        {"the second monitor unplugged", faceAt(3000, 800, 243), {kPrimary}, primaryHome},
        {"far off the top left", faceAt(-5000, -5000), kBoth, primaryHome},
        {"below the second monitor, listed last", faceAt(3000, 2000), kBoth, FaceHome{4550, 0, 144}},
        {"no monitor known", faceAt(-5000, -5000), {}, std::nullopt},
        {"left of a monitor left of the primary", faceAt(-3000, 300), kLeft, FaceHome{-167, -200, 96}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(faceHome(c.face, c.monitors), c.want) << c.what;
}

}  // namespace
}  // namespace qv
