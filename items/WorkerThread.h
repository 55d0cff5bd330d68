#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace vantrel {

// A mailbox of one command word that a background thread sleeps on. Posting
// replaces a command not yet picked up: of several posted while one runs,
// only the last runs. The thread and the waiters sleep on one condition
// variable instead of polling, so an idle program costs nothing.
class WorkerThread {
public:
    using Callback = std::function<int(std::int32_t command, void* context)>;
    static constexpr std::int32_t kEmpty = 0;
    static constexpr std::int32_t kStop = 1;

    WorkerThread(Callback callback, void* context);
    // Stops first: waits for a running command to return.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Post(std::int32_t command);
    bool WaitIdle();
    void Stop();

    bool HasThread() const { return thread_.joinable(); }
    bool IsIdle() const { return idle_.load() != 0; }
    std::int32_t PendingCommand() const { return command_.load(); }

private:
    void Run();

    Callback callback_;
    void* context_;
    // Both change only under mutex_; they stay atomic so that the
    // observers above can read them without it.
    std::atomic<std::int32_t> command_{kEmpty};
    std::atomic<std::int32_t> idle_{1};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

}  // namespace vantrel
