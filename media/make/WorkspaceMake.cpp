#include "media/make/WorkspaceMake.h"

#include "app/core/WorkerThread.h"
#include "media/compose/Composition.h"
#include "media/make/Make.h"
#include "media/plugins/PluginTables.h"

namespace vantrel {

WorkerHooks CompositionWorkerHooks() {
    WorkerHooks hooks;
    hooks.preview = [](Workspace& root) { PreviewCommand(root, root.GetSurface()); };
    hooks.make = [](Workspace& root) { MakeCommand(root); };
    hooks.finishedFrame = [](Workspace& root) { return FinishedFrame(root); };
    hooks.detailView = [](Workspace& root) { return DetailView(root); };
    return hooks;
}

bool StartMake(Workspace& root, const PluginTables& plugins, PluginWindow pluginWindow, bool openWhenMade,
               std::function<void(const std::string&)> reportFailure) {
    RootState& state = *root.State();
    if (!root.GetWindow() || state.Busy()) return false;
    ExportPlugin* plugin = plugins.FirstExportPlugin();
    MakeJob job;
    if (!PrepareMake(root, plugin, root.GetWindow(), pluginWindow, openWhenMade, job)) return false;
    // Message boxes belong to the main thread; the loop runs on the worker.
    Workspace* workspace = &root;
    job.showMessage = reportFailure ? std::move(reportFailure)
                                    : std::function<void(const std::string&)>(
                                          [workspace](const std::string& text) { workspace->SetStatusText(text); });
    state.WaitWorkerIdle();
    state.SetStopRequest(false);
    SetPendingMake(plugin, job);
    state.AddActivity(kActivityMake);
    return state.Worker() && state.Worker()->Post(kWorkerMake);
}

}  // namespace vantrel
