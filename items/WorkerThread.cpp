#include "items/WorkerThread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantrel {

namespace {
// Input and painting on the main thread come first: a higher nice value for
// this thread only (Linux schedules threads separately).
void LowerPriority() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 5);
}
}  // namespace

WorkerThread::WorkerThread(Callback callback, void* context) : callback_(std::move(callback)), context_(context) {
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // Without a thread posts succeed and never run, as if the worker
        // were always busy elsewhere.
        command_.store(kEmpty);
    }
}

WorkerThread::~WorkerThread() { Stop(); }

bool WorkerThread::Post(std::int32_t command) {
    {
        std::lock_guard lock(mutex_);
        if (command_.load() == kStop) return false;
        command_.store(command);
    }
    changed_.notify_all();
    return true;
}

// Idle is running nothing with nothing waiting: a command posted a moment
// ago that the thread has not woken for yet is still to run.
bool WorkerThread::WaitIdle() {
    std::unique_lock lock(mutex_);
    if (command_.load() == kStop || !thread_.joinable()) return false;
    changed_.wait(lock, [this] {
        return (idle_.load() != 0 && command_.load() == kEmpty) || command_.load() == kStop;
    });
    return true;
}

void WorkerThread::Stop() {
    if (!thread_.joinable()) return;
    WaitIdle();
    {
        std::lock_guard lock(mutex_);
        command_.store(kStop);
    }
    changed_.notify_all();
    thread_.join();
}

void WorkerThread::Run() {
    LowerPriority();
    for (;;) {
        std::int32_t command = kEmpty;
        {
            std::unique_lock lock(mutex_);
            idle_.store(1);
            changed_.notify_all();
            changed_.wait(lock, [this] { return command_.load() != kEmpty; });
            command = command_.load();
            idle_.store(0);
            if (command == kStop) return;
            // Cleared before the callback so that a post during the run is
            // picked up as soon as it returns.
            command_.store(kEmpty);
        }
        if (callback_) callback_(command, context_);
    }
}

}  // namespace vantrel
