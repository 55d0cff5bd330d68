#include "values/RowBands.h"

#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vantrel {

namespace {

thread_local bool insideBand = false;

int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::clamp(CPU_COUNT(&set), 1, 16);
}

// Helpers that live as long as the process and sleep between pictures. One
// job at a time: a second caller meanwhile (the main thread drawing while
// the worker composes) does its rows itself rather than wait.
class BandPool {
public:
    explicit BandPool(int helpers) {
        for (int i = 0; i < helpers; ++i) threads_.emplace_back([this] { Serve(); });
    }
    ~BandPool() {
        {
            std::lock_guard lock(mutex_);
            quitting_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }
    int Helpers() const { return int(threads_.size()); }

    bool Run(int begin, int end, int bands, const std::function<void(int, int)>& band) {
        std::unique_lock one(running_, std::try_to_lock);
        if (!one.owns_lock()) return false;
        {
            std::lock_guard lock(mutex_);
            job_ = &band;
            begin_ = begin;
            end_ = end;
            bands_ = bands;
            next_ = 1;  // band 0 is the caller's
            pending_ = bands - 1;
            ++generation_;
        }
        wake_.notify_all();
        RunBand(0);
        // The caller takes whatever band no helper has started yet.
        for (;;) {
            int index;
            {
                std::lock_guard lock(mutex_);
                if (next_ >= bands_) break;
                index = next_++;
            }
            RunBand(index);
            Finished();
        }
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return pending_ == 0; });
        job_ = nullptr;
        return true;
    }

private:
    void RunBand(int index) {
        const long rows = end_ - begin_;
        const int first = begin_ + int(rows * index / bands_);
        const int last = begin_ + int(rows * (index + 1) / bands_);
        insideBand = true;
        if (first < last) (*job_)(first, last);
        insideBand = false;
    }
    void Finished() {
        std::lock_guard lock(mutex_);
        if (--pending_ == 0) done_.notify_all();
    }
    void Serve() {
        unsigned seen = 0;
        for (;;) {
            int index;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return quitting_ || (generation_ != seen && next_ < bands_); });
                if (quitting_) return;
                index = next_++;
                if (next_ >= bands_) seen = generation_;
            }
            RunBand(index);
            Finished();
        }
    }

    std::vector<std::thread> threads_;
    std::mutex running_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    const std::function<void(int, int)>* job_ = nullptr;
    int begin_ = 0, end_ = 0, bands_ = 0, next_ = 0, pending_ = 0;
    unsigned generation_ = 0;
    bool quitting_ = false;
};

BandPool& Pool() {
    static BandPool pool(UsableCores() - 1);
    return pool;
}

}  // namespace

int RowBandCount() { return Pool().Helpers() + 1; }

void ForRowBands(int begin, int end, int width, const std::function<void(int, int)>& band, long minPixels) {
    if (end <= begin) return;
    const long pixels = long(end - begin) * std::max(width, 1);
    const int bands = std::min(RowBandCount(), end - begin);
    if (insideBand || bands < 2 || pixels < minPixels) {
        band(begin, end);
        return;
    }
    if (!Pool().Run(begin, end, bands, band)) band(begin, end);
}

}  // namespace vantrel
