#pragma once
// The one alarm: what was confirmed, whether it is armed, and when it rings.
// Every change is one step, so a check in between never sees half an alarm.

#include <optional>
#include <string>

#include "alarm/alarm_rules.h"
#include "store/kept_alarm.h"

namespace qv {

enum class AlarmPhase { None, Armed, Cancelled, Rung };

struct Confirmation {
    EntryVerdict verdict = EntryVerdict::Ok;
    // The time is not later than now: it rings tomorrow. The warning comes
    // after the alarm is stored and armed.
    bool earlierThanNow = false;
    // This computer cannot be woken for it; said once, after the store.
    bool cannotWake = false;
};

class AlarmController {
public:
    // Checks what was typed and, when it passes, stores and arms it at once,
    // judged and armed on the same reading of the clock.
    Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                         const std::wstring& second, const std::wstring& message,
                         const ClockReading& now);
    void cancel();
    // The alarm check; rings at most once for each confirmation.
    std::optional<Ring> tick(const ClockReading& now);
    // Takes back a kept alarm at start. Still ahead: armed as OK pressed now
    // would arm it, so a clock set back meanwhile rings at the next such time
    // of day. Missed while the program was not running: rung, with the ring.
    std::optional<Ring> restore(const KeptAlarmValue& kept, const ClockReading& now);
    // What to keep now: while armed, its next ring; once rung, the moment it
    // was due, so an unanswered alarm comes back. Nullopt: keep nothing.
    std::optional<KeptAlarmValue> toKeep() const;

    AlarmPhase phase() const { return phase_; }
    const std::wstring& AlarmTime() const { return AlarmTime_; }
    const std::wstring& AlarmMsg() const { return AlarmMsg_; }
    // Stored and not cancelled; stays true after ringing, so the window
    // shows the rung alarm again.
    bool AlarmSet() const { return phase_ == AlarmPhase::Armed || phase_ == AlarmPhase::Rung; }
    bool TmrclockEnabled() const { return phase_ == AlarmPhase::Armed; }
    // Where the wall clock will be when it rings; only while armed.
    std::optional<LocalTime> nextRing() const;

private:
    AlarmPhase phase_ = AlarmPhase::None;
    std::wstring AlarmTime_;
    std::wstring AlarmMsg_;
    AlarmSchedule schedule_;
    LocalTime rungAt_;  // the moment the rung alarm was due
};

}  // namespace qv
