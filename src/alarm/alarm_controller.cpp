#include "alarm/alarm_controller.h"

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
    std::optional<Ring> ring = schedule_.check(now);
    if (ring)
        phase_ = AlarmPhase::Rung;
    return ring;
}

std::optional<LocalTime> AlarmController::nextRing() const
{
    if (phase_ != AlarmPhase::Armed)
        return std::nullopt;
    return schedule_.nextRing();
}

}  // namespace qv
