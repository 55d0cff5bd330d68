#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace vantrel {

class Clip;
class WorkerThread;

// Keeps the main thread and the worker apart on the clip tree. The main
// thread's edits nest (a command inside an input inside a script), so the
// thread holding it may take it again; and it can be set aside whole while
// its holder waits for the worker, which may itself be waiting for it.
class TreeLock {
public:
    void Lock();
    void Unlock();
    bool HeldHere() const;
    // Releases every level this thread holds (0 when it holds none);
    // Resume takes the same number back.
    int Suspend();
    void Resume(int depth);

private:
    mutable std::mutex mutex_;
    std::condition_variable free_;
    std::thread::id owner_;
    int depth_ = 0;
};

class TreeLockGuard {
public:
    explicit TreeLockGuard(TreeLock* lock) : lock_(lock) {
        if (lock_) lock_->Lock();
    }
    ~TreeLockGuard() {
        if (lock_) lock_->Unlock();
    }
    TreeLockGuard(const TreeLockGuard&) = delete;
    TreeLockGuard& operator=(const TreeLockGuard&) = delete;

private:
    TreeLock* lock_;
};

// Worker commands of the root.
constexpr std::int32_t kWorkerPreview = 3;
constexpr std::int32_t kWorkerMake = 4;
constexpr std::int32_t kWorkerPlay = 5;

// Activity bits of the root.
constexpr std::int32_t kActivityMake = 0x01;
constexpr std::int32_t kActivityPlay = 0x02;

// What the root of an edited project shares with its worker thread. Only
// the root that has a worker owns one; a clip tree without it (a batch
// verb's, a test's) has nobody to keep apart.
class RootState {
public:
    TreeLock lock;

    WorkerThread* Worker() const { return worker_; }
    void SetWorker(WorkerThread* worker) { worker_ = worker; }
    int ChangeCounter() const { return changeCounter_.load(); }
    std::int32_t Activity() const { return activity_.load(); }
    void AddActivity(std::int32_t bits) { activity_.fetch_or(bits); }
    void EndActivity(std::int32_t bits) { activity_.fetch_and(~bits); }
    bool Busy() const { return (activity_.load() & (kActivityMake | kActivityPlay)) != 0; }
    bool StopRequested() const { return stopRequest_.load() != 0; }
    void SetStopRequest(bool stop) { stopRequest_.store(stop ? 1 : 0); }
    Clip* PlayingClip() const { return playing_.load(); }
    void SetPlayingClip(Clip* clip) { playing_.store(clip); }
    // The arrangement's playback speed: 1, 2, 4 or 8 forward, -1 .. -8
    // backward. The playback follows a change at once, from where it is.
    int PlaySpeed() const { return playSpeed_.load(); }
    void SetPlaySpeed(int speed) { playSpeed_.store(speed); }
    bool AsksForMissingMedia() const { return askForMedia_; }
    void SetAsksForMissingMedia(bool ask) { askForMedia_ = ask; }

    // Takes the lock and raises the change counter: no preview is posted
    // until the matching release.
    void HoldTree();
    void ReleaseTree();
    // Waits until the worker runs nothing, with the lock set aside meanwhile
    // so that a command waiting for it can finish.
    void WaitWorkerIdle();
    // Posts a preview unless the tree is held or a make or playback runs.
    bool PostPreview();

private:
    WorkerThread* worker_ = nullptr;
    std::atomic<int> changeCounter_{0};
    std::atomic<std::int32_t> activity_{0};
    std::atomic<std::int32_t> stopRequest_{0};
    std::atomic<Clip*> playing_{nullptr};
    std::atomic<int> playSpeed_{1};
    bool askForMedia_ = true;
};

}  // namespace vantrel
