#pragma once

namespace qv {

// A reading of the local wall clock. weekday counts from Sunday = 0.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int weekday = 6;
};

// One number per calendar day, for noticing that the date has changed.
constexpr int dateKey(const LocalTime& t) { return t.year * 10000 + t.month * 100 + t.day; }

}  // namespace qv
