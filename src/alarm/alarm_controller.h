#pragma once
// The one alarm as two facts apart: the alarm armed for a coming second,
// and a ring the user has not answered yet. Either, both or neither may be
// there; confirming, answering and cancelling each touch only their own.
// Every change is one step, so a check in between never sees half an alarm.

#include <optional>
#include <string>

#include "alarm/alarm_rules.h"
#include "core/alarm_entry.h"
#include "store/kept_alarm.h"

namespace qv {

struct Confirmation {
    EntryVerdict verdict = EntryVerdict::Ok;
    // The time is not later than now: it rings tomorrow. The warning comes
    // after the alarm is stored and armed.
    bool earlierThanNow = false;
    // This computer cannot be woken for it; said once, after the store.
    bool cannotWake = false;
};

// A ring shown and not yet answered: what rang, and when it was due.
struct UnansweredRing {
    AlarmEntry entry;
    LocalTime due;
};

class AlarmController {
public:
    // Checks what was typed and, when it passes, stores and arms it at once,
    // judged and armed on the same reading of the clock. An unanswered ring
    // stays as it is.
    Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                         const std::wstring& second, const std::wstring& message,
                         const ClockReading& now);
    // Ends the armed alarm only; a ring still up is still to be answered.
    void cancel();
    // The user answered the ring; the armed alarm, if any, stays.
    void acknowledge();
    // The alarm check; rings at most once for each confirmation.
    std::optional<Ring> tick(const ClockReading& now);
    // Takes back a kept alarm at start. Still ahead: armed as OK pressed now
    // would arm it, so a clock set back meanwhile rings at the next such time
    // of day. Missed while the program was not running: an unanswered ring.
    std::optional<Ring> restore(const KeptAlarmValue& kept, const ClockReading& now);
    // What to keep now: the armed alarm's next ring while there is one, else
    // the unanswered ring's due moment, so it comes back. Nullopt: nothing.
    std::optional<KeptAlarmValue> toKeep() const;

    // What the alarm window shows: the last alarm confirmed or rung, until
    // cancelled. It stays after ringing, so the window shows the rung alarm.
    const std::optional<AlarmEntry>& shown() const { return shown_; }
    const std::optional<UnansweredRing>& unanswered() const { return unanswered_; }
    std::wstring AlarmTime() const { return shown_ ? shown_->timeText() : std::wstring(); }
    std::wstring AlarmMsg() const { return shown_ ? shown_->reminder : std::wstring(); }
    bool AlarmSet() const { return shown_.has_value(); }
    bool TmrclockEnabled() const { return armed_.has_value(); }
    // Where the wall clock will be when it rings; only while armed.
    std::optional<LocalTime> nextRing() const;

private:
    struct Armed {
        AlarmEntry entry;
        AlarmSchedule schedule;
    };
    std::optional<Armed> armed_;
    std::optional<UnansweredRing> unanswered_;
    std::optional<AlarmEntry> shown_;
};

}  // namespace qv
