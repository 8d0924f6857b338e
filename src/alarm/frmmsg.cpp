#include "alarm/frmmsg.h"

#include <oleacc.h>

#include <utility>

#include "platform/contrast.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/late_bound.h"
#include "platform/screen_units.h"
#include "platform/ui_text.h"

namespace qv {
namespace {

constexpr RECT kLbltime{720, 240, 2295, 255};
constexpr RECT kLbloutall{120, 600, 3255, 735};
constexpr RECT kCmdok{1080, 1440, 1575, 735};
constexpr int kCmdokId = 1;

}  // namespace

frmmsg::frmmsg(Services services, std::wstring tunePath, std::function<void()> onAcknowledge)
    : services_(services), tunePath_(std::move(tunePath)), onAcknowledge_(std::move(onAcknowledge))
{
}

RECT frmmsg::px(const RECT& twips) const
{
    return twipBoxToPixels(twips, dpi());
}

bool frmmsg::Load(HINSTANCE instance)
{
    late::initCommonControls();
    // Topmost: above whatever the user is working in. Showing it brings it
    // to the foreground where Windows lets a program in the background.
    if (!createCentred(instance, kClassName, L"", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 3930,
                       2475, reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1)))
        return false;
    cmdok_ = ::CreateWindowExW(0, L"BUTTON", L"我知道了",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCmdokId)), instance, nullptr);
    layout(dpi());
    ::SetFocus(cmdok_);
    return true;
}

void frmmsg::layout(int dpi)
{
    UniqueHrgn region(::CreateRoundRectRgn(0, 0, scalePixels(250, dpi), scalePixels(150, dpi),
                                           scalePixels(50, dpi), scalePixels(150, dpi)));
    if (region && ::SetWindowRgn(hwnd(), region.get(), TRUE))
        region.release();  // the window owns it now

    UniqueHfont font = createSongti(9, dpi);
    const RECT b = px(kCmdok);
    ::SetWindowPos(cmdok_, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(cmdok_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

void frmmsg::Ring(const std::wstring& message, bool playTune)
{
    lbltime_ = L"你好现在是:" + systemTimeText(services_.clock->now());
    lbloutall_ = L"你现在要做的事情是:" + message;
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    // Screen readers speak an alert when told; a renewed one is spoken again.
    ::NotifyWinEvent(EVENT_SYSTEM_ALERT, hwnd(), OBJID_CLIENT, CHILDID_SELF);
    stopTune();
    if (playTune) {
        // Queued: opening the sequencer can take a while, and may fail (no
        // sound device, no file); the window carries on either way.
        services_.tune->send(L"open \"" + tunePath_ + L"\" type sequencer alias " + kTuneAlias);
        services_.tune->send(std::wstring(L"play ") + kTuneAlias);
        tuneOpen_ = true;
    }
}

void frmmsg::stopTune()
{
    if (tuneOpen_)
        services_.tune->send(std::wstring(L"close ") + kTuneAlias);
    tuneOpen_ = false;
}

long frmmsg::accessibleRole() const
{
    return ROLE_SYSTEM_ALERT;
}

std::optional<std::wstring> frmmsg::accessibleName() const
{
    return lbltime_ + L" " + lbloutall_;
}

LRESULT frmmsg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> answered = accessible_.onMessage(hwnd(), msg, wParam, lParam))
        return *answered;
    switch (msg) {
    case WM_PAINT: {
        PaintDc p(hwnd());
        SaveDcGuard save(p.dc());
        ::SelectObject(p.dc(), font_.get());
        useLabelColours(p.dc(), ::GetSysColor(COLOR_WINDOWTEXT));
        RECT t = px(kLbltime), m = px(kLbloutall);
        ::DrawTextW(p.dc(), lbltime_.c_str(), static_cast<int>(lbltime_.size()), &t,
                    DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        // Long reminders wrap and are cut at the box; the window does not grow.
        ::DrawTextW(p.dc(), lbloutall_.c_str(), static_cast<int>(lbloutall_.size()), &m,
                    DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            ::SetFocus(cmdok_);
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(kCmdokId, DC_HASDEFID);  // Enter presses "我知道了"
    case WM_COMMAND:
        // Esc too, as a message box with one button takes it.
        if ((LOWORD(wParam) == kCmdokId || LOWORD(wParam) == IDCANCEL) && HIWORD(wParam) == BN_CLICKED &&
            onAcknowledge_)
            onAcknowledge_();
        return 0;
    case WM_CLOSE:
        // Alt+F4 and the like acknowledge it; nothing closes it unseen.
        if (onAcknowledge_)
            onAcknowledge_();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            return 0;  // without a taskbar button it could not be found again
        break;
    case WM_DESTROY:
        stopTune();
        break;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
