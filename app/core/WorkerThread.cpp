#include "app/core/WorkerThread.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantrel {

namespace {
using std::chrono::milliseconds;
constexpr milliseconds kCommandPoll{20};
constexpr milliseconds kIdlePoll{10};

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
    if (command_.load() == kStop) return false;
    command_.store(command);
    return true;
}

bool WorkerThread::WaitIdle() {
    if (command_.load() == kStop) return false;
    while (!idle_.load() && command_.load() != kStop) std::this_thread::sleep_for(kIdlePoll);
    return true;
}

void WorkerThread::Stop() {
    if (!thread_.joinable()) return;
    WaitIdle();
    command_.store(kStop);
    thread_.join();
}

void WorkerThread::Run() {
    LowerPriority();
    for (;;) {
        idle_.store(1);
        std::int32_t command = command_.load();
        while (command == kEmpty) {
            std::this_thread::sleep_for(kCommandPoll);
            command = command_.load();
        }
        idle_.store(0);
        if (command == kStop) return;
        // Cleared before the callback so that a post during the run is
        // picked up as soon as it returns. Taken with an exchange so that a
        // post landing between the read and the clear is not lost.
        if (!command_.compare_exchange_strong(command, kEmpty)) continue;
        if (callback_) callback_(command, context_);
    }
}

}  // namespace vantrel
