#include "app/shell/ProgramParts.h"

#include "app/core/PictureStore.h"
#include "app/core/StringTable.h"
#include "app/core/Surface.h"
#include "app/shell/Application.h"
#include "app/workspace/Workspace.h"
#include "browser/internet/InternetCommands.h"
#include "media/compose/Composition.h"
#include "media/display/MediaSystem.h"
#include "media/make/WorkspaceMake.h"
#include "media/playback/Playback.h"
#include "media/plugins/PluginTables.h"
#include "controls/SkinServices.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTextRenderer.h"
#include "platform/qt/SettingsDialog.h"
#include "script/ScriptContext.h"
#include "script/ScriptNames.h"
#include "skin/PreferencesObject.h"
#include "skin/SettingsStore.h"
#include "skin/SkinActions.h"

namespace vantrel {

namespace {
constexpr int kBackgroundImage = 555;      // "Application Background Image"
constexpr int kDarkBackgroundImage = 560;  // "Application Background Dark"
constexpr int kPreferencesCommand = 477;
constexpr int kUpdateCommand = 120;
constexpr int kEmailSupportCommand = 592;

std::optional<std::string> DownloadMedia(const std::string& url) {
    return FetchToTemporaryFolder(url, LocalNameFor(url));
}

constexpr int kQuestionCaption = 302;
}  // namespace

bool AskToDownloadMedia(const std::string& address, Window* owner) {
    if (!Platform().dialogs) return false;
    MessageBoxRequest request;
    request.text = "The project wants a media file from the Internet:\n\n" + address +
                   "\n\nDownload it now? Without it the clip counts as missing.";
    request.caption = Str(kQuestionCaption);
    request.icon = BoxIcon::Question;
    request.buttons = BoxButtons::YesNo;
    request.defaultButton = BoxAnswer::No;
    return Platform().dialogs->MessageBox(owner, request) == BoxAnswer::Yes;
}

void DeriveDarkBackground(MediaSystem& media) {
    const Surface* light = media.Picture(kBackgroundImage);
    if (!light || light->IsEmpty()) return;
    const Rect size = media.PictureRect(kBackgroundImage);
    auto dark = std::make_unique<Surface>(*light);
    // Half brightness keeps the pattern readable behind light text.
    for (int y = 0; y < dark->Height(); ++y) {
        Pixel* row = dark->Row(y);
        for (int x = 0; x < dark->Width(); ++x) row[x] = (row[x] >> 1 & 0x007f7f7f) | (row[x] & 0xff000000);
    }
    media.StorePicture(kDarkBackgroundImage, std::move(dark), size.Width(), size.Height());
}

void ConnectProgramParts(bool editor) {
    static bool connected = false;
    if (connected) return;
    connected = true;
    // Text pictures need the Qt application, which both callers made first.
    InstallQtTextRenderer();
    // Effects and generators of loaded clips; plugin effects find the
    // plugins once they are loaded.
    InstallCompositionParts(&ProgramPlugins());
    SetDownloadFunction(&DownloadMedia);
    // Batch runs answer from their command line (RunBatch); the editor asks.
    if (editor) SetRemoteMediaConsent(&AskToDownloadMedia);
    SetMemberAreaFetch(&RefreshFromMemberArea);
    SetScriptPreferences(&PreferencesItem());
    SkinStartup skin;
    // Only the editor has somebody to ask; batch runs keep the command inert.
    if (editor) skin.settingsEditor = &QtSettingsDialog();
    // The control that took the new picture knows the media system holding it.
    skin.imageLoaded = [](Control& control, int id) {
        if (id != kBackgroundImage) return;
        if (auto* media = dynamic_cast<MediaSystem*>(control.Media())) DeriveDarkBackground(*media);
    };
    StartSkin(skin);
}

PluginTables& ProgramPlugins() {
    static PluginTables tables;
    return tables;
}

std::unique_ptr<PictureStore> StartMediaSystem(Window& window) {
    ConnectProgramParts(true);
    auto media = std::make_unique<MediaSystem>();
    MediaSystemOptions options;
    options.window = &window;
    options.hooks.loadPlugins = [] { ProgramPlugins().LoadDefault(); };
    options.hooks.unloadPlugins = [] { ProgramPlugins().Shutdown(); };
    if (!media->Start(options)) return nullptr;
    ReloadSkinPictures(*media);
    DeriveDarkBackground(*media);
    return media;
}

std::unique_ptr<Item> MakeRootClip(Application& application, Window& window) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    options.hooks.play = PlaybackHook();
    options.language = [] { return SettingsStore::Instance().Language(); };
    options.openProjectUrl = [](Window* owner) { return OpenProjectFromAddress(owner); };
    // The plugin only needs to know that a window is there to show its
    // options over; a failed make is reported on the status line, which the
    // worker may write.
    options.startMake = [](Workspace& root) {
        return StartMake(root, ProgramPlugins(), root.GetWindow(), SettingsStore::Instance().Prefs().openWhenMade != 0);
    };
    PictureStore* media = application.Media();
    options.programCommand = [media](Window* owner, int command, ResultFlags& out) {
        if (command == kPreferencesCommand) {
            out = RunSettingsDialog(owner) ? kRelayout | kRepaint : 0;
            return true;
        }
        if (command == kUpdateCommand) {
            CheckForUpdate(owner);
            out = kRepaint;
            return true;
        }
        if (command == kEmailSupportCommand) {
            const std::string address = SupportMailto();
            if (Hooks().openSurfPage)
                Hooks().openSurfPage(address);
            else if (Platform().shell)
                Platform().shell->Open(address);
            return true;
        }
        if (!LanguageCommand(command)) return false;
        if (media) ReloadSkinPictures(*media);
        out = kRelayout | kRepaint;
        return true;
    };
    auto root = std::make_unique<Workspace>(&application, &window, application.Media(), options);
    Workspace* workspace = root.get();
    Hooks().openProject = [workspace](const std::string& path) { return workspace->OpenProjectFile(path); };
    Hooks().importMedia = [workspace](const std::string& path) { return workspace->ImportMedia(path) != nullptr; };
    Hooks().quit = [] { QtPlatform::Quit(0); };
    // The reminder after a skin change goes to the workspace's status line.
    if (auto* skin = dynamic_cast<SkinServices*>(&Services()))
        skin->SetStatusText([workspace](const std::string& text) { workspace->SetStatusText(text); });
    return root;
}

}  // namespace vantrel
