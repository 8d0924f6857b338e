#include "platform/services.h"

#include <mmsystem.h>

#include "platform/elevation.h"
#include "platform/help_viewer.h"
#include "platform/shell_open.h"
#include "platform/late_bound.h"
#include "platform/local_time_setter.h"
#include "platform/mci_queue.h"
#include "platform/message_loop.h"
#include "platform/ui_text.h"
#include "platform/unique_handle.h"
#include "platform/win_registry_store.h"
#include "resource.h"

namespace qv {
namespace {

class RealClock final : public IClock {
public:
    LocalTime now() override
    {
        SYSTEMTIME st{};
        ::GetLocalTime(&st);
        LocalTime t;
        t.year = st.wYear;
        t.month = st.wMonth;
        t.day = st.wDay;
        t.hour = st.wHour;
        t.minute = st.wMinute;
        t.second = st.wSecond;
        t.millisecond = st.wMilliseconds;
        t.weekday = st.wDayOfWeek;
        return t;
    }
    std::int64_t steadyMs() override { return static_cast<std::int64_t>(::GetTickCount64()); }
};

class RealDrives final : public IDrives {
public:
    std::uint32_t logicalDrives() override { return ::GetLogicalDrives(); }
    int driveType(char letter) override
    {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        return static_cast<int>(::GetDriveTypeW(root));
    }
};

class RealTrayShell final : public ITrayShell {
public:
    bool notifyIcon(DWORD message, const NOTIFYICONDATAW& data) override
    {
        return late::Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&data)) != FALSE;
    }
};

class RealUserInput final : public IUserInput {
public:
    UINT trackPopupMenu(HMENU menu, HWND owner, const POINT* where) override
    {
        POINT at{};
        if (where)
            at = *where;
        else
            ::GetCursorPos(&at);
        // Without the foreground switch before and the null message after, a
        // menu opened from the tray stays up when the user clicks elsewhere.
        ::SetForegroundWindow(owner);
        const UINT cmd = static_cast<UINT>(::TrackPopupMenu(
            menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
            owner, nullptr));
        ::PostMessageW(owner, WM_NULL, 0, 0);
        return cmd;
    }

    void dragWindow(HWND window) override
    {
        ::ReleaseCapture();
        ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }

    bool typingNow() override
    {
        constexpr ULONGLONG kTypingMs = 2000;
        if (::GetTickCount64() - lastKeyMs() < kTypingMs)
            return true;
        // In another program's window only input of any kind can be seen;
        // there Windows also refuses us the foreground while the user types.
        HWND front = ::GetForegroundWindow();
        DWORD pid = 0;
        if (!front || (::GetWindowThreadProcessId(front, &pid), pid == ::GetCurrentProcessId()))
            return false;
        LASTINPUTINFO last{sizeof last, 0};
        return ::GetLastInputInfo(&last) && ::GetTickCount() - last.dwTime < kTypingMs;
    }

    bool presenting() override
    {
        QUERY_USER_NOTIFICATION_STATE state{};
        if (FAILED(late::SHQueryUserNotificationState(&state)))
            return false;
        return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
    }

    bool cloaked(HWND window) override
    {
        constexpr DWORD kDwmwaCloaked = 14;  // Windows 8 and later; an error before
        DWORD value = 0;
        return SUCCEEDED(late::DwmGetWindowAttribute(window, kDwmwaCloaked, &value, sizeof value)) && value != 0;
    }
};

class RealMessageBox final : public IMessageBox {
public:
    void show(HWND owner, const std::wstring& text, const std::wstring& title) override
    {
        // A prompt's lines are joined by a lone CR; the box breaks lines at CR LF.
        std::wstring shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            shown += text[i];
            if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'))
                shown += L'\n';
        }
        ::MessageBoxW(owner, shown.c_str(), title.c_str(), MB_OK);
    }
};

