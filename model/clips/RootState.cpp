#include "model/clips/RootState.h"

#include "items/WorkerThread.h"

namespace vantrel {

void TreeLock::Lock() {
    const auto self = std::this_thread::get_id();
    std::unique_lock guard(mutex_);
    if (depth_ > 0 && owner_ == self) {
        ++depth_;
        return;
    }
    free_.wait(guard, [this] { return depth_ == 0; });
    owner_ = self;
    depth_ = 1;
}

void TreeLock::Unlock() {
    {
        std::lock_guard guard(mutex_);
        if (depth_ == 0 || owner_ != std::this_thread::get_id()) return;
        if (--depth_ > 0) return;
        owner_ = {};
    }
    free_.notify_all();
}

bool TreeLock::HeldHere() const {
    std::lock_guard guard(mutex_);
    return depth_ > 0 && owner_ == std::this_thread::get_id();
}

int TreeLock::Suspend() {
    int depth = 0;
    {
        std::lock_guard guard(mutex_);
        if (depth_ == 0 || owner_ != std::this_thread::get_id()) return 0;
        depth = depth_;
        depth_ = 0;
        owner_ = {};
    }
    free_.notify_all();
    return depth;
}

void TreeLock::Resume(int depth) {
    if (depth <= 0) return;
    std::unique_lock guard(mutex_);
    free_.wait(guard, [this] { return depth_ == 0; });
    owner_ = std::this_thread::get_id();
    depth_ = depth;
}

void RootState::HoldTree() {
    lock.Lock();
    ++changeCounter_;
}

void RootState::ReleaseTree() {
    if (changeCounter_.load() > 0) --changeCounter_;
    lock.Unlock();
}

void RootState::WaitWorkerIdle() {
    if (!worker_) return;
    // A playback runs until its clip ends; whoever needs the worker must
    // not hold the window that long, so the playback ends at its next poll.
    if (activity_.load() & kActivityPlay) SetStopRequest(true);
    const int depth = lock.Suspend();
    worker_->WaitIdle();
    lock.Resume(depth);
}

bool RootState::PostPreview() {
    if (!worker_ || changeCounter_.load() > 0 || Busy()) return false;
    return worker_->Post(kWorkerPreview);
}

}  // namespace vantrel
