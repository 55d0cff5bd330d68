#include "compose/ClipState.h"

#include <unordered_set>

#include "model/clips/Clip.h"

namespace vantrel {

namespace {
void Collect(const Clip& clip, std::unordered_set<const Clip*>& into) {
    into.insert(&clip);
    for (int i = 0; i < clip.ChildCount(); ++i) Collect(*clip.ChildAt(i), into);
}
}  // namespace

ArrangementState::ArrangementState() { strip.Define("IDS_ENVELOPE_STRIP", 0, 0, 1, 0); }

FrameSize OutputFrameSize(int outputSizeId) {
    if (const OutputSize* size = FindOutputSize(outputSizeId)) return {size->width, size->height};
    return {};
}

int OutputFrameRate(int frameRateId) {
    const int fps = FramesPerSecond(frameRateId);
    return fps > 0 ? fps : 15;
}

ClipStates& ClipStates::Instance() {
    static ClipStates states;
    return states;
}

MediaClipState& ClipStates::Media(const Clip& clip) {
    std::lock_guard lock(mutex_);
    std::unique_ptr<MediaClipState>& state = media_[&clip];
    const MediaSource* source = clip.Source();
    if (!state || state->source != source) {
        state = std::make_unique<MediaClipState>();
        state->source = source;
        if (source && source->HasAudio()) state->audio.Remake(source->AudioSecondBytes());
    }
    return *state;
}

ArrangementState* ClipStates::Arrangement(const Clip& clip) {
    std::lock_guard lock(mutex_);
    auto found = arrangements_.find(&clip);
    return found == arrangements_.end() ? nullptr : found->second.get();
}

bool ClipStates::Allocate(const Clip& clip, int outputSizeId) {
    const FrameSize size = OutputFrameSize(outputSizeId);
    std::lock_guard lock(mutex_);
    std::unique_ptr<ArrangementState>& state = arrangements_[&clip];
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

ArrangementState* ClipStates::Surfaces(const Clip& clip, int outputSizeId) {
    const FrameSize size = OutputFrameSize(outputSizeId);
    ArrangementState* state = Arrangement(clip);
    if (state && state->width == size.width && state->height == size.height) return state;
    if (!Allocate(clip, outputSizeId)) return nullptr;
    return Arrangement(clip);
}

void ClipStates::Release(const Clip& clip) {
    std::lock_guard lock(mutex_);
    arrangements_.erase(&clip);
    media_.erase(&clip);
}

void ClipStates::Prune(const Clip& root) {
    std::unordered_set<const Clip*> alive;
    Collect(root, alive);
    std::lock_guard lock(mutex_);
    for (auto it = media_.begin(); it != media_.end();)
        it = alive.count(it->first) ? std::next(it) : media_.erase(it);
}

void ClipStates::Clear() {
    std::lock_guard lock(mutex_);
    media_.clear();
    arrangements_.clear();
}

}  // namespace vantrel
