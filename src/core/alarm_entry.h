#pragma once
// One alarm as the user confirmed it: a second of the day and a reminder.
// The alarm window fills its boxes from it; the kept alarm and the alert
// take their texts from it.

#include <optional>
#include <string>

namespace qv {

struct AlarmEntry {
    int secondOfDay = 0;  // 0 to 86399
    std::wstring reminder;

    // "hh:mm:ss": what the window shows and the old alarm compared.
    std::wstring timeText() const;
    // The two digits of one box: 0 hour, 1 minute, 2 second.
    std::wstring field(int which) const;

    bool operator==(const AlarmEntry&) const = default;
};

// Seconds since midnight of an "hh:mm:ss" text; nullopt when it is not one.
std::optional<int> secondOfDay(const std::wstring& timeText);

}  // namespace qv