// Our own sound, not a system one: the user's sound scheme ("No sounds"
// among them) would silence an alarm that followed it.
class RealAlertSound final : public IAlertSound {
public:
    void play() override
    {
        if (looping_)
            return;  // the alert calls again every 2 s; restarting would cut the loop short
        const HMODULE exe = ::GetModuleHandleW(nullptr);
        const wchar_t* const sound = MAKEINTRESOURCEW(IDW_ALARM_SOUND);
        // An asynchronous PlaySound returns before it plays: a missing output
        // device shows only on its thread, and Wine even looks for the sound
        // there. So both are looked for first, or the beep would never come.
        looping_ = ::FindResourceW(exe, sound, L"WAVE") && late::waveOutGetNumDevs() > 0 &&
                   late::PlaySoundW(sound, exe, SND_RESOURCE | SND_ASYNC | SND_LOOP | SND_NODEFAULT);
        // The simple beep, again at each call: MB_ICONEXCLAMATION would be a
        // scheme sound once more, while this one needs no scheme and goes to
        // the speaker where there is no sound card.
        if (!looping_)
            ::MessageBeep(0xFFFFFFFF);
    }
    void stop() override
    {
        late::PlaySoundW(nullptr, nullptr, 0);
        looping_ = false;
    }

private:
    bool looping_ = false;
};

class RealPower final : public IPower {
public:
    WakeResult wakeAt(const LocalTime& when) override
    {
        if (!timer_)
            timer_.reset(::CreateWaitableTimerW(nullptr, TRUE, nullptr));
        const SYSTEMTIME local = toSystemTime(when);
        SYSTEMTIME utc{};
        FILETIME due{};
        if (!timer_ || !::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
            !::SystemTimeToFileTime(&utc, &due))
            return WakeResult::Failed;
        LARGE_INTEGER at{};
        at.LowPart = due.dwLowDateTime;
        at.HighPart = static_cast<LONG>(due.dwHighDateTime);
        // Nothing waits on the timer: waking is all it is for; the alarm
        // check rings as soon as the computer runs again. Without wake
        // support the timer is still set and says so only in the last error.
        ::SetLastError(ERROR_SUCCESS);
        if (!::SetWaitableTimer(timer_.get(), &at, 0, nullptr, nullptr, TRUE))
            return WakeResult::Failed;
        return ::GetLastError() == ERROR_NOT_SUPPORTED ? WakeResult::CannotResume : WakeResult::Set;
    }

    void cancelWake() override
    {
        if (timer_)
            ::CancelWaitableTimer(timer_.get());
    }

    void holdDisplay(bool hold) override
    {
        display_ = hold;
        apply();
    }

    void keepAwake(bool keep) override
    {
        awake_ = keep;
        apply();
    }

private:
    // The thread has one state: each call states all of it.
    void apply()
    {
        ::SetThreadExecutionState(ES_CONTINUOUS | (display_ ? ES_DISPLAY_REQUIRED : 0u) |
                                  (display_ || awake_ ? ES_SYSTEM_REQUIRED : 0u));
    }

    UniqueHandleK timer_;
    bool display_ = false, awake_ = false;
};

MciQueue& doorLane()
{
    static MciQueue lane;
    return lane;
}

MciQueue& tuneLane()
{
    static MciQueue lane;
    return lane;
}

class RealProcess final : public IProcess {
public:
    void exitNow(UINT code) override { endProcess(code, finishMedia(exitDeadline())); }
    void registerRestart(DWORD flags) override
    {
        // Windows Vista and later; looked up so that nothing else is needed.
        using Fn = HRESULT(WINAPI*)(PCWSTR, DWORD);
        const auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "RegisterApplicationRestart")));
        if (fn)
            fn(nullptr, flags);
    }
};

}  // namespace

std::chrono::steady_clock::time_point exitDeadline()
{
    // Long enough for the tune's close, short enough not to be noticed.
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
}

bool finishMedia(std::chrono::steady_clock::time_point deadline)
{
    const bool tune = tuneLane().finish(deadline);
    const bool door = doorLane().finish(deadline);
    return tune && door;
}

void endProcess(UINT code, bool mediaFinished)
{
    // A thread stuck inside a driver may hold locks that the orderly exit
    // of the system libraries would wait on for ever.
    if (!mediaFinished)
        ::TerminateProcess(::GetCurrentProcess(), code);
    ::ExitProcess(code);
}

Services realServices()
{
    static RealClock clock;
    static RealDrives drives;
    static RealTrayShell tray;
    static HtmlHelpViewer help;
    static RealUserInput input;
    static RealProcess process;
    static RealMessageBox messages;
    static WinRegistryStore registry;
    static LocalTimeSetter systemTime;
    static ShellOpener shell;
    static RealPower power;
    static WinElevation elevation;
    static RealAlertSound sound;
    return Services{&clock,    &drives,   &tray,       &help,  &input, &process,   &doorLane(), &tuneLane(),
                    &messages, &registry, &systemTime, &shell, &power, &elevation, &sound};
}

}  // namespace qv
