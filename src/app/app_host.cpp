#include "app/app_host.h"

#include <utility>

#include "platform/module_path.h"
#include "store/Clsreg.h"

namespace qv {

AppHost::AppHost(Services services, std::wstring programFolder, std::function<void()> onClosed,
                 std::wstring programFileName)
    : services_(services),
      programFolder_(std::move(programFolder)),
      programFileName_(programFileName.empty() ? qv::programFileName() : std::move(programFileName)),
      alarm_(services, programFolder_, [this] { face_.windowClosed(Twin::Clock); }),
      face_(services, programFolder_, this, std::move(onClosed))
{
}

AppHost::~AppHost()
{
    // The other windows tell the face of their close; it must still be there.
    closeOthers();
}

bool AppHost::Load(HINSTANCE instance)
{
    instance_ = instance;
    alarm_.attach(instance);
    return face_.Load(instance);
}

bool AppHost::Start(HINSTANCE instance)
{
    if (!Load(instance))
        return false;
    face_.Show();
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
            return std::make_unique<Frmoptions>(services_, runProgramPath(programFolder_, programFileName_));
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

void AppHost::closeOthers()
{
    alarm_.closeSettings();
    frmabout_.close();
    alarm_.closeAlert();
    Frmoptions_.close();
}

void AppHost::faceUnloading()
{
    alarm_.shutdown();
}

void AppHost::endNow()
{
    alarm_.shutdown();
    services_.process->exitNow(0);
}

}  // namespace qv
