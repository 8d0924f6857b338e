// Platform pieces under the windows: the media lanes (the caller never waits
// for the drive, and the exit waits for nothing that does not answer), and
// setting the clock across a summer-time boundary.

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/seconds.h"
#include "platform/help_viewer.h"
#include "platform/late_bound.h"
#include "platform/local_time_setter.h"
#include "platform/mci_queue.h"
#include "platform/shell_open.h"

namespace qv::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;
using Commands = std::vector<std::wstring>;

// Commands as a slow drive takes them, each waiting for `release`; shared with a worker that may outlive its queue.
struct SlowDrive {
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::mutex m;
    Commands ran;
    ~SlowDrive() { ::CloseHandle(release); }
    Commands seen()
    {
        std::lock_guard<std::mutex> lock(m);
        return ran;
    }
};

MciQueue::Executor slow(const std::shared_ptr<SlowDrive>& drive, DWORD waitMs)
{
    return [drive, waitMs](const std::wstring& command) -> unsigned long {
        ::WaitForSingleObject(drive->release, waitMs);
        std::lock_guard<std::mutex> lock(drive->m);
        drive->ran.push_back(command);
        return 0;
    };
}

TEST(MciQueue, SendingReturnsAtOnceAndCommandsRunInOrderBeforeTheEnd)
{
    const auto drive = std::make_shared<SlowDrive>();
    MciQueue queue(slow(drive, 10000));
    const Commands sent{L"set CDAudio door open", L"set CDAudio door closed", L"set CDAudio door open"};
    const DWORD start = ::GetTickCount();
    for (const std::wstring& c : sent)
        queue.send(c);
    EXPECT_LT(::GetTickCount() - start, 500u);  // the hands would keep moving
    ::SetEvent(drive->release);
    // What was queued still runs at the end (the tune's close is one such).
    EXPECT_TRUE(queue.finish(steady_clock::now() + milliseconds(5000)));
    EXPECT_EQ(drive->seen(), sent);
    queue.send(L"set CDAudio door closed");  // too late: taken by no one
    EXPECT_EQ(drive->seen().size(), 3u);
}

TEST(MciQueue, AHungDoorHoldsUpNeitherTheTuneNorTheExit)
{
    const auto hung = std::make_shared<SlowDrive>();
    const auto tuneDevice = std::make_shared<SlowDrive>();
    ::SetEvent(tuneDevice->release);
    {
        MciQueue door(slow(hung, INFINITE));
        MciQueue tune(slow(tuneDevice, 0));
        door.send(L"set CDAudio door open");
        door.send(L"set CDAudio door closed");
        tune.send(L"open tune");
        tune.send(L"close tune");
        const auto start = steady_clock::now();
        EXPECT_TRUE(tune.finish(start + milliseconds(300)));
        EXPECT_FALSE(door.finish(start + milliseconds(300)));
        // Bounded: an exit that joined the hung worker would never get here.
        EXPECT_LT(steady_clock::now() - start, milliseconds(3000));
    }
    EXPECT_EQ(tuneDevice->seen(), (Commands{L"open tune", L"close tune"}));
    // The drive answers at last: the worker ends without running what was behind the stuck command.
    ::SetEvent(hung->release);
    for (int i = 0; i < 200 && hung->seen().empty(); ++i)
        ::Sleep(10);
    EXPECT_EQ(hung->seen(), Commands{L"set CDAudio door open"});
}

// A stand-in for SetLocalTime as Windows documents it: the local time is
// turned into UTC with the summer-time state of the moment of the call, not
// of the time being set. The zone is one hour ahead of UTC in winter, two
// from April to September.
std::int64_t biasSeconds(const LocalTime& local) { return local.month >= 4 && local.month <= 9 ? 7200 : 3600; }

std::int64_t g_utc = 0;

LocalTime modelLocal()
{
    // The bias of the moment: found from the local time it gives.
    return fromAbsoluteSeconds(g_utc + biasSeconds(fromAbsoluteSeconds(g_utc + 3600)));
}

BOOL WINAPI modelSetLocalTime(const SYSTEMTIME* st)
{
    const LocalTime asked{st->wYear, st->wMonth, st->wDay, st->wHour, st->wMinute, st->wSecond, 0, 0};
    g_utc = absoluteSeconds(asked) - biasSeconds(modelLocal());
    return TRUE;
}

TEST(HtmlHelpViewer, TheMarkOfTheWebGoesAndTheViewerComesFromTheSystemFolderOnlyWhenAsked)
{
    Commands loaded, deleted;
    HtmlHelpViewer viewer({[&](const std::wstring& p) { return loaded.push_back(p), HMODULE(nullptr); },
                           [&](const std::wstring& p) { deleted.push_back(p); }});
    viewer.closeAll();  // never opened: nothing loaded to close it
    EXPECT_TRUE(loaded.empty());
    viewer.showHelp(nullptr, L"C:\\Apps\\qorvane\\image\\help.chm");
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(loaded, Commands{std::wstring(system) + L"\\hhctrl.ocx"});
    EXPECT_EQ(deleted, Commands{L"C:\\Apps\\qorvane\\image\\help.chm:Zone.Identifier"});
}

// Process-wide from here on, as in the program from its first line.
TEST(DllSearch, ALibraryBesideTheExeIsFoundOnlyUntilTheSearchIsLimitedToTheSystemFolder)
{
    HMODULE beside = ::LoadLibraryW(L"qv_probe.dll");
    EXPECT_NE(beside, nullptr);
    ::FreeLibrary(beside);
    late::limitDllSearch();
    EXPECT_EQ(::LoadLibraryW(L"qv_probe.dll"), nullptr);
    EXPECT_NE(::LoadLibraryW(L"winmm.dll"), nullptr);
}

TEST(ShellOpener, TheLinkIsHandedOnWithCOMApartmentThreadedOnTheCallingThread)
{
    HRESULT during = E_FAIL;
    std::thread([&] {
        ShellOpener shell([&](HWND, const std::wstring&) {
            during = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // S_FALSE: it is already
            if (SUCCEEDED(during))
                ::CoUninitialize();
        });
        shell.open(nullptr, L"mailto:qorvane@example.com");
    }).join();
    EXPECT_EQ(during, S_FALSE);
}

TEST(LocalTimeSetter, TheDateAndTimeAskedForIsTheOneSetAcrossSummerTime)
{
    LocalTimeSetter setter(&modelSetLocalTime);
    const LocalTime summer{2026, 7, 1, 12, 0, 0, 0, 3};
    const LocalTime winter{2026, 12, 7, 10, 30, 0, 0, 1};
    g_utc = absoluteSeconds(summer) - 7200;
    for (const LocalTime& asked : {winter, summer}) {
        ASSERT_TRUE(setter.setLocalTime(asked));
        const LocalTime now = modelLocal();
        EXPECT_EQ(absoluteSeconds(now), absoluteSeconds(asked)) << "reads " << now.hour << ":" << now.minute;
    }
}

}  // namespace
}  // namespace qv::test
