#include "idle_probe.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#include "platform/message_loop.h"

namespace bench {
namespace {

std::atomic<long long> g_news{0}, g_mallocs{0};

using MallocFn = void* (*)(size_t);
using CallocFn = void* (*)(size_t, size_t);
using ReallocFn = void* (*)(void*, size_t);
MallocFn g_malloc = std::malloc;
CallocFn g_calloc = std::calloc;
ReallocFn g_realloc = std::realloc;

void* countedMalloc(size_t n)
{
    ++g_mallocs;
    return g_malloc(n);
}
void* countedCalloc(size_t n, size_t size)
{
    ++g_mallocs;
    return g_calloc(n, size);
}
void* countedRealloc(void* p, size_t n)
{
    ++g_mallocs;
    return g_realloc(p, n);
}

// Points the executable's import slot for `name` at `counted`; returns the
// function it pointed to, or null when the executable does not import it.
void* redirectImport(const char* name, void* counted)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         imp->Name; ++imp) {
        if (!imp->OriginalFirstThunk)
            continue;  // the names are gone once the loader filled the slots
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0)
                continue;
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* was = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(counted);
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return was;
        }
    }
    return nullptr;
}

Idle* g_idle = nullptr;
HWND g_dispatchingPaint = nullptr;
HRGN g_rgn = nullptr;

// The windows whose WM_PAINT is running, innermost last.
HWND g_painting[16];
int g_paintDepth = 0;

void beginPaint(HWND hwnd)
{
    if (g_paintDepth < 16)
        g_painting[g_paintDepth] = hwnd;
    ++g_paintDepth;
}

void endPaint()
{
    if (g_paintDepth > 0)
        --g_paintDepth;
}

bool painting(HWND hwnd)
{
    for (int i = 0; i < g_paintDepth && i < 16; ++i)
        if (g_painting[i] == hwnd)
            return true;
    return false;
}

long long regionArea(HRGN rgn)
{
    // A fixed buffer: the probe must not allocate while it counts.
    alignas(RGNDATA) static char buf[32768];
    const DWORD size = ::GetRegionData(rgn, 0, nullptr);
    RECT box{};
    if (size == 0 || size > sizeof buf) {
        ::GetRgnBox(rgn, &box);
        return 1LL * (box.right - box.left) * (box.bottom - box.top);
    }
    auto* data = reinterpret_cast<RGNDATA*>(buf);
    if (!::GetRegionData(rgn, size, data))
        return 0;
    long long area = 0;
    const auto* r = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        area += 1LL * (r[i].right - r[i].left) * (r[i].bottom - r[i].top);
    return area;
}

void countPaint(HWND hwnd)
{
    if (!g_rgn)
        g_rgn = ::CreateRectRgn(0, 0, 0, 0);
    const PaintKey key{::GetAncestor(hwnd, GA_ROOT)};
    g_idle->paintCount.add(key);
    if (::GetUpdateRgn(hwnd, g_rgn, FALSE) > NULLREGION)
        g_idle->paintArea.add(key, regionArea(g_rgn));
}

