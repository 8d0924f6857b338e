#include "platform/mci_queue.h"

#include <windows.h>


#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/late_bound.h"

namespace qv {

struct MciQueue::State {
    Executor execute;
    std::mutex mutex;
    std::condition_variable wake;   // a command or the end is waiting
    std::condition_variable ended;  // the worker has left
    struct Command {
        std::wstring text;
        HWND notify;
        UINT message;
        LPARAM tag;
    };
    std::deque<Command> pending;
    bool closing = false;   // no more commands; run what is queued, then leave
    bool dropping = false;  // leave without running the rest
    bool started = false;
    bool running = false;

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return dropping || closing || !pending.empty(); });
            if (dropping || pending.empty())
                break;
            Command command = std::move(pending.front());
            pending.pop_front();
            lock.unlock();
            const unsigned long result = execute(command.text);
            if (command.notify)
                ::PostMessageW(command.notify, command.message, result, command.tag);
            lock.lock();
        }
        running = false;
        ended.notify_all();
    }
};

MciQueue::MciQueue(Executor execute) : state_(std::make_shared<State>())
{
    state_->execute = std::move(execute);
    if (!state_->execute) {
        state_->execute = [](const std::wstring& command) -> unsigned long {
            return late::mciSendStringW(command.c_str(), nullptr, 0, nullptr);
        };
    }
}

MciQueue::~MciQueue()
{
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->dropping = true;
    }
    state_->wake.notify_all();
}

void MciQueue::send(const std::wstring& command)
{
    sendReporting(command, nullptr, 0, 0);
}

void MciQueue::sendReporting(const std::wstring& command, HWND notify, UINT message, LPARAM tag)
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->closing || state_->dropping)
        return;
    state_->pending.push_back({command, notify, message, tag});
    if (!state_->started) {
        state_->started = state_->running = true;
        // Detached: the worker keeps the state alive, so a command that
        // never returns cannot hold up the program's exit.
        std::thread([state = state_] { state->run(); }).detach();
    }
    state_->wake.notify_all();
}

bool MciQueue::finish(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->closing = true;
    state_->wake.notify_all();
    const bool done = state_->ended.wait_until(lock, deadline, [this] { return !state_->running; });
    if (!done)
        state_->dropping = true;
    return done;
}

}  // namespace qv
