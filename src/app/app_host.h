#pragma once
// The program's life: the start-up sequence, the face and the windows it
// opens, the once-a-second duties and the end. The face stays a clock face.

#include <windows.h>

#include <functional>
#include <string>

#include "about/frmabout.h"
#include "alarm/alarm_host.h"
#include "face/frmmain.h"
#include "platform/form.h"
#include "platform/services.h"
#include "settings/Frmoptions.h"

namespace qv {

class AppHost final : private IFaceOwner {
public:
    // `onClosed` runs when the face is destroyed (the program quits there).
    AppHost(Services services, std::wstring programFolder, std::function<void()> onClosed = {},
            std::wstring programFileName = {});
    ~AppHost();
    AppHost(const AppHost&) = delete;
    AppHost& operator=(const AppHost&) = delete;

    // Creates the face and runs the start-up sequence, the face still
    // hidden; false when the face could not be made.
    bool Load(HINSTANCE instance);
    // Load, then the face shows.
    bool Start(HINSTANCE instance);

    frmmain& face() { return face_; }
    const AlarmController& alarm() const { return alarm_.alarm(); }
    bool TmrclockEnabled() const { return alarm_.TmrclockEnabled(); }
    bool alarmKept() const { return alarm_.alarmKept(); }
    frmclock* alarmWindow() const { return alarm_.alarmWindow(); }
    frmmsg* alertWindow() const { return alarm_.alertWindow(); }
    Frmoptions* settingsWindow() const { return Frmoptions_.get(); }

private:
    // IFaceOwner
    void openWindow(Twin twin) override;
    void closeWindow(Twin twin) override;
    void showAbout() override;
    void everySecond() override;
    void clockChanged() override;
    void resumedAutomatically() override;
    void closeOthers() override;
    void faceUnloading() override;
    void endNow() override;
    void endSession() override;
    void notificationClicked() override;
    bool bringAlertForward() override { return alarm_.bringAlertForward(); }
    std::wstring programPath() const;
    // The short form of the program path, only where the path is too long
    // for a one-time logon command; empty otherwise.
    std::wstring logonShortPath() const;

    bool loadFace(HINSTANCE instance);
    template <class T, class Make>
    T* showForm(FormSlot<T>& slot, std::optional<Twin> twin, Make make);

    Services services_;
    std::wstring programFolder_;
    std::wstring programFileName_;
    HINSTANCE instance_ = nullptr;

    AlarmHost alarm_;
    FormSlot<Frmoptions> Frmoptions_;
    FormSlot<frmabout> frmabout_;
    frmmain face_;  // last: it goes first, while what its unload reaches is whole
};

}  // namespace qv
