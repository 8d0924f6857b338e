#include "alarm/alarm_controller.h"

#include "alarm/reminder_text.h"
#include "core/datetext.h"
#include "core/seconds.h"

namespace qv {

Confirmation AlarmController::confirm(const std::wstring& hour, const std::wstring& minute,
                                      const std::wstring& second, const std::wstring& message,
                                      const ClockReading& now, unsigned repeat)
{
    const EntryVerdict verdict = checkEntry(hour, minute, second, message);
    if (verdict != EntryVerdict::Ok)
        return {verdict, false};
    const std::wstring time = buildAlarmTime(hour, minute, second);
    const std::optional<int> ofDay = secondOfDay(time);
    if (!ofDay)
        return {EntryVerdict::OutOfRange, false};  // checkEntry lets none through; kept safe anyway
    const AlarmEntry entry{*ofDay, message, repeat & kRepeatBits};
    Armed armed{entry, {}};
    armed.schedule.arm(*ofDay, now, entry.repeat);
    armed_ = std::move(armed);
    shown_ = entry;
    return {EntryVerdict::Ok, entry.repeat == kOnce && notLaterThanNow(time, now.local)};
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
    std::optional<Ring> ring = armed_->schedule.check(now);
    if (ring && armed_->woken)
        ring = Ring{0, true, ring->due};  // the resume's time is not the user's lateness
    if (ring) {
        unanswered_ = UnansweredRing{armed_->entry, ring->due};
        if (armed_->entry.repeat == kOnce)
            armed_.reset();
        else
            armed_->woken = false;
    }
    return ring;
}

std::optional<Ring> AlarmController::restore(const KeptAlarmValue& kept, const ClockReading& now)
{
    // Cleaned as a paste is: a tab or a line break written into the
    // registry by hand would show raw in the alert.
    const AlarmEntry entry{kept.at.hour * 3600 + kept.at.minute * 60 + kept.at.second,
                           fitPastedReminder(kept.message, kReminderLimit).text, kept.repeat & kRepeatBits};
    shown_ = entry;
    const Restore r = decideRestore(kept.at, now.local, entry.repeat);
    if (!r.missed || entry.repeat != kOnce) {
        Armed armed{entry, {}};
        armed.schedule.arm(entry.secondOfDay, now, entry.repeat);
        armed_ = std::move(armed);
    }
    if (!r.missed)
        return std::nullopt;
    unanswered_ = UnansweredRing{entry, r.due};
    return Ring{r.lateSeconds, r.playTune, r.due};
}

std::optional<KeptAlarmValue> AlarmController::toKeep() const
{
    if (armed_ && armed_->entry.repeat != kOnce && unanswered_ && unanswered_->entry == armed_->entry)
        return KeptAlarmValue{unanswered_->due, armed_->entry.reminder, armed_->entry.repeat};
    if (armed_)
        return KeptAlarmValue{armed_->schedule.nextRing(), armed_->entry.reminder, armed_->entry.repeat};
    if (unanswered_)
        return KeptAlarmValue{unanswered_->due, unanswered_->entry.reminder, kOnce};
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
