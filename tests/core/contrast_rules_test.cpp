#include <gtest/gtest.h>

#include "core/contrast_rules.h"

// Text over the artwork keeps its colour on light windows; a high-contrast
// theme or dark windows bring the system's own pair, drawn opaque.
TEST(LabelColours, FollowTheSystemOnlyUnderHighContrastOrDarkWindows)
{
    constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kBlue = 0xFF0000, kYellow = 0x00FFFF;
    const struct {
        bool highContrast;
        std::uint32_t systemText, systemBack, text;
        bool opaque;
    } rows[] = {
        {false, kBlack, kWhite, kBlue, false},    // the usual scheme
        {false, kBlack, 0x808080, kBlue, false},  // mid grey still counts as light
        {false, kWhite, 0x7F7F7F, kWhite, true},  // just darker
        {false, kYellow, kBlack, kYellow, true},  // dark without the flag, as under Wine
        {true, kBlack, kWhite, kBlack, true},     // a white high-contrast theme
        {true, kWhite, kBlack, kWhite, true},
    };
    for (const auto& r : rows) {
        const qv::TextColours c = qv::labelColours(r.highContrast, kBlue, r.systemText, r.systemBack);
        EXPECT_EQ(c.text, r.text) << std::hex << r.systemBack;
        EXPECT_EQ(c.back, r.opaque ? std::optional(r.systemBack) : std::nullopt) << std::hex << r.systemBack;
    }
    // Green weighs most: pure green is light, pure blue dark.
    EXPECT_TRUE(qv::isLightColour(0x00FF00));
    EXPECT_FALSE(qv::isLightColour(kBlue));
}
