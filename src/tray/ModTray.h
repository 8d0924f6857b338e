#pragma once
// The notification-area icon: one per process, owned by the face window.
// The icon's mouse and keyboard notifications (version 4 of the shell's
// protocol) reach the owner through TrayWndProc, which is put in front of
// the owner's window procedure.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace qv {
struct ITrayShell;
}

namespace ModTray {

// What the icon needs from its owner window.
struct ITrayOwner {
    virtual HWND hwnd() const = 0;
    virtual int WindowState() const = 0;  // 0 normal, 1 minimised, 2 maximised
    virtual void SetWindowState(int state) = 0;
    virtual int lastState() const = 0;   // the state a left click restores
    virtual HICON Image1() const = 0;    // the icon's picture
    virtual void SetFocus() = 0;
    // Shows `menu` at the mouse position and runs the chosen command.
    virtual void PopupMenu(HMENU menu) = 0;
    // The same at `at` (screen pixels), for a menu asked for from the
    // keyboard; false when the user chose nothing.
    virtual bool PopupMenuAt(HMENU menu, POINT at) = 0;
    // The user clicked the icon's notification.
    virtual void NotificationClicked() = 0;

protected:
    ~ITrayOwner() = default;
};

// The owner's timer that retries an icon the shell refused.
inline constexpr UINT_PTR kRetryTimer = 3;

// Where Shell_NotifyIconW calls go; the real shell unless a test says otherwise.
void SetShell(qv::ITrayShell* shell);

void AddTrayIcon(ITrayOwner& form, HMENU menu);
void SetTrayTip(const std::wstring& text);
// A notification from the icon; it also stays in the system's notification
// history. Asked for before the icon is up, it comes with the icon. The
// text field holds kBalloonTextLimit characters.
inline constexpr std::size_t kBalloonTextLimit = 255;
void ShowBalloon(const std::wstring& title, const std::wstring& text);
// Safe to call again: the icon is deleted once, the procedure put back once.
void RemoveTrayIcon();

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The record of the last Shell_NotifyIconW call, and whether the icon is up.
const NOTIFYICONDATAW& TrayData();
bool IconPresent();

}  // namespace ModTray
