#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "values/Surface.h"
#include "compose/AudioMix.h"
#include "model/variables/Variable.h"

namespace vantrel {

class Clip;
class MediaSource;

// What composition and mixing remember per media clip between steps.
struct MediaClipState {
    const MediaSource* source = nullptr;  // the source the state belongs to
    bool hasFrame = false;
    std::int32_t frameTime = 0;  // media time of the frame last decoded
    AudioBlockCache audio;
};

// The six composition surfaces of an arrangement and its envelope strip.
struct ArrangementState {
    static constexpr int kSurfaceCount = 6;
    std::array<Surface, kSurfaceCount> surfaces;
    int width = 0, height = 0;
    Variable strip;
    ArrangementState();
};

// Per-clip state kept beside the clip tree: the clips own no composition
// data themselves. Entries are dropped when an arrangement releases its
// surfaces, and for clips no longer in the tree when a root is pruned.
class ClipStates {
public:
    static ClipStates& Instance();

    // The media state of the clip's current source; remade when the source
    // changed since the last call.
    MediaClipState& Media(const Clip& clip);
    // Null when the arrangement has no surfaces yet.
    ArrangementState* Arrangement(const Clip& clip);
    // (Re)allocates the six surfaces for an output size id; false when the
    // memory is not there.
    bool Allocate(const Clip& clip, int outputSizeId);
    // Surfaces at the size of the id, allocated when missing or of another size.
    ArrangementState* Surfaces(const Clip& clip, int outputSizeId);
    void Release(const Clip& clip);
    // Forgets every clip that is not in the tree below root.
    void Prune(const Clip& root);
    void Clear();

private:
    std::mutex mutex_;
    std::unordered_map<const Clip*, std::unique_ptr<MediaClipState>> media_;
    std::unordered_map<const Clip*, std::unique_ptr<ArrangementState>> arrangements_;
};

// Width and height of an output size id; unknown ids give 320 x 240.
struct FrameSize {
    int width = 320, height = 240;
};
FrameSize OutputFrameSize(int outputSizeId);
// Frames per second of a frame rate id; unknown ids give 15.
int OutputFrameRate(int frameRateId);

}  // namespace vantrel
