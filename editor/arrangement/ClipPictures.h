#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "values/Surface.h"

namespace vantrel {

class MediaSource;

// What the arrangement window draws inside a clip's box: a small picture of
// its first frame and the outline of its sound.
struct ClipPicture {
    Surface thumbnail;             // empty when the media has no picture
    std::vector<std::uint8_t> peaks;  // loudest sample per kPeakMs, 0 .. 255
    static constexpr int kPeakMs = 50;
};

// Reads those pictures off the main thread, once per media file: each file
// is opened a second time by the job thread, so neither the tree lock nor
// the clip's own source (which the worker reads) is touched while decoding.
class ClipPictures {
public:
    static constexpr int kThumbnailHeight = 48;
    // The longest stretch of sound read for the outline.
    static constexpr int kMaxWaveSeconds = 1200;

    // ready: called on the job thread when a picture is finished (the
    // window's thread-safe refresh).
    explicit ClipPictures(std::function<void()> ready = {});
    ~ClipPictures();
    ClipPictures(const ClipPictures&) = delete;
    ClipPictures& operator=(const ClipPictures&) = delete;

    void SetReady(std::function<void()> ready);
    // The finished picture of a file, or null while it is being read (the
    // first ask queues it). Never blocks on decoding.
    std::shared_ptr<const ClipPicture> Get(const std::string& path);
    // Waits until the queue is empty (tests, the benchmark).
    void WaitIdle();

    // The work of one job, on the calling thread.
    static ClipPicture Read(const std::string& path, const std::function<bool()>& stop = {});
    static ClipPicture Read(MediaSource& source, const std::function<bool()>& stop = {});

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<std::string> queue_;
    // Every file asked for; null until its picture is read.
    std::map<std::string, std::shared_ptr<const ClipPicture>> pictures_;
    std::function<void()> ready_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace vantrel
