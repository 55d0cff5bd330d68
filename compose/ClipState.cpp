#include "compose/ClipState.h"


namespace vantrel {

ArrangementState::ArrangementState() { strip.Define("IDS_ENVELOPE_STRIP", 0, 0, 1, 0); }

FrameSize OutputFrameSize(int outputSizeId) {
    if (const OutputSize* size = FindOutputSize(outputSizeId)) return {size->width, size->height};
    return {};
}

int OutputFrameRate(int frameRateId) {
    const int fps = FramesPerSecond(frameRateId);
    return fps > 0 ? fps : 15;
}

namespace {
ClipCompositionState& StateOf(const Clip& clip) {
    if (auto* state = dynamic_cast<ClipCompositionState*>(clip.Composition())) return *state;
    auto made = std::make_unique<ClipCompositionState>();
    ClipCompositionState& state = *made;
    clip.SetComposition(std::move(made));
    return state;
}
}  // namespace

MediaClipState& MediaState(const Clip& clip) {
    std::unique_ptr<MediaClipState>& state = StateOf(clip).media;
    const MediaSource* source = clip.Source();
    if (!state || state->source != source) {
        state = std::make_unique<MediaClipState>();
        state->source = source;
        if (source && source->HasAudio()) state->audio.Remake(source->AudioSecondBytes());
    }
    return *state;
}

ArrangementState* ArrangementStateOf(const Clip& clip) {
    auto* state = dynamic_cast<ClipCompositionState*>(clip.Composition());
    return state ? state->arrangement.get() : nullptr;
}

bool AllocateSurfaces(const Clip& clip, int outputSizeId) {
    const FrameSize size = OutputFrameSize(outputSizeId);
    std::unique_ptr<ArrangementState>& state = StateOf(clip).arrangement;
    if (!state) state = std::make_unique<ArrangementState>();
    state->width = state->height = 0;
    for (Surface& surface : state->surfaces)
        if (!surface.Allocate(size.width, size.height)) {
            for (Surface& s : state->surfaces) s.Release();
            return false;
        }
    state->width = size.width;
    state->height = size.height;
    return true;
}

ArrangementState* SurfacesFor(const Clip& clip, int outputSizeId) {
    const FrameSize size = OutputFrameSize(outputSizeId);
    ArrangementState* state = ArrangementStateOf(clip);
    if (state && state->width == size.width && state->height == size.height) return state;
    if (!AllocateSurfaces(clip, outputSizeId)) return nullptr;
    return ArrangementStateOf(clip);
}

void ReleaseState(const Clip& clip) { clip.SetComposition(nullptr); }

void ForgetStates(const Clip& root) {
    ReleaseState(root);
    for (int i = 0; i < root.ChildCount(); ++i) ForgetStates(*root.ChildAt(i));
}

}  // namespace vantrel
