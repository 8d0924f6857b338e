// Changes the screen's resolution as a display settings dialog would, for
// the screens test: `screen_mode W H` sets W x H pixels, then prints the
// screen's size and the face's window rectangle once the face has stopped
// moving (after five seconds at most). Exit code 0 when the system took the
// mode, else the code ChangeDisplaySettingsExW gave, made positive.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(std::wcstol(argv[1], nullptr, 10));
    mode.dmPelsHeight = static_cast<DWORD>(std::wcstol(argv[2], nullptr, 10));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    std::printf("change %ld\n", result);
    RECT last{}, now{};
    HWND face = nullptr;
    for (int i = 0, still = 0; i < 50 && still < 5; ++i, ::Sleep(100)) {
        face = ::FindWindowW(L"qorvane.frmmain", nullptr);
        if (face && ::GetWindowRect(face, &now) && ::EqualRect(&now, &last))
            ++still;
        else
            still = 0;
        last = now;
    }
    std::printf("screen %dx%d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (face)
        std::printf("face %ldx%ld+%ld+%ld\n", last.right - last.left, last.bottom - last.top, last.left, last.top);
    std::fflush(stdout);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : static_cast<int>(-result);
}
