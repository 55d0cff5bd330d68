#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "app/core/WorkerThread.h"

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

TEST(WorkerThreadTest, OfTwoPostsBeforeTheThreadWakesOnlyTheLastRuns) {
    Log log;
    {
        WorkerThread worker(Record, &log);
        EXPECT_TRUE(worker.Post(3));
        EXPECT_TRUE(worker.Post(4));
        std::this_thread::sleep_for(80ms);
        worker.WaitIdle();
    }
    EXPECT_EQ(log.Get(), std::vector<int>{4});
}

TEST(WorkerThreadTest, PostDuringARunIsPickedUpAfterIt) {
    Log log;
    log.release = false;
    WorkerThread worker(Record, &log);
    worker.Post(3);
    while (log.Get().empty()) std::this_thread::sleep_for(1ms);
    worker.Post(5);
    worker.Post(6);
    log.release = true;
    for (int i = 0; i < 200 && log.Get().size() < 2; ++i) std::this_thread::sleep_for(5ms);
    worker.WaitIdle();
    EXPECT_EQ(log.Get(), (std::vector<int>{3, 6}));
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
