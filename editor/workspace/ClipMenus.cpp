// The arrangement window's right-click menu: the clicked clip's commands,
// the locators, "Auto Adjust Make Strip" and the project's "File" menu.
#include <cstdio>
#include <string>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/MenuAnswers.h"
#include "editor/workspace/Workspace.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr int kFileMenu = 97;
constexpr int kChangeText = 608;
constexpr int kFontSizeVariable = 280;  // a text clip's point size
constexpr int kSetLocator = 781;
constexpr int kGotoLocation = 782;

// "3  (12.345 s)": the locator's number and where it stands.
std::string LocatorCaption(int index, std::int32_t time) {
    char text[48];
    std::snprintf(text, sizeof text, "%d  (%.3f)", index + 1, time / 1000.0);
    return text;
}
}  // namespace

Clip* EditorWindow::ClipAt(Point p) const { return arrangementWindow_->ChildAt(p); }

std::vector<int> EditorWindow::ClipEntryIds(const Clip& clip) const {
    const Clip* parent = clip.ParentClip();
    if (!parent) return {};
    std::vector<int> ids = parent->MenuCommands(clip);
    if (clip.Generator() && clip.Generator()->Type() == kTextStringType) ids.push_back(kChangeText);
    const bool opacities = clip.HasVideo(), volumes = clip.HasAudio();
    if (opacities || volumes) ids.push_back(MenuList::kSeparator);
    if (opacities) ids.push_back(kWorkWithOpacitiesCommand);
    if (volumes) ids.push_back(kWorkWithVolumesCommand);
    if (clip.IsArrangement()) {
        ids.push_back(MenuList::kSeparator);
        for (int id : {kImportClipCommand, kImportClipUrlCommand, kNewMediaClipCommand}) ids.push_back(id);
    }
    return ids;
}

ResultFlags EditorWindow::ArrangementMenu(Window* window, Point p) {
    if (!Platform().menus) return 0;
    Clip* shown = root_.ShownArrangement();
    Clip* clicked = ClipAt(p);
    using Kind = MenuAnswer::Kind;
    MenuAnswers answers;
    std::vector<MenuEntry> entries;
    if (clicked) {
        for (int id : ClipEntryIds(*clicked))
            entries.push_back(id == MenuList::kSeparator ? MenuSeparator() : answers.Entry({Kind::ClipEntry, id}, Str(id)));
        // The arrangement's envelope strip works on a clip with sound.
        if (const auto envelope = EnvelopeSubmenu(root_.Options().envelope, *clicked)) {
            std::vector<MenuEntry> strip;
            for (int i = 0; i < envelope->Count(); ++i)
                strip.push_back(answers.Entry({Kind::EnvelopeEntry, envelope->IdAt(i)}, Str(envelope->IdAt(i))));
            entries.push_back(MenuSubmenu(Str(kEnvelopeText), std::move(strip)));
        }
        entries.push_back(MenuSeparator());
    }
    std::vector<MenuEntry> set, go;
    for (int i = 0; i < Clip::kLocatorCount; ++i) {
        set.push_back(answers.Entry({Kind::SetLocator, i}, LocatorCaption(i, shown->Time())));
        go.push_back(answers.Entry({Kind::GotoLocator, i}, LocatorCaption(i, shown->Locator(i))));
    }
    entries.push_back(MenuSubmenu(Str(kSetLocator), std::move(set)));
    entries.push_back(MenuSubmenu(Str(kGotoLocation), std::move(go)));
    if (shown->IsArrangement())
        entries.push_back(answers.Entry({Kind::RootCommand, kAutoAdjustCommand}, Str(kAutoAdjustCommand)));
    std::vector<MenuEntry> file;
    for (const MenuEntry& entry : ProjectMenuEntries()) {
        if (entry.kind == MenuEntry::Kind::Separator) {
            file.push_back(entry);
            continue;
        }
        MenuEntry own = answers.Entry({Kind::RootCommand, entry.command}, entry.caption);
        own.enabled = entry.enabled;
        file.push_back(std::move(own));
    }
    entries.push_back(MenuSeparator());
    entries.push_back(MenuSubmenu(Str(kFileMenu), std::move(file)));

    const MenuAnswer chosen = answers.Answer(Platform().menus->ShowPopup(window, entries));
    switch (chosen.kind) {
        case Kind::None: return 0;
        case Kind::ClipEntry: return RunClipEntry(window, clicked, chosen.value);
        case Kind::EnvelopeEntry: {
            // The strip transfers take the clip's current variable.
            Variable* variable = clicked ? clicked->Table().ById(clicked->Table().CurrentId()) : nullptr;
            return clicked ? RunEnvelopeCommand(root_.Options().envelope, chosen.value, *clicked, variable) : 0;
        }
        case Kind::SetLocator:
            shown->SetLocator(chosen.value, shown->Time());
            return kChanged | kRepaint;
        case Kind::GotoLocator: return shown->GotoLocator(chosen.value) | kRepaint;
        case Kind::RootCommand: break;
    }
    if (chosen.value == kAutoAdjustCommand) return shown->AutoAdjustMakeStrip() | kChanged;
    ResultFlags out = 0;
    root_.Command(window, chosen.value, out);
    return out;
}

ResultFlags EditorWindow::RunClipEntry(Window* window, Clip* clip, int command) {
    Clip* parent = clip ? clip->ParentClip() : nullptr;
    if (!parent) return 0;
    constexpr ResultFlags kDone = kChanged | kRepaint;
    // What the panels and the clip's pane show follows the clip worked on.
    if (command == kChangeText || command == kWorkWithOpacitiesCommand || command == kWorkWithVolumesCommand)
        parent->Select(clip);
    switch (command) {
        case kChangeText: return ChangeText(window, clip) ? kDone : kRepaint;
        case kWorkWithOpacitiesCommand: clip->WorkWithOpacities(); return kRepaint | kRelayout;
        case kWorkWithVolumesCommand: clip->WorkWithVolumes(); return kRepaint | kRelayout;
        case kImportClipCommand: return ImportClipByDialog(root_, window, clip) ? kDone : 0;
        case kImportClipUrlCommand: return ImportClipUrl(root_, window, clip) ? kDone : 0;
        case kNewMediaClipCommand: return NewMediaClipByMenu(root_, window, clip) ? kDone : 0;
        default: return parent->RunClipCommand(clip, command);
    }
}

bool EditorWindow::ChangeText(Window* window, Clip* clip) {
    if (!clip || !Platform().dialogs) return false;
    const std::string title = Str(kChangeText);
    const auto words = Platform().dialogs->TextEntry(window, title, Str(kTextStringType), clip->Words());
    if (!words) return false;
    clip->SetWords(*words);
    // The chooser opens at the clip's typeface and its size now; cancelling
    // it keeps both, and the words stay changed.
    const int size = int(clip->ValueById(kFontSizeVariable) + 0.5);
    int chosen = size;
    if (const auto face = Platform().dialogs->ChooseTypeface(window, clip->Typeface(), chosen); face && !face->empty()) {
        clip->SetTypeface(*face);
        if (chosen > 0 && chosen != size) clip->SetValueNow(kFontSizeVariable, chosen);
    }
    return true;
}

}  // namespace vantrel
