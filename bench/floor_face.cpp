// The floor for the start-up and memory figures: the least an honest face
// does. A round topmost popup in the top-right corner, a one-second timer,
// and the whole face drawn again on each tick.

#include "floor_face.h"

#include <cmath>

namespace {

constexpr int kSize = 162;

void paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT all{0, 0, kSize, kSize};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::Ellipse(dc, 2, 2, kSize - 2, kSize - 2);
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    const double turns[] = {(t.wHour % 12 + t.wMinute / 60.0) / 12, t.wMinute / 60.0, t.wSecond / 60.0};
    const int lengths[] = {40, 60, 70};
    for (int i = 0; i < 3; ++i) {
        const double a = turns[i] * 2 * 3.14159265358979;
        ::MoveToEx(dc, kSize / 2, kSize / 2, nullptr);
        ::LineTo(dc, kSize / 2 + static_cast<int>(lengths[i] * std::sin(a)),
                 kSize / 2 - static_cast<int>(lengths[i] * std::cos(a)));
    }
    ::EndPaint(hwnd, &ps);
}

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND makeFloorFace(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"qorvane.floor";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"qorvane floor",
                                  WS_POPUP, ::GetSystemMetrics(SM_CXSCREEN) - kSize - 5, 0, kSize,
                                  kSize, nullptr, nullptr, instance, nullptr);
    ::SetWindowRgn(hwnd, ::CreateEllipticRgn(0, 0, kSize + 1, kSize + 1), FALSE);
    ::SetTimer(hwnd, 1, 1000, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    makeFloorFace(instance);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
