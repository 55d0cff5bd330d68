#include "editor/workspace/EnvelopeMenu.h"

#include "items/MenuList.h"
#include "model/clips/Clip.h"

namespace vantrel {

bool IsEnvelopeCommand(int command) { return command >= kGetAudioEnvelope && command <= kFromClipStrip; }

std::shared_ptr<MenuList> EnvelopeSubmenu(const EnvelopeOperations& operations, const Clip& child) {
    if (!operations.run || !child.ParentClip() || !child.HasAudio()) return nullptr;
    auto menu = std::make_shared<MenuList>();
    for (int id = kGetAudioEnvelope; id <= kFromClipStrip; ++id) menu->Add(id);
    return menu;
}

ResultFlags RunEnvelopeCommand(const EnvelopeOperations& operations, int command, Clip& child, Variable* variable,
                               double releaseMs) {
    Clip* arrangement = child.ParentClip();
    if (!IsEnvelopeCommand(command) || !arrangement || !operations.run) return 0;
    if ((command == kToClipStrip || command == kFromClipStrip) && !variable) return 0;
    return operations.run(command, *arrangement, child, variable, releaseMs) ? kChanged | kRepaint : 0;
}

}  // namespace vantrel
