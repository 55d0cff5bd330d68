#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "values/Surface.h"
#include "editor/workspace/Workspace.h"
#include "platform/AudioOutput.h"

namespace vantrel {

struct ArrangementPlaybackOptions {
    // The sound device of a forward playback; unset, the program's device or
    // the silent clock (OpenAudioOutput). Backward playback has no sound and
    // always keeps time on the silent clock.
    std::function<std::unique_ptr<AudioOutput>(const PcmFormat& format)> audio;
    // Each frame as it is shown, with the time it was composed at; called on
    // the thread that shows it.
    std::function<void(std::int32_t time, const Surface& frame)> shown;
    // The frames composed ahead of the clock at most, and the time they may
    // reach ahead of it.
    int aheadFrames = 8;
    int aheadMs = 250;
};

// How a playback of the arrangement kept time.
struct ArrangementPlaybackReport {
    int framesShown = 0;
    int framesDropped = 0;    // composed too late, or not composed to keep the sound going
    int maxOffsetMs = 0;      // the clock past a shown frame's start, at its showing
    int lastOffsetMs = 0;     // the same for the last frame shown
    std::int64_t firstFrameUs = -1;  // from the command's start to the first frame shown
    std::int64_t firstSoundUs = -1;  // and to the first sound handed to the device
    std::int64_t playedUs = 0;       // the clock when it stopped, over every speed
    std::int32_t stoppedAt = 0;      // the root's time it left
    bool audible = false;            // a real device played the sound
    int framesComposed = 0;          // and the time their composition took
    std::int64_t composeUs = 0;
};

// The worker's playback of the root's arrangement from its current time, at
// the root state's speed (which may change while it runs): this thread
// composes each frame at the output rate and mixes its span into a short
// queue ahead of the clock; a thread of its own hands the sound to the device
// and shows each frame when the device's clock reaches it. Composition that
// cannot keep up drops frames, never sound. Ends at the arrangement's end
// (its start backward) or at "Stop", leaving the time where the clock was.
ArrangementPlaybackReport RunArrangementPlayback(Workspace& root, const ArrangementPlaybackOptions& options = {});

}  // namespace vantrel
