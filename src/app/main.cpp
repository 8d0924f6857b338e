// Start-up: one copy per user session, the face window, the message loop.

#include <windows.h>

#include <optional>
#include <string>

#include "app/app_host.h"
#include "app/fail_fast.h"
#include "core/start_rules.h"
#include "platform/elevation.h"
#include "platform/late_bound.h"
#include "platform/local_time_setter.h"
#include "platform/message_loop.h"
#include "platform/module_path.h"
#include "platform/unique_handle.h"

namespace {

// The settings window's elevated step: sets the clock and leaves, with no
// window, no icon and no claim on the one-copy lock.
int setClock(const qv::SetClockRequest& request)
{
    const std::optional<qv::LocalTime> target =
        qv::clockTargetAt(request, static_cast<long long>(::GetTickCount64()));
    if (!target)
        return qv::kBadRequest;
    qv::LocalTimeSetter setter;
    return setter.setLocalTime(*target) ? qv::kClockSet : qv::kClockRefused;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    qv::failFastOnCrash();
    qv::late::limitDllSearch();
    const std::wstring arguments = qv::argumentsOf(::GetCommandLineW());
    if (qv::isSetClockStep(arguments)) {
        const std::optional<qv::SetClockRequest> request = qv::parseSetClockArguments(arguments);
        return request ? setClock(*request) : static_cast<int>(qv::kBadRequest);
    }

    // A second copy would show a second face and icon and keep its own
    // alarm; it brings the running face forward instead. A lock it may not
    // open belongs to a copy run with administrator rights: that one counts.
    qv::UniqueHandleK single(::CreateMutexW(nullptr, FALSE, L"Local\\qorvane.single-instance"));
    if (qv::anotherCopyRuns(::GetLastError())) {
        if (HWND running = ::FindWindowW(qv::frmmain::kClassName, nullptr)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(running, &pid);
            ::AllowSetForegroundWindow(pid);
            ::PostMessageW(running, qv::frmmain::showFaceMessage(), 0, 0);
        }
        return 0;
    }

    qv::AppHost app(qv::realServices(), qv::programFolder(), [] { ::PostQuitMessage(0); });
    if (!app.Start(instance))
        return 1;

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
