#pragma once
// The colours of text the program draws itself over its artwork. Colours
// are 0x00BBGGRR, as the system keeps them.
// No Windows headers: the core's tests use it too.

#include <cstdint>
#include <optional>

namespace qv {

struct TextColours {
    std::uint32_t text;
    std::optional<std::uint32_t> back;  // none: drawn straight onto the artwork
};

// Light enough that dark text on it reads well (relative luminance).
constexpr bool isLightColour(std::uint32_t c)
{
    const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return 2126 * r + 7152 * g + 722 * b >= 128 * 10000;
}

// Normally the artwork's own text colour, on the artwork. Under a
// high-contrast theme, or any scheme whose windows are dark (Wine reports
// no high-contrast flag, and a dark classic scheme has the same need), the
// system's text colour on its window colour: light system text on the
// light artwork would not read.
constexpr TextColours labelColours(bool highContrast, std::uint32_t artworkText,
                                   std::uint32_t systemText, std::uint32_t systemBack)
{
    if (!highContrast && isLightColour(systemBack))
        return {artworkText, std::nullopt};
    return {systemText, systemBack};
}

}  // namespace qv
