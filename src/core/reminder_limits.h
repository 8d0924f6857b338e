#pragma once
// How much the alarm's boxes hold: the alarm window limits the typing and
// the kept alarm refuses a longer stored reminder by the same figure.

#include <cstddef>

namespace qv {

// Far more than the alert can show; it keeps a stray paste of a whole
// document from becoming the reminder.
inline constexpr std::size_t kReminderLimit = 2000;
// A time box holds two digits.
inline constexpr std::size_t kTimeBoxLimit = 2;

}  // namespace qv
