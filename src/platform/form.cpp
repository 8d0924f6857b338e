#include "platform/form.h"

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

bool Form::createCentred(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                         DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips,
                         HBRUSH background)
{
    registerClass(instance, className, nullptr, background);
    if (!create(instance, className, caption, style, exStyle, 0, 0, 0, 0))
        return false;
    const int dpi = dpiForWindow(hwnd());
    RECT r{0, 0, ::MulDiv(clientWidthTwips, dpi, 1440), ::MulDiv(clientHeightTwips, dpi, 1440)};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - w) / 2,
                   work.top + (work.bottom - work.top - h) / 2, w, h,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY && onUnload_)
        onUnload_();
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
