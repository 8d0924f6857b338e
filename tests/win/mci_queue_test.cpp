// The door commands' queue: the caller never waits for the drive.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mci_queue.h"

namespace qv::test {
namespace {

TEST(MciQueue, SendingReturnsAtOnceAndCommandsRunInOrder)
{
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::mutex m;
    std::vector<std::wstring> ran;
    std::atomic<int> count{0};
    {
        MciQueue queue([&](const std::wstring& command) {
            ::WaitForSingleObject(release, 10000);  // a drive that takes its time
            std::lock_guard<std::mutex> lock(m);
            ran.push_back(command);
            ++count;
        });
        const DWORD start = ::GetTickCount();
        queue.send(L"set CDAudio door open");
        queue.send(L"set CDAudio door closed");
        queue.send(L"set CDAudio door open");
        EXPECT_LT(::GetTickCount() - start, 500u);  // the hands would keep moving
        EXPECT_EQ(count.load(), 0);

        ::SetEvent(release);
        for (int i = 0; i < 500 && count.load() < 3; ++i)
            ::Sleep(10);
    }
    ::CloseHandle(release);
    EXPECT_EQ(ran, (std::vector<std::wstring>{L"set CDAudio door open", L"set CDAudio door closed",
                                              L"set CDAudio door open"}));
}

}  // namespace
}  // namespace qv::test
