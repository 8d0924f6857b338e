#pragma once
// Recording stand-ins for the platform services, for the window tests.

#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"
#include "platform/win_registry_store.h"

namespace qv::test {

struct FakeClock final : IClock {
    LocalTime time;
    std::int64_t steady = 1'000'000;
    std::deque<LocalTime> later;  // each reading moves the clock on to the next of these
    LocalTime now() override;
    std::int64_t steadyMs() override { return steady; }
    // Time passes: the steady clock moves on with the wall clock.
    void set(int y, int mo, int d, int weekday, int h, int mi, int s, int ms = 0);
    // The wall clock jumps (summer time, someone sets it) while only
    // `elapsedMs` really pass.
    void jump(int y, int mo, int d, int weekday, int h, int mi, int s, std::int64_t elapsedMs);
};

struct FakeDrives final : IDrives {
    std::map<char, int> types;  // absent letters have no volume
    std::uint32_t logicalDrives() override;
    int driveType(char letter) override;
};

struct TrayCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

// A notification area with one icon slot, as the shell keeps it: an add
// fails for an icon already there, a modify or delete for one not there.
struct RecordingTray final : ITrayShell {
    std::vector<TrayCall> calls;
    bool iconUp = false;
    int refuseAdds = 0;             // the next adds fail, as before the shell is ready
    bool upDespiteRefusal = false;  // ... yet the icon comes up (a late answer)
    bool notifyIcon(DWORD message, const NOTIFYICONDATAW& data) override;
    std::vector<DWORD> messages() const;
};

struct RecordingHelp final : IHelp {
    std::vector<std::wstring> opened;
    void showHelp(HWND, const std::wstring& chmPath) override { opened.push_back(chmPath); }
};

struct ScriptedInput final : IUserInput {
    std::deque<UINT> answers;  // commands to choose, in order; 0 when empty
    std::vector<HMENU> menusShown;
    std::vector<std::optional<POINT>> menuPlaces;  // null: at the mouse
    int drags = 0;
    UINT trackPopupMenu(HMENU menu, HWND, const POINT* at) override;
    void dragWindow(HWND) override { ++drags; }
};

struct RecordingMedia final : IMediaCommands {
    std::vector<std::wstring> commands;
    void send(const std::wstring& command) override { commands.push_back(command); }
};

// A real box runs a modal loop: timers tick and posted messages arrive
// while it is open. `whileOpen` stands for that time.
struct RecordingMessages final : IMessageBox {
    struct Shown {
        std::wstring text, title;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    std::function<void()> whileOpen;
    void show(HWND, const std::wstring& text, const std::wstring& title) override
    {
        shown.push_back({text, title});
        if (whileOpen)
            whileOpen();
    }
};

// Never the real setter: tests must not change the host's clock.
struct RecordingSystemTime final : ISystemTime {
    std::vector<LocalTime> set;
    bool accept = true;
    bool setLocalTime(const LocalTime& t) override
    {
        set.push_back(t);
        return accept;
    }
};

struct RecordingShell final : IShellOpen {
    std::vector<std::wstring> opened;
    void open(HWND, const std::wstring& target) override { opened.push_back(target); }
};

// Records "wake <local time>", "cancel wake", "display on", "display off".
struct RecordingPower final : IPower {
    std::vector<std::wstring> calls;
    bool wakeAt(const LocalTime& when) override;
    void cancelWake() override { calls.push_back(L"cancel wake"); }
    void holdDisplay(bool hold) override { calls.push_back(hold ? L"display on" : L"display off"); }
};

// Rights as a test gives them; the elevated step is answered by the test.
struct RecordingElevation final : IElevation {
    bool may = true;
    struct Request {
        HWND notify;
        UINT message;
        LocalTime asked;
        std::int64_t askedAtMs;
    };
    std::vector<Request> requests;
    std::vector<UINT> allowed;
    bool maySetClock() override { return may; }
    void setClockElevated(HWND notify, UINT message, const LocalTime& asked, std::int64_t askedAtMs) override
    {
        requests.push_back({notify, message, asked, askedAtMs});
    }
    void allowFromFewerRights(HWND, UINT message) override { allowed.push_back(message); }
    // The consent prompt closed with `outcome`.
    void answer(ElevatedOutcome outcome)
    {
        ::PostMessageW(requests.back().notify, requests.back().message, static_cast<WPARAM>(outcome), 0);
    }
};

struct RecordingProcess final : IProcess {
    std::vector<UINT> exits;
    void exitNow(UINT code) override { exits.push_back(code); }
};

// The real registry for reading; writes and deletes refused on request,
// as under a policy that locks the Run key.
struct LockableRegistry final : IRegistryStore {
    IRegistryStore& inner;
    bool locked = false;
    explicit LockableRegistry(IRegistryStore& store) : inner(store) {}
    using Text = const std::wstring&;
    std::optional<std::wstring> readValue(Text key, Text name) override { return inner.readValue(key, name); }
    void writeValue(Text key, Text name, Text data) override
    {
        if (!locked)
            inner.writeValue(key, name, data);
    }
    void deleteValue(Text key, Text name) override
    {
        if (!locked)
            inner.deleteValue(key, name);
    }
};

// All fakes together, with the services view a window takes.
struct FakeWorld {
    FakeClock clock;
    FakeDrives drives;
    RecordingTray tray;
    RecordingHelp help;
    ScriptedInput input;
    RecordingProcess process;
    RecordingMedia door;
    RecordingMedia tune;
    RecordingMessages messages;
    WinRegistryStore registry;  // the private Wine prefix's own HKEY_CURRENT_USER
    LockableRegistry windowsRegistry{registry};  // what the windows use
    RecordingSystemTime systemTime;
    RecordingShell shell;
    RecordingPower power;
    RecordingElevation elevation;
    Services services()
    {
        return Services{&clock, &drives,   &tray,     &help,       &input, &process,
                        &door, &tune, &messages, &windowsRegistry, &systemTime, &shell, &power, &elevation};
    }
};

// Handles what is waiting in this thread's queue, without blocking.
void pumpMessages();

std::wstring menuCaption(HMENU menu, UINT position);
// The text the tooltip shows for tool 1 of `owner`.
std::wstring toolText(HWND tooltip, HWND owner);
std::pair<int, int> clientSize(HWND w);
// The points on the wrong side of the window's region, "x,y " each; empty when all are right.
std::string regionMisses(HWND w, std::initializer_list<POINT> inside, std::initializer_list<POINT> outside);

// The window's client area as it draws itself into a memory DC (WM_PRINTCLIENT).
class PrintedClient {
public:
    explicit PrintedClient(HWND hwnd);
    COLORREF at(int x, int y) const;
    // Whether `colour` shows within `radius` pixels of (x, y).
    bool shows(int x, int y, int radius, COLORREF colour) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

}  // namespace qv::test
