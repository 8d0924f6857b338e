#include "app/app_host.h"

#include <utility>

#include "alarm/reminder_text.h"
#include "core/Modmain.h"
#include "platform/module_path.h"
#include "store/Clsreg.h"
#include "store/run_once.h"
#include "tray/ModTray.h"

namespace qv {

AppHost::AppHost(Services services, std::wstring programFolder, std::function<void()> onClosed,
                 std::wstring programFileName)
    : services_(services),
      programFolder_(std::move(programFolder)),
      programFileName_(programFileName.empty() ? qv::programFileName() : std::move(programFileName)),
      alarm_(services, programFolder_, [this] { face_.windowClosed(Twin::Clock); },
             [](const std::wstring& reminder) {
                 ModTray::ShowBalloon(Modmain::ProductTitle, notificationText(reminder, ModTray::kBalloonTextLimit));
             }),
      face_(services, programFolder_, this, std::move(onClosed))
{
}

AppHost::~AppHost()
{
    // The other windows tell the face of their close; it must still be there.
    closeOthers();
}

bool AppHost::loadFace(HINSTANCE instance)
{
    instance_ = instance;
    alarm_.attach(instance);
    // A one-time start left by the last session's end has done its work
    // (Windows deletes it as it runs it; a start by hand leaves it).
    RunOnceEntry(*services_.registry, programPath()).remove();
    // After a crash, a hang or an update of the program; not after a restart
    // of the computer, where the start-up and one-time entries decide, as
    // the user set them (Windows 10 reopens registered programs otherwise).
    services_.process->registerRestart(RESTART_NO_REBOOT);
    alarm_.setLogonStartCheck([this] { return runOnceCommand(programPath(), logonShortPath()).has_value(); });
    return face_.Load(instance);
}

bool AppHost::Load(HINSTANCE instance)
{
    if (!loadFace(instance))
        return false;
    alarm_.restore();
    return true;
}

std::wstring AppHost::programPath() const
{
    return runProgramPath(programFolder_, programFileName_);
}

std::wstring AppHost::logonShortPath() const
{
    // The file system is asked only for a path too long for a logon command.
    const std::wstring path = programPath();
    return runOnceCommand(path, {}) ? std::wstring() : shortPathOf(path);
}

bool AppHost::Start(HINSTANCE instance)
{
    if (!loadFace(instance))
        return false;
    face_.Show();
    // After the face: a missed alarm's alert, shown now, keeps the keyboard.
    alarm_.restore();
    return true;
}

template <class T, class Make>
T* AppHost::showForm(FormSlot<T>& slot, std::optional<Twin> twin, Make make)
{
    return slot.show([this, twin, &make] {
        std::unique_ptr<T> form = make();
        if (!form->Load(instance_))
            return std::unique_ptr<T>();
        if (twin)
            form->setOnUnload([this, t = *twin] { face_.windowClosed(t); });
        return form;
    });
}

void AppHost::openWindow(Twin twin)
{
    if (twin == Twin::Clock)
        alarm_.showSettings();
    else
        showForm(Frmoptions_, twin, [this] {
            return std::make_unique<Frmoptions>(services_, programPath());
        });
}

void AppHost::closeWindow(Twin twin)
{
    if (twin == Twin::Clock)
        alarm_.closeSettings();
    else
        Frmoptions_.close();
}

void AppHost::showAbout()
{
    showForm(frmabout_, std::nullopt, [this] { return std::make_unique<frmabout>(services_); });
}

void AppHost::everySecond()
{
    alarm_.onSecond();
    if (Frmoptions* settings = Frmoptions_.get())
        settings->showNow();
}

void AppHost::clockChanged()
{
    alarm_.onTimeChange();
}

void AppHost::notificationClicked()
{
    // To the alert while it is up, else to the alarm it told of.
    if (!alarm_.bringAlertForward())
        face_.openForm(Twin::Clock);
}

void AppHost::resumedAutomatically()
{
    alarm_.onResume();
}

void AppHost::closeOthers()
{
    alarm_.closeSettings();
    frmabout_.close();
    alarm_.closeAlert();
    Frmoptions_.close();
}

void AppHost::faceUnloading()
{
    services_.help->closeAll();
    alarm_.shutdown();
}

void AppHost::endNow()
{
    services_.help->closeAll();
    alarm_.shutdown();
    services_.process->exitNow(0);
}

void AppHost::endSession()
{
    // Windows ends the process soon after this returns: no box, nothing to wait for.
    ModTray::RemoveTrayIcon();
    services_.help->closeAll();
    alarm_.shutdown();
    // The next logon delivers the kept alarm even when the program does not
    // start at logon by itself (no entry, or one switched off in Task Manager).
    // Refused, there is no one left to tell: the session is ending.
    if (alarm_.alarmKept() && !Clsreg(*services_.registry, programPath()).startsAtLogon())
        static_cast<void>(RunOnceEntry(*services_.registry, programPath(), logonShortPath()).write());
    services_.process->exitNow(0);
}

}  // namespace qv
