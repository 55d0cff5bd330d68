// The arrangement window's right-click menu: the clicked clip's commands,
// the locators, "Auto Adjust Make Strip" and the project's "File" menu.
#include <cstdio>
#include <string>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/Workspace.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr int kFileMenu = 97;
constexpr int kChangeText = 608;
constexpr int kSetLocator = 781;
constexpr int kGotoLocation = 782;
constexpr int kEnvelopeCaption = 772;

// Menu answers outside the string ids: the clicked clip's entries carry
// their id in the low bits, the locators their index.
constexpr int kClipEntry = 0x10000;
constexpr int kSetLocatorEntry = 0x20000;
constexpr int kGotoLocatorEntry = 0x30000;
constexpr int kEnvelopeEntry = 0x40000;
constexpr int kEntryKind = 0x7fff0000;

// "3  (12.345 s)": the locator's number and where it stands.
std::string LocatorCaption(int index, std::int32_t time) {
    char text[48];
    std::snprintf(text, sizeof text, "%d  (%.3f)", index + 1, time / 1000.0);
    return text;
}
}  // namespace

Clip* Workspace::ClipAt(Point p) const { return arrangementWindow_->ChildAt(p); }

std::vector<int> Workspace::ClipEntryIds(const Clip& clip) const {
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

ResultFlags Workspace::ArrangementMenu(Window* window, Point p) {
    if (!Platform().menus) return 0;
    Clip* shown = ShownArrangement();
    Clip* clicked = ClipAt(p);
    std::vector<MenuEntry> entries;
    if (clicked) {
        for (int id : ClipEntryIds(*clicked))
            entries.push_back(id == MenuList::kSeparator ? MenuSeparator() : MenuCommand(kClipEntry | id, Str(id)));
        // The arrangement's envelope strip works on a clip with sound.
        if (const auto envelope = EnvelopeSubmenu(*clicked)) {
            std::vector<MenuEntry> strip;
            for (int i = 0; i < envelope->Count(); ++i)
                strip.push_back(MenuCommand(kEnvelopeEntry | envelope->IdAt(i), Str(envelope->IdAt(i))));
            entries.push_back(MenuSubmenu(Str(kEnvelopeCaption), std::move(strip)));
        }
        entries.push_back(MenuSeparator());
    }
    std::vector<MenuEntry> set, go;
    for (int i = 0; i < kLocatorCount; ++i) {
        set.push_back(MenuCommand(kSetLocatorEntry | i, LocatorCaption(i, shown->Time())));
        go.push_back(MenuCommand(kGotoLocatorEntry | i, LocatorCaption(i, shown->Locator(i))));
    }
    entries.push_back(MenuSubmenu(Str(kSetLocator), std::move(set)));
    entries.push_back(MenuSubmenu(Str(kGotoLocation), std::move(go)));
    if (shown->IsArrangement()) entries.push_back(MenuCommand(kAutoAdjustCommand, Str(kAutoAdjustCommand)));
    std::vector<MenuEntry> file;
    for (int id : ProjectMenuIds())
        file.push_back(id == MenuList::kSeparator ? MenuSeparator() : MenuCommand(id, Str(id)));
    entries.push_back(MenuSeparator());
    entries.push_back(MenuSubmenu(Str(kFileMenu), std::move(file)));

    const int chosen = Platform().menus->ShowPopup(window, entries);
    const int index = chosen & 0xff;
    switch (chosen & kEntryKind) {
        case 0:
            break;
        case kClipEntry: return RunClipEntry(window, clicked, chosen & 0xffff);
        case kEnvelopeEntry: {
            // The strip transfers take the clip's current variable.
            Variable* variable = clicked ? clicked->Table().ById(clicked->Table().CurrentId()) : nullptr;
            return clicked ? RunEnvelopeCommand(chosen & 0xffff, *clicked, variable) : 0;
        }
        case kSetLocatorEntry:
            shown->SetLocator(index, shown->Time());
            return kChanged | kRepaint;
        case kGotoLocatorEntry: return shown->GotoLocator(index) | kRepaint;
        default: return 0;
    }
    if (!chosen) return 0;
    if (chosen == kAutoAdjustCommand) return shown->AutoAdjustMakeStrip() | kChanged;
    ResultFlags out = 0;
    Command(window, chosen, out);
    return out;
}

ResultFlags Workspace::RunClipEntry(Window* window, Clip* clip, int command) {
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
        case kImportClipCommand: return ImportClipByDialog(window, clip) ? kDone : 0;
        case kImportClipUrlCommand: return ImportClipUrl(window, clip) ? kDone : 0;
        case kNewMediaClipCommand: return NewMediaClipByMenu(window, clip) ? kDone : 0;
        default: return parent->RunClipCommand(clip, command);
    }
}

bool Workspace::ChangeText(Window* window, Clip* clip) {
    if (!clip || !Platform().dialogs) return false;
    const std::string title = Str(kChangeText);
    const auto words = Platform().dialogs->TextEntry(window, title, Str(kTextStringType), clip->Words());
    if (!words) return false;
    clip->SetWords(*words);
    // Cancelling the font chooser keeps the typeface; the words stay changed.
    if (const auto face = Platform().dialogs->ChooseTypeface(window, clip->Typeface()); face && !face->empty())
        clip->SetTypeface(*face);
    return true;
}

}  // namespace vantrel
