// Idle cost of each window that can stay open: the real windows on the real
// clock, in one process. Only what would make a sound, write the registry,
// block on a box or set the clock is replaced. Prints; asserts nothing.
//
// idle_bench [SECONDS]: how long each state is watched (default 60).

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_host.h"
#include "floor_face.h"
#include "idle_probe.h"
#include "platform/module_path.h"

namespace {

struct SilentMedia final : qv::IMediaCommands {
    int sent = 0;
    void send(const std::wstring&) override { ++sent; }
    void sendReporting(const std::wstring&, HWND, UINT, LPARAM) override { ++sent; }
};

struct NoBoxes final : qv::IMessageBox {
    int shown = 0;
    void show(HWND, const std::wstring&, const std::wstring&) override { ++shown; }
};

struct NoClockSetting final : qv::ISystemTime {
    bool setLocalTime(const qv::LocalTime&) override { return false; }
};

struct StayingProcess final : qv::IProcess {
    void exitNow(UINT) override {}
    void registerRestart(DWORD) override {}
};

struct NoHelp final : qv::IHelp {
    void showHelp(HWND, const std::wstring&) override {}
    void closeAll() override {}
};

void command(HWND face, qv::MenuId id)
{
    ::SendMessageW(face, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void click(HWND button)
{
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Arms the alarm through the alarm window, `ahead` seconds from now.
void armAlarm(qv::frmclock& w, qv::IClock& clock, int ahead)
{
    qv::LocalTime t = clock.now();
    int s = t.hour * 3600 + t.minute * 60 + t.second + ahead;
    s %= 24 * 3600;
    ::SetWindowTextW(w.box(qv::frmclock::txthour), std::to_wstring(s / 3600).c_str());
    ::SetWindowTextW(w.box(qv::frmclock::txtmin), std::to_wstring(s / 60 % 60).c_str());
    ::SetWindowTextW(w.box(qv::frmclock::txtsec), std::to_wstring(s % 60).c_str());
    ::SetWindowTextW(w.box(qv::frmclock::txtinmsg), L"开会：三楼会议室");
    click(w.Imgok().hwnd());
}

void closeWindow(HWND hwnd)
{
    if (hwnd && ::IsWindow(hwnd))
        ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::countAllocations();
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    const int settleMs = 1500;
    // The windows load the common controls themselves, as in the program.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    bench::Idle idle;

    // The floor first, alone on the screen; its figures are steady, so a
    // third of the time will do.
    {
        HWND floor = makeFloorFace(instance);
        bench::pump(settleMs);
        bench::measure(idle, seconds / 3);
        bench::report("floor: the minimal face, full repaint each second", idle);
        ::DestroyWindow(floor);
        bench::pump(200);
    }

    SilentMedia door, tune;
    NoBoxes boxes;
    NoClockSetting systemTime;
    StayingProcess process;
    NoHelp help;
    qv::MemoryRegistryStore registry;
    qv::Services services = qv::realServices();
    services.door = &door;
    services.tune = &tune;
    services.messages = &boxes;
    services.registry = &registry;
    services.systemTime = &systemTime;
    services.process = &process;
    services.help = &help;

    qv::AppHost app(services, qv::programFolder());
    if (!app.Start(instance))
        return 1;
    const HWND f = app.face().hwnd();
    bench::pump(settleMs);

    bench::measure(idle, seconds);
    bench::report("frmmain: the face alone", idle);

    command(f, qv::MenuId::showclock);
    bench::pump(settleMs);
    bench::measure(idle, seconds);
    bench::report("frmclock: the alarm window open, no alarm set", idle);

    if (qv::frmclock* w = app.alarmWindow())
        armAlarm(*w, *services.clock, 3600);
    bench::pump(settleMs);
    bench::measure(idle, seconds);
    bench::report("frmclock: the alarm window open, an alarm set for an hour on", idle);

    if (qv::frmclock* w = app.alarmWindow())
        closeWindow(w->hwnd());
    bench::pump(settleMs);

    // Due in three seconds; the alert then stays until acknowledged.
    command(f, qv::MenuId::showclock);
    if (qv::frmclock* w = app.alarmWindow()) {
        armAlarm(*w, *services.clock, 3);
        closeWindow(w->hwnd());
    }
    for (int i = 0; i < 100 && !app.alertWindow(); ++i)
        bench::pump(100);
    bench::pump(settleMs);
    if (app.alertWindow()) {
        bench::measure(idle, seconds);
        bench::report("frmmsg: the alert, after it rang (the tune silenced)", idle);
        closeWindow(app.alertWindow()->hwnd());
    } else {
        std::printf("-- frmmsg: the alert did not ring; not measured --\n");
    }
    bench::pump(settleMs);
    // Acknowledging shows the alarm window again; each window is watched alone.
    if (qv::frmclock* w = app.alarmWindow())
        closeWindow(w->hwnd());
    bench::pump(settleMs);

    command(f, qv::MenuId::showfrmoptions);
    bench::pump(settleMs);
    bench::measure(idle, seconds);
    bench::report("Frmoptions: the settings window open", idle);
    if (qv::Frmoptions* w = app.settingsWindow())
        closeWindow(w->hwnd());
    bench::pump(settleMs);

    command(f, qv::MenuId::about);
    bench::pump(settleMs);
    bench::measure(idle, seconds);
    bench::report("frmabout: the about window open", idle);
    closeWindow(::FindWindowW(qv::frmabout::kClassName, nullptr));
    bench::pump(200);
    std::printf("media commands faked: %d, message boxes faked: %d\n", door.sent + tune.sent, boxes.shown);
    std::fflush(stdout);
    return 0;
}
