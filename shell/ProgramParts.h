#pragma once
#include <memory>
#include <string>

namespace vantrel {

// Connects the parts that only meet in the finished program: downloads for
// media, scripts and pages, the "prefs" object for scripts, and the skin
// services every control paints through. The editor and every batch verb
// call it once, before the first clip or control is made.
void ConnectProgramParts(bool editor);

class MediaSystem;
class PictureStore;
class PluginTables;
class Window;
class Application;
class Item;
class InfoBrowser;
struct WorkspaceOptions;

// What the program's own libraries give every root it builds, the editor's
// and a batch script's alike: the effects' key colour picker rule and the
// composition's envelope strip operations.
void AddProgramParts(WorkspaceOptions& options);

// The editor's answer to a media address found in a project: a question
// naming the address, No by default. True when the user says Yes.
bool AskToDownloadMedia(const std::string& address, Window* owner);

// The one info browser of the editor.
InfoBrowser& ProgramInfoBrowser();

// The plugins of the running program, loaded while the media system starts.
PluginTables& ProgramPlugins();

// The editor's media system, started for the window; null when it is not
// usable on this machine.
std::unique_ptr<PictureStore> StartMediaSystem(Window& window);
// "Application Background Dark" made from "Application Background Image"
// whenever that picture changes.
void DeriveDarkBackground(MediaSystem& media);

// The tags a make writes from the preferences: none while "Write tags
// during make operations." is off.
struct MakeTags;
MakeTags PreferredMakeTags();

// The editor's root clip: the workspace with composition and make behind
// its worker.
std::unique_ptr<Item> MakeRootClip(Application& application, Window& window);

}  // namespace vantrel
