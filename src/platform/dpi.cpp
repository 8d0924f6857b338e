#include "platform/dpi.h"

#include "platform/gdi.h"

namespace qv {

int dpiForWindow(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"),
                                                 "GetDpiForWindow")));
    if (getDpiForWindow && hwnd) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    const int dpi = ::GetDeviceCaps(WindowDc(nullptr).dc(), LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

}  // namespace qv
