#pragma once
// The alarm's window side: the alarm window and the alert, the alarm check
// Tmrclock that rides on the face's tick, waking the computer, holding the
// screen on, and keeping the alarm across the program's end. What the alarm
// is and when it rings is the controller's.

#include <windows.h>

#include <functional>
#include <string>

#include "alarm/alarm_controller.h"
#include "alarm/frmclock.h"
#include "alarm/frmmsg.h"
#include "platform/form.h"
#include "platform/services.h"
#include "store/kept_alarm.h"

namespace qv {

class AlarmHost final : public IAlarmOwner {
public:
    // `onSettingsClosed` runs whenever the alarm window goes, however it
    // closed; `announce` tells of each ring outside the alert (the reminder).
    AlarmHost(Services services, const std::wstring& programFolder, std::function<void()> onSettingsClosed,
              std::function<void(const std::wstring&)> announce = {});

    // The module the windows come from; before anything else.
    void attach(HINSTANCE instance);

    frmclock* showSettings();
    void closeSettings();
    void closeAlert();
    // False when no alert is up.
    bool bringAlertForward();
    // Each second, from the face's tick: the alarm check while one is set,
    // and the alarm window's time line. The program wakes once a second,
    // not once per window.
    void onSecond();
    // The wall clock was set, the time zone changed, or the computer woke:
    // checks at once and sets the wake again.
    void onTimeChange();
    // The computer resumed by itself (a wake timer, maybe ours).
    void onResume();
    // At start: the alarm kept from an earlier run is armed again, or, when
    // its moment passed meanwhile, shown at once.
    void restore();
    // At exit: nothing may wake the computer or hold the screen after us.
    // The kept alarm stays kept.
    void shutdown();
    // An alarm is kept for a later run: armed, or rung and not acknowledged.
    bool alarmKept() const { return kept_; }
    // Whether the session's end can leave a one-time logon start that
    // Windows will run (a path too long for it has no short form); asked
    // only when it would be said.
    void setLogonStartCheck(std::function<bool()> possible) { logonStartPossible_ = std::move(possible); }

    frmclock* alarmWindow() const { return frmclock_.get(); }
    frmmsg* alertWindow() const { return frmmsg_.get(); }
    bool TmrclockEnabled() const { return controller_.TmrclockEnabled(); }

    // IAlarmOwner, for the alarm window.
    const AlarmController& alarm() const override { return controller_; }
    Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                         const std::wstring& second, const std::wstring& message, unsigned repeat) override;
    void cancel() override;

private:
    ClockReading read();
    void onTmrclock();  // the alarm check, while one is set
    void followAlarm();
    void ring(const Ring& ring);
    void holdDisplay(bool hold);
    void keepAwake(bool keep);
    bool keep();  // false: the registry refused
    void acknowledged();

    Services services_;
    std::wstring helpFile_;
    std::wstring tunePath_;
    std::function<void()> onSettingsClosed_;
    std::function<void(const std::wstring&)> announce_;
    HINSTANCE instance_ = nullptr;

    AlarmController controller_;
    KeptAlarm store_;
    bool kept_ = false;
    bool wakeSet_ = false;
    WakeResult lastWake_ = WakeResult::Set;
    bool toldCannotWake_ = false;  // said once a run
    bool toldCannotKeep_ = false;
    std::function<bool()> logonStartPossible_;
    bool toldNoLogonStart_ = false;
    bool displayHeld_ = false;
    bool keptAwake_ = false;
    long long displayHeldSince_ = 0;
    FormSlot<frmclock> frmclock_;
    FormSlot<frmmsg> frmmsg_;
};

}  // namespace qv
