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
    // The registry refused it: it rings in this run only; said once.
    bool cannotKeep = false;
    // The program's path is too long for a one-time logon start; said once.
    bool noLogonStart = false;
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
    // A repeating alarm whose time has passed today starts on its next day
    // without the warning.
    Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                         const std::wstring& second, const std::wstring& message,
                         const ClockReading& now, unsigned repeat = kOnce);
    // Ends the armed alarm only; a ring still up is still to be answered.
    void cancel();
    // The user answered the ring; the armed alarm, if any, stays.
    void acknowledge();
    // The alarm check; a one-time alarm rings once for each confirmation, a
    // repeating one stays armed for its next day.
    std::optional<Ring> tick(const ClockReading& now);
    // Takes back a kept alarm at start. Still ahead: armed as OK pressed now
    // would arm it, so a clock set back meanwhile rings at the next such time
    // of day. Missed while the program was not running: an unanswered ring
    // (the latest missed), and a repeating alarm armed again besides.
    std::optional<Ring> restore(const KeptAlarmValue& kept, const ClockReading& now);
    // What to keep now: the armed alarm's next ring while there is one, else
    // the unanswered ring's due moment, once, so it comes back. A repeating
    // alarm whose own ring is unanswered keeps that ring's moment: a start
    // shows it again, then arms the next. Nullopt: nothing.
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

    // The wake timer goes off this long before the ring: resuming takes
    // seconds, from hibernation minutes, and all of it would be lateness.
    static constexpr long long kWakeLeadSeconds = 120;
    // A resume up to this long after the ring still counts as the wake for it.
    static constexpr long long kResumeSeconds = 15 * 60;
    std::optional<LocalTime> wakeAt() const;
    // The computer resumed. From the wake's moment on (and not past the
    // ring by more than kResumeSeconds) it woke for the armed alarm: it is
    // kept awake until the ring, which then plays its tune however long the
    // resume took, as no one may be at a display that stays off.
    void resumed(const ClockReading& now);
    bool wokenForAlarm() const { return armed_ && armed_->woken; }

private:
    struct Armed {
        AlarmEntry entry;
        AlarmSchedule schedule;
        bool woken = false;
    };
    std::optional<Armed> armed_;
    std::optional<UnansweredRing> unanswered_;
    std::optional<AlarmEntry> shown_;
};

}  // namespace qv
