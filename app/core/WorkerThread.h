#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace vantrel {

// A mailbox of one command word that a background thread polls. Posting
// replaces a command not yet picked up: of several posted while one runs,
// only the last runs. Single loads and stores, no locks.
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
    std::atomic<std::int32_t> command_{kEmpty};
    std::atomic<std::int32_t> idle_{1};
    std::thread thread_;
};

}  // namespace vantrel
