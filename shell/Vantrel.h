#pragma once
#include <functional>

#include "shell/Application.h"
#include "platform/Platform.h"

namespace vantrel {

// Exit codes of the editor beyond the event loop's own.
constexpr int kExitNoWindow = -1;
constexpr int kExitNoMediaSystem = -411;

// The hooks the editor is built from. Left empty they give the in-memory
// picture store and the stand-in root clip.
struct EditorParts {
    MediaSystemFactory media;
    RootClipFactory root;
    // Runs once the window is shown and the project is open, before the
    // event loop: tests drive the window from here and close it.
    std::function<void(Application&, Window&)> started;
    // Installed over the Qt services while the editor runs; members left
    // null keep Qt's (tests answer the editor's boxes with scripted ones).
    PlatformServices services;
};

// Replaces the process-wide default hooks (the media system and the root
// clip of later parts plug in here); empty members keep the current ones.
void SetEditorParts(const EditorParts& parts);

// The whole editor: window, application, project from the command line,
// event loop, shutdown. Answers the process exit code.
int RunEditor(int argc, char** argv, const EditorParts& parts = {});

// The entry point: a batch verb or the editor.
int VantrelMain(int argc, char** argv);

}  // namespace vantrel
