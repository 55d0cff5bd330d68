#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "items/ResultFlags.h"

namespace vantrel {

class Clip;
class Window;
class Workspace;

// The project's commands over a root, as the command table, the menus and
// the program call them. Each answers whether it went through.

// -- projects -------------------------------------------------------------------
bool OpenProject(Workspace& root);          // kOpenProjectCommand
bool LoadExampleProject(Workspace& root);   // kExampleProjectCommand
bool OpenProjectUrl(Workspace& root);       // kProjectUrlCommand
bool RevertToSaved(Workspace& root);        // kRevertCommand
bool SaveProject(Workspace& root);          // kSaveProjectCommand
bool SaveProjectAs(Workspace& root);        // kSaveAsCommand
bool NewProject(Workspace& root);           // kNewProjectCommand
bool UndoChanges(Workspace& root);          // kUndoCommand
// At start: autosaves that a run ended uncleanly left are offered one by
// one; the first accepted opens as a changed project, a refused one is set
// aside. True when one was recovered.
bool OfferRecovery(Workspace& root);
// Forces ".kwp", loads with the wait cursor, "Done!". False when the file
// cannot be opened (silently) or does not read completely.
bool OpenProjectFile(Workspace& root, const std::string& path);
// Safe save; a failure shows the "Error" box.
bool SaveProjectFile(Workspace& root, const std::string& path);
// Yes/No/Cancel before a project is replaced; false stops the command.
bool AskSaveChanges(Workspace& root);
std::string SaveChangesText(const Workspace& root);
// Yes/No before a save while changes are pending; false stops it.
bool AskApply(Workspace& root);
bool ExampleProjectsAllowed(const Workspace& root);
// The start folder of "Load Example Project": the language's samples, or
// the English ones when the language ships none of its own.
std::string ExampleFolder(int language);

// -- media ----------------------------------------------------------------------
// Into `into`, or the arrangement the window shows when null.
bool ImportClipByDialog(Workspace& root, Window* window, Clip* into = nullptr);  // kImportClipCommand
// kImportClipUrlCommand: download off the main thread, then import.
bool ImportClipUrl(Workspace& root, Window* window, Clip* into = nullptr);
bool NewMediaClipByMenu(Workspace& root, Window* window, Clip* into = nullptr);  // kNewMediaClipCommand
// Imports one file into the shown arrangement; a file that cannot be
// imported is named in an "Error" box with the reason, and nothing
// changes. Placed at `time` on a free track when given.
Clip* ImportFile(Workspace& root, Window* window, const std::string& path, std::optional<std::int32_t> time = {},
                 Clip* into = nullptr);
// Why a file cannot be imported, as the box says it; empty when it can
// be tried.
std::string ImportProblem(const Workspace& root, const std::string& path, const Clip* into = nullptr);
// Imports whose downloads have ended (main thread; the window's refresh
// calls it). True when anything was imported.
bool FinishUrlImports(Workspace& root);
bool UrlImportPending(const Workspace& root);

// -- output and the clip ----------------------------------------------------------
// kMakeCommand and kGenerateCommand, through the make library.
bool StartMake(Workspace& root);
ResultFlags ToggleMute(Workspace& root, bool audio);       // the current clip's, else the root's
ResultFlags SetMakeBoundToTime(Workspace& root, bool end);  // kMakeStartTimeCommand, kMakeEndTimeCommand
bool ChooseVideoFormat(Workspace& root, Window* window);
bool ChooseFrameRate(Workspace& root, Window* window);
// The time grid's settings of an arrangement: the text its button shows,
// and asking for a new value (a number, or the quantize mode from a menu).
std::string TimeGridText(const Clip& arrangement, int id);
ResultFlags AskTimeGridSetting(Workspace& root, Window* window, int id);
bool ShowClipInfo(Workspace& root, Window* window);
// The composite, or the current clip's frame.
bool CopyPicture(Workspace& root, bool composite);
bool SavePicture(Workspace& root, Window* window, bool composite);
// Commands the program answers (Preferences, Update, Email Support, the
// info browser's Edit).
ResultFlags ProgramCommand(Workspace& root, Window* window, int command);

// The "Error" box over the root's window.
void ShowErrorBox(Workspace& root, const std::string& text);

}  // namespace vantrel
