#pragma once
// The alarm's window side: the alarm window and the alert, the alarm timer
// Tmrclock on the face, waking the computer and holding the screen on. The
// face forwards to it; what the alarm is and when it rings is the
// controller's.

#include <windows.h>

#include <functional>
#include <string>

#include "alarm/alarm_controller.h"
#include "alarm/frmclock.h"
#include "alarm/frmmsg.h"
#include "platform/form.h"
#include "platform/services.h"

namespace qv {

class AlarmHost final : public IAlarmOwner {
public:
    static constexpr UINT_PTR kTmrclock = 1;  // a timer of the face window

    // `onSettingsClosed` runs whenever the alarm window goes, however it closed.
    AlarmHost(Services services, const std::wstring& programFolder,
              std::function<void()> onSettingsClosed);

    // The face window that carries Tmrclock; before anything else.
    void attach(HINSTANCE instance, HWND face);

    frmclock* showSettings();
    void closeSettings();
    void closeAlert();
    void onTmrclock();
    // The wall clock was set, the time zone changed, or the computer woke:
    // checks at once and sets the wake again.
    void onTimeChange();
    // At exit: nothing may wake the computer or hold the screen after us.
    void shutdown();

    frmclock* alarmWindow() const { return frmclock_.get(); }
    frmmsg* alertWindow() const { return frmmsg_.get(); }
    bool TmrclockEnabled() const { return controller_.TmrclockEnabled(); }

    // IAlarmOwner, for the alarm window.
    const AlarmController& alarm() const override { return controller_; }
    Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                         const std::wstring& second, const std::wstring& message) override;
    void cancel() override;

private:
    ClockReading read();
    void armTmrclock(const ClockReading& now);
    void followAlarm();
    void ring(const Ring& ring);
    void holdDisplay(bool hold);

    Services services_;
    std::wstring helpFile_;
    std::wstring tunePath_;
    std::function<void()> onSettingsClosed_;
    HINSTANCE instance_ = nullptr;
    HWND face_ = nullptr;

    AlarmController controller_;
    bool wakeSet_ = false;
    bool displayHeld_ = false;
    FormSlot<frmclock> frmclock_;
    FormSlot<frmmsg> frmmsg_;
};

}  // namespace qv
