#pragma once
// Sends media control command strings on a worker thread of its own.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/services.h"

namespace qv {

class MciQueue final : public IMediaCommands {
public:
    // Runs one command and gives its result: 0, or the MCI error.
    using Executor = std::function<unsigned long(const std::wstring&)>;

    // `execute` runs each command on the worker; mciSendStringW unless a test says otherwise.
    explicit MciQueue(Executor execute = {});
    // Leaves at once: whatever is still queued is dropped.
    ~MciQueue() override;
    MciQueue(const MciQueue&) = delete;
    MciQueue& operator=(const MciQueue&) = delete;

    void send(const std::wstring& command) override;
    void sendReporting(const std::wstring& command, HWND notify, UINT message, LPARAM tag) override;

    // Takes no more commands and lets the queued ones run until `deadline`.
    // True when all ran and the worker has ended; false when one is still
    // running (a drive that does not answer), and the worker is left to it.
    bool finish(std::chrono::steady_clock::time_point deadline);

private:
    struct State;
    std::shared_ptr<State> state_;  // shared with the worker, which may outlive us
};

}  // namespace qv
