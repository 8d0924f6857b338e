#include "platform/form.h"

#include "core/screen_units.h"
#include "platform/dpi.h"

namespace qv {

void Form::Close()
{
    if (hwnd())
        ::DestroyWindow(hwnd());
}

void Form::BringForward()
{
    if (!hwnd())
        return;
    ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

void Form::ShowQuietly()
{
    if (!hwnd())
        return;
    ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Form::createCentred(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                         DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips,
                         HBRUSH background)
{
    registerClass(instance, className, nullptr, background);
    if (!create(instance, className, caption, style, exStyle, 0, 0, 0, 0))
        return false;
    clientTwips_ = {clientWidthTwips, clientHeightTwips};
    dpi_ = dpiForWindow(hwnd());
    const SIZE client = clientSize(dpi_);
    RECT r{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - w) / 2,
                   work.top + (work.bottom - work.top - h) / 2, w, h,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

SIZE Form::clientSize(int dpi) const
{
    return {twipsToPixels(clientTwips_.cx, dpi), twipsToPixels(clientTwips_.cy, dpi)};
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DPICHANGED) {
        // Where Windows puts it, at the size its twips give there: the
        // suggested size is the old one scaled, with the old rounding.
        dpi_ = LOWORD(wParam);
        const RECT* s = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd(), nullptr, s->left, s->top, s->right - s->left, s->bottom - s->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        // The frame as it is drawn at the new DPI, around the client area its twips give.
        RECT outer{}, inner{};
        ::GetWindowRect(hwnd(), &outer);
        ::GetClientRect(hwnd(), &inner);
        const SIZE client = clientSize(dpi_);
        ::SetWindowPos(hwnd(), nullptr, 0, 0, client.cx + (outer.right - outer.left) - inner.right,
                       client.cy + (outer.bottom - outer.top) - inner.bottom,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layout(dpi_);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    }
    if (msg == WM_DESTROY && onUnload_)
        onUnload_();
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
