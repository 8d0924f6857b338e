// The media lanes: the caller never waits for the drive, and the exit
// waits for nothing that does not answer.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mci_queue.h"

namespace qv::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Commands as a slow drive takes them: each waits for `release`. Shared
// with the worker, which may outlive its queue.
struct SlowDrive {
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::mutex m;
    std::vector<std::wstring> ran;
    ~SlowDrive() { ::CloseHandle(release); }
    std::vector<std::wstring> seen()
    {
        std::lock_guard<std::mutex> lock(m);
        return ran;
    }
};

MciQueue::Executor slow(const std::shared_ptr<SlowDrive>& drive, DWORD waitMs)
{
    return [drive, waitMs](const std::wstring& command) {
        ::WaitForSingleObject(drive->release, waitMs);
        std::lock_guard<std::mutex> lock(drive->m);
        drive->ran.push_back(command);
    };
}

TEST(MciQueue, SendingReturnsAtOnceAndCommandsRunInOrderBeforeTheEnd)
{
    const auto drive = std::make_shared<SlowDrive>();
    MciQueue queue(slow(drive, 10000));
    const DWORD start = ::GetTickCount();
    queue.send(L"set CDAudio door open");
    queue.send(L"set CDAudio door closed");
    queue.send(L"set CDAudio door open");
    EXPECT_LT(::GetTickCount() - start, 500u);  // the hands would keep moving
    EXPECT_TRUE(drive->seen().empty());

    ::SetEvent(drive->release);
    // What was queued still runs at the end (the tune's close is one such).
    EXPECT_TRUE(queue.finish(steady_clock::now() + milliseconds(5000)));
    EXPECT_EQ(drive->seen(), (std::vector<std::wstring>{L"set CDAudio door open", L"set CDAudio door closed",
                                                       L"set CDAudio door open"}));
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
        const auto deadline = start + milliseconds(300);
        EXPECT_TRUE(tune.finish(deadline));
        EXPECT_FALSE(door.finish(deadline));
        // Bounded: an exit that joined the hung worker would never get here.
        EXPECT_LT(steady_clock::now() - start, milliseconds(3000));
    }
    EXPECT_EQ(tuneDevice->seen(), (std::vector<std::wstring>{L"open tune", L"close tune"}));
    // The drive answers at last: the worker, left to itself, ends without
    // running what was behind the stuck command.
    ::SetEvent(hung->release);
    for (int i = 0; i < 200 && hung->seen().empty(); ++i)
        ::Sleep(10);
    EXPECT_EQ(hung->seen(), std::vector<std::wstring>{L"set CDAudio door open"});
}

}  // namespace
}  // namespace qv::test
