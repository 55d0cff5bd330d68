#include "shell/Vantrel.h"

#include <filesystem>
#include <system_error>

#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "shell/Batch.h"
#include "items/PictureStore.h"
#include "shell/ProgramParts.h"
#include "shell/Startup.h"
#include "shell/WindowProcedure.h"
#include "controls/SkinServices.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "internet/InternetCommands.h"
#include "platform/qt/QtPlatform.h"

namespace vantrel {

namespace {

constexpr int kCannotRunText = 411;  // "Unable to run Vantrel Media Compositor. \nExiting Now!"

EditorParts& Defaults() {
    static EditorParts parts{
        &StartMediaSystem,
        &MakeRootClip,
        {},
        {}};
    return parts;
}

std::string ExecutablePath() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.string();
}

}  // namespace

void SetEditorParts(const EditorParts& parts) {
    if (parts.media) Defaults().media = parts.media;
    if (parts.root) Defaults().root = parts.root;
    if (parts.started) Defaults().started = parts.started;
}

int RunEditor(int argc, char** argv, const EditorParts& given) {
    EditorParts parts = given;
    if (!parts.media) parts.media = Defaults().media;
    if (!parts.root) parts.root = Defaults().root;
    if (!parts.started) parts.started = Defaults().started;
    const std::string title = WindowTitle();
    WriteVersionFile(ProgramFolder());

    QtPlatform platform(argc, argv, QtPlatform::Mode::Editor);
    const PlatformServices qtServices = SetPlatform(parts.services);
    std::unique_ptr<MainWindow> window = platform.CreateMainWindow(title);
    if (!window) return kExitNoWindow;

    WindowProcedure procedure(*window, &QtPlatform::Quit);
    // Shown before the parts start, so that their progress texts and the
    // start-up picture are seen.
    window->ShowMaximised();
    auto application = std::make_unique<Application>(*window, parts.media, parts.root, [&](Application& app) {
        procedure.SetApplication(&app);
        window->SetEvents(&procedure);
    });
    if (!application->HasMediaSystem()) {
        Platform().dialogs->MessageBox(window.get(), {Str(kCannotRunText), Str(kErrorText),
                                                      BoxIcon::Information, BoxButtons::Ok});
        window->SetEvents(nullptr);
        application->Destroy();
        application.reset();
        window.reset();
        SetPlatform(qtServices);
        return kExitNoMediaSystem;
    }

    application->CreateDrawingResources();
    if (!HasInstalledDesktopEntry(ProgramFolder())) WriteFileAssociation(ExecutablePath(), DataHome());
    window->ShowMaximised();

    // A run that ended uncleanly left its changes in an autosave: they are
    // offered before anything else is opened.
    bool recovered = false;
    if (auto* workspace = dynamic_cast<Workspace*>(application->RootClip())) recovered = OfferRecovery(*workspace);
    // The whole argument is the one path, as it was given.
    if (!recovered && argc == 2 && application->RootClip() && IsProjectPath(argv[1])) {
        // The workspace reads its media from the project's folder and
        // remembers where the project came from; a stand-in root just loads.
        if (auto* workspace = dynamic_cast<Workspace*>(application->RootClip()))
            OpenProjectFile(*workspace, argv[1]);
        else
            OpenProject(*application->RootClip(), argv[1]);
    }
    if (auto* workspace = dynamic_cast<Workspace*>(application->RootClip())) workspace->State()->PostPreview();

    if (parts.started) parts.started(*application, *window);
    // Last, so that a signal that is caught finds a program that has started.
    platform.QuitOnTerminate();
    const int code = platform.Run();
    // Ended by a signal, not by closing the window: the changes are kept.
    if (auto* workspace = dynamic_cast<Workspace*>(application->RootClip())) workspace->EndUnasked();

    window->SetEvents(nullptr);
    procedure.SetApplication(nullptr);
    Hooks() = {};  // the quit hook reaches the platform, which goes now
    if (auto* skin = dynamic_cast<SkinServices*>(&Services())) skin->SetStatusText({});
    application->Destroy();
    application.reset();
    window.reset();
    SetPlatform(qtServices);
    return code;
}

int VantrelMain(int argc, char** argv) {
    if (IsBatchCommandLine(argc, argv)) return RunBatch(argc, argv);
    if (argc > 2) {
        std::fprintf(stderr, "vantrel: give at most one project file\n");
        const std::string_view usage = UsageText();
        std::fwrite(usage.data(), 1, usage.size(), stderr);
        return kExitUsage;
    }
    return RunEditor(argc, argv);
}

}  // namespace vantrel
