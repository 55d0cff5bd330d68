// Choosing, removing and reordering a clip's effects (the editor's
// effect list). The caller holds the tree, as for every edit.
#include <algorithm>

#include "model/clips/Clip.h"

namespace vantrel {

namespace {
Clip::EffectList::const_iterator Find(const Clip::EffectList& list, const VariableOwner* effect) {
    return std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.get() == effect; });
}
}  // namespace

void Clip::SetCurrentEffect(EffectKind kind, VariableOwner* effect) {
    const EffectList& list = kind == EffectKind::kVideo ? videoEffects_ : audioEffects_;
    VariableOwner*& current = kind == EffectKind::kVideo ? currentVideoEffect_ : currentAudioEffect_;
    current = effect && Find(list, effect) != list.end() ? effect : nullptr;
}

bool Clip::RemoveEffect(VariableOwner* effect) {
    for (EffectList* list : {&videoEffects_, &audioEffects_}) {
        const auto found = Find(*list, effect);
        if (found == list->end()) continue;
        if (currentVideoEffect_ == effect) currentVideoEffect_ = nullptr;
        if (currentAudioEffect_ == effect) currentAudioEffect_ = nullptr;
        list->erase(found);
        return true;
    }
    return false;
}

bool Clip::MoveEffect(VariableOwner* effect, int direction) {
    for (EffectList* list : {&videoEffects_, &audioEffects_}) {
        const auto found = Find(*list, effect);
        if (found == list->end()) continue;
        const auto index = found - list->begin();
        const auto other = index + (direction < 0 ? -1 : 1);
        if (other < 0 || other >= std::ssize(*list)) return false;
        std::swap((*list)[std::size_t(index)], (*list)[std::size_t(other)]);
        return true;
    }
    return false;
}

}  // namespace vantrel
