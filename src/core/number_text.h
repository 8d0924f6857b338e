#pragma once
// The one reader of numbers typed into the time boxes.

#include <optional>
#include <string>

namespace qv {

enum class Grouping {
    none,     // "1,000" is no number
    allowed,  // commas among the whole digits, as locale-aware parsing takes them
};

// Blanks (space, tab) around, an optional leading sign, digits with an
// optional decimal fraction. Full-width digits count as digits; anything
// else, or no digit at all, is no number.
std::optional<double> readNumber(const std::wstring& text, Grouping grouping = Grouping::none);

}  // namespace qv
