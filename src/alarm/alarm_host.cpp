#include "alarm/alarm_host.h"

#include <utility>

#include "app/Modmain.h"

namespace qv {

AlarmHost::AlarmHost(Services services, const std::wstring& programFolder,
                     std::function<void()> onSettingsClosed)
    : services_(services),
      helpFile_(Modmain::joinPath(programFolder, Modmain::HelpFileName)),
      tunePath_(Modmain::joinPath(programFolder, L"image\\1.mid")),
      onSettingsClosed_(std::move(onSettingsClosed))
{
}

void AlarmHost::attach(HINSTANCE instance)
{
    instance_ = instance;
}

ClockReading AlarmHost::read()
{
    ClockReading r;
    r.local = services_.clock->now();
    r.steadyMs = services_.clock->steadyMs();
    return r;
}

frmclock* AlarmHost::showSettings()
{
    return frmclock_.show([this] {
        auto form = std::make_unique<frmclock>(services_, *this, helpFile_);
        if (!form->Load(instance_))
            return std::unique_ptr<frmclock>();
        form->setOnUnload([this] {
            if (onSettingsClosed_)
                onSettingsClosed_();
        });
        return form;
    });
}

void AlarmHost::closeSettings()
{
    frmclock_.close();
}

void AlarmHost::closeAlert()
{
    frmmsg_.close();
}

Confirmation AlarmHost::confirm(const std::wstring& hour, const std::wstring& minute,
                                const std::wstring& second, const std::wstring& message)
{
    // One reading judges the entry and arms it: a second boundary between
    // two readings would arm an alarm due now for tomorrow.
    const ClockReading now = read();
    const Confirmation c = controller_.confirm(hour, minute, second, message, now);
    followAlarm();
    return c;
}

void AlarmHost::cancel()
{
    controller_.cancel();
    followAlarm();
}

void AlarmHost::followAlarm()
{
    if (const std::optional<LocalTime> at = controller_.nextRing()) {
        services_.power->wakeAt(*at);
        wakeSet_ = true;
    } else if (wakeSet_) {
        services_.power->cancelWake();
        wakeSet_ = false;
    }
}

void AlarmHost::onSecond()
{
    onTmrclock();
    if (frmclock* window = frmclock_.get())
        window->showTime();
}

void AlarmHost::onTmrclock()
{
    if (!controller_.TmrclockEnabled())
        return;
    if (const std::optional<Ring> r = controller_.tick(read()))
        ring(*r);
}

void AlarmHost::onTimeChange()
{
    if (!controller_.TmrclockEnabled())
        return;
    onTmrclock();  // set forward across the alarm: it rings now
    if (controller_.TmrclockEnabled())
        followAlarm();  // the wake moves with the clock
}

void AlarmHost::ring(const Ring& r)
{
    followAlarm();
    holdDisplay(true);
    // An alert still open from an earlier alarm shows the new one too.
    frmmsg* alert = frmmsg_.show([this] {
        auto form = std::make_unique<frmmsg>(services_, tunePath_, [this] {
            frmmsg_.close();
            // Shows the alarm just rung; the menu marks are left as they are.
            showSettings();
        });
        if (!form->Load(instance_))
            return std::unique_ptr<frmmsg>();
        form->setOnUnload([this] { holdDisplay(false); });
        return form;
    });
    if (alert)
        alert->Ring(controller_.AlarmMsg(), r.playTune);
    else
        holdDisplay(false);
}

void AlarmHost::holdDisplay(bool hold)
{
    if (hold == displayHeld_)
        return;
    displayHeld_ = hold;
    services_.power->holdDisplay(hold);
}

void AlarmHost::shutdown()
{
    // The sequencer is let go even when the process ends at once.
    if (frmmsg* alert = frmmsg_.get())
        alert->stopTune();
    if (wakeSet_) {
        services_.power->cancelWake();
        wakeSet_ = false;
    }
    holdDisplay(false);
}

}  // namespace qv
