#pragma once
// Recording stand-ins for the platform services, and helpers, for the window tests.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/seconds.h"
#include "platform/message_loop.h"
#include "platform/services.h"
#include "platform/win_registry_store.h"

namespace qv::test {

using Texts = std::vector<std::wstring>;

struct FakeClock final : IClock {
    LocalTime time;
    std::int64_t steady = 1'000'000;
    std::deque<LocalTime> later;  // each reading moves the clock on to the next of these
    LocalTime now() override
    {
        const LocalTime reading = time;
        if (!later.empty()) {
            passTo(later.front());
            later.pop_front();
        }
        return reading;
    }
    std::int64_t steadyMs() override { return steady; }
    // Time passes: the steady clock moves on with the wall clock.
    void set(int y, int mo, int d, int weekday, int h, int mi, int s, int ms = 0)
    {
        passTo(LocalTime{y, mo, d, h, mi, s, ms, weekday});
    }
    // The wall clock jumps (summer time, someone sets it) while only `elapsedMs` pass.
    void jump(int y, int mo, int d, int weekday, int h, int mi, int s, std::int64_t elapsedMs)
    {
        time = LocalTime{y, mo, d, h, mi, s, 0, weekday};
        steady += elapsedMs;
    }

private:
    void passTo(const LocalTime& next)
    {
        const std::int64_t ms = (absoluteSeconds(next) - absoluteSeconds(time)) * 1000 + next.millisecond -
                                time.millisecond;
        steady += ms > 0 ? ms : 0;
        time = next;
    }
};

struct FakeDrives final : IDrives {
    std::map<char, int> types;  // absent letters have no volume
    std::uint32_t logicalDrives() override
    {
        std::uint32_t mask = 0;
        for (const auto& [letter, type] : types)
            mask |= 1u << (letter - 'A');
        return mask;
    }
    int driveType(char letter) override { return types.count(letter) ? types[letter] : DRIVE_NO_ROOT_DIR; }
};

struct TrayCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

// One icon slot, as the shell keeps it: an add fails for an icon already there, a modify or delete for one not.
struct RecordingTray final : ITrayShell {
    std::vector<TrayCall> calls;
    bool iconUp = false;
    int refuseAdds = 0;             // the next adds fail, as before the shell is ready
    bool upDespiteRefusal = false;  // ... yet the icon comes up (a late answer)
    bool notifyIcon(DWORD message, const NOTIFYICONDATAW& data) override
    {
        calls.push_back(TrayCall{message, data});
        const bool was = iconUp;
        if (message == NIM_ADD && refuseAdds > 0) {
            --refuseAdds;
            iconUp = iconUp || upDespiteRefusal;
            return false;
        }
        if (message == NIM_ADD || message == NIM_DELETE)
            iconUp = message == NIM_ADD;
        return message == NIM_ADD ? !was : was;
    }
    std::vector<DWORD> messages() const
    {
        std::vector<DWORD> out;
        for (const TrayCall& c : calls)
            out.push_back(c.message);
        return out;
    }
};

// Help files, links and media commands as handed on; one starting with `refuse` fails (no MIDI device).
struct Recorded final : IHelp, IShellOpen, IMediaCommands {
    Texts got;
    std::wstring refuse = L"\x1";
    void showHelp(HWND, const std::wstring& chmPath) override { got.push_back(chmPath); }
    int closedAll = 0;
    void closeAll() override { ++closedAll; }
    void open(HWND, const std::wstring& target) override { got.push_back(target); }
    void send(const std::wstring& command) override { got.push_back(command); }
    void sendReporting(const std::wstring& command, HWND notify, UINT message, LPARAM tag) override
    {
        got.push_back(command);
        constexpr WPARAM kNoDevice = 263;  // MCIERR_DEVICE_NOT_INSTALLED
        ::PostMessageW(notify, message, command.rfind(refuse, 0) == 0 ? kNoDevice : 0, tag);
    }
};

struct RecordingSound final : IAlertSound {
    Texts calls;
    void play() override { calls.push_back(L"play"); }
    void stop() override { calls.push_back(L"stop"); }
};

struct ScriptedInput final : IUserInput {
    std::deque<UINT> answers;  // commands to choose, in order; 0 when empty
    std::vector<HMENU> menusShown;
    std::vector<std::string> menuPlaces;  // "x,y" on the screen, or "mouse"
    int drags = 0;
    UINT trackPopupMenu(HMENU menu, HWND, const POINT* at) override
    {
        menusShown.push_back(menu);
        menuPlaces.push_back(at ? std::to_string(at->x) + "," + std::to_string(at->y) : "mouse");
        if (whileOpen)
            whileOpen();
        const UINT cmd = answers.empty() ? 0 : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return cmd;
    }
    std::function<void()> whileOpen;  // the menu is up meanwhile
    void dragWindow(HWND) override { ++drags; }
    std::vector<HWND> hidden;  // cloaked by the compositor
    bool cloaked(HWND w) override { return std::find(hidden.begin(), hidden.end(), w) != hidden.end(); }
    bool busy = false;  // a full-screen program, as the shell tells
    bool presenting() override { return busy; }
    bool typing = false;
    bool typingNow() override { return typing; }
};

// A real box runs a modal loop, timers ticking while it is open: `whileOpen` stands for that time.
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
    bool setLocalTime(const LocalTime& t) override { return set.push_back(t), accept; }
};

