#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "items/WorkerThread.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

struct Log {
    std::mutex mutex;
    std::vector<int> commands;
    std::atomic<bool> release{true};
    void Add(int c) {
        std::lock_guard lock(mutex);
        commands.push_back(c);
    }
    std::vector<int> Get() {
        std::lock_guard lock(mutex);
        return commands;
    }
};

int Record(std::int32_t command, void* context) {
    auto* log = static_cast<Log*>(context);
    log->Add(command);
    while (!log->release.load()) std::this_thread::sleep_for(1ms);
    return 1;
}

TEST(WorkerThreadTest, OfTwoPostsBeforeTheThreadLooksOnlyTheLastRuns) {
    // Keep the thread inside a first command so that 3 and 4 are both
    // posted before it looks at the mailbox again.
    Log log;
    log.release = false;
    {
        WorkerThread worker(Record, &log);
        worker.Post(2);
        while (log.Get().empty()) std::this_thread::sleep_for(1ms);
        EXPECT_TRUE(worker.Post(3));
        EXPECT_TRUE(worker.Post(4));
        log.release = true;
        for (int i = 0; i < 200 && log.Get().size() < 2; ++i) std::this_thread::sleep_for(5ms);
        std::this_thread::sleep_for(60ms);
        worker.WaitIdle();
    }
    EXPECT_EQ(log.Get(), (std::vector<int>{2, 4}));
}

TEST(WorkerThreadTest, WaitIdleRightAfterAPostMayReturnBeforeItStarts) {
    Log log;
    WorkerThread worker(Record, &log);
    std::this_thread::sleep_for(30ms);  // the thread is waiting, idle
    worker.Post(3);
    EXPECT_TRUE(worker.WaitIdle());
    for (int i = 0; i < 200 && log.Get().empty(); ++i) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(log.Get(), std::vector<int>{3});
}

TEST(WorkerThreadTest, PostAfterStopIsRefusedAndNothingRuns) {
    Log log;
    WorkerThread worker(Record, &log);
    worker.Stop();
    EXPECT_FALSE(worker.Post(4));
    EXPECT_FALSE(worker.WaitIdle());
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(log.Get().empty());
}

TEST(WorkerThreadTest, DestroyWaitsForTheRunningCommand) {
    Log log;
    log.release = false;
    std::atomic<bool> destroyed{false};
    auto worker = std::make_unique<WorkerThread>(Record, &log);
    worker->Post(4);
    while (log.Get().empty()) std::this_thread::sleep_for(1ms);
    std::thread releaser([&] {
        std::this_thread::sleep_for(100ms);
        EXPECT_FALSE(destroyed.load());
        log.release = true;
    });
    worker.reset();
    destroyed = true;
    releaser.join();
    EXPECT_EQ(log.Get(), std::vector<int>{4});
}

}  // namespace
}  // namespace vantrel
