#include "platform/mci_queue.h"

#include <windows.h>
#include <mmsystem.h>

namespace qv {

MciQueue::MciQueue(Executor execute) : execute_(std::move(execute))
{
    if (!execute_) {
        // No answer wanted and none reported: a missing drive simply does nothing.
        execute_ = [](const std::wstring& command) {
            ::mciSendStringW(command.c_str(), nullptr, 0, nullptr);
        };
    }
}

MciQueue::~MciQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable())
        worker_.join();
}

void MciQueue::send(const std::wstring& command)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.push_back(command);
        if (!worker_.joinable())
            worker_ = std::thread(&MciQueue::run, this);
    }
    wake_.notify_one();
}

void MciQueue::run()
{
    for (;;) {
        std::wstring command;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            // Commands still waiting at exit are dropped: the program is leaving.
            if (stopping_)
                return;
            command = std::move(pending_.front());
            pending_.pop_front();
        }
        execute_(command);
    }
}

}  // namespace qv
