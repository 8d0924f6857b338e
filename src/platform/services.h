#pragma once
// Platform services the windows use, behind small interfaces so that tests
// can put in fakes that record the calls and never block.

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "core/localtime.h"
#include "core/registry_store.h"

namespace qv {

struct IClock {
    virtual ~IClock() = default;
    virtual LocalTime now() = 0;
    // Milliseconds of real time, sleep included; never jumps when the wall
    // clock is set or summer time begins or ends.
    virtual std::int64_t steadyMs() = 0;
};

struct IDrives {
    virtual ~IDrives() = default;
    virtual std::uint32_t logicalDrives() = 0;  // bit 0 = A:
    virtual int driveType(char letter) = 0;     // GetDriveType of "X:\"
};

struct ITrayShell {
    virtual ~ITrayShell() = default;
    virtual bool notifyIcon(DWORD message, const NOTIFYICONDATAW& data) = 0;
};

struct IHelp {
    virtual ~IHelp() = default;
    virtual void showHelp(HWND owner, const std::wstring& chmPath) = 0;
    // At exit: the viewer's windows go with the program.
    virtual void closeAll() = 0;
};

// Popup menus and the system's window move loop both block until the user
// is done; tests answer them at once.
struct IUserInput {
    virtual ~IUserInput() = default;
    // Shows `menu` for `owner` at `at` (screen pixels), or at the mouse
    // position when `at` is null; returns the chosen command, 0 when none.
    virtual UINT trackPopupMenu(HMENU menu, HWND owner, const POINT* at) = 0;
    // Lets the system move `window` with the mouse, as if by its title bar.
    virtual void dragWindow(HWND window) = 0;
    // A key was pressed within the last two seconds: the user is typing,
    // and a window that took the keyboard now would take their next keys.
    virtual bool typingNow() = 0;
    // The compositor hides the window (another virtual desktop, a suspended
    // app); IsWindowVisible still says yes. Never on Windows 7.
    virtual bool cloaked(HWND window) = 0;
    // The shell holds notifications back: the user is in a full-screen
    // program, a full-screen Direct3D game or presentation mode.
    virtual bool presenting() = 0;
};

// Media control interface command strings. Sending only queues the command:
// a CD drive can take seconds to answer, and the face must keep moving.
// Commands of one lane run one at a time, in order. The door and the tune
// have a lane each, so that the tune never waits behind a drive that does
// not answer.
struct IMediaCommands {
    virtual ~IMediaCommands() = default;
    virtual void send(const std::wstring& command) = 0;
    // As send; when the command has run, its result (0, or the MCI error) is
    // posted to `notify` as `message`, in wParam, with `tag` in lParam.
    virtual void sendReporting(const std::wstring& command, HWND notify, UINT message, LPARAM tag) = 0;
};

// The alarm's own sound, repeating until stopped, for an alarm whose tune
// cannot play.
struct IAlertSound {
    virtual ~IAlertSound() = default;
    virtual void play() = 0;  // returns at once; again while it sounds does nothing
    virtual void stop() = 0;
};

// Modal message boxes: an OK button only, no icon.
struct IMessageBox {
    virtual ~IMessageBox() = default;
    virtual void show(HWND owner, const std::wstring& text, const std::wstring& title) = 0;
};

// Sets the computer's local date and time. False when the system refused.
struct ISystemTime {
    virtual ~ISystemTime() = default;
    virtual bool setLocalTime(const LocalTime& t) = 0;
};

// Hands a document or link to the program the user has for it.
struct IShellOpen {
    virtual ~IShellOpen() = default;
    virtual void open(HWND owner, const std::wstring& target) = 0;
};

enum class WakeResult { Set, CannotResume, Failed };

// Waking the computer for the alarm, and keeping the screen on while the
// alert is up.
struct IPower {
    virtual ~IPower() = default;
    // Wakes a sleeping computer at this local time (where the power settings
    // allow wake timers); replaces any earlier wake. CannotResume: the
    // timer is set, but this computer cannot be woken by it.
    virtual WakeResult wakeAt(const LocalTime& when) = 0;
    virtual void cancelWake() = 0;
    // Switches the display on and keeps it and the computer awake until
    // released.
    virtual void holdDisplay(bool hold) = 0;
    // Keeps the computer from sleeping again, the display left as it is,
    // until released: woken for the alarm, it must still run at the ring.
    virtual void keepAwake(bool keep) = 0;
};

// Rights: setting the clock needs an administrator's, and a copy running
// with them must still hear from the shell and from normal programs.
enum class ElevatedOutcome : WPARAM { Set, Declined, Refused };

struct IElevation {
    virtual ~IElevation() = default;
    // Whether this process may set the computer's clock itself.
    virtual bool maySetClock() = 0;
    // Sets the clock in one step with administrator rights; Windows asks for
    // consent. Returns at once; the outcome is posted to `notify` as
    // `message`, with the ElevatedOutcome in wParam.
    virtual void setClockElevated(HWND notify, UINT message, const LocalTime& asked, std::int64_t askedAtMs) = 0;
    // Lets programs with fewer rights send `message` to `window`.
    virtual void allowFromFewerRights(HWND window, UINT message) = 0;
};

struct IProcess {
    virtual ~IProcess() = default;
    // Ends the process at once: no window's unload handling runs.
    virtual void exitNow(UINT code) = 0;
    // Asks Windows to start the program again (RegisterApplicationRestart's
    // flags: those set name what does not restart it).
    virtual void registerRestart(DWORD flags) = 0;
};

struct Services {
    IClock* clock;
    IDrives* drives;
    ITrayShell* tray;
    IHelp* help;
    IUserInput* input;
    IProcess* process;
    IMediaCommands* door;
    IMediaCommands* tune;
    IMessageBox* messages;
    IRegistryStore* registry;
    ISystemTime* systemTime;
    IShellOpen* shell;
    IPower* power;
    IElevation* elevation;
    IAlertSound* sound;
};

// The real thing, for the program itself.
Services realServices();

// At exit: lets what the media lanes still hold (the tune's close) run
// until `deadline`. False when a command is still stuck in a driver; the
// process must then end without waiting on it.
bool finishMedia(std::chrono::steady_clock::time_point deadline);
std::chrono::steady_clock::time_point exitDeadline();
// Ends the process; without the orderly exit when media commands are stuck.
[[noreturn]] void endProcess(UINT code, bool mediaFinished);

}  // namespace qv
