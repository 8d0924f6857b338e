// Start-up: one copy per user session, the face window, the message loop.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "face/frmmain.h"
#include "platform/message_loop.h"
#include "platform/module_path.h"
#include "platform/unique_handle.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // A second copy would show a second face and icon and keep its own
    // alarm; it brings the running face forward instead.
    qv::UniqueHandleK single(::CreateMutexW(nullptr, FALSE, L"Local\\qorvane.single-instance"));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = ::FindWindowW(qv::frmmain::kClassName, nullptr)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(running, &pid);
            ::AllowSetForegroundWindow(pid);
            ::PostMessageW(running, qv::frmmain::showFaceMessage(), 0, 0);
        }
        return 0;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    qv::frmmain face(qv::realServices(), qv::programFolder(), [] { ::PostQuitMessage(0); });
    if (!face.Load(instance))
        return 1;
    face.Show();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        qv::dispatch(msg);
    const UINT code = static_cast<UINT>(msg.wParam);
    // The tune's close gets its moment; a drive that never answers does not
    // keep an invisible process alive.
    if (!qv::finishMedia(qv::exitDeadline()))
        qv::endProcess(code, false);
    return static_cast<int>(code);
}
