#include "shell/ProgramParts.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

#include "items/PictureStore.h"
#include "items/StringTable.h"
#include "values/Surface.h"
#include "shell/Application.h"
#include "shell/StartupDisplay.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "editor/browser/InfoBrowser.h"
#include "effects/Effect.h"
#include "internet/InternetCommands.h"
#include "compose/Composition.h"
#include "compose/Envelope.h"
#include "media/display/MediaSystem.h"
#include "make/WorkspaceMake.h"
#include "playback/Playback.h"
#include "plugins/api/PluginTables.h"
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
#include "model/variables/Variable.h"

namespace vantrel {

namespace {
constexpr int kBackgroundImage = 555;      // "Application Background Image"
constexpr int kDarkBackgroundImage = 560;  // "Application Background Dark"

std::optional<std::string> DownloadMedia(const std::string& url) {
    return FetchToTemporaryFolder(url, LocalNameFor(url));
}

constexpr int kQuestionCaption = 302;

// Help asked for a variable's topic (F1 over it) lists the variable's
// figures under its page: the current clip's, its current effects', or the
// root's own variable of that string id.
VariableFigures FiguresOf(const Variable& variable, int topic) {
    VariableFigures figures;
    figures.stringId = topic;
    figures.identifier = std::string(variable.Identifier());
    figures.minimum = variable.Minimum();
    figures.maximum = variable.Maximum();
    figures.defaultValue = variable.Default();
    figures.keyCount = variable.KeyCount();
    bool first = true;
    for (const KeyFrame& key : variable.Keys()) {
        figures.lowestKeyMs = first ? key.time : std::min(figures.lowestKeyMs, key.time);
        figures.highestKeyMs = first ? key.time : std::max(figures.highestKeyMs, key.time);
        first = false;
    }
    return figures;
}

std::optional<VariableFigures> FiguresForTopic(Workspace& root, int topic) {
    const std::string number = std::to_string(topic);
    for (const std::string& name : {"cc." + number, "cv." + number, "ca." + number, number}) {
        const auto* variable = dynamic_cast<const Variable*>(root.ResolveName(name));
        if (variable && variable->StringId() == topic) return FiguresOf(*variable, topic);
    }
    return std::nullopt;
}
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
    // Batch scripts keep the recorder: they have no pane to show pages in.
    if (editor) {
        SetScriptHelp(&ProgramInfoBrowser());
        Hooks().openSurfPage = [](const std::string& address) {
            ProgramInfoBrowser().FollowTarget(address);
            return true;
        };
    }
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

InfoBrowser& ProgramInfoBrowser() {
    static InfoBrowser browser;
    static const bool offlineFirst = [] {
        // Without a member-area address pages are never refreshed: no wait
        // cursor, no folders made for copies that will not come.
        InfoBrowser::Outside outside = browser.GetOutside();
        outside.refreshOff = [prefsSayOff = outside.refreshOff] {
            return prefsSayOff() || ConfiguredMemberArea().empty();
        };
        outside.memberArea = [] { return !ConfiguredMemberArea().empty(); };
        browser.SetOutside(std::move(outside));
        return true;
    }();
    (void)offlineFirst;
    return browser;
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
    options.progress = [&window](const std::string& text) { ShowStartupProgress(window, text); };
    if (!media->Start(options)) return nullptr;
    ShowStartupDrawing();  // the start-up picture
    ReloadSkinPictures(*media);
    DeriveDarkBackground(*media);
    return media;
}

void AddProgramParts(WorkspaceOptions& options) {
    // The effects know which of them pick a key colour; the composition
    // library works the arrangement's envelope strip.
    options.keyColourPicker = [](VariableOwner& owner) {
        const auto* effect = dynamic_cast<const Effect*>(&owner);
        return effect && effect->HasKeyColourPicker();
    };
    options.envelope = {[](int command, Clip& arrangement, Clip& child, Variable* variable, double releaseMs) {
        Variable* strip = EnvelopeStrip(arrangement);
        if (!strip) return false;
        switch (command) {
            case kGetAudioEnvelope: return GetAudioEnvelope(arrangement, child, *strip);
            case kInvertEnvelope: InvertKeys(*strip); return true;
            case kFullRangeEnvelope: return FullRange(*strip);
            case kForwardRelease: ForwardRelease(*strip, releaseMs); return true;
            case kBackwardRelease: BackwardRelease(*strip, releaseMs); return true;
            case kBidirectionalRelease: BidirectionalRelease(*strip, releaseMs); return true;
            case kToClipStrip: return variable && ToClipStrip(arrangement, child, *variable, *strip);
            case kFromClipStrip: return variable && FromClipStrip(arrangement, child, *strip, *variable);
            default: return false;
        }
    }};
}

MakeTags PreferredMakeTags() {
    const Preferences& prefs = SettingsStore::Instance().Prefs();
    if (!prefs.writeTags) return {};
    return {prefs.author, prefs.copyright, prefs.clipComments};
}

std::unique_ptr<Item> MakeRootClip(Application& application, Window& window) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    options.hooks.play = PlaybackHook();
    AddProgramParts(options);
    options.language = [] { return SettingsStore::Instance().Language(); };
    options.autosaveSeconds = [] { return SettingsStore::Instance().Prefs().autosaveSeconds; };
    options.historyMegabytes = [] { return SettingsStore::Instance().Prefs().historyMegabytes; };
    options.openProjectUrl = [](Workspace& root, Window* owner) {
        return OpenProjectFromAddress(owner, [&root](const std::string& path) { return OpenProjectFile(root, path); });
    };
    InfoBrowser& browser = ProgramInfoBrowser();
    options.infoBrowser = &browser;
    options.infoBrowserShown = [&browser] { return browser.Shown(); };
    options.editHelpButton = [] { return SettingsStore::Instance().Prefs().shopEditHelpButton != 0; };
    options.exampleProjectsAllowed = [] { return SettingsStore::Instance().Prefs().showExampleProjectMenu != 0; };
    options.displayPreferences = [] {
        const Preferences& prefs = SettingsStore::Instance().Prefs();
        DisplayPreferences display;
        display.toolTips = prefs.useToolTips != 0;
        display.statusMessages = prefs.showStatusMessages != 0;
        display.locatorsInRoot = prefs.showLocatorsInRootClip != 0;
        display.locatorsInClipDetail = prefs.showLocatorsInClipDetail != 0;
        display.clipInfoInClipDetail = prefs.clipInfoInClipDetail != 0;
        display.clipInfoInArrangement = prefs.clipInfoInArrangement != 0;
        display.globalEffects = prefs.globalEffects != 0;
        return display;
    };
    auto shownFor = std::make_shared<Workspace*>(nullptr);
    // F1 over a panel row names the very variable (an effect's may share its
    // string id with the clip's); a bare topic is looked up by its id.
    auto pointedAt = std::make_shared<std::optional<VariableFigures>>();
    options.showHelpTopic = [&browser, shownFor, pointedAt](int topic) {
        if (*pointedAt && (*pointedAt)->stringId == topic)
            browser.SetVariableFigures(**pointedAt);
        else if (*shownFor)
            if (const auto figures = FiguresForTopic(**shownFor, topic)) browser.SetVariableFigures(*figures);
        pointedAt->reset();
        if (topic == InfoBrowser::kStartPage)
            browser.ShowStartPage();
        else
            browser.ShowNumberedPage(topic);
    };
    options.progress = [&window](const std::string& text) { ShowStartupProgress(window, text); };
    // The plugin only needs to know that a window is there to show its
    // options over. The worker's failure box and the opening of the made
    // file are queued onto the main thread.
    options.startMake = [](Workspace& root) {
        MainThreadPost post = [](std::function<void()> task) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
        };
        return StartMake(root, ProgramPlugins(), root.GetWindow(), SettingsStore::Instance().Prefs().openWhenMade != 0,
                         {}, post, PreferredMakeTags());
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
        if (command == kEditPageCommand) {
            ProgramInfoBrowser().EditCurrentPage();
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
        switch (ChooseLanguage(owner, command)) {
            case LanguageChoice::NotALanguage: return false;
            case LanguageChoice::Kept: return true;
            case LanguageChoice::Applied: break;
        }
        if (media) {
            ReloadSkinPictures(*media);
            if (auto* system = dynamic_cast<MediaSystem*>(media)) DeriveDarkBackground(*system);
        }
        ProgramInfoBrowser().LanguageChanged();
        if (MenuBar* bar = owner ? owner->GetMenuBar() : nullptr) bar->RefreshMenuTitles();
        QtPlatform::UseLanguage(SettingsStore::Instance().Language());
        out = kRelayout | kRepaint;
        return true;
    };
    QtPlatform::UseLanguage(SettingsStore::Instance().Language());
    auto root = std::make_unique<Workspace>(&application, &window, application.Media(), options);
    Workspace* workspace = root.get();
    *shownFor = workspace;
    {
        InfoBrowser::Outside outside = browser.GetOutside();
        outside.scriptMoment = [workspace] { workspace->ShowScriptMoment(); };
        browser.SetOutside(std::move(outside));
    }
    workspace->Editor().Panels().Parameters().SetVariableHelpSink([pointedAt](const Variable& variable) {
        *pointedAt = FiguresOf(variable, variable.DeclaredId() ? variable.DeclaredId() : 487);
    });
    Hooks().quit = [] { QtPlatform::Quit(0); };
    // The reminder after a skin change goes to the workspace's status line.
    if (auto* skin = dynamic_cast<SkinServices*>(&Services()))
        skin->SetStatusText([workspace](const std::string& text) { workspace->SetStatusText(text); });
    return root;
}

}  // namespace vantrel
