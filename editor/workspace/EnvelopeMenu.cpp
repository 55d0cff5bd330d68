#include "editor/workspace/EnvelopeMenu.h"

#include "items/MenuList.h"
#include "model/clips/Clip.h"

namespace vantrel {

namespace {
EnvelopeOperations& Operations() {
    static EnvelopeOperations operations;
    return operations;
}
}  // namespace

void SetEnvelopeOperations(EnvelopeOperations operations) { Operations() = std::move(operations); }

bool IsEnvelopeCommand(int command) { return command >= kGetAudioEnvelope && command <= kFromClipStrip; }

std::shared_ptr<MenuList> EnvelopeSubmenu(const Clip& child) {
    if (!Operations().run || !child.ParentClip() || !child.HasAudio()) return nullptr;
    auto menu = std::make_shared<MenuList>();
    for (int id = kGetAudioEnvelope; id <= kFromClipStrip; ++id) menu->Add(id);
    return menu;
}

ResultFlags RunEnvelopeCommand(int command, Clip& child, Variable* variable, double releaseMs) {
    Clip* arrangement = child.ParentClip();
    if (!IsEnvelopeCommand(command) || !arrangement || !Operations().run) return 0;
    if ((command == kToClipStrip || command == kFromClipStrip) && !variable) return 0;
    return Operations().run(command, *arrangement, child, variable, releaseMs) ? kChanged | kRepaint : 0;
}

}  // namespace vantrel
