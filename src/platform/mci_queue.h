#pragma once
// Sends media control command strings on a worker thread of its own.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/services.h"

namespace qv {

class MciQueue final : public IMediaCommands {
public:
    using Executor = std::function<void(const std::wstring&)>;

    // `execute` runs each command on the worker; mciSendStringW unless a test says otherwise.
    explicit MciQueue(Executor execute = {});
    ~MciQueue() override;
    MciQueue(const MciQueue&) = delete;
    MciQueue& operator=(const MciQueue&) = delete;

    void send(const std::wstring& command) override;

private:
    void run();

    Executor execute_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::wstring> pending_;
    bool stopping_ = false;
    std::thread worker_;  // started by the first command
};

}  // namespace qv
