#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "editor/workspace/Workspace.h"
#include "plugins/api/PluginApi.h"
#include "make/Make.h"

namespace vantrel {

class PluginTables;

// The worker commands composition and make give the workspace: 3 composes
// the root with flags 1 into the preview and says "Done!", 4 runs the make
// StartMake prepared and asks the window for a refresh when it ends, so that
// the editor's own layout comes back.
WorkerHooks CompositionWorkerHooks();

// Runs a task on the main thread soon; any thread may call it.
using MainThreadPost = std::function<void(std::function<void()> task)>;

// The status text of a make that ended with frames: "Done!", the made
// file's name and the time its frames cover.
std::string MadeText(const std::string& path, std::int32_t ms);

// The status text of a make's progress after frame `index` of `frames`.
std::string MakeProgressText(int index, int frames, std::int32_t t0);

// "Make": the checks, the save dialog and the plugin's options on this
// thread, then the worker takes over (after it is idle, with the stop flag
// cleared and the making flag set). After each frame the status line tells
// the progress and the window is asked for a refresh, which draws the frame
// just made in the preview. `reportFailure` receives "The Vantrel make
// operation failed...." from the worker thread and must bring it to the
// user on the main thread; without one, and without `post`, the text goes to
// the status line. With `post` the failure box and the opening of the made
// file run on the main thread through it. False when the make was not
// started.
bool StartMake(Workspace& root, const PluginTables& plugins, PluginWindow pluginWindow, bool openWhenMade,
               std::function<void(const std::string&)> reportFailure = {}, MainThreadPost post = {},
               MakeTags tags = {});

}  // namespace vantrel
