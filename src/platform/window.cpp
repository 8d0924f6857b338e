#include "platform/window.h"

namespace qv {
namespace {

HWND g_dialogKeys = nullptr;  // one UI thread

}  // namespace

HWND Window::dialogKeysWindow()
{
    return g_dialogKeys;
}

Window::~Window()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        // The object is going away first: detach so no message reaches it.
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

Window* Window::fromHandle(HWND hwnd)
{
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ATOM Window::registerClass(HINSTANCE instance, const wchar_t* className, HICON icon,
                           HBRUSH background)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, className, &existing))
        return 1;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::s_WndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc);
}

bool Window::create(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                    DWORD style, DWORD exStyle, int x, int y, int width, int height, HWND parent)
{
    return ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent,
                             nullptr, instance, this) != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return defaultProc(msg, wParam, lParam);
}

LRESULT Window::defaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::s_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = fromHandle(hwnd);
    }
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);

    if (msg == WM_ACTIVATE && self->takesDialogKeys()) {
        if (LOWORD(wParam) != WA_INACTIVE)
            g_dialogKeys = hwnd;
        else if (g_dialogKeys == hwnd)
            g_dialogKeys = nullptr;
    }
    const LRESULT result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        if (g_dialogKeys == hwnd)
            g_dialogKeys = nullptr;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace qv