// Records "wake <local time>", "cancel wake", "display on", "display off", "awake on", "awake off".
struct RecordingPower final : IPower {
    Texts calls;
    bool canResume = true;
    WakeResult wakeAt(const LocalTime& t) override
    {
        wchar_t text[40] = {};
        std::swprintf(text, 40, L"wake %04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                      t.second);
        calls.push_back(text);
        return canResume ? WakeResult::Set : WakeResult::CannotResume;
    }
    void cancelWake() override { calls.push_back(L"cancel wake"); }
    void holdDisplay(bool hold) override { calls.push_back(hold ? L"display on" : L"display off"); }
    void keepAwake(bool keep) override { calls.push_back(keep ? L"awake on" : L"awake off"); }
};

// Rights as a test gives them; the test answers the consent prompt with `answer`.
struct RecordingElevation final : IElevation {
    struct Request {
        HWND notify;
        UINT message;
        LocalTime asked;
        std::int64_t askedAtMs;
    };
    bool may = true;
    std::vector<Request> requests;
    std::vector<UINT> allowed;
    bool maySetClock() override { return may; }
    void setClockElevated(HWND notify, UINT message, const LocalTime& asked, std::int64_t askedAtMs) override
    {
        requests.push_back({notify, message, asked, askedAtMs});
    }
    void allowFromFewerRights(HWND, UINT message) override { allowed.push_back(message); }
    void answer(ElevatedOutcome o) { ::PostMessageW(requests.back().notify, requests.back().message, WPARAM(o), 0); }
};

struct RecordingProcess final : IProcess {
    std::vector<UINT> exits;
    std::vector<DWORD> restartFlags;  // one a registration
    void exitNow(UINT code) override { exits.push_back(code); }
    void registerRestart(DWORD flags) override { restartFlags.push_back(flags); }
};

// The real registry; writes and deletes refused on request, as under a policy that locks the Run key.
struct LockableRegistry final : IRegistryStore {
    IRegistryStore& inner;
    bool locked = false;
    explicit LockableRegistry(IRegistryStore& store) : inner(store) {}
    using Text = const std::wstring&;
    std::optional<std::wstring> readValue(Text key, Text name) override { return inner.readValue(key, name); }
    bool writeValue(Text key, Text name, Text data) override { return !locked && inner.writeValue(key, name, data); }
    bool deleteValue(Text key, Text name) override { return !locked && inner.deleteValue(key, name); }
    std::optional<Bytes> readBytes(Text key, Text name) override { return inner.readBytes(key, name); }
    DwordValue readDword(Text key, Text name) override { return inner.readDword(key, name); }
    bool writeDword(Text key, Text name, std::uint32_t d) override { return !locked && inner.writeDword(key, name, d); }
};

// All fakes together, with the services view a window takes.
struct FakeWorld {
    FakeClock clock;
    FakeDrives drives;
    RecordingTray tray;
    Recorded help, door, tune, shell;
    ScriptedInput input;
    RecordingProcess process;
    RecordingMessages messages;
    WinRegistryStore registry;                   // the private Wine prefix's own HKEY_CURRENT_USER
    LockableRegistry windowsRegistry{registry};  // what the windows use
    RecordingSystemTime systemTime;
    RecordingPower power;
    RecordingElevation elevation;
    RecordingSound sound;
    Services services()
    {
        return Services{&clock, &drives,   &tray,           &help,       &input, &process, &door,     &tune,
                        &messages, &windowsRegistry, &systemTime, &shell, &power, &elevation, &sound};
    }
};

// Handles what is waiting in this thread's queue, without blocking.
inline void pumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        dispatch(msg);
}

