#include "app/shell/ProgramParts.h"

#include "app/core/PictureStore.h"
#include "app/shell/Application.h"
#include "app/workspace/Workspace.h"
#include "browser/internet/InternetCommands.h"
#include "media/display/MediaSystem.h"
#include "media/make/WorkspaceMake.h"
#include "media/plugins/PluginTables.h"
#include "skin/SettingsStore.h"
#include "controls/SkinServices.h"
#include "media/sources/MediaOpen.h"
#include "platform/qt/QtTextRenderer.h"
#include "script/ScriptContext.h"
#include "script/ScriptNames.h"
#include "skin/PreferencesObject.h"

namespace vantrel {

namespace {
std::optional<std::string> DownloadMedia(const std::string& url) {
    return FetchToTemporaryFolder(url, LocalNameFor(url));
}
}  // namespace

void ConnectProgramParts(bool editor) {
    static bool connected = false;
    if (connected) return;
    connected = true;
    // Text pictures need the Qt application, which both callers made first.
    InstallQtTextRenderer();
    SetDownloadFunction(&DownloadMedia);
    SetMemberAreaFetch(&RefreshFromMemberArea);
    SetScriptPreferences(&PreferencesItem());
    SkinStartup skin;
    (void)editor;
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
    return media;
}

std::unique_ptr<Item> MakeRootClip(Application& application, Window& window) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    options.language = [] { return SettingsStore::Instance().Language(); };
    return std::make_unique<Workspace>(&application, &window, application.Media(), options);
}

}  // namespace vantrel
