// `screen_mode W H` sets the screen to W x H pixels as a display settings dialog would, then prints
// the screen's size and the face's window rectangle once the face has stopped moving (five seconds
// at most). Exit code 0 when the mode was taken, else ChangeDisplaySettingsExW's code made positive.

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
        still = face && ::GetWindowRect(face, &now) && ::EqualRect(&now, &last) ? still + 1 : 0;
        last = now;
    }
    std::printf("screen %dx%d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (face)
        std::printf("face %ldx%ld+%ld+%ld\n", last.right - last.left, last.bottom - last.top, last.left, last.top);
    std::fflush(stdout);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : static_cast<int>(-result);
}
