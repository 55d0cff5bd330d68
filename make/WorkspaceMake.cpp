#include "make/WorkspaceMake.h"

#include <cstdio>
#include <filesystem>

#include "items/StringTable.h"
#include "items/WorkerThread.h"
#include "compose/ClipState.h"
#include "compose/Composition.h"
#include "editor/workspace/EditorIds.h"
#include "make/Make.h"
#include "plugins/api/PluginTables.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace vantrel {

WorkerHooks CompositionWorkerHooks() {
    WorkerHooks hooks;
    hooks.preview = [](Workspace& root) { PreviewCommand(root, root.GetSurface()); };
    hooks.make = [](Workspace& root) {
        // The status line tells how the make ended, the failure too.
        const MakeReport report = MakeCommand(root);
        if (report.result == MakeResult::kMade) {
            auto edit = root.Edit();
            root.SetStatusText(MadeText(report.outputFile, report.madeMs));
        } else if (report.result == MakeResult::kFailed) {
            // Not the last frame's progress: the box may be gone already.
            auto edit = root.Edit();
            root.SetStatusText(kMakeFailed);
        }
        if (Window* window = root.GetWindow()) window->RequestRefresh();
    };
    hooks.finishedFrame = [](Workspace& root) { return FinishedFrame(root); };
    hooks.detailView = [](Workspace& root) { return DetailView(root); };
    hooks.allocateOutput = [](Workspace& root, int outputSizeId) {
        return AllocateSurfaces(root, outputSizeId);
    };
    return hooks;
}

std::string MadeText(const std::string& path, std::int32_t ms) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "(%0.3f s)", ms / 1000.0);
    return Str(kDoneText) + ": " + std::filesystem::path(path).filename().string() + " " + seconds;
}

std::string MakeProgressText(int index, int frames, std::int32_t t0) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %d / %d (%0.3f s)", "Processing", index + 1, frames, t0 / 1000.0);
    return text;
}

bool StartMake(Workspace& root, const PluginTables& plugins, PluginWindow pluginWindow, bool openWhenMade,
               std::function<void(const std::string&)> reportFailure, MainThreadPost post, MakeTags tags) {
    RootState& state = *root.State();
    if (!root.GetWindow() || state.Busy()) return false;
    ExportPlugin* plugin = plugins.FirstExportPlugin();
    MakeJob job;
    if (!PrepareMake(root, plugin, root.GetWindow(), pluginWindow, openWhenMade, job)) return false;
    job.tags = std::move(tags);
    // Message boxes and the desktop belong to the main thread; the loop runs
    // on the worker.
    Workspace* workspace = &root;
    Window* window = root.GetWindow();
    if (reportFailure) {
        job.showMessage = std::move(reportFailure);
    } else if (post) {
        // PrepareMake's box, carried over to the main thread.
        job.showMessage = [post, box = std::move(job.showMessage)](const std::string& text) {
            post([box, text] { box(text); });
        };
    } else {
        job.showMessage = [workspace](const std::string& text) {
            auto edit = workspace->Edit();
            workspace->SetStatusText(text);
        };
    }
    if (post)
        job.openMadeFile = [post](const std::string& path) {
            post([path] {
                if (Shell* shell = Platform().shell) shell->Open(path);
            });
        };
    // The window draws on its own thread: the worker only leaves the text
    // and asks for a refresh, which also shows the frame just composed.
    job.frameDone = [workspace, window](int index, int frames, std::int32_t t0) {
        {
            auto edit = workspace->Edit();
            workspace->SetStatusText(MakeProgressText(index, frames, t0));
        }
        window->RequestRefresh();
    };
    state.WaitWorkerIdle();
    state.SetStopRequest(false);
    SetPendingMake(plugin, job);
    state.AddActivity(kActivityMake);
    return state.Worker() && state.Worker()->Post(kWorkerMake);
}

}  // namespace vantrel
