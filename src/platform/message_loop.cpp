#include "platform/message_loop.h"

#include "platform/window.h"

namespace qv {

namespace {
unsigned long long g_lastKeyMs = 0;
}

unsigned long long lastKeyMs()
{
    return g_lastKeyMs;
}

void dispatch(MSG& msg)
{
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        g_lastKeyMs = ::GetTickCount64();
    // Keys go to the focus, which lies in the active window; IsDialogMessage
    // passes over messages for any other window.
    if (HWND active = Window::dialogKeysWindow()) {
        if (Window* w = key ? Window::fromHandle(active) : nullptr; w && w->holdsBackKey(msg))
            return;
        if (::IsDialogMessageW(active, &msg))
            return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace qv
