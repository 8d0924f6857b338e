// Figures for the face: start-up time, memory, and the cost of a tick.
// Prints numbers; it asserts nothing.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "face/frmmain.h"
#include "floor_face.h"
#include "platform/module_path.h"

namespace {

std::atomic<long long> g_allocations{0};

double nowMs()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    ::QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(freq.QuadPart);
}

double fileTimeMs(const FILETIME& ft)
{
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return static_cast<double>(u.QuadPart) / 10000.0;
}

double msSinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    return fileTimeMs(now) - fileTimeMs(created);
}

double cpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return fileTimeMs(kernel) + fileTimeMs(user);
}

long long updateArea(HWND hwnd)
{
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    long long area = 0;
    if (::GetUpdateRgn(hwnd, rgn, FALSE) > NULLREGION) {
        const DWORD size = ::GetRegionData(rgn, 0, nullptr);
        std::vector<char> buf(size);
        auto* data = reinterpret_cast<RGNDATA*>(buf.data());
        if (::GetRegionData(rgn, size, data)) {
            const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                area += 1LL * (r[i].right - r[i].left) * (r[i].bottom - r[i].top);
        }
    }
    ::DeleteObject(rgn);
    return area;
}

struct SteppingClock final : qv::IClock {
    qv::LocalTime t{2026, 12, 7, 0, 0, 0, 5, 1};
    std::int64_t ms = 0;
    qv::LocalTime now() override { return t; }
    std::int64_t steadyMs() override { return ms; }
    void step()
    {
        ms += 1000;
        if (++t.second == 60) {
            t.second = 0;
            if (++t.minute == 60) {
                t.minute = 0;
                t.hour = (t.hour + 1) % 24;
            }
        }
    }
};

}  // namespace

void* operator new(std::size_t n)
{
    ++g_allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main()
{
    // The windows load the common controls themselves, as in the program.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);

    // 1. Start-up: process start to the first painted face, with the real services.
    {
        qv::frmmain face(qv::realServices(), qv::programFolder());
        face.Load(instance);
        face.Show();  // paints synchronously
        const double startMs = msSinceProcessStart();
        PROCESS_MEMORY_COUNTERS_EX mem{};
        mem.cb = sizeof mem;
        ::K32GetProcessMemoryInfo(::GetCurrentProcess(),
                                  reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem);
        std::printf("start-up to first painted face (in process): %.1f ms\n", startMs);
        // Wine leaves PrivateUsage at 0; the commit charge is the same figure there.
        const SIZE_T privateBytes = mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage;
        std::printf("private memory after start-up:               %.0f KiB\n",
                    static_cast<double>(privateBytes) / 1024.0);
        std::printf("working set after start-up:                  %.0f KiB\n",
                    static_cast<double>(mem.WorkingSetSize) / 1024.0);

        // 2. Real ticks for five seconds: how often the timer wakes, how late.
        int ticks = 0;
        double lateSum = 0;
        const double until = nowMs() + 5000;
        MSG msg;
        while (nowMs() < until) {
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                continue;
            }
            if (msg.message == WM_TIMER && msg.hwnd == face.hwnd() && msg.wParam == qv::frmmain::kTmrmain) {
                SYSTEMTIME st;
                ::GetLocalTime(&st);
                ++ticks;
                lateSum += st.wMilliseconds;
            }
            ::DispatchMessageW(&msg);
        }
        std::printf("timer wake-ups in 5 s of real time:          %d\n", ticks);
        std::printf("mean hand move after the second changed:     %.0f ms\n", ticks ? lateSum / ticks : 0.0);
    }

    // 3. Simulated ticks: invalidated area, CPU time, heap allocations.
    SteppingClock clock;
    qv::Services services = qv::realServices();
    services.clock = &clock;
    qv::frmmain face(services, qv::programFolder());
    face.Load(instance);
    face.Show();
    RECT client{};
    ::GetClientRect(face.hwnd(), &client);
    const long long full = 1LL * client.right * client.bottom;

    constexpr int kTicks = 10000;
    // The floor's tick beside the face's, in alternating rounds so that both
    // see the same machine; the floor stands clear of the face.
    HWND floor = makeFloorFace(instance);
    ::SetWindowPos(floor, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    constexpr int kRounds = 20;
    std::vector<double> floorWall, faceWall;
    floorWall.reserve(kRounds), faceWall.reserve(kRounds);
    double floorCpu = 0, faceCpu = 0;
    // One round of `tick`: its CPU added to `cpuSum`, its real time a tick to `walls`.
    auto round = [](auto tick, double& cpuSum, std::vector<double>& walls) {
        const double cpu = cpuMs(), wall = nowMs();
        for (int i = 0; i < kTicks / kRounds; ++i)
            tick();
        cpuSum += cpuMs() - cpu;
        walls.push_back((nowMs() - wall) / (kTicks / kRounds));
    };
    long long allocs = 0;
    for (int r = 0; r < kRounds; ++r) {
        round(
            [floor] {
                ::SendMessageW(floor, WM_TIMER, 1, 0);
                ::UpdateWindow(floor);
            },
            floorCpu, floorWall);
        const long long allocBefore = g_allocations.load();
        round(
            [&] {
                clock.step();
                ::SendMessageW(face.hwnd(), WM_TIMER, qv::frmmain::kTmrmain, 0);
                ::UpdateWindow(face.hwnd());
            },
            faceCpu, faceWall);
        allocs += g_allocations.load() - allocBefore;
    }
    ::DestroyWindow(floor);
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    };
    long long areaSum = 0, areaMax = 0;
    for (int i = 0; i < kTicks; ++i) {
        clock.step();
        ::SendMessageW(face.hwnd(), WM_TIMER, qv::frmmain::kTmrmain, 0);
        const long long area = updateArea(face.hwnd());
        areaSum += area;
        areaMax = area > areaMax ? area : areaMax;
        ::UpdateWindow(face.hwnd());
    }
    std::printf("simulated ticks, each of the face and floor: %d, in %d alternating rounds\n", kTicks, kRounds);
    std::printf("CPU time a tick (tick + paint), face:        %.3f ms   floor: %.3f ms\n", faceCpu / kTicks,
                floorCpu / kTicks);
    std::printf("real time a tick, median of the rounds:      %.3f ms   floor: %.3f ms   (%.2f times the floor)\n",
                median(faceWall), median(floorWall), median(faceWall) / median(floorWall));
    std::printf("invalidated area per tick, mean:             %.0f px (%.1f %% of the face)\n",
                static_cast<double>(areaSum) / kTicks, 100.0 * static_cast<double>(areaSum) / kTicks / static_cast<double>(full));
    std::printf("invalidated area per tick, largest:          %lld px (%.1f %% of the face)\n",
                areaMax, 100.0 * static_cast<double>(areaMax) / static_cast<double>(full));
    std::printf("heap allocations by the ticks:               %lld\n", allocs);
    return 0;
}
