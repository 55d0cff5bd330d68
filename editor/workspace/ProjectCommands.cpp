// The project's commands: opening, saving, new, undo and the questions
// before a project is replaced.
#include "editor/workspace/ProjectCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "items/MenuList.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "editor/workspace/Autosave.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/Workspace.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr const char* kProjectPattern = "*.kwp";
constexpr const char* kProjectExtension = ".kwp";

FileDialogRequest ProjectDialog(const std::string& title, const std::string& folder, const std::string& pattern) {
    FileDialogRequest request;
    request.title = title;
    request.filters = {{title, pattern}, {"All Files (*.*)", "*.*"}};
    request.folder = folder;
    return request;
}

BoxAnswer Ask(Workspace& root, const std::string& text, int captionId, BoxButtons buttons,
           BoxIcon icon = BoxIcon::Question) {
    if (!Platform().dialogs) return BoxAnswer::Cancel;
    MessageBoxRequest request;
    request.text = text;
    request.caption = Str(captionId);
    request.icon = icon;
    request.buttons = buttons;
    return Platform().dialogs->MessageBox(root.GetWindow(), request);
}

// The box goes away; the status line keeps saying what failed, in one line,
// instead of the step that was under way ("Importing: ...").
void ShowError(Workspace& root, const std::string& text) {
    std::string line;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        std::string part = text.substr(from, end - from);
        while (!part.empty() && (part.back() == '\r' || part.back() == ' ' || part.back() == '\t')) part.pop_back();
        if (!part.empty()) line += (line.empty() ? "" : " ") + part;
        from = end + 1;
    }
    root.SetStatusText(line);
    Ask(root, text, kErrorText, BoxButtons::Ok, BoxIcon::Error);
}

std::optional<std::string> AskOpenPath(Workspace& root, int titleId, const std::string& folder, const std::string& pattern) {
    if (!Platform().dialogs) return std::nullopt;
    FileDialogRequest request = ProjectDialog(Str(titleId), folder, pattern);
    request.fileName = FolderOf(root.ProjectPath()) == folder ? BaseName(root.ProjectPath()) : std::string();
    request.mustExist = true;
    auto path = Platform().dialogs->OpenFile(root.GetWindow(), request);
    if (!path || path->empty()) return std::nullopt;
    root.Folders().Remember(Workspace::kOpenDialogKey, *path);
    return path;
}

std::optional<std::string> AskSavePath(Workspace& root, int key) {
    if (!Platform().dialogs) return std::nullopt;
    const std::string folder = root.Folders().Folder(key).value_or(FolderOf(root.ProjectPath()));
    FileDialogRequest request = ProjectDialog(Str(kSaveAsCommand), folder, kProjectPattern);
    request.fileName = BaseName(root.ProjectPath());
    request.askBeforeReplace = true;
    auto path = Platform().dialogs->SaveFile(root.GetWindow(), request);
    if (!path || path->empty()) return std::nullopt;
    root.Folders().Remember(key, *path);
    return ForceExtension(*path, kProjectExtension);
}

// The file records the name and path it is saved under; a failed save keeps
// the project where it was.
bool SaveAsPath(Workspace& root, const std::string& path) {
    const std::string oldPath = root.ProjectPath();
    const std::string oldName = root.Name();
    root.SetName(BaseName(path));
    root.SetMediaPath(path);
    if (!SaveProjectFile(root, path)) {
        root.SetName(oldName);
        root.SetMediaPath(oldPath);
        return false;
    }
    root.SetCommittedPath(path);
    return true;
}
}  // namespace

void ShowErrorBox(Workspace& root, const std::string& text) { ShowError(root, text); }

bool StartMake(Workspace& root) { return root.Options().startMake && root.Options().startMake(root); }

bool ExampleProjectsAllowed(const Workspace& root) {
    return !root.Options().exampleProjectsAllowed || root.Options().exampleProjectsAllowed();
}

ResultFlags ToggleMute(Workspace& root, bool audio) {
    Clip* clip = root.CurrentChild() ? root.CurrentChild() : &root;
    if (audio)
        clip->SetMuteAudio(!clip->MuteAudio());
    else
        clip->SetMuteVideo(!clip->MuteVideo());
    return kChanged;
}

bool NewMediaClipByMenu(Workspace& root, Window* window, Clip* into) {
    if (!root.IsArrangement()) return false;
    MenuList menu;
    menu.Add(kTextStringType);
    menu.Add(kGradientType);
    menu.AddSeparator();
    menu.Add(kSubArrangementType);
    const int chosen = menu.Show(window ? window : root.GetWindow());
    // Into the arrangement the window shows, like an import.
    Clip* target = into ? into : root.ShownArrangement();
    return chosen && target->NewChildClip(chosen);
}

bool OpenProjectFile(Workspace& root, const std::string& path) {
    if (path.empty()) return false;
    const std::string forced = ForceExtension(path, kProjectExtension);
    std::FILE* probe = std::fopen(forced.c_str(), "rb");
    if (!probe) return false;
    std::fclose(probe);
    if (root.GetWindow()) root.GetWindow()->SetCursor(Cursor::Wait);
    bool opened = false;
    const bool ok = ReadProjectFile(root, forced, opened);
    {
        // The worker's preview writes the status text too.
        auto edit = root.Edit();
        // The project is where it was opened from, whatever path it was last
        // saved under: "Save Project" must not write over another copy.
        root.SetProjectPath(forced);
        root.SetStatusText(Str(kDoneText));
    }
    if (root.GetWindow()) root.GetWindow()->SetCursor(Cursor::Arrow);
    if (opened) root.ShowHelpTopic(Workspace::kInitialHelpTopic);
    return ok;
}

