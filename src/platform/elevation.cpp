#include "platform/elevation.h"

#include <objbase.h>
#include <shellapi.h>

#include <thread>
#include <vector>

#include "core/start_rules.h"
#include "platform/late_bound.h"
#include "platform/module_path.h"
#include "platform/unique_handle.h"

namespace qv {
namespace {

ElevatedOutcome runElevated(HWND notify, const std::wstring& arguments)
{
    std::wstring program = programFolder();
    if (program.empty() || program.back() != L'\\')
        program += L'\\';
    program += programFileName();

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = notify;  // the consent prompt belongs to the settings window
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_HIDE;
    if (!late::ShellExecuteExW(&info))
        return ::GetLastError() == ERROR_CANCELLED ? ElevatedOutcome::Declined : ElevatedOutcome::Refused;
    if (!info.hProcess)
        return ElevatedOutcome::Refused;
    const UniqueHandleK process(info.hProcess);
    DWORD code = kClockRefused;
    if (::WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process.get(), &code))
        return ElevatedOutcome::Refused;
    return code == kClockSet ? ElevatedOutcome::Set : ElevatedOutcome::Refused;
}

}  // namespace

bool WinElevation::maySetClock()
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw))
        return false;
    const UniqueHandleK token(raw);
    LUID wanted{};
    if (!::LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &wanted))
        return false;
    DWORD bytes = 0;
    ::GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &bytes);
    std::vector<BYTE> buffer(bytes);
    if (bytes == 0 || !::GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), bytes, &bytes))
        return false;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID& l = privileges->Privileges[i].Luid;
        if (l.LowPart == wanted.LowPart && l.HighPart == wanted.HighPart)
            return true;
    }
    return false;
}

void WinElevation::setClockElevated(HWND notify, UINT message, const LocalTime& asked, std::int64_t askedAtMs)
{
    const std::wstring arguments = setClockArguments({asked, askedAtMs});
    // The consent prompt can stay up for minutes: the face and the alarm
    // must not wait on it.
    std::thread([notify, message, arguments] {
        const HRESULT com = late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        const ElevatedOutcome outcome = runElevated(notify, arguments);
        if (SUCCEEDED(com))
            late::CoUninitialize();
        // A window closed in the meantime is simply not told.
        ::PostMessageW(notify, message, static_cast<WPARAM>(outcome), 0);
    }).detach();
}

void WinElevation::allowFromFewerRights(HWND window, UINT message)
{
    ::ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace qv
