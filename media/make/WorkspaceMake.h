#pragma once
#include <functional>
#include <string>

#include "app/workspace/Workspace.h"
#include "media/plugins/PluginApi.h"

namespace vantrel {

class PluginTables;

// The worker commands composition and make give the workspace: 3 composes
// the root with flags 1 into the preview and says "Done!", 4 runs the make
// StartMake prepared.
WorkerHooks CompositionWorkerHooks();

// "Make": the checks, the save dialog and the plugin's options on this
// thread, then the worker takes over (after it is idle, with the stop flag
// cleared and the making flag set). `reportFailure` receives "The Vantrel
// make operation failed...." from the worker thread and must bring it to
// the user on the main thread; without one the text goes to the status
// line. False when the make was not started.
bool StartMake(Workspace& root, const PluginTables& plugins, PluginWindow pluginWindow, bool openWhenMade,
               std::function<void(const std::string&)> reportFailure = {});

}  // namespace vantrel
