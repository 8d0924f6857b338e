#include "alarm/alarm_controller.h"

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
    std::wstring time = buildAlarmTime(hour, minute, second);
    const std::optional<int> ofDay = secondOfDay(time);
    if (!ofDay)
        return {EntryVerdict::OutOfRange, false};  // checkEntry lets none through; kept safe anyway
    const bool earlier = notLaterThanNow(time, now.local);
    AlarmTime_ = std::move(time);
    AlarmMsg_ = message;
    schedule_.arm(*ofDay, now);
    phase_ = AlarmPhase::Armed;
    return {EntryVerdict::Ok, earlier};
}

void AlarmController::cancel()
{
    AlarmTime_.clear();
    AlarmMsg_.clear();
    phase_ = AlarmPhase::Cancelled;
}

std::optional<Ring> AlarmController::tick(const ClockReading& now)
{
    if (phase_ != AlarmPhase::Armed)
        return std::nullopt;
    const LocalTime due = schedule_.nextRing();  // read before the check moves it on
    std::optional<Ring> ring = schedule_.check(now);
    if (ring) {
        phase_ = AlarmPhase::Rung;
        rungAt_ = due;
    }
    return ring;
}

std::optional<Ring> AlarmController::restore(const KeptAlarmValue& kept, const ClockReading& now)
{
    std::wstring time = timeText(kept.at);
    const std::optional<int> ofDay = secondOfDay(time);
    if (!ofDay)
        return std::nullopt;  // the store reads none such; kept safe anyway
    AlarmTime_ = std::move(time);
    AlarmMsg_ = kept.message;
    const Restore r = decideRestore(kept.at, now.local);
    if (!r.missed) {
        schedule_.arm(*ofDay, now);
        phase_ = AlarmPhase::Armed;
        return std::nullopt;
    }
    rungAt_ = fromAbsoluteSeconds(absoluteSeconds(kept.at));  // with its weekday
    phase_ = AlarmPhase::Rung;
    return Ring{r.lateSeconds, r.playTune};
}

std::optional<KeptAlarmValue> AlarmController::toKeep() const
{
    if (phase_ == AlarmPhase::Armed)
        return KeptAlarmValue{schedule_.nextRing(), AlarmMsg_};
    if (phase_ == AlarmPhase::Rung)
        return KeptAlarmValue{rungAt_, AlarmMsg_};
    return std::nullopt;
}

std::optional<LocalTime> AlarmController::nextRing() const
{
    if (phase_ != AlarmPhase::Armed)
        return std::nullopt;
    return schedule_.nextRing();
}

}  // namespace qv
