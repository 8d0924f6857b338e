#pragma once
// Texts built from the clock: the weekday, the date, the tray tip.

#include <string>

#include "core/localtime.h"

namespace qv {

inline constexpr const wchar_t* WeekdayNames[7] = {
    L"星期日", L"星期一", L"星期二", L"星期三", L"星期四", L"星期五", L"星期六",
};

// "yy年mm月dd日": two-digit year, month and day.
std::wstring dateText(const LocalTime& t);

// "hh:mm:ss", 24-hour, two digits each.
std::wstring timeText(const LocalTime& t);

// The same, added to `out`: a string that keeps its capacity takes a new
// time each second without allocating.
void appendDateText(std::wstring& out, const LocalTime& t);
void appendTimeText(std::wstring& out, const LocalTime& t);

const wchar_t* weekdayText(const LocalTime& t);

// "今天是" + the date; the weekday label's tooltip.
std::wstring todayText(const LocalTime& t);

// Title, two blanks, version, CR, "今天是" + the date.
std::wstring trayTipText(const LocalTime& t);

// Cuts text so that it fits a NUL-ended field of `capacity` characters,
// never between the two halves of a surrogate pair.
std::wstring fitToField(const std::wstring& text, std::size_t capacity);

}  // namespace qv
