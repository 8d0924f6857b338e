#pragma once
// The clock face: a borderless, topmost, rounded window in the top-right
// corner that shows the face picture, three hands and the weekday. It is the
// program's one permanent window and owns the tray icon and both menus.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "about/frmabout.h"
#include "alarm/alarm_host.h"
#include "face/face_layout.h"
#include "face/hands.h"
#include "face/menus.h"
#include "face/screen_home.h"
#include "face/twin_marks.h"
#include "platform/accessible.h"
#include "platform/form.h"
#include "platform/gdi.h"
#include "platform/monitors.h"
#include "platform/services.h"
#include "platform/unique_handle.h"
#include "platform/window.h"
#include "settings/Frmoptions.h"
#include "tray/ModTray.h"

namespace qv {

class frmmain final : public Window, public ModTray::ITrayOwner, private AccessibleSource {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmmain";
    // Moves the hands, and carries every other once-a-second duty.
    static constexpr UINT_PTR kTmrmain = 2;
    // Posted by the load: the tray icon, which the first painted face does not need.
    static constexpr UINT kAfterFirstPaint = WM_APP + 1;

    // `onClosed` runs when the window is destroyed (the program quits there).
    frmmain(Services services, std::wstring programFolder, std::function<void()> onClosed = {},
            std::wstring programFileName = {});
    ~frmmain() override;

    // Creates the window and runs the start-up sequence; the window stays hidden.
    bool Load(HINSTANCE instance);
    void Show();

    void clock();
    void Ontop();
    int LastState = 0;

    // A second copy of the program posts this to bring the face forward.
    static UINT showFaceMessage();

    void onMenuCommand(MenuId id);
    bool checked(Twin twin) const { return marks_.checked(twin); }

    // The alarm lives in its host; the face carries its timer and forwards.
    const AlarmController& alarm() const { return alarm_.alarm(); }
    bool TmrclockEnabled() const { return alarm_.TmrclockEnabled(); }
    frmclock* alarmWindow() const { return alarm_.alarmWindow(); }
    frmmsg* alertWindow() const { return alarm_.alertWindow(); }
    Frmoptions* settingsWindow() const { return Frmoptions_.get(); }

    // What the face shows, for the tray module and for tests.
    bool CdDriveFound() const { return CdDriveFound_; }
    int MissingDriveCount() const { return MissingDriveCount_; }
    const std::wstring& helpFile() const { return helpFile_; }
    const std::wstring& Lblweek() const { return Lblweek_; }
    const HandSet& hands() const { return hands_; }
    HMENU mune() const { return mune_.get(); }
    HMENU Tray() const { return Tray_.get(); }
    HWND tooltip() const { return tooltip_; }
    int dpi() const { return dpi_; }
    RECT lblweekRect() const;

    // ModTray::ITrayOwner
    HWND hwnd() const override { return Window::hwnd(); }
    int WindowState() const override;
    void SetWindowState(int state) override;
    int lastState() const override { return LastState; }
    HICON Image1() const override { return Image1_.get(); }
    void SetFocus() override;
    void PopupMenu(HMENU menu) override;
    bool PopupMenuAt(HMENU menu, POINT at) override;

    // Where the face looks for the monitors; tests hand in their own.
    void setMonitorSource(std::function<Monitors()> source) { monitors_ = std::move(source); }

    // Draws the whole face into `dc` (WM_PRINTCLIENT shares it).
    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Some visible window is above the face, or it lost its topmost place.
    bool coveredInZOrder() const;
    void buildMenus();
    bool runMenu(HMENU menu, const POINT* at);
    // The face's own menu; from the keyboard it opens at the face's centre.
    void showFaceMenu(bool fromKeyboard);
    void afterFirstPaint();
    void createTooltip();
    void applyDpi(int dpi);
    void shapeWindow();
    void placeWindow();
    void keepOnScreen();
    void scanDrives();
    void setHands(const LocalTime& t);
    void showDate(const LocalTime& t);
    void tick();
    void armTick(int millisecond);
    bool inLblweek(POINT clientPx) const;
    void onMouseMove(POINT clientPx, UINT msg, WPARAM wParam, LPARAM lParam);
    void unload();
    void setShowfrmmainCaption(int windowState);
    void hideFace();
    void toggleFace();
    void toggleForm(Twin twin);
    void toggleDoor();
    void syncMarks(Twin twin);
    void quit();
    template <class T, class Make>
    T* showForm(FormSlot<T>& slot, std::optional<Twin> twin, Make make);

    // Screen readers hear a clock with the time and the weekday.
    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;

    Services services_;
    std::wstring programFolder_;
    std::wstring programFileName_;
    std::function<void()> onClosed_;
    HINSTANCE instance_ = nullptr;

    bool CdDriveFound_ = false;
    int MissingDriveCount_ = 0;
    std::wstring helpFile_;
    std::wstring Lblweek_;
    int shownDate_ = 0;
    HandSet hands_;
    int dpi_ = 96;
    std::function<Monitors()> monitors_ = connectedMonitors;
    std::optional<POINT> homing_;    // where the face is being moved back to
    bool homeAfterRestore_ = false;  // lost while minimised

    UniqueHmenu mune_;
    UniqueHmenu Tray_;
    UniqueHicon Image1_;
    HWND tooltip_ = nullptr;  // owned by the face: destroyed with it

    // Drawing objects, made once per DPI so that a tick allocates nothing.
    Canvas facePicture_;  // the picture at the window's size
    Canvas back_;         // where a paint is put together
    UniqueHpen Linsec_, Linmin_, Linhou_;
    UniqueHfont font_;

    TwinMarks marks_;
    AlarmHost alarm_;
    FormSlot<Frmoptions> Frmoptions_;
    FormSlot<frmabout> frmabout_;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
