#pragma once
// The settings window's rules, apart from the window.

#include <optional>
#include <string>

#include "core/localtime.h"

namespace qv {

// The box check on leaving a time box: a number (sign, digits, optional
// fraction, blanks around) from 0 to `largest`. An empty text is no number.
bool timeBoxAcceptable(const std::wstring& text, int largest);

struct TimeOfDay {
    int hour, minute, second;
};

// The three texts as a whole time of day, or nullopt when one of them is
// not a whole number in range (7.5 passes the box check but is no time).
std::optional<TimeOfDay> wholeTimeOfDay(const std::wstring& hour, const std::wstring& minute,
                                        const std::wstring& second);

// "现在的时间是： 04年03月05日  09:05:03", into `out` (its capacity kept).
void nowLine(const LocalTime& t, std::wstring& out);

}  // namespace qv
