#include "about/frmabout.h"

#include <commctrl.h>
#include <oleacc.h>

#include "core/screen_units.h"
#include "platform/contrast.h"
#include "platform/decode.h"
#include "platform/gdi.h"
#include "platform/late_bound.h"
#include "platform/ui_text.h"
#include "qv_version.h"
#include "resource.h"

namespace qv {
namespace {

constexpr int kPictureWidth = 350, kPictureHeight = 250;
constexpr wchar_t kMailCaption[] = L"给我发邮件";

// A box of the 96-DPI layout at `dpi`.
RECT toRect(const PxBox& b, int dpi = 96)
{
    return RECT{scalePixels(b.left, dpi), scalePixels(b.top, dpi), scalePixels(b.right, dpi),
                scalePixels(b.bottom, dpi)};
}

}  // namespace

HRGN MakeRegion(int dpi)
{
    HRGN result = ::CreateRectRgn(0, 0, 0, 0);
    const RECT c = toRect(kAboutCircle, dpi), p = toRect(kAboutPanel, dpi);
    HRGN circle = ::CreateEllipticRgn(c.left, c.top, c.right, c.bottom);
    ::CombineRgn(result, result, circle, RGN_OR);
    ::DeleteObject(circle);
    HRGN panel = ::CreateRectRgn(p.left, p.top, p.right, p.bottom);
    ::CombineRgn(result, result, panel, RGN_OR);
    ::DeleteObject(panel);
    return result;
}

bool frmabout::Load(HINSTANCE instance)
{
    late::initCommonControls();
    if (!createCentred(instance, kClassName, L"关于", WS_POPUP, WS_EX_TOOLWINDOW, 5325, 3795,
                       reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1)))
        return false;
    picture_.reset(static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP,
                                                     0, 0, LR_CREATEDIBSECTION)));
    hand_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND));
    tooltip_ = createTip(hwnd(), instance, kMailCaption);
    layout(dpi());
    return true;
}

void frmabout::layout(int dpi)
{
    // The system owns the region once the window has it.
    ::SetWindowRgn(hwnd(), MakeRegion(dpi), TRUE);
    font_ = createSongti(12, dpi, FW_BOLD);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = hwnd();
    ti.uId = 1;
    ti.rect = toRect(kAboutImage1, dpi);
    ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

frmabout::Target frmabout::targetAt(POINT at) const
{
    // The shape and the boxes are those of the 96-DPI layout.
    const POINT p{unscalePixels(at.x, dpi()), unscalePixels(at.y, dpi())};
    if (inBox(kAboutImage1, p.x, p.y))
        return Target::Image1;
    if (inBox(kAboutLabel1, p.x, p.y))
        return Target::Label1;
    return insideAboutShape(p.x, p.y) ? Target::Window : Target::None;
}

void frmabout::paint(HDC dc)
{
    if (picture_) {
        UniqueHdc mem(::CreateCompatibleDC(dc));
        SelectGuard select(mem.get(), picture_.get());
        const int w = scalePixels(kPictureWidth, dpi()), h = scalePixels(kPictureHeight, dpi());
        if (w == kPictureWidth) {
            ::BitBlt(dc, 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
            ::StretchBlt(dc, 0, 0, w, h, mem.get(), 0, 0, kPictureWidth, kPictureHeight, SRCCOPY);
        }
    }
    SaveDcGuard save(dc);
    ::SelectObject(dc, font_.get());
    useLabelColours(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    RECT label = toRect(kAboutLabel1, dpi());
    ::DrawTextW(dc, QV_VERSION_TEXT, -1, &label, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    RECT link = toRect(kAboutImage1, dpi());
    if (pressed_ == Target::Image1)
        ::FrameRect(dc, &link, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (focusCue_ && ::GetFocus() == hwnd()) {
        ::InflateRect(&link, -2, -2);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &link);
    }
}

void frmabout::redrawLink()
{
    const RECT r = toRect(kAboutImage1, dpi());
    ::InvalidateRect(hwnd(), &r, TRUE);
}

void frmabout::openMail()
{
    services_.shell->open(hwnd(), kContactMailto);  // the window stays
}

long frmabout::accessibleRole() const
{
    return ROLE_SYSTEM_CLIENT;
}

AccessibleSource::Element frmabout::element(long) const
{
    // The window's keyboard focus is the link's: it is all there is to act on.
    const long state = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE |
                       (::GetFocus() == hwnd() ? STATE_SYSTEM_FOCUSED : 0);
    return {ROLE_SYSTEM_LINK, state, kMailCaption, kContactMailto, L"跳转", toRect(kAboutImage1, dpi())};
}

void frmabout::doElementAction(long)
{
    openMail();
}

LRESULT frmabout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> answered = accessible_.onMessage(hwnd(), msg, wParam, lParam))
        return *answered;
    switch (msg) {
    case WM_PAINT: {
        PaintDc p(hwnd());
        paint(p.dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && hand_) {
            ::SetCursor(hand_);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        pressed_ = targetAt(pointFromLParam(lParam));
        ::SetCapture(hwnd());
        if (pressed_ == Target::Image1)
            redrawLink();
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const Target pressed = pressed_;
        pressed_ = Target::None;
        if (::GetCapture() == hwnd())
            ::ReleaseCapture();
        const Target released = targetAt(pointFromLParam(lParam));
        if (pressed == Target::Image1)
            redrawLink();
        if (pressed != released)
            return 0;  // a click is a press and release on the same thing
        if (released == Target::Image1)
            openMail();
        else if (released == Target::Window)
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return 0;
    }
    case WM_COMMAND:
        // The dialog keys: Esc closes as a click on the window does, Enter opens the link.
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return 0;
        }
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            openMail();
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTTAB;  // no child takes Tab: it lands on the link here
    case WM_KEYDOWN:
        if (wParam != VK_TAB)
            break;
        if (!focusCue_) {
            focusCue_ = true;  // shown once the keyboard is used, as dialogs do
            redrawLink();
        }
        return 0;
    case WM_SETFOCUS:
        redrawLink();
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, 1);
        return 0;
    case WM_KILLFOCUS:
        redrawLink();
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed_ == Target::Image1)
            redrawLink();
        if (reinterpret_cast<HWND>(lParam) != hwnd())
            pressed_ = Target::None;
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
