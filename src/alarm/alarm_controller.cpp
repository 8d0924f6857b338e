#include "alarm/alarm_controller.h"

#include "alarm/reminder_text.h"
#include "core/datetext.h"
#include "core/seconds.h"

namespace qv {

Confirmation AlarmController::confirm(const std::wstring& hour, const std::wstring& minute,
                                      const std::wstring& second, const std::wstring& message,
                                      const ClockReading& now)
{
    const EntryVerdict verdict = checkEntry(hour, minute, second, message);
    if (verdict != EntryVerdict::Ok)
        return {verdict, false};
    const std::wstring time = buildAlarmTime(hour, minute, second);
    const std::optional<int> ofDay = secondOfDay(time);
    if (!ofDay)
        return {EntryVerdict::OutOfRange, false};  // checkEntry lets none through; kept safe anyway
    const AlarmEntry entry{*ofDay, message};
    Armed armed{entry, {}};
    armed.schedule.arm(*ofDay, now);
    armed_ = std::move(armed);
    shown_ = entry;
    return {EntryVerdict::Ok, notLaterThanNow(time, now.local)};
}

void AlarmController::cancel()
{
    armed_.reset();
    shown_.reset();
}

void AlarmController::acknowledge()
{
    unanswered_.reset();
}

std::optional<Ring> AlarmController::tick(const ClockReading& now)
{
    if (!armed_)
        return std::nullopt;
    const LocalTime due = armed_->schedule.nextRing();  // read before the check moves it on
    std::optional<Ring> ring = armed_->schedule.check(now);
    if (ring && armed_->woken)
        ring = Ring{0, true};  // the resume's time is not the user's lateness
    if (ring) {
        unanswered_ = UnansweredRing{armed_->entry, due};
        armed_.reset();
    }
    return ring;
}

std::optional<Ring> AlarmController::restore(const KeptAlarmValue& kept, const ClockReading& now)
{
    // Cleaned as a paste is: a tab or a line break written into the
    // registry by hand would show raw in the alert.
    const AlarmEntry entry{kept.at.hour * 3600 + kept.at.minute * 60 + kept.at.second,
                           fitPastedReminder(kept.message, kReminderLimit).text};
    shown_ = entry;
    const Restore r = decideRestore(kept.at, now.local);
    if (!r.missed) {
        Armed armed{entry, {}};
        armed.schedule.arm(entry.secondOfDay, now);
        armed_ = std::move(armed);
        return std::nullopt;
    }
    unanswered_ = UnansweredRing{entry, fromAbsoluteSeconds(absoluteSeconds(kept.at))};  // with its weekday
    return Ring{r.lateSeconds, r.playTune};
}

std::optional<KeptAlarmValue> AlarmController::toKeep() const
{
    if (armed_)
        return KeptAlarmValue{armed_->schedule.nextRing(), armed_->entry.reminder};
    if (unanswered_)
        return KeptAlarmValue{unanswered_->due, unanswered_->entry.reminder};
    return std::nullopt;
}

std::optional<LocalTime> AlarmController::wakeAt() const
{
    if (!armed_)
        return std::nullopt;
    return fromAbsoluteSeconds(absoluteSeconds(armed_->schedule.nextRing()) - kWakeLeadSeconds);
}

void AlarmController::resumed(const ClockReading& now)
{
    if (!armed_)
        return;
    const long long ring = absoluteSeconds(armed_->schedule.nextRing()), n = absoluteSeconds(now.local);
    if (n >= ring - kWakeLeadSeconds && n <= ring + kResumeSeconds)
        armed_->woken = true;
}

std::optional<LocalTime> AlarmController::nextRing() const
{
    if (!armed_)
        return std::nullopt;
    return armed_->schedule.nextRing();
}

}  // namespace qv
