#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "values/Surface.h"
#include "compose/AudioMix.h"
#include "model/clips/Clip.h"
#include "model/variables/Variable.h"

namespace vantrel {

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

// Composition's state of one clip, hung on the clip itself.
struct ClipCompositionState final : ClipComposition {
    std::unique_ptr<MediaClipState> media;
    std::unique_ptr<ArrangementState> arrangement;
};

// The media state of the clip's current source; remade when the source
// changed since the last call.
MediaClipState& MediaState(const Clip& clip);
// Null when the arrangement has no surfaces yet.
ArrangementState* ArrangementStateOf(const Clip& clip);
// (Re)allocates the six surfaces for an output size id; false when the
// memory is not there.
bool AllocateSurfaces(const Clip& clip, int outputSizeId);
// Surfaces at the size of the id, allocated when missing or of another size.
ArrangementState* SurfacesFor(const Clip& clip, int outputSizeId);
// Drops what composition keeps for the clip (not for its children).
void ReleaseState(const Clip& clip);
// Drops what composition keeps for every clip of the tree below root.
void ForgetStates(const Clip& root);

// Width and height of an output size id; unknown ids give 320 x 240.
struct FrameSize {
    int width = 320, height = 240;
};
FrameSize OutputFrameSize(int outputSizeId);
// Frames per second of a frame rate id; unknown ids give 15.
int OutputFrameRate(int frameRateId);

}  // namespace vantrel