// Sees the messages sent to our windows, among them the WM_PAINT that
// UpdateWindow and RedrawWindow send past the queue.
LRESULT CALLBACK sentHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_idle) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (cwp->message == WM_PAINT) {
            if (cwp->hwnd != g_dispatchingPaint)
                countPaint(cwp->hwnd);
            beginPaint(cwp->hwnd);
        } else {
            ++g_idle->sent;
            g_idle->sentKinds.add(cwp->message);
        }
        const bool colour = cwp->message >= WM_CTLCOLORMSGBOX && cwp->message <= WM_CTLCOLORSTATIC;
        if (colour && cwp->lParam) {
            const HWND control = reinterpret_cast<HWND>(cwp->lParam);
            if (!painting(control) && !painting(cwp->hwnd)) {
                RECT r{};
                ::GetClientRect(control, &r);
                const PaintKey key{::GetAncestor(control, GA_ROOT)};
                g_idle->directArea.add(key, 1LL * r.right * r.bottom);
                g_idle->directCount.add(key);
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK sentReturnHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_idle) {
        const auto* cwp = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (cwp->message == WM_PAINT)
            endPaint();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

double cpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& ft) {
        return static_cast<double>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Reads at most `size` - 1 bytes of a file, ended with a NUL; the count.
DWORD readSmallFile(const wchar_t* path, char* text, DWORD size)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    DWORD got = 0;
    if (file != INVALID_HANDLE_VALUE) {
        if (!::ReadFile(file, text, size - 1, &got, nullptr))
            got = 0;
        ::CloseHandle(file);
    }
    text[got] = '\0';
    return got;
}

// Linux counts each thread's CPU time to the nanosecond in
// /proc/PID/task/TID/sched, where the Windows figure under Wine counts 10 ms
// ticks. The sum over the threads of Linux process `pid`, or -1 where there
// is no such file. Allocates nothing of ours.
double linuxCpuMs(const wchar_t* pid)
{
    if (!pid)
        return -1;
    wchar_t path[MAX_PATH];
    std::swprintf(path, MAX_PATH, L"Z:\\proc\\%ls\\task\\*", pid);
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    double total = -1;
    do {
        if (found.cFileName[0] == L'.')
            continue;
        std::swprintf(path, MAX_PATH, L"Z:\\proc\\%ls\\task\\%ls\\sched", pid, found.cFileName);
        char text[4096];
        if (!readSmallFile(path, text, sizeof text))
            continue;
        const char* at = std::strstr(text, "se.sum_exec_runtime");
        if (at && (at = std::strchr(at, ':')))
            total = (total < 0 ? 0 : total) + std::atof(at + 1);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return total;
}

// This process's Linux PID. Wine opens files in its server, so /proc/self
// is the server's; ours is the process whose command line starts with this
// executable's file name, after whatever path it was started by.
const wchar_t* selfPid()
{
    static wchar_t pid[16] = L"";
    if (pid[0])
        return pid[0] == L'-' ? nullptr : pid;
    pid[0] = L'-';
    wchar_t self[MAX_PATH];
    char name[MAX_PATH * 3];
    if (!::GetModuleFileNameW(nullptr, self, MAX_PATH) ||
        !::WideCharToMultiByte(CP_UTF8, 0, std::wcsrchr(self, L'\\') ? std::wcsrchr(self, L'\\') + 1 : self, -1,
                               name, sizeof name, nullptr, nullptr))
        return nullptr;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return nullptr;
    int matches = 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9')
            continue;
        wchar_t path[MAX_PATH];
        std::swprintf(path, MAX_PATH, L"Z:\\proc\\%ls\\cmdline", found.cFileName);
        char cmdline[MAX_PATH * 3];
        if (!readSmallFile(path, cmdline, sizeof cmdline))
            continue;
        const char* file = cmdline;
        for (const char* c = cmdline; *c; ++c)
            if (*c == '/' || *c == '\\')
                file = c + 1;
        if (_stricmp(file, name) == 0 && ++matches == 1)
            std::wcsncpy(pid, found.cFileName, 15);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    if (matches != 1)
        pid[0] = L'-';  // not found, or two runs of this file not told apart
    return pid[0] == L'-' ? nullptr : pid;
}

// The Wine server does for the program what a Windows kernel would, and the
// same for every other process of the prefix; the bench script names it.
const wchar_t* serverPid()
{
    static wchar_t pid[16] = L"";
    if (!pid[0] && !::GetEnvironmentVariableW(L"QV_BENCH_SERVER_PID", pid, 16))
        pid[0] = L'-';
    return pid[0] == L'-' ? nullptr : pid;
}

const char* messageName(UINT msg, char* buf, size_t size)
{
    switch (msg) {
    case WM_PAINT: return "WM_PAINT";
    case WM_TIMER: return "WM_TIMER";
    case 0x0118: return "WM_SYSTIMER";  // caret blink and other system timers
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_NCMOUSEMOVE: return "WM_NCMOUSEMOVE";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_CTLCOLORSTATIC: return "WM_CTLCOLORSTATIC";
    case WM_CTLCOLOREDIT: return "WM_CTLCOLOREDIT";
    case WM_CTLCOLORBTN: return "WM_CTLCOLORBTN";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_GETTEXTLENGTH: return "WM_GETTEXTLENGTH";
    case WM_NOTIFY: return "WM_NOTIFY";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_WINDOWPOSCHANGING: return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return "WM_WINDOWPOSCHANGED";
    case WM_GETICON: return "WM_GETICON";
    case WM_GETOBJECT: return "WM_GETOBJECT";
    case WM_USER: return "WM_USER";
    default: break;
    }
    char name[64];
    if (msg >= 0xC000 && ::GetClipboardFormatNameA(msg, name, sizeof name) > 0)
        std::snprintf(buf, size, "\"%s\"", name);
    else
        std::snprintf(buf, size, "0x%04X", msg);
    return buf;
}

void windowName(HWND hwnd, char* buf, int size)
{
    wchar_t cls[128] = L"";
    if (!::GetClassNameW(hwnd, cls, 128))
        std::wcscpy(cls, L"(gone)");
    ::WideCharToMultiByte(CP_UTF8, 0, cls, -1, buf, size, nullptr, nullptr);
}

template <class Key, int N>
void sortByCount(Tally<Key, N>& t)
{
    std::sort(t.entries, t.entries + t.used, [](const auto& a, const auto& b) { return a.n > b.n; });
}

// "WM_PAINT 60, WM_SYSTIMER 113": the most frequent kinds first.
template <int N>
void printKinds(Tally<UINT, N> t, int most)
{
    sortByCount(t);
    char buf[64];
    for (int i = 0; i < t.used && i < most; ++i)
        std::printf("%s%s %lld", i ? ", " : "", messageName(t.entries[i].key, buf, sizeof buf), t.entries[i].n);
    if (t.used > most)
        std::printf(", ...");
}

long long lookUp(const Tally<PaintKey, 16>& t, PaintKey key)
{
    for (int i = 0; i < t.used; ++i)
        if (t.entries[i].key == key)
            return t.entries[i].n;
    return 0;
}

// One line a window; `skipIdleIn` leaves out a window with nothing here
// that is listed there.
void printAreas(const Tally<PaintKey, 16>& counts, const Tally<PaintKey, 16>& areas, const char* what, double s,
                const Tally<PaintKey, 16>* skipIdleIn = nullptr)
{
    for (int i = 0; i < counts.used; ++i) {
        const PaintKey key = counts.entries[i].key;
        if (counts.entries[i].n == 0 && skipIdleIn && lookUp(*skipIdleIn, key) > 0)
            continue;
        const long long px = lookUp(areas, key);
        char name[128];
        windowName(key.root, name, sizeof name);
        RECT r{};
        ::GetClientRect(key.root, &r);
        const long long whole = 1LL * r.right * r.bottom;
        std::printf("    %-26s %7.0f px/s = %.1f %% of its %ldx%ld client a second; %lld %s\n", name,
                    px / s, whole ? 100.0 * static_cast<double>(px) / s / static_cast<double>(whole) : 0.0,
                    r.right, r.bottom, counts.entries[i].n, what);
    }
}

}  // namespace

void countAllocations()
{
    if (void* was = redirectImport("malloc", reinterpret_cast<void*>(countedMalloc)))
        g_malloc = reinterpret_cast<MallocFn>(was);
    if (void* was = redirectImport("calloc", reinterpret_cast<void*>(countedCalloc)))
        g_calloc = reinterpret_cast<CallocFn>(was);
    if (void* was = redirectImport("realloc", reinterpret_cast<void*>(countedRealloc)))
        g_realloc = reinterpret_cast<ReallocFn>(was);
    ::SetWindowsHookExW(WH_CALLWNDPROC, sentHook, nullptr, ::GetCurrentThreadId());
    ::SetWindowsHookExW(WH_CALLWNDPROCRET, sentReturnHook, nullptr, ::GetCurrentThreadId());
}

void pump(int ms)
{
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (ULONGLONG now; (now = ::GetTickCount64()) < end;) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                qv::dispatch(msg);
    }
}

