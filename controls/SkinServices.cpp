#include "controls/SkinServices.h"

#include <filesystem>

#include "items/Control.h"
#include "items/PictureStore.h"
#include "items/PushButton.h"
#include "items/StringTable.h"
#include "values/Surface.h"
#include "controls/BitmapFile.h"
#include "controls/ControlDrawing.h"
#include "platform/Platform.h"
#include "skin/SettingsStore.h"
#include "skin/SkinActions.h"

namespace vantrel {

namespace {

// The dialogs start in the user's skin folder; a first run has none yet.
std::string UserSkinFolder(const SettingsStore& store) {
    const std::string folder = store.SkinFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

enum SkinCommandId {
    kChangeText = 608,
    kChangePicture = 609,
    kChangeForeground = 618,
    kChangeBackground = 619,
    kRemovePicture = 557,
    kRemoveForeground = 558,
    kRemoveBackground = 559,
    kCopyImage = 637,
    kSaveImage = 89,
    kLoadSkin = 572,
    kSaveSkinAs = 570,
    kReset = 482,
};
constexpr int kSkinMenuTitle = 575;
constexpr int kConfirmReminder = 620;
constexpr int kBackgroundPicture = 555;
constexpr const char* kPictureFilter = "*.png;*.jpg;*.gif;*.bmp;*.jpeg;";
constexpr const char* kSkinFilter = "*.skn";
constexpr const char* kBitmapFilter = "*.bmp";

FileDialogRequest Request(int titleId, const char* pattern) {
    FileDialogRequest request;
    request.title = Str(titleId);
    request.filters.push_back(FileFilter{pattern, pattern});
    return request;
}

// The folder, with its trailing separator, and the name of a path.
std::pair<std::string, std::string> Split(const std::string& path) {
    const std::filesystem::path p(path);
    std::string folder = p.parent_path().string();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return {folder, p.filename().string()};
}

}  // namespace

std::string SkinServices::SkinImagePath(int id) { return SettingsStore::Instance().OwnImage(id); }

void SkinServices::SetSkinImagePath(int id, const std::string& path) { SettingsStore::Instance().SetImage(id, path); }

void SkinServices::PaintControl(Control& control, DrawContext& dc) {
    if (dynamic_cast<PushButton*>(&control))
        DrawPushButton(control, dc);
    else
        DrawPlainControl(control, dc);
}

std::vector<MenuEntry> SkinServices::MenuEntries() {
    std::vector<MenuEntry> entries;
    for (int id : {kChangeText, kChangePicture, kChangeForeground, kChangeBackground})
        entries.push_back(MenuCommand(id, Str(id)));
    entries.push_back(MenuSeparator());
    for (int id : {kRemovePicture, kRemoveForeground, kRemoveBackground}) entries.push_back(MenuCommand(id, Str(id)));
    entries.push_back(MenuSeparator());
    for (int id : {kCopyImage, kSaveImage}) entries.push_back(MenuCommand(id, Str(id)));
    entries.push_back(MenuSeparator());
    entries.push_back(SkinSubmenu());
    return entries;
}

MenuEntry SkinServices::SkinSubmenu() {
    MenuEntry skin;
    skin.kind = MenuEntry::Kind::Submenu;
    skin.caption = Str(kSkinMenuTitle);
    for (int id : {kLoadSkin, kSaveSkinAs, kReset}) skin.entries.push_back(MenuCommand(id, Str(id)));
    return skin;
}

int SkinServices::SkinMenu(Control&, Window* window) {
    Menus* menus = Platform().menus;
    return menus ? menus->ShowPopup(window, MenuEntries()) : 0;
}

const Surface* SkinServices::CurrentPicture(const Control& control) {
    const PictureStore* media = control.Media();
    if (!media) return nullptr;
    const SkinElement* element = SettingsStore::Instance().ImageElement(control.StyleId());
    for (int key : {control.GetId(), element ? element->id : 0, kBackgroundPicture})
        if (key && media->HasPicture(key))
            if (const Surface* picture = media->Picture(key); picture && !picture->IsEmpty()) return picture;
    return nullptr;
}

void SkinServices::SkinImageLoaded(Control& control, int id) {
    if (imageLoaded_) imageLoaded_(control, id);
}

void SkinServices::ReloadPictures(Control& control) {
    PictureStore* media = control.Media();
    if (!media) return;
    for (const SkinElement* element : SettingsStore::Instance().Elements())
        if (!element->image.empty() && media->LoadPicture(element->id, element->image))
            SkinImageLoaded(control, element->id);
}

void SkinServices::Remind() {
    if (status_) status_(Str(kConfirmReminder));
}

bool SkinServices::SkinCommand(Control& control, Window* window, int command, ResultFlags& out) {
    SettingsStore& store = SettingsStore::Instance();
    Dialogs* dialogs = Platform().dialogs;
    const int id = control.GetId();
    switch (command) {
        case kChangeText: {
            if (!dialogs) return true;
            auto text = dialogs->TextEntry(window, Str(kChangeText), Str(id), Str(id));
            if (text && store.SetText(id, *text)) Remind();
            break;
        }
        case kChangePicture: {
            if (!dialogs) return true;
            FileDialogRequest request = Request(kChangePicture, kPictureFilter);
            if (const SkinElement* current = store.ImageElement(id))
                std::tie(request.folder, request.fileName) = Split(current->image);
            request.mustExist = true;
            auto path = dialogs->OpenFile(window, request);
            if (!path || !store.SetImage(id, *path)) break;
            // A picture that will not load keeps its path, quietly.
            if (PictureStore* media = control.Media(); media && media->LoadPicture(id, *path)) {
                control.SetOwnImage(true);
                SkinImageLoaded(control, id);
                Remind();
            }
            break;
        }
        case kChangeForeground:
        case kChangeBackground: {
            if (!dialogs) return true;
            const bool fore = command == kChangeForeground;
            Colour start = fore ? store.Foreground(id) : store.Background(id);
            // Start from what the control shows when the chain sets nothing.
            if (start == kNoColour) start = fore ? Rgb(0, 0, 0) : Rgb(192, 192, 192);
            auto colour = dialogs->ChooseColour(window, start);
            if (colour && (fore ? store.SetForeground(id, *colour) : store.SetBackground(id, *colour))) Remind();
            break;
        }
        case kRemovePicture:
            if (store.SetImage(id, "")) {
                control.SetOwnImage(false);
                Remind();
            }
            break;
        case kRemoveForeground:
            if (store.SetForeground(id, kNoColour)) Remind();
            break;
        case kRemoveBackground:
            if (store.SetBackground(id, kNoColour)) Remind();
            break;
        case kCopyImage:
            if (const Surface* picture = CurrentPicture(control); picture && Platform().clipboard)
                Platform().clipboard->SetImage(*picture);
            break;
        case kSaveImage: {
            const Surface* picture = CurrentPicture(control);
            if (!picture || !dialogs) break;
            FileDialogRequest request = Request(kSaveImage, kBitmapFilter);
            request.defaultSuffix = "bmp";
            request.askBeforeReplace = true;
            if (auto path = dialogs->SaveFile(window, request)) SaveBitmapFile(*picture, *path);
            break;
        }
        case kLoadSkin: {
            if (!dialogs) return true;
            FileDialogRequest request = Request(kLoadSkin, kSkinFilter);
            request.folder = UserSkinFolder(store);
            request.mustExist = true;
            if (auto path = dialogs->OpenFile(window, request); path && store.LoadSkin(*path))
                ReloadPictures(control);
            break;
        }
        case kSaveSkinAs: {
            if (!dialogs) return true;
            FileDialogRequest request = Request(kSaveSkinAs, kSkinFilter);
            request.folder = UserSkinFolder(store);
            request.defaultSuffix = "skn";
            request.askBeforeReplace = true;
            if (auto path = dialogs->SaveFile(window, request)) {
                std::filesystem::path file(*path);
                file.replace_extension(".skn");
                // Kept in a file: a language change no longer asks for them.
                if (store.SaveSkin(file.string())) store.MarkSaved();
            }
            break;
        }
        case kReset:
            store.Reset();
            ReloadPictures(control);
            Remind();
            break;
        default: return false;
    }
    out |= kRepaint;
    return true;
}

SkinServices& StartSkin(const SkinStartup& startup) {
    static SkinServices services;
    StartSettings(startup.language);
    SetSettingsEditor(startup.settingsEditor);
    services.SetStatusText(startup.statusText);
    services.SetImageLoaded(startup.imageLoaded);
    SetControlServices(&services);
    return services;
}

}  // namespace vantrel
