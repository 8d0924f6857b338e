#include "platform/message_loop.h"

#include "platform/window.h"

namespace qv {

bool handleDialogKeys(MSG& msg)
{
    // Keys go to the focus, which lies in the active window; IsDialogMessage
    // passes over messages for any other window.
    HWND active = Window::dialogKeysWindow();
    return active && ::IsDialogMessageW(active, &msg);
}

void dispatch(MSG& msg)
{
    if (handleDialogKeys(msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace qv
