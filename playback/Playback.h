#pragma once
#include <functional>

#include "editor/workspace/Workspace.h"
#include "playback/ArrangementPlayback.h"
#include "playback/MediaControl.h"

namespace vantrel {

struct PlaybackOptions {
    // Between two polls of a playing clip; unset, a sixtieth of a second,
    // the display's refresh.
    std::function<void()> waitForRefresh;
    // The playback of the whole arrangement (the root is the playing clip).
    ArrangementPlaybackOptions arrangement;
    // Told how each playback of the arrangement went.
    std::function<void(const ArrangementPlaybackReport&)> arrangementPlayed;
};

// The worker's "Play" (the root's PlayingClip()): the clip goes to the
// media control as "clip", the root's time follows the position until the
// clip ends, "Stop" or Esc; then the device is closed and the flags of the
// playback cleared. With an audio master in the arrangement and an AVI with
// a picture chosen, the master is what plays and the picture is composed
// here, frame by frame. The root must have a window.
void PlayCommand(Workspace& root, MediaControl& control, const PlaybackOptions& options = {});

// The hook for WorkerHooks::play: the arrangement when the root itself is
// the playing clip, else PlayCommand; without a control, one of the program's.
std::function<void(Workspace&)> PlaybackHook(MediaControl* control = nullptr, PlaybackOptions options = {});

}  // namespace vantrel
