#pragma once
// One alarm as the user confirmed it: a second of the day, a reminder and
// when it repeats. The alarm window fills its boxes from it; the kept alarm
// and the alert take their texts from it.

#include <optional>
#include <string>

#include "core/repeat_rule.h"

namespace qv {

struct AlarmEntry {
    int secondOfDay = 0;  // 0 to 86399
    std::wstring reminder;
    unsigned repeat = kOnce;

    // "hh:mm:ss": what the window shows and the old alarm compared.
    std::wstring timeText() const;
    // The two digits of one box: 0 hour, 1 minute, 2 second.
    std::wstring field(int which) const;
    // The time, the rule if it repeats, three blanks, the reminder:
    // "07:30:00 每天   开会"; a one-time alarm "07:30:00   开会".
    std::wstring shownText() const;

    bool operator==(const AlarmEntry&) const = default;
};

// Seconds since midnight of an "hh:mm:ss" text; nullopt when it is not one.
std::optional<int> secondOfDay(const std::wstring& timeText);

}  // namespace qv
