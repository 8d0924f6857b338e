#pragma once
// The clock face: a borderless, topmost, rounded window in the top-right
// corner that shows the face picture, three hands and the weekday. It is the
// program's one permanent window and owns the tray icon and both menus.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

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
#include "tray/ModTray.h"

namespace qv {

// What the face asks of the program around it: the other windows, the
// once-a-second duties beyond the hands, and the program's end.
struct IFaceOwner {
    virtual void openWindow(Twin twin) = 0;  // the alarm or settings window
    virtual void closeWindow(Twin twin) = 0;
    virtual void showAbout() = 0;
    virtual void everySecond() = 0;
    // The wall clock was set, the time zone changed, or the computer woke.
    virtual void clockChanged() = 0;
    // The computer resumed by itself, maybe for the alarm's wake.
    virtual void resumedAutomatically() = 0;
    // The tray's 退出: every other window goes before the face.
    virtual void closeOthers() = 0;
    // The face is going (its unload), or the face menu's 退出 ends the process now.
    virtual void faceUnloading() = 0;
    virtual void endNow() = 0;
    // Windows is logging off, shutting down or restarting.
    virtual void endSession() = 0;
    // The user clicked the tray notification of a ring.
    virtual void notificationClicked() = 0;
    // Brings an alert that is up forward; false when none is.
    virtual bool bringAlertForward() = 0;

protected:
    ~IFaceOwner() = default;
};

class frmmain final : public Window, public ModTray::ITrayOwner, private AccessibleSource {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmmain";
    // Moves the hands, and carries every other once-a-second duty.
    static constexpr UINT_PTR kTmrmain = 2;
    // Posted by the load: the tray icon, which the first painted face does not need.
    static constexpr UINT kAfterFirstPaint = WM_APP + 1;

    // `onClosed` runs when the window is destroyed (the program quits there).
    // Without an owner the face is only a clock (the benchmarks).
    frmmain(Services services, std::wstring programFolder, IFaceOwner* owner = nullptr,
            std::function<void()> onClosed = {});
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
    // However a window of a pair closed, both its marks clear.
    void windowClosed(Twin twin);
    // Opens the window of a pair, marks set, or brings the open one forward.
    void openForm(Twin twin);

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
    void NotificationClicked() override;

    // Where the face looks for the monitors; tests hand in their own.
    void setMonitorSource(std::function<Monitors()> source) { monitors_ = std::move(source); }

    // Draws the whole face into `dc` (WM_PRINTCLIENT shares it).
    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // A window in sight hides part of the face, or it lost its topmost place.
    bool coveredInZOrder() const;
    bool ownedByFace(HWND window) const;
    // The user is in a full-screen program on the face's monitor, or the
    // shell says the user is presenting: the face stays out of its way.
    bool fullScreenInFront() const;
    void stepAside();
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
    void armTick(int landedAt);
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

    // Screen readers hear a clock with the time and the weekday.
    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;

    Services services_;
    std::wstring programFolder_;
    IFaceOwner* owner_;
    std::function<void()> onClosed_;
    HINSTANCE instance_ = nullptr;

    bool CdDriveFound_ = false;
    int MissingDriveCount_ = 0;
    std::wstring helpFile_;
    std::wstring Lblweek_;
    int shownDate_ = 0;
    HandSet hands_;
    unsigned tickPeriod_ = 0;  // the once-a-second timer's, 0 while none
    int dpi_ = 96;
    std::function<Monitors()> monitors_ = connectedMonitors;
    std::optional<POINT> homing_;    // where the face is being moved back to
    bool homeAfterRestore_ = false;  // lost while minimised
    bool menuOpen_ = false;
    bool shellAsked_ = false;  // from the first paint on: the shell is loaded late

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
    AccessibleHost accessible_{*this};
};

}  // namespace qv