void measure(Idle& out, double seconds)
{
    out = Idle{};
    out.seconds = seconds;
    const long long news = g_news, mallocs = g_mallocs;
    const double cpu = cpuMs(), self = linuxCpuMs(selfPid()), server = linuxCpuMs(serverPid());
    g_idle = &out;
    g_paintDepth = 0;
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (ULONGLONG now; (now = ::GetTickCount64()) < end;) {
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now),
                                                         QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_TIMEOUT)
            break;
        ++out.wakes;
        bool any = false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT)
                continue;
            if (msg.message == WM_TIMER) {
                ++out.timers;
                out.timerKinds.add({msg.hwnd, msg.wParam});
            } else {
                ++out.others;
                out.otherKinds.add(msg.message);
            }
            const bool paint = msg.message == WM_PAINT;
            if (paint) {
                countPaint(msg.hwnd);
                g_dispatchingPaint = msg.hwnd;
                beginPaint(msg.hwnd);
            }
            qv::dispatch(msg);
            if (paint) {
                g_dispatchingPaint = nullptr;
                endPaint();
            }
        }
        if (!any)
            ++out.emptyWakes;
    }
    g_idle = nullptr;
    out.cpuMs = cpuMs() - cpu;
    out.linuxCpuMs = self < 0 ? -1 : linuxCpuMs(selfPid()) - self;
    out.serverCpuMs = server < 0 ? -1 : linuxCpuMs(serverPid()) - server;
    // A window that painted nothing is listed too, with nothing.
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM p) -> BOOL {
        wchar_t cls[64] = L"";
        ::GetClassNameW(hwnd, cls, 64);
        if (::IsWindowVisible(hwnd) && std::wcsncmp(cls, L"qorvane.", 8) == 0)
            reinterpret_cast<Idle*>(p)->paintCount.add({hwnd}, 0);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&out));
    out.news = g_news - news;
    out.mallocs = g_mallocs - mallocs;
}