// A key as the keyboard sends it to the focus: through the program's own message loop.
inline void press(WPARAM key)
{
    HWND at = ::GetFocus();
    ::PostMessageW(at, WM_KEYDOWN, key, 1);
    ::PostMessageW(at, WM_KEYUP, key, 1 | (3u << 30));
    pumpMessages();
}

// A click (or right click) at (x, y) of the window's client area; what it posts waits.
inline void click(HWND w, int x, int y, bool right = false)
{
    ::SendMessageW(w, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    ::SendMessageW(w, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline std::wstring menuCaption(HMENU menu, UINT position)
{
    wchar_t text[64] = {};
    const int n = ::GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return std::wstring(text, n > 0 ? n : 0);
}

// The text the tooltip shows for tool 1 of `owner`.
inline std::wstring toolText(HWND tooltip, HWND owner)
{
    wchar_t text[80] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = owner;
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return text;
}

// A child's place in its parent's client area; a window's on the screen.
inline RECT placeOf(HWND w)
{
    RECT r{};
    ::GetWindowRect(w, &r);
    ::MapWindowPoints(nullptr, ::GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::pair<int, int> clientSize(HWND w)
{
    RECT r{};
    ::GetClientRect(w, &r);
    return {r.right, r.bottom};
}

// The points on the wrong side of the window's region, "x,y " each; empty when all are right.
inline std::string regionMisses(HWND w, std::initializer_list<POINT> inside, std::initializer_list<POINT> outside)
{
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    std::string misses = ::GetWindowRgn(w, rgn) == ERROR ? "no region" : "";
    for (bool in : {true, false})
        for (POINT p : in ? inside : outside)
            if (misses != "no region" && static_cast<bool>(::PtInRegion(rgn, p.x, p.y)) != in)
                misses += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    ::DeleteObject(rgn);
    return misses;
}

// The window's client area as it draws itself into a memory DC (WM_PRINTCLIENT).
class PrintedClient {
public:
    explicit PrintedClient(HWND hwnd)
    {
        std::tie(width_, height_) = clientSize(hwnd);
        HDC screen = ::GetDC(hwnd);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, width_, height_);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels_.push_back(::GetPixel(mem, x, y));
        ::SelectObject(mem, old);
        ::DeleteObject(bmp);
        ::DeleteDC(mem);
        ::ReleaseDC(hwnd, screen);
    }
    COLORREF at(int x, int y) const
    {
        const bool in = x >= 0 && y >= 0 && x < width_ && y < height_;
        return in ? pixels_[static_cast<std::size_t>(y) * width_ + x] : CLR_INVALID;
    }
    // Whether a colour `match` accepts shows within `radius` pixels of (x, y).
    bool shows(int x, int y, int radius, const std::function<bool(COLORREF)>& match) const
    {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (at(x + dx, y + dy) != CLR_INVALID && match(at(x + dx, y + dy)))
                    return true;
        return false;
    }
    bool shows(int x, int y, int radius, COLORREF colour) const
    {
        return shows(x, y, radius, [colour](COLORREF c) { return c == colour; });
    }

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

}  // namespace qv::test
