// Stands in for a copy run as administrator, which a normal installer cannot close: Windows keeps
// its messages from a lower process, and Wine does not. A window of the face's class that ignores
// WM_CLOSE. Writes "ready" to the file named first once the window is there; ends when killed, or
// after two minutes so that it never outlives a test.

#include <windows.h>

#include <cstdio>

static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_CLOSE)
        return 0;
    if (message == WM_TIMER)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"qorvane.frmmain";
    if (!::RegisterClassW(&wc))
        return 1;
    HWND face = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 16, 16,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (!face)
        return 1;
    ::SetTimer(face, 1, 120000, nullptr);
    if (FILE* f = _wfopen(argv[1], L"w")) {
        std::fputs("ready\n", f);
        std::fclose(f);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
