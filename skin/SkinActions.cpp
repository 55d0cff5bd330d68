#include "skin/SkinActions.h"

#include <filesystem>
#include <string>
#include <vector>

#include "items/PictureStore.h"
#include "items/StringTable.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SettingsEditor.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {

constexpr int kPreferencesTitle = 477;
constexpr int kEnglishCommand = 646;
constexpr int kGermanCommand = 647;
constexpr int kDefaultLanguageCommand = 125;
constexpr int kQuestionCaption = 302;
constexpr int kLanguageLosesChanges = 920;

SettingsEditor* editor = nullptr;

std::vector<SettingNode> ToNodes(const SettingsList& list) {
    std::vector<SettingNode> nodes;
    nodes.reserve(list.Size());
    for (const SettingEntry& entry : list.Entries()) {
        SettingNode node;
        node.kind = SettingNode::Kind(entry.kind);
        node.id = entry.id;
        node.label = Str(entry.id);
        node.filter = entry.filter;
        node.flags = entry.flags;
        switch (entry.kind) {
            case SettingKind::Group:
                if (entry.group) node.children = ToNodes(*entry.group);
                break;
            case SettingKind::Switch: node.number = entry.switchValue && *entry.switchValue ? 1 : 0; break;
            case SettingKind::Number:
            case SettingKind::Colour: node.number = entry.number ? *entry.number : 0; break;
            case SettingKind::Text:
            case SettingKind::FileName: node.text = entry.Text(); break;
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

void FromNodes(SettingsList& list, const std::vector<SettingNode>& nodes) {
    // The dialog hands back the shape it was given; anything else is ignored.
    auto& entries = list.Entries();
    for (std::size_t i = 0; i < entries.size() && i < nodes.size(); ++i) {
        SettingEntry& entry = entries[i];
        const SettingNode& node = nodes[i];
        if (node.id != entry.id || int(node.kind) != int(entry.kind)) continue;
        switch (entry.kind) {
            case SettingKind::Group:
                if (entry.group) FromNodes(*entry.group, node.children);
                break;
            case SettingKind::Switch:
                if (entry.switchValue) *entry.switchValue = node.number ? 1 : 0;
                break;
            case SettingKind::Number:
            case SettingKind::Colour:
                if (entry.number) *entry.number = node.number;
                break;
            case SettingKind::Text:
            case SettingKind::FileName:
                // Untouched texts stay where they are: writing the string
                // table back would only cost time.
                if (node.text != entry.Text()) entry.SetText(node.text);
                break;
        }
    }
}

void SaveDefaultSkin(SettingsStore& store) {
    // A fresh installation has no language folder yet; the save must not
    // fail quietly because of that.
    std::error_code ignored;
    std::filesystem::create_directories(store.SkinFolder(), ignored);
    if (store.SaveSkin(store.DefaultSkinPath())) store.MarkSaved();
}

}  // namespace

void StartSettings(int language) {
    SettingsStore::Instance().ApplyLanguage(language ? language : DefaultLanguage());
}

void SetSettingsEditor(SettingsEditor* settingsEditor) { editor = settingsEditor; }
SettingsEditor* CurrentSettingsEditor() { return editor; }

bool RunSettingsDialog(Window* owner) {
    if (!editor) return false;
    SettingsStore& store = SettingsStore::Instance();
    std::vector<SettingNode> nodes = ToNodes(store.RootList());
    if (!editor->Edit(owner, Str(kPreferencesTitle), nodes)) return false;
    FromNodes(store.RootList(), nodes);
    int& language = store.Prefs().language;
    if (language != SettingsStore::kGerman) language = SettingsStore::kEnglish;
    // A fresh installation has no language folder yet; the save must not
    // fail quietly because of that.
    SaveDefaultSkin(store);
    return true;
}

bool LanguageCommand(int command) {
    SettingsStore& store = SettingsStore::Instance();
    switch (command) {
        case kEnglishCommand: store.ApplyLanguage(SettingsStore::kEnglish); return true;
        case kGermanCommand: store.ApplyLanguage(SettingsStore::kGerman); return true;
        case kDefaultLanguageCommand: store.ApplyLanguage(DefaultLanguage()); return true;
        default: return false;
    }
}

LanguageChoice ChooseLanguage(Window* owner, int command) {
    if (command != kEnglishCommand && command != kGermanCommand && command != kDefaultLanguageCommand)
        return LanguageChoice::NotALanguage;
    SettingsStore& store = SettingsStore::Instance();
    if (store.HasUnsavedChanges()) {
        Dialogs* dialogs = Platform().dialogs;
        if (!dialogs) return LanguageChoice::Kept;
        MessageBoxRequest request;
        request.text = Str(kLanguageLosesChanges);
        request.caption = Str(kQuestionCaption);
        request.icon = BoxIcon::Question;
        request.buttons = BoxButtons::YesNoCancel;
        switch (dialogs->MessageBox(owner, request)) {
            case BoxAnswer::Yes: SaveDefaultSkin(store); break;
            case BoxAnswer::No: break;
            default: return LanguageChoice::Kept;
        }
    }
    LanguageCommand(command);
    return LanguageChoice::Applied;
}

void ReloadSkinPictures(PictureStore& media) {
    for (const SkinElement* element : SettingsStore::Instance().Elements())
        if (!element->image.empty()) media.LoadPicture(element->id, element->image);
}

}  // namespace vantrel
