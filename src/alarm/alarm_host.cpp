#include "alarm/alarm_host.h"

#include <utility>

#include "core/Modmain.h"

namespace {
// However long the alert waits, the screen is not kept on for ever: a
// laptop left alone would run down.
constexpr long long kDisplayHoldMs = 10 * 60 * 1000;
}

namespace qv {

AlarmHost::AlarmHost(Services services, const std::wstring& programFolder, std::function<void()> onSettingsClosed,
                     std::function<void(const std::wstring&)> announce)
    : services_(services),
      helpFile_(Modmain::joinPath(programFolder, Modmain::HelpFileName)),
      tunePath_(Modmain::joinPath(programFolder, L"image\\1.mid")),
      onSettingsClosed_(std::move(onSettingsClosed)),
      announce_(std::move(announce)),
      store_(*services.registry)
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

bool AlarmHost::bringAlertForward()
{
    frmmsg* alert = frmmsg_.get();
    if (alert)
        alert->BringForward();
    return alert != nullptr;
}

void AlarmHost::closeAlert()
{
    frmmsg_.close();
}

Confirmation AlarmHost::confirm(const std::wstring& hour, const std::wstring& minute,
                                const std::wstring& second, const std::wstring& message, unsigned repeat)
{
    // One reading judges the entry and arms it: a second boundary between
    // two readings would arm an alarm due now for tomorrow.
    const ClockReading now = read();
    Confirmation c = controller_.confirm(hour, minute, second, message, now, repeat);
    if (c.verdict != EntryVerdict::Ok)
        return c;
    followAlarm();
    if (!keep() && !toldCannotKeep_)
        c.cannotKeep = toldCannotKeep_ = true;
    // One balloon at a time, the graver first; the others wait for a later OK.
    if (!c.cannotKeep && lastWake_ == WakeResult::CannotResume && !toldCannotWake_)
        c.cannotWake = toldCannotWake_ = true;
    if (!c.cannotKeep && !c.cannotWake && kept_ && !toldNoLogonStart_ && logonStartPossible_ &&
        !logonStartPossible_())
        c.noLogonStart = toldNoLogonStart_ = true;
    return c;
}

void AlarmHost::cancel()
{
    controller_.cancel();
    followAlarm();
    keep();
}

bool AlarmHost::keep()
{
    if (const std::optional<KeptAlarmValue> value = controller_.toKeep()) {
        kept_ = store_.save(*value);
        if (!kept_)
            store_.erase();  // an older alarm must not come back in its place
        return kept_;
    }
    kept_ = false;
    return store_.erase();
}

void AlarmHost::acknowledged()
{
    // Seen: it need not come back at the next start. An alarm armed since
    // stays kept.
    controller_.acknowledge();
    keep();
}

void AlarmHost::restore()
{
    const std::optional<KeptAlarmValue> value = store_.load();
    if (!value)
        return;
    kept_ = true;
    if (const std::optional<Ring> missed = controller_.restore(*value, read()))
        ring(*missed);
    else
        followAlarm();
}

void AlarmHost::followAlarm()
{
    if (const std::optional<LocalTime> at = controller_.wakeAt()) {
        lastWake_ = services_.power->wakeAt(*at);
        wakeSet_ = true;
    } else if (wakeSet_) {
        services_.power->cancelWake();
        wakeSet_ = false;
    }
    // Awake from the wake to the ring; a ring, a cancel or a new alarm ends it.
    keepAwake(controller_.wokenForAlarm());
}

void AlarmHost::keepAwake(bool keep)
{
    if (keep == keptAwake_)
        return;
    keptAwake_ = keep;
    services_.power->keepAwake(keep);
}

void AlarmHost::onResume()
{
    controller_.resumed(read());
    onTimeChange();
}

void AlarmHost::onSecond()
{
    if (displayHeld_ && services_.clock->steadyMs() - displayHeldSince_ >= kDisplayHoldMs)
        holdDisplay(false);
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
    if (controller_.TmrclockEnabled()) {
        followAlarm();  // the wake moves with the clock
        keep();
    }
}

void AlarmHost::ring(const Ring& r)
{
    const std::wstring reminder = controller_.unanswered()->entry.reminder;
    // Late past the tune's minute (missed while off or asleep): said when it was due.
    const std::wstring due = r.lateSeconds > AlarmSchedule::kTuneLimitSeconds
                                 ? dueLine(controller_.unanswered()->due, services_.clock->now())
                                 : std::wstring();
    holdDisplay(true);  // before the computer is let go, so it cannot sleep in between
    followAlarm();
    keep();  // rung, and kept until acknowledged
    // Taking the keyboard from someone typing would put their next keys
    // into the alert: it opens on top and waits to be clicked.
    const bool quietly = services_.input->typingNow();
    // An alert still open from an earlier alarm shows the new one too.
    frmmsg* alert = frmmsg_.show([this] {
        auto form = std::make_unique<frmmsg>(services_, tunePath_, [this] {
            acknowledged();
            frmmsg_.close();
            // Shows the alarm just rung; the menu marks are left as they are.
            showSettings();
        });
        if (!form->Load(instance_))
            return std::unique_ptr<frmmsg>();
        form->setOnUnload([this] { holdDisplay(false); });
        return form;
    }, !quietly);
    if (alert)
        alert->Ring(reminder, r.playTune, due);
    else
        holdDisplay(false);
    // Also in the notification history, for a user who was away or whose
    // alert Windows kept from the foreground.
    if (announce_)
        announce_(reminder);
}

void AlarmHost::holdDisplay(bool hold)
{
    if (hold)
        displayHeldSince_ = services_.clock->steadyMs();
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
    keepAwake(false);
    holdDisplay(false);
}

}  // namespace qv