bool SaveProjectFile(Workspace& root, const std::string& path) {
    std::string error;
    if (WriteProjectFile(root, path, error)) {
        if (path == root.ProjectPath()) root.MarkSaved();
        return true;
    }
    ShowError(root, "The project could not be saved to\n\"" + path + "\"\n(" + error + ").\nThe file on disk is unchanged.");
    return false;
}

std::string SaveChangesText(const Workspace& root) {
    const std::string path = root.ProjectPath();
    return Str(kSaveChangesText) + "\n\n\"" + (path.empty() ? Str(kUnknownText) : path) + "\"";
}

bool AskSaveChanges(Workspace& root) {
    if (!root.IsArrangement() || root.ChildCount() == 0) return true;
    switch (Ask(root, SaveChangesText(root), kQuestionText, BoxButtons::YesNoCancel)) {
        case BoxAnswer::No: return true;
        case BoxAnswer::Yes: break;
        default: return false;
    }
    if (!root.ProjectPath().empty()) return SaveProjectFile(root, root.ProjectPath());
    const auto path = AskSavePath(root, Workspace::kOpenDialogKey);
    return path && SaveAsPath(root, *path);
}

bool AskApply(Workspace& root) {
    if (!root.IsChanged()) return true;
    if (Ask(root, Str(kApplyQuestionText), kQuestionText, BoxButtons::YesNo) != BoxAnswer::Yes) return false;
    root.CommitAll();
    return true;
}

bool OpenProject(Workspace& root) {
    if (!AskSaveChanges(root)) return false;
    const auto path = AskOpenPath(root, kOpenProjectCommand, root.Folders().Folder(Workspace::kOpenDialogKey).value_or(FolderOf(root.ProjectPath())),
                                  kProjectPattern);
    return path && OpenProjectFile(root, *path);
}

std::string ExampleFolder(int language) {
    char folder[1024];
    std::snprintf(folder, sizeof folder, "%s%d/%s/%s", ProgramFolder().c_str(), language, "samps", kProjectPattern);
    // The samples are the same files in every language, so they ship once,
    // in English; a language folder without samples of its own uses those.
    const std::string own = FolderOf(folder);
    if (language != 9 && !std::filesystem::is_directory(own)) return ExampleFolder(9);
    return own;
}

bool LoadExampleProject(Workspace& root) {
    if (!AskSaveChanges(root)) return false;
    const auto path = AskOpenPath(root, kExampleProjectCommand, ExampleFolder(root.Options().language ? root.Options().language() : 9),
                                  kProjectPattern);
    return path && OpenProjectFile(root, *path);
}

bool OpenProjectUrl(Workspace& root) {
    if (!AskSaveChanges(root) || !Platform().dialogs) return false;
    if (root.Options().openProjectUrl) return root.Options().openProjectUrl(root, root.GetWindow());
    const auto address = Platform().dialogs->TextEntry(root.GetWindow(), Str(kProjectUrlCommand), Str(kProjectUrlCommand), "");
    if (!address || address->empty()) return false;
    const auto local = DownloadToTemp(*address);
    return local && OpenProjectFile(root, *local);
}

bool RevertToSaved(Workspace& root) { return !root.ProjectPath().empty() && OpenProjectFile(root, root.ProjectPath()); }

bool SaveProject(Workspace& root) {
    if (root.ProjectPath().empty()) return false;
    if (!AskApply(root)) return false;
    return SaveProjectFile(root, root.ProjectPath());
}

bool SaveProjectAs(Workspace& root) {
    if (!AskApply(root)) return false;
    const auto path = AskSavePath(root, Workspace::kSaveAsDialogKey);
    return path && SaveAsPath(root, *path);
}

bool NewProject(Workspace& root) {
    if (!AskSaveChanges(root)) return false;
    root.ClearAll();
    root.SetOutputSizeOrDefault(Workspace::kDefaultOutputSize);
    root.CommitAll();
    root.ShowHelpTopic(Workspace::kInitialHelpTopic);
    return true;
}

bool OfferRecovery(Workspace& root) {
    for (const Recoverable& found : FindRecoverable()) {
        if (Ask(root, RecoverQuestion(found), kQuestionText, BoxButtons::YesNo) != BoxAnswer::Yes) {
            SetAutosaveAside(found);
            continue;
        }
        bool opened = false;
        ReadProjectFile(root, found.autosave, opened, found.project);
        if (!opened) continue;
        auto edit = root.Edit();
        // Saving writes to the project the changes were made to, not to
        // the autosave.
        root.SetProjectPath(found.project);
        root.MarkUnsaved();
        root.SetStatusText(Str(kDoneText));
        return true;
    }
    return false;
}

bool UndoChanges(Workspace& root) {
    if (!root.IsChanged()) return false;
    if (Ask(root, Str(kUndoQuestionText), kQuestionText, BoxButtons::YesNo) != BoxAnswer::Yes) return false;
    root.RevertAll();
    return true;
}

}  // namespace vantrel
