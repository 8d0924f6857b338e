#include "platform/picture_button.h"

#include <oleacc.h>

#include "core/picture_button_rules.h"
#include "core/screen_units.h"
#include "platform/decode.h"
#include "platform/dpi.h"
#include "platform/gdi.h"

namespace qv {

bool PictureButton::Create(HINSTANCE instance, HWND parent, int xPx, int yPx, Looks looks,
                           const wchar_t* name, std::function<void()> onClick)
{
    instance_ = instance;
    looks_ = looks;
    onClick_ = std::move(onClick);
    registerClass(instance, L"qorvane.PictureButton");
    if (!create(instance, L"qorvane.PictureButton", name, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, xPx, yPx, 1, 1, parent))
        return false;
    dpi_ = dpiForWindow(hwnd());
    setPicture(looks.normal);
    return true;
}

void PictureButton::setPicture(int resource)
{
    picture_ = resource;
    bitmap_.reset(static_cast<HBITMAP>(::LoadImageW(instance_, MAKEINTRESOURCEW(resource),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (bitmap_)
        ::GetObjectW(bitmap_.get(), sizeof info, &info);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, scalePixels(info.bmWidth, dpi_),
                   scalePixels(info.bmHeight, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureButton::place(int xPx, int yPx, int dpi)
{
    dpi_ = dpi;
    ::SetWindowPos(hwnd(), nullptr, xPx, yPx, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    setPicture(picture_);
}

void PictureButton::enable(bool enabled)
{
    ::EnableWindow(hwnd(), enabled);
    if (!enabled)
        border_ = spaceHeld_ = false;
}

void PictureButton::press()
{
    border_ = true;
    ::SetCapture(hwnd());
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureButton::release(LPARAM lParam)
{
    const bool wasPressed = border_;
    border_ = false;
    if (::GetCapture() == hwnd())
        ::ReleaseCapture();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    const POINT p = pointFromLParam(lParam);
    if (wasPressed && ::PtInRect(&rc, p))
        click();
}

void PictureButton::click()
{
    if (onClick_)
        onClick_();  // may close the window: nothing of this object is used after it
}

long PictureButton::accessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

std::optional<std::wstring> PictureButton::defaultAction() const
{
    if (!::IsWindowEnabled(hwnd()))
        return std::nullopt;
    return L"按下";
}

void PictureButton::doDefaultAction()
{
    click();
}

LRESULT PictureButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> answered = accessible_.onMessage(hwnd(), msg, wParam, lParam))
        return *answered;
    switch (msg) {
    case WM_MOUSEMOVE: {
        if (!tracking_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd(), 0};
            tracking_ = ::TrackMouseEvent(&tme) != FALSE;
        }
        RECT rc{};
        ::GetClientRect(hwnd(), &rc);
        const POINT p = pointFromLParam(lParam);
        const bool lit = pointerWellInside(pixelsToTwips(p.x, dpi_), pixelsToTwips(p.y, dpi_),
                                           pixelsToTwips(rc.right, dpi_), pixelsToTwips(rc.bottom, dpi_));
        setPicture(lit ? looks_.lit : looks_.normal);  // reloaded on every move
        return 0;
    }
    case WM_MOUSELEAVE:
        // However fast the pointer left, the button does not stay lit.
        tracking_ = false;
        setPicture(looks_.normal);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        press();
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        release(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (border_ && reinterpret_cast<HWND>(lParam) != hwnd()) {
            border_ = false;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
        }
        return 0;
    case WM_GETDLGCODE: {
        // Enter is this button's, not the window's default action.
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        const bool enter = m && m->wParam == VK_RETURN && (m->message == WM_KEYDOWN || m->message == WM_CHAR);
        return DLGC_BUTTON | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !spaceHeld_) {
            // Pressed while held, clicked on release: as a push button does.
            spaceHeld_ = border_ = true;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        }
        if (wParam == VK_RETURN) {
            click();
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && spaceHeld_) {
            spaceHeld_ = border_ = false;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            click();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ' || wParam == L'\r')
            return 0;  // taken at the key: no beep
        break;
    case WM_SETFOCUS:
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        // Space let go elsewhere does not click.
        if (spaceHeld_)
            spaceHeld_ = border_ = false;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc paint(hwnd());
        RECT rc{};
        ::GetClientRect(hwnd(), &rc);
        if (bitmap_) {
            UniqueHdc mem(::CreateCompatibleDC(paint.dc()));
            SelectGuard select(mem.get(), bitmap_.get());
            BITMAP info{};
            ::GetObjectW(bitmap_.get(), sizeof info, &info);
            ::SetStretchBltMode(paint.dc(), HALFTONE);
            ::StretchBlt(paint.dc(), 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, info.bmWidth,
                         info.bmHeight, SRCCOPY);
        }
        if (border_)
            ::FrameRect(paint.dc(), &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        if (::GetFocus() == hwnd()) {
            // Only the keyboard brings the focus here, so its mark always shows.
            RECT focus = rc;
            ::InflateRect(&focus, -2, -2);
            ::DrawFocusRect(paint.dc(), &focus);
        }
        return 0;
    }
    default:
        break;
    }
    return defaultProc(msg, wParam, lParam);
}

}  // namespace qv
