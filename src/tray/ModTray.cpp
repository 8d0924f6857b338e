#include "tray/ModTray.h"

#include <cwchar>
#include <iterator>
#include <optional>
#include <utility>

#include "core/datetext.h"
#include "platform/services.h"
#include "tray/tray_route.h"

namespace ModTray {
namespace {

ITrayOwner* TrayOwner = nullptr;
HMENU TrayPopup = nullptr;
WNDPROC PrevWndProc = nullptr;
NOTIFYICONDATAW TrayDataRecord{};
bool iconPresent = false;  // the shell said yes
bool iconMayShow = false;  // an add was tried since the last delete
bool tipSet = false;
// Asked for before the icon was up: its texts only, as the record they go
// in is filled when the icon is added.
std::optional<std::pair<std::wstring, std::wstring>> pendingBalloon;
int failures = 0;
qv::ITrayShell* shell = nullptr;
UINT taskbarCreated = 0;
qv::TrayFollowUps followUps;

// A text into one of the record's fixed fields, cut to fit and padded with NULs.
template <std::size_t N>
void setField(wchar_t (&field)[N], const std::wstring& text)
{
    const std::wstring fitted = qv::fitToField(text, N);
    std::wmemset(field, L'\0', N);
    std::wmemcpy(field, fitted.c_str(), fitted.size());
}

qv::ITrayShell& theShell()
{
    if (!shell)
        shell = qv::realServices().tray;
    return *shell;
}

bool sendBalloon(const std::wstring& title, const std::wstring& text)
{
    NOTIFYICONDATAW info = TrayDataRecord;
    info.uFlags = NIF_INFO;
    setField(info.szInfoTitle, title);
    setField(info.szInfo, text);
    info.dwInfoFlags = NIIF_INFO;
    return theShell().notifyIcon(NIM_MODIFY, info);
}

// `mayExist`: the icon may be up already (an add answered too late, a
// shell that kept it); a modify finds it without a second icon.
void addIcon(bool mayExist)
{
    // Under version 4 the shell shows the tip only when asked to.
    TrayDataRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP | (tipSet ? NIF_TIP : 0u);
    iconMayShow = true;
    iconPresent = (mayExist && theShell().notifyIcon(NIM_MODIFY, TrayDataRecord)) ||
                  theShell().notifyIcon(NIM_ADD, TrayDataRecord);
    if (iconPresent) {
        // Asked for each icon the shell has, however it got there: the
        // keyboard's select and menu key come only with version 4. A shell
        // that refuses keeps sending the mouse releases, which route as before.
        TrayDataRecord.uVersion = NOTIFYICON_VERSION_4;
        theShell().notifyIcon(NIM_SETVERSION, TrayDataRecord);
        TrayDataRecord.uVersion = 0;
        if (pendingBalloon) {
            sendBalloon(pendingBalloon->first, pendingBalloon->second);
            pendingBalloon.reset();
        }
    }
    if (!TrayOwner)
        return;
    if (iconPresent) {
        failures = 0;
        ::KillTimer(TrayOwner->hwnd(), kRetryTimer);
    } else {
        // At logon the notification area may not be there yet: try again,
        // as well as when the shell announces itself.
        ::SetTimer(TrayOwner->hwnd(), kRetryTimer, qv::trayRetryDelayMs(++failures), nullptr);
    }
}

}  // namespace

void SetShell(qv::ITrayShell* s)
{
    shell = s;
}

void AddTrayIcon(ITrayOwner& form, HMENU menu)
{
    TrayOwner = &form;
    TrayPopup = menu;
    // The shell broadcasts this when it (re)starts, e.g. after explorer crashed.
    taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");

    PrevWndProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWndProc)));

    TrayDataRecord = NOTIFYICONDATAW{};
    TrayDataRecord.cbSize = sizeof TrayDataRecord;
    TrayDataRecord.hWnd = form.hwnd();
    TrayDataRecord.uID = 0;
    TrayDataRecord.hIcon = form.Image1();
    TrayDataRecord.uCallbackMessage = qv::WM_TRAYICON;
    tipSet = false;
    failures = 0;
    followUps = {};
    addIcon(false);
}

void SetTrayTip(const std::wstring& text)
{
    setField(TrayDataRecord.szTip, text);
    tipSet = true;
    // An icon not up yet gets the tip with it when it is added.
    if (!iconPresent)
        return;
    TrayDataRecord.uFlags = NIF_TIP | NIF_SHOWTIP;
    theShell().notifyIcon(NIM_MODIFY, TrayDataRecord);
}

void ShowBalloon(const std::wstring& title, const std::wstring& text)
{
    // At start (a missed alarm) the icon may not be up yet: it comes with it.
    if (!iconPresent || !sendBalloon(title, text))
        pendingBalloon.emplace(title, text);
}

void RemoveTrayIcon()
{
    // Deleted even when the add was refused: the icon may have come up
    // anyway, and would stay as a ghost until the mouse passed over it.
    if (iconMayShow) {
        TrayDataRecord.uFlags = 0;
        theShell().notifyIcon(NIM_DELETE, TrayDataRecord);
        iconMayShow = iconPresent = false;
    }
    pendingBalloon.reset();
    if (TrayOwner)
        ::KillTimer(TrayOwner->hwnd(), kRetryTimer);
    if (PrevWndProc && TrayOwner) {
        ::SetWindowLongPtrW(TrayOwner->hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
        PrevWndProc = nullptr;
    }
    TrayOwner = nullptr;
    TrayPopup = nullptr;
    TrayDataRecord = NOTIFYICONDATAW{};  // as a new process finds it
}

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Saved first: a command run from the menu may remove the icon and with it
    // this procedure before the call below returns.
    const WNDPROC prev = PrevWndProc;
    if (TrayOwner && msg == WM_TIMER && wParam == kRetryTimer) {
        ::KillTimer(hwnd, kRetryTimer);
        addIcon(true);
        return 0;
    }
    if (TrayOwner) {
        const qv::TrayAction action =
            qv::routeTrayMessage(msg, static_cast<std::uintptr_t>(lParam), TrayOwner->WindowState(),
                                 taskbarCreated, followUps);
        switch (action) {
        case qv::TrayAction::Restore:
            TrayOwner->SetWindowState(TrayOwner->lastState());
            TrayOwner->SetFocus();
            return 0;
        case qv::TrayAction::Popup:
            TrayOwner->PopupMenu(TrayPopup);
            return 0;
        case qv::TrayAction::KeyPopup: {
            // Version 4 puts the icon's place in wParam.
            const POINT at{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
            // Escaped from, the menu hands the keyboard back to the icons;
            // a command may have removed the icon, and this procedure with it.
            if (!TrayOwner->PopupMenuAt(TrayPopup, at) && TrayOwner) {
                TrayDataRecord.uFlags = 0;
                theShell().notifyIcon(NIM_SETFOCUS, TrayDataRecord);
            }
            return 0;
        }
        case qv::TrayAction::NotificationClick:
            TrayOwner->NotificationClicked();
            return 0;
        case qv::TrayAction::ReAdd:
            // Sent after a shell restart, which took the icon, and also when
            // the taskbar's DPI changes, which kept it: a modify tells.
            failures = 0;
            addIcon(true);
            return 0;
        case qv::TrayAction::PassOn:
            break;
        }
    }
    if (!prev)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    return ::CallWindowProcW(prev, hwnd, msg, wParam, lParam);
}

const NOTIFYICONDATAW& TrayData()
{
    return TrayDataRecord;
}

bool IconPresent()
{
    return iconPresent;
}

}  // namespace ModTray
