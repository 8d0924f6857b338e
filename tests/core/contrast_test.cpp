#include <gtest/gtest.h>

#include "platform/contrast_rules.h"

namespace {
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kBlue = 0xFF0000, kYellow = 0x00FFFF;
}

// Text over the artwork keeps the artwork's colour while the system's
// windows are light; a high-contrast theme, or dark windows, bring the
// system's own pair, drawn opaque.
TEST(LabelColours, FollowTheSystemOnlyUnderHighContrastOrDarkWindows)
{
    const struct {
        bool highContrast;
        std::uint32_t systemText, systemBack;
        std::uint32_t text;
        bool opaque;
    } rows[] = {
        {false, kBlack, kWhite, kBlue, false},    // the usual scheme
        {false, kBlack, 0x808080, kBlue, false},  // mid grey still counts as light
        {false, kWhite, 0x7F7F7F, kWhite, true},  // just darker
        {false, kYellow, kBlack, kYellow, true},  // a dark scheme without the flag, as under Wine
        {true, kBlack, kWhite, kBlack, true},     // a white high-contrast theme
        {true, kWhite, kBlack, kWhite, true},
    };
    for (const auto& r : rows) {
        const qv::TextColours c = qv::labelColours(r.highContrast, kBlue, r.systemText, r.systemBack);
        EXPECT_EQ(c.text, r.text) << std::hex << r.systemBack;
        ASSERT_EQ(c.back.has_value(), r.opaque) << std::hex << r.systemBack;
        if (c.back)
            EXPECT_EQ(*c.back, r.systemBack);
    }
    // Green weighs most: pure green is light, pure blue dark.
    EXPECT_TRUE(qv::isLightColour(0x00FF00));
    EXPECT_FALSE(qv::isLightColour(kBlue));
}
