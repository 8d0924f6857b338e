#pragma once
// Sends media control command strings on a worker thread of its own.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/services.h"

namespace qv {

class MciQueue final : public IMediaCommands {
public:
    MciQueue() = default;
    ~MciQueue() override;
    MciQueue(const MciQueue&) = delete;
    MciQueue& operator=(const MciQueue&) = delete;

    void send(const std::wstring& command) override;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::wstring> pending_;
    bool stopping_ = false;
    std::thread worker_;  // started by the first command
};

}  // namespace qv
