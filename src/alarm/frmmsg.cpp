#include "alarm/frmmsg.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

#include "alarm/reminder_text.h"
#include "core/screen_units.h"
#include "platform/contrast.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/late_bound.h"
#include "platform/ui_text.h"

namespace qv {
namespace {

constexpr RECT kLbltime{720, 240, 2295, 255};
constexpr RECT kLbloutall{120, 600, 3255, 735};
constexpr RECT kCmdok{1080, 1440, 1575, 735};
constexpr int kCmdokId = 1;
constexpr UINT kTuneResult = WM_APP + 1;
constexpr UINT_PTR kStandInTimer = 1;
constexpr UINT kStandInRepeatMs = 2000;
constexpr UINT kOutallFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
constexpr std::size_t kTipLines = 16;

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
    // The button takes the focus when the window is activated, not before:
    // a focus set now would activate a window meant to open quietly.
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
    fitOutall();
}

std::wstring frmmsg::outall() const
{
    return due_.empty() ? lbloutall_ : due_ + L"\r\n" + lbloutall_;
}

void frmmsg::fitOutall()
{
    const RECT box = px(kLbloutall);
    const std::wstring whole = outall();
    {
        const WindowDc dc(hwnd());
        SaveDcGuard save(dc.dc());
        ::SelectObject(dc.dc(), font_.get());
        shownOutall_ = fitWithEllipsis(whole, [&](const std::wstring& text) {
            RECT r = box;
            ::DrawTextW(dc.dc(), text.c_str(), static_cast<int>(text.size()), &r, kOutallFormat | DT_CALCRECT);
            return r.bottom <= box.bottom && r.right <= box.right;
        });
    }
    const bool cut = shownOutall_ != whole;
    if (cut || tip_)
        updateTip(box, cut);
}

void frmmsg::updateTip(const RECT& box, bool cut)
{
    if (!tip_)
        tip_ = createTip(hwnd(), nullptr, L"", &box);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = hwnd();
    ti.uId = 1;
    ti.rect = box;
    ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    // Broken into lines here, at a readable width and few enough to stay on
    // the screen: the tip itself breaks only at blanks.
    const int width = scalePixels(320, dpi());
    std::wstring text;
    {
        const WindowDc dc(tip_);
        SelectGuard font(dc.dc(), reinterpret_cast<HGDIOBJ>(::SendMessageW(tip_, WM_GETFONT, 0, 0)));
        text = wrapLines(outall(), [&](const std::wstring& line) {
            SIZE size{};
            ::GetTextExtentPoint32W(dc.dc(), line.c_str(), static_cast<int>(line.size()), &size);
            return size.cx <= width;
        }, kTipLines);
    }
    ti.lpszText = text.data();
    ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, width + scalePixels(16, dpi()));
    ::SendMessageW(tip_, TTM_ACTIVATE, cut, 0);
}

void frmmsg::Ring(const std::wstring& message, bool playTune, const std::wstring& due)
{
    lbltime_ = L"你好现在是:" + systemTimeText(services_.clock->now());
    lbloutall_ = L"你现在要做的事情是:" + message;
    due_ = due;
    fitOutall();
    // Greyed, it shows that it is not yet to be clicked. Disabled with the
    // focus it would leave none: the window holds the keyboard meanwhile.
    if (::GetFocus() == cmdok_)
        ::SetFocus(hwnd());
    ::EnableWindow(cmdok_, FALSE);
    ::SetTimer(hwnd(), kSettleTimer, static_cast<UINT>(kKeysAfterMs), nullptr);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    if (::GetActiveWindow() == hwnd())
        keysFrom_ = services_.clock->steadyMs() + kKeysAfterMs;
    // Screen readers speak an alert when told; a renewed one is spoken again.
    ::NotifyWinEvent(EVENT_SYSTEM_ALERT, hwnd(), OBJID_CLIENT, CHILDID_SELF);
    stopTune();
    if (playTune) {
        // Queued: opening the sequencer can take a while, and may fail (no
        // sound device, no MIDI device, no file); the results come back
        // to the window, which then sounds the alarm sound instead.
        ++ringCount_;
        services_.tune->sendReporting(L"open \"" + tunePath_ + L"\" type sequencer alias " + kTuneAlias, hwnd(),
                                      kTuneResult, ringCount_);
        services_.tune->sendReporting(std::wstring(L"play ") + kTuneAlias, hwnd(), kTuneResult, ringCount_);
        tuneOpen_ = true;
    }
}

void frmmsg::onTuneResult(unsigned long result, LPARAM tag)
{
    if (result == 0 || tag != ringCount_ || !tuneOpen_ || standIn_)
        return;
    standIn_ = true;
    services_.sound->play();
    ::SetTimer(hwnd(), kStandInTimer, kStandInRepeatMs, nullptr);
}

void frmmsg::stopTune()
{
    if (tuneOpen_)
        services_.tune->send(std::wstring(L"close ") + kTuneAlias);
    tuneOpen_ = false;
    if (standIn_) {
        ::KillTimer(hwnd(), kStandInTimer);
        services_.sound->stop();
        standIn_ = false;
    }
}

bool frmmsg::holdsBackKey(const MSG& msg)
{
    if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd))
        return false;
    const bool settled = services_.clock->steadyMs() >= keysFrom_;
    const std::size_t key = msg.wParam & 0xFF;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // A repeat is a key held down from before: never a deliberate press.
        if (settled && !(msg.lParam & (1L << 30))) {
            keysDown_.set(key);
            return false;
        }
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool pressedHere = keysDown_.test(key);
        keysDown_.reset(key);
        return !pressedHere;
    }
    default:
        return !settled;
    }
}

long frmmsg::accessibleRole() const
{
    return ROLE_SYSTEM_ALERT;
}

std::optional<std::wstring> frmmsg::accessibleName() const
{
    return lbltime_ + L" " + (due_.empty() ? lbloutall_ : due_ + L" " + lbloutall_);
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
        // Long reminders wrap and end in "…" at the box; the window does not grow.
        ::DrawTextW(p.dc(), shownOutall_.c_str(), static_cast<int>(shownOutall_.size()), &m, kOutallFormat);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            // Until the button is ready the window itself holds the keyboard.
            ::SetFocus(::IsWindowEnabled(cmdok_) ? cmdok_ : hwnd());
            keysFrom_ = services_.clock->steadyMs() + kKeysAfterMs;
            keysDown_.reset();
        }
        return 0;
    case kTuneResult:
        onTuneResult(static_cast<unsigned long>(wParam), lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kStandInTimer && standIn_)
            services_.sound->play();
        if (wParam == kSettleTimer) {
            ::KillTimer(hwnd(), kSettleTimer);
            ::EnableWindow(cmdok_, TRUE);
            if (::GetActiveWindow() == hwnd())
                ::SetFocus(cmdok_);
        }
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(kCmdokId, DC_HASDEFID);  // Enter presses "我知道了"
    case WM_COMMAND:
        // Esc too, as a message box with one button takes it.
        if ((LOWORD(wParam) == kCmdokId || LOWORD(wParam) == IDCANCEL) && HIWORD(wParam) == BN_CLICKED &&
            ::IsWindowEnabled(cmdok_) && onAcknowledge_)
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
