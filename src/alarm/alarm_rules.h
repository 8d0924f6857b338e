#pragma once
// The alarm's rules, apart from its windows: checking what was typed,
// building the stored time, and deciding when the alarm rings.

#include <optional>
#include <string>

#include "core/alarm_entry.h"
#include "core/localtime.h"
#include "core/repeat_rule.h"

namespace qv {

// Which message box an entry earns; Ok when it may be stored.
enum class EntryVerdict { Ok, Empty, NotNumeric, OutOfRange };

// Checks in order: any of the four texts empty; any time text not a number
// (letters, blanks only); a value out of range. Numbers that are not plain
// digits ("+1", "1.", " 1") are refused as out of range: stored as typed
// they would never match a clock reading.
EntryVerdict checkEntry(const std::wstring& hour, const std::wstring& minute,
                        const std::wstring& second, const std::wstring& message);

// "7", "5", "00" -> "07:05:00": texts as typed, a leading "0" when short.
std::wstring buildAlarmTime(const std::wstring& hour, const std::wstring& minute,
                            const std::wstring& second);

// The alarm is not later than now (compared as text, as both are hh:mm:ss).
bool notLaterThanNow(const std::wstring& alarmTime, const LocalTime& now);

// A reading of the wall clock, with the steady clock read at the same time.
struct ClockReading {
    LocalTime local;
    long long steadyMs = 0;  // real time: it never jumps with the wall clock
};

struct Ring {
    long long lateSeconds;  // real time from the alarm moment to the check that noticed it
    bool playTune;          // not when it is more than a minute late
    LocalTime due;          // the moment it rang for
};

// Rings when the wall clock has reached or passed the alarm time since the
// previous check, so a late tick, a sleep or a clock set forward cannot lose
// it. A clock set back does not ring. The first time counted is the first one
// strictly after arming: an alarm set for now or earlier rings tomorrow.
// Lateness is measured on the steady clock. A repeating alarm rings on the
// days its mask allows, and goes on; after a sleep across several of its
// rings it rings once, for the latest.
class AlarmSchedule {
public:
    static constexpr long long kTuneLimitSeconds = 60;

    void arm(int alarmSecondOfDay, const ClockReading& now, unsigned repeat = kOnce);
    std::optional<Ring> check(const ClockReading& now);
    // The local wall-clock time at which it rings next, if nothing changes.
    LocalTime nextRing() const;

private:
    long long nextAfter(long long previous) const;

    int alarm_ = 0;
    unsigned repeat_ = kOnce;
    long long lastCheck_ = 0;
    long long lastSteadyMs_ = 0;
};

// What a kept alarm becomes when the program starts again: armed again while
// its moment is ahead; missed when it came while the program was not running,
// late by the wall clock, as no steady clock spans the gap.
// A repeating one that missed several rings shows the latest.
struct Restore {
    bool missed = false;
    long long lateSeconds = 0;
    bool playTune = false;  // missed by a minute at most
    LocalTime due;          // the ring it shows
};

Restore decideRestore(const LocalTime& keptAt, const LocalTime& now, unsigned repeat = kOnce);

// The alert's line for a late ring: when it was due, its date only when
// that was not today, the year only when not this year.
// "应在17:00:00提醒", "应在12月05日 17:00:00提醒", "应在25年12月31日 23:59:50提醒".
std::wstring dueLine(const LocalTime& due, const LocalTime& now);

}  // namespace qv
