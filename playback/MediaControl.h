#pragma once
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "values/Rect.h"
#include "values/Surface.h"
#include "media/sources/MediaSource.h"
#include "platform/AudioOutput.h"

namespace vantrel {

// Where a playing device shows its pictures. Called on the device's own
// thread, one frame at a time; `picture` holds width × height pixels and
// stays valid only during the call.
class VideoWindow {
public:
    virtual ~VideoWindow() = default;
    virtual void ShowFrame(const Surface& picture, int width, int height, const Rect& destination) = 0;
};

// How a playback kept time, for the benchmark and the tests.
struct PlaybackStats {
    int framesShown = 0;
    int framesDropped = 0;   // frames whose whole interval passed unseen
    int lastOffsetMs = 0;    // clock minus the shown frame's time, at its showing
    int maxOffsetMs = 0;
    int positionMs = 0;      // where the clock stood at the end
    bool sound = false;      // the clip had sound and it went to an output
    bool audible = false;    // that output was a real device
};

struct MediaControlOptions {
    // Unset: the program's openers without questions (OpenMediaSource).
    std::function<std::unique_ptr<MediaSource>(const std::string& path)> open;
    // Unset: the program's sound device or the silent clock (OpenAudioOutput).
    std::function<std::unique_ptr<AudioOutput>(const PcmFormat& format)> audio;
};

// Our media-control interface: devices opened under an alias and driven by
// command strings, played on a thread of their own against the sound's
// clock (or the steady clock when there is no sound). The commands:
//
//   open "PATH" alias NAME          a movie, AVI or WAV (no stills)
//   set NAME time format milliseconds
//   window NAME handle H            H from AddWindow
//   put NAME destination at L T W H
//   play NAME [from MS] [to MS]
//   stop NAME | pause NAME
//   status NAME mode                "playing", "paused" or "stopped"
//   status NAME position | length   milliseconds
//   close NAME
//
// Keywords ignore case. Send answers false for a command that fails; the
// answer of a status query goes to `answer`. Calls from several threads take
// turns.
class MediaControl {
public:
    explicit MediaControl(MediaControlOptions options = {});
    ~MediaControl();
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;

    bool Send(const std::string& command, std::string* answer = nullptr);

    int AddWindow(VideoWindow* window);
    void RemoveWindow(int handle);

    // Every command sent, in order (for tests); the record is optional.
    void RecordCommands(bool record) {
        std::lock_guard lock(mutex_);
        record_ = record;
    }
    std::vector<std::string> Sent() const;
    // The stats of a device while it is open; LastClosed after it closed.
    std::optional<PlaybackStats> Stats(const std::string& alias) const;
    PlaybackStats LastClosed() const;
    bool IsOpen(const std::string& alias) const;

    struct Device;

private:
    bool Run(const std::vector<std::string>& words, std::string& answer);
    Device* Find(const std::string& alias) const;

    MediaControlOptions options_;
    mutable std::mutex mutex_;  // everything below
    std::map<std::string, std::unique_ptr<Device>> devices_;  // by lower-case alias
    std::map<int, VideoWindow*> windows_;
    int nextHandle_ = 1;
    bool record_ = false;
    std::vector<std::string> sent_;
    PlaybackStats lastClosed_;
};

}  // namespace vantrel