void report(const char* title, const Idle& idle)
{
    const double s = idle.seconds;
    std::printf("-- %s (%.0f s) --\n", title, s);
    std::printf("  wake-ups of the thread        %6.2f /s   target: at most 1 /s\n", idle.wakes / s);
    std::printf("    WM_TIMER retrieved          %6.2f /s   ", idle.timers / s);
    Tally<TimerKey, 16> timers = idle.timerKinds;
    sortByCount(timers);
    for (int i = 0; i < timers.used; ++i) {
        char name[128];
        windowName(timers.entries[i].key.hwnd, name, sizeof name);
        std::printf("%s%s #%llu: %lld", i ? ", " : "", name,
                    static_cast<unsigned long long>(timers.entries[i].key.id), timers.entries[i].n);
    }
    std::printf("\n    other messages retrieved    %6.2f /s   ", idle.others / s);
    printKinds(idle.otherKinds, 5);
    std::printf("\n    woke with nothing queued    %6lld\n", idle.emptyWakes);
    std::printf("    messages sent, not queued   %6.2f /s   ", idle.sent / s);
    printKinds(idle.sentKinds, 5);
    const long long allocs = idle.news + idle.mallocs;
    std::printf("\n  heap allocations per wake-up  %6.2f      target: none   (%lld operator new, %lld malloc/calloc/realloc)\n",
                idle.wakes ? static_cast<double>(allocs) / static_cast<double>(idle.wakes) : 0.0,
                idle.news, idle.mallocs);
    long long area = 0;
    for (int i = 0; i < idle.paintArea.used; ++i)
        area += idle.paintArea.entries[i].n;
    for (int i = 0; i < idle.directArea.used; ++i)
        area += idle.directArea.entries[i].n;
    std::printf("  area repainted                %6.0f px/s target: only what changes\n", area / s);
    printAreas(idle.paintCount, idle.paintArea, "paints", s, &idle.directCount);
    printAreas(idle.directCount, idle.directArea, "direct draws of a control outside WM_PAINT", s);
    std::printf("  CPU time of the process       %6.0f ms  (%.0f ms a minute, %.2f %% of a core)\n",
                idle.cpuMs, idle.cpuMs * 60 / s, idle.cpuMs / s / 10);
    if (idle.linuxCpuMs >= 0)
        std::printf("    the same to the microsecond %8.1f ms  (%.1f ms a minute; Linux's count of its threads)\n",
                    idle.linuxCpuMs, idle.linuxCpuMs * 60 / s);
    if (idle.serverCpuMs >= 0)
        std::printf("    the Wine server's           %8.1f ms  (%.1f ms a minute; for every process of the prefix)\n",
                    idle.serverCpuMs, idle.serverCpuMs * 60 / s);
    if (idle.timerKinds.dropped || idle.otherKinds.dropped || idle.paintCount.dropped)
        std::printf("  (some kinds were not told apart: the tallies are full)\n");
}

}  // namespace bench

void* operator new(std::size_t n)
{
    ++bench::g_news;
    if (void* p = bench::g_malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
