#include "platform/message_loop.h"

#include "platform/window.h"

namespace qv {

void dispatch(MSG& msg)
{
    // Keys go to the focus, which lies in the active window; IsDialogMessage
    // passes over messages for any other window.
    if (HWND active = Window::dialogKeysWindow(); active && ::IsDialogMessageW(active, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace qv
