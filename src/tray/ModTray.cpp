#include "tray/ModTray.h"

#include <cwchar>
#include <iterator>

#include "app/datetext.h"
#include "platform/services.h"
#include "tray/tray_route.h"

namespace ModTray {
namespace {

ITrayOwner* TrayOwner = nullptr;
HMENU TrayPopup = nullptr;
WNDPROC PrevWndProc = nullptr;
NOTIFYICONDATAW TrayDataRecord{};
bool iconPresent = false;
qv::ITrayShell* shell = nullptr;
UINT taskbarCreated = 0;

qv::ITrayShell& theShell()
{
    if (!shell)
        shell = qv::realServices().tray;
    return *shell;
}

void addIcon(UINT flags)
{
    TrayDataRecord.uFlags = flags;
    iconPresent = theShell().notifyIcon(NIM_ADD, TrayDataRecord);
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
    addIcon(NIF_MESSAGE | NIF_ICON);
}

void SetTrayTip(const std::wstring& text)
{
    const std::wstring tip = qv::fitToField(text, std::size(TrayDataRecord.szTip));
    std::wmemset(TrayDataRecord.szTip, L'\0', std::size(TrayDataRecord.szTip));
    std::wmemcpy(TrayDataRecord.szTip, tip.c_str(), tip.size());
    TrayDataRecord.uFlags = NIF_TIP;
    theShell().notifyIcon(NIM_MODIFY, TrayDataRecord);
}

void RemoveTrayIcon()
{
    if (iconPresent) {
        TrayDataRecord.uFlags = 0;
        theShell().notifyIcon(NIM_DELETE, TrayDataRecord);
        iconPresent = false;
    }
    if (PrevWndProc && TrayOwner) {
        ::SetWindowLongPtrW(TrayOwner->hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
        PrevWndProc = nullptr;
    }
    TrayOwner = nullptr;
    TrayPopup = nullptr;
}

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Saved first: a command run from the menu may remove the icon and with it
    // this procedure before the call below returns.
    const WNDPROC prev = PrevWndProc;
    if (TrayOwner) {
        const qv::TrayAction action = qv::routeTrayMessage(
            msg, static_cast<std::uintptr_t>(lParam), TrayOwner->WindowState(), taskbarCreated);
        switch (action) {
        case qv::TrayAction::Restore:
            TrayOwner->SetWindowState(TrayOwner->lastState());
            TrayOwner->SetFocus();
            return 0;
        case qv::TrayAction::Popup:
            TrayOwner->PopupMenu(TrayPopup);
            return 0;
        case qv::TrayAction::ReAdd:
            addIcon(NIF_MESSAGE | NIF_ICON | NIF_TIP);
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
