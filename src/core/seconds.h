#pragma once
// Counting in seconds of the wall clock, and waiting for the next one.

#include "core/localtime.h"

namespace qv {

// Seconds since 1970-01-01 00:00 of a local time read as if UTC: for
// differences between readings, not for instants.
long long absoluteSeconds(const LocalTime& t);
LocalTime fromAbsoluteSeconds(long long seconds);

// Milliseconds to wait from `millisecond` past a second until just after the
// next one, so what shows the time moves with the wall clock's second.
unsigned msToNextSecond(int millisecond);

// The once-a-second timer. A steady one-second timer needs nothing each tick;
// it is set again only when its ticks stray from just after the second.
// `landedAt` is the millisecond the tick came at, `now` the millisecond
// after its work, `running` the period set (0: none). Returns the period
// to set, or 0 to keep the running one.
unsigned nextTickPeriod(int landedAt, int now, unsigned running);

}  // namespace qv
