#include "editor/workspace/Workspace.h"

#include <algorithm>
#include <cstdio>

#include "items/MenuList.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "values/TimeMath.h"
#include "items/Version.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorPanels.h"
#include "media/sources/MediaOpen.h"
#include "platform/DrawContext.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "script/Text.h"
#include "model/variables/Variable.h"
#include "model/variables/Catalogue.h"

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
}  // namespace

Workspace::Workspace(Application* application, Window* window, PictureStore* media, WorkspaceOptions options)
    : hooks_(std::move(options.hooks)), showHelpTopic_(std::move(options.showHelpTopic)),
      infoBrowser_(options.infoBrowser), infoBrowserShown_(std::move(options.infoBrowserShown)),
      editHelpButton_(std::move(options.editHelpButton)),
      language_(std::move(options.language)),
      exampleProjectsAllowed_(std::move(options.exampleProjectsAllowed)),
      openProjectUrl_(std::move(options.openProjectUrl)), startMake_(std::move(options.startMake)),
      programCommand_(std::move(options.programCommand)), progress_(std::move(options.progress)) {
    SetApp(application);
    SetMedia(media);
    SetParent(nullptr);
    SetWindow(window);
    Progress(kRootClipText);
    arrangement_ = true;
    SetSpan(0, 10000);
    if (!Attach(nullptr, media, application, kRootId, kRootId)) {
        SetId(kRootId);
        SetStyleId(kRootId);
    }
    panels_ = std::make_unique<EditorPanels>(*this);
    AttachControls();
    if (infoBrowser_) {
        infoBrowser_->SetParent(this);
        infoBrowser_->SetMedia(media);
        infoBrowser_->SetApp(application);
    }
    // A clip's picture read in the background shows at the next refresh.
    if (window) arrangementWindow_->Pictures().SetReady([window] { window->RequestRefresh(); });
    arrangementWindow_->SetPathResolver([this](const std::string& path) { return PathBesideProject(ProjectPath(), path); });
    ClearAll();
    Progress(kVantrelText);
    if (window) {
        char title[64];
        std::snprintf(title, sizeof title, "Vantrel RF%d.%02d", kVersionMajor, kVersionMinor);
        window->SetTitle(title);
    }
    preview_.Allocate(kPreviewWidth, kPreviewHeight);
    if (options.startWorker) {
        workerThread_ = std::make_unique<WorkerThread>(&Workspace::WorkerCallback, this);
        state_.SetWorker(workerThread_.get());
    }
    if (window) window->StartTimer(kTimerId, kTimerPeriodMs);
    SetOutputSizeOrDefault(kDefaultOutputSize);
    Progress(kDoneText);
    CommitAll();
    // Drawn with the first arrangement of the window, not from here.
    if (showHelpTopic_) showHelpTopic_(kInitialHelpTopic);
}

void Workspace::Progress(int textId) {
    SetStatusText(Str(textId));
    if (progress_) progress_(Str(textId));
}

Workspace::~Workspace() {
    if (infoBrowser_ && infoBrowser_->Parent() == this) infoBrowser_->SetParent(nullptr);
    if (GetWindow()) GetWindow()->StopTimer(kTimerId);
    arrangementWindow_->Pictures().SetReady({});
    ClearAll();
    // The worker may be inside a hook that reads the tree: stop it before
    // the clip part goes.
    if (workerThread_) workerThread_->Stop();
    state_.SetWorker(nullptr);
    workerThread_.reset();
}

int Workspace::WorkerCallback(std::int32_t command, void* context) {
    auto& root = *static_cast<Workspace*>(context);
    switch (command) {
        case kWorkerPreview: {
            {
                TreeLockGuard hold(&root.state_.lock);
                if (root.hooks_.preview) root.hooks_.preview(root);
            }
            // The new frame shows at once, not at the next timer tick.
            if (Window* window = root.GetWindow()) window->RequestRefresh();
            return 1;
        }
        case kWorkerMake:
            if (root.hooks_.make) root.hooks_.make(root);
            root.state_.EndActivity(kActivityMake);
            return 1;
        case kWorkerPlay:
            if (root.hooks_.play) root.hooks_.play(root);
            root.state_.EndActivity(kActivityPlay);
            return 1;
        default: return 0;
    }
}

void Workspace::SetWorkerHooks(WorkerHooks hooks) {
    auto edit = Edit();
    state_.WaitWorkerIdle();
    hooks_ = std::move(hooks);
}

void Workspace::DeclareRootVariables() { DeclareAll(table_, ClipDeclarations(ClipKind::kSubArrangement)); }

int Workspace::ClearAll() {
    state_.HoldTree();
    DiscardContents();
    DiscardMedia();
    header_.Clear();
    RestoreTimes(0, 10000, 0);
    SetView(0, 0);
    SetMakeRange(0, 0);
    SetMuteAudio(false);
    SetMuteVideo(false);
    for (int i = 0; i < kLocatorCount; ++i) SetLocator(i, 0);
    header_.SetInt(ClipHeader::kOutputSizeId, kDefaultOutputSize);
    header_.SetInt(ClipHeader::kFrameRateId, kDefaultFrameRate);
    header_.SetInt(ClipHeader::kAudioMaster, -1);
    type_ = 0;
    arrangement_ = true;
    autoAdjust_ = false;
    committed_ = header_;
    SetChanged(true);
    grid_.Reset();
    VariableOwner::ClearAll();
    DeclareRootVariables();
    statusText_.clear();
    horizontalRatio_ = verticalRatio_ = 0.5;
    state_.ReleaseTree();
    return 1;
}

int Workspace::CommitAll() { return Clip::CommitAll(); }

int Workspace::RevertAll() {
    if (!IsChanged()) return 0;
    return Clip::RevertAll();
}

ResultFlags Workspace::FinishInput(ResultFlags flags) {
    auto edit = Edit();
    if (flags & kResetPanes) {
        paneFocus_ = 0;
        flags |= kRepaint;
    }
    flags = Item::FinishInput(flags);
    if (flags & (kChanged | kRepaint | kRelayout)) state_.PostPreview();
    if (flags & (kRepaint | kRelayout)) {
        if (GetWindow()) {
            const Rect client = GetWindow()->ClientRect();
            Arrange(client.left, client.top, client.right, client.bottom);
        }
    }
    return flags;
}

// While a make runs the layout stays as the make left it (its own, set
// when it started); the window is still drawn, so progress shows.
Rect Workspace::Arrange(int left, int top, int right, int bottom) {
    auto edit = Edit();
    FinishUrlImports();
    const bool making = (state_.Activity() & kActivityMake) != 0;
    if (!making) LayOut(right - left, bottom - top);
    if (Window* window = GetWindow()) {
        window->SetLayoutSize(layoutResult_.area.Width(), layoutResult_.area.Height());
        if (auto dc = window->BeginDraw()) {
            const Rect& area = layoutResult_.area;
            Paint(*dc, area.left, area.top, area.right, area.bottom, 0);
        }
    }
    return making ? Rect{} : layoutResult_.area;
}

// The whole editor in layout coordinates; the window scales it to its
// client area. The hover box comes last, over everything.
int Workspace::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    if (Rect{left, top, right, bottom}.IsEmpty()) return 0;
    PaintEditor(dc);
    PaintHover(dc);
    return 1;
}

std::vector<int> Workspace::ProjectMenuIds() const {
    // Groups in menu order, a separator between two that show anything; the
    // saving group only once there is something to save.
    const bool hasChildren = ChildCount() > 0;
    const std::vector<std::vector<int>> groups = {
        {kNewProjectCommand, kOpenProjectCommand, kProjectUrlCommand, kExampleProjectCommand},
        hasChildren ? std::vector<int>{kSaveProjectCommand, kSaveAsCommand} : std::vector<int>{},
        {kRevertCommand},
        {kGenerateCommand},
        {kImportClipCommand, kImportClipUrlCommand, kNewMediaClipCommand},
        {kWorkWithOpacitiesCommand, kWorkWithVolumesCommand},
    };
    std::vector<int> ids;
    for (const auto& group : groups) {
        bool first = true;
        for (int id : group) {
            const CommandRow* row = FindRootCommand(id);
            if (!row || !IsOffered(*row, *this)) continue;
            if (first && !ids.empty()) ids.push_back(MenuList::kSeparator);
            first = false;
            ids.push_back(id);
        }
    }
    return ids;
}

ResultFlags Workspace::SetTime(std::int32_t parentTime) {
    auto edit = Edit();
    arrangementWindow_->Validate();
    arrangementView_.FollowTime(parentTime);
    return Clip::SetTime(parentTime);
}

// Beyond the owner's commands, "Command N" runs the root's command N as its
// button or menu entry would, so that a tutorial can press buttons; the
// answer says whether it was offered.
bool Workspace::RunCommand(const std::string& command, std::string& answer) {
    auto edit = Edit();
    const std::vector<std::string_view> words = SplitWords(command, 3);
    if (words.size() == 2 && EqualsNoCase(words[0], "Command")) {
        const std::optional<int> id = ReadWholeNumber(words[1], true);
        const CommandRow* row = id ? FindRootCommand(*id) : nullptr;
        if (!row) return false;
        const bool offered = IsOffered(*row, *this);
        if (offered) FinishInput(row->run(*this, GetWindow()));
        answer.assign(1, offered ? '1' : '0');
        return true;
    }
    return Clip::RunCommand(command, answer);
}

bool Workspace::Play(Clip* clip) {
    auto edit = Edit();
    if (!clip || !clip->CanPlay() || state_.Busy()) return false;
    state_.SetPlayingClip(clip);
    state_.WaitWorkerIdle();
    state_.SetStopRequest(false);
    state_.AddActivity(kActivityPlay);
    if (!state_.Worker()) return true;
    if (state_.ChangeCounter() == 0 && state_.Worker()->Post(kWorkerPlay)) return true;
    // Nothing will run it, so nothing would ever clear the bit: the editor
    // would stay in playback for good.
    state_.EndActivity(kActivityPlay);
    state_.SetPlayingClip(nullptr);
    return false;
}

int Workspace::ShowHelpTopic(int topic) {
    if (showHelpTopic_) showHelpTopic_(topic);
    // The browser's pane may appear: lay out and draw again.
    if (GetWindow()) FinishInput(kRepaint);
    return topic;
}

void Workspace::SetStatusText(const std::string& text) { statusText_ = text; }

Control* Workspace::ResolveName(const std::string& name) {
    RootNames names;
    names.self = this;
    names.ne = scriptControls_.ne;
    names.se = scriptControls_.se;
    names.nw = scriptControls_.nw;
    names.sw = scriptControls_.sw;
    Clip* current = CurrentChild();
    names.currentClip = current;
    const Clip* effectsOf = current ? current : this;
    names.currentVideoEffect = effectsOf->CurrentVideoEffect();
    names.currentAudioEffect = effectsOf->CurrentAudioEffect();
    names.firstRectanglePanel = scriptControls_.firstRectanglePanel;
    names.secondRectanglePanel = scriptControls_.secondRectanglePanel;
    Control* found = ResolveRootName(name, names, ScriptNames());
    // A number that names none of the root's variables names one of its
    // controls, so that help pages can light up a button.
    if (!found || found == this)
        if (const auto id = ReadWholeNumber(name, true))
            if (Control* control = ControlById(*id)) return control;
    return found;
}

// -- commands -----------------------------------------------------------------

bool Workspace::Command(Window* window, int command, ResultFlags& out) {
    auto edit = Edit();
    arrangementWindow_->Validate();
    if (const CommandRow* row = FindRootCommand(command)) {
        out = IsOffered(*row, *this) ? row->run(*this, window ? window : GetWindow()) : 0;
        return true;
    }
    if (programCommand_ && programCommand_(window, command, out)) return true;
    return Clip::Command(window, command, out);
}

// One quantize unit, kept on the grid and inside the project.
ResultFlags Workspace::StepTime(int direction) {
    const double unit = std::max(Grid().Unit(), 1.0);
    std::int64_t time = std::int64_t(Time()) + direction * std::int64_t(unit);
    time = Quantize(SaturateInt32(time));
    time = std::clamp<std::int64_t>(time, GetPosition(), std::int64_t(GetPosition()) + GetSize());
    return SetGlobalTime(SaturateInt32(time));
}

// A running make keeps its own layout (the preview alone, with StartTime,
// Stop and Size) until it ends: lay it out once now, as Arrange will not.
bool Workspace::StartMake() {
    if (!startMake_ || !startMake_(*this)) return false;
    const Rect client = GetWindow() ? GetWindow()->ClientRect() : layoutResult_.area;
    LayOut(client.Width(), client.Height());
    return true;
}

bool Workspace::ExampleProjectsAllowed() const { return !exampleProjectsAllowed_ || exampleProjectsAllowed_(); }

ResultFlags Workspace::ToggleMute(bool audio) {
    Clip* clip = CurrentChild() ? CurrentChild() : this;
    if (audio)
        clip->SetMuteAudio(!clip->MuteAudio());
    else
        clip->SetMuteVideo(!clip->MuteVideo());
    return kChanged;
}

bool Workspace::NewMediaClipByMenu(Window* window, Clip* into) {
    if (!IsArrangement()) return false;
    MenuList menu;
    menu.Add(kTextStringType);
    menu.Add(kGradientType);
    menu.AddSeparator();
    menu.Add(kSubArrangementType);
    const int chosen = menu.Show(window ? window : GetWindow());
    // Into the arrangement the window shows, like an import.
    Clip* target = into ? into : ShownArrangement();
    return chosen && target->NewChildClip(chosen);
}

BoxAnswer Workspace::Ask(const std::string& text, int captionId, BoxButtons buttons, BoxIcon icon) {
    if (!Platform().dialogs) return BoxAnswer::Cancel;
    MessageBoxRequest request;
    request.text = text;
    request.caption = Str(captionId);
    request.icon = icon;
    request.buttons = buttons;
    return Platform().dialogs->MessageBox(GetWindow(), request);
}

void Workspace::ShowError(const std::string& text) { Ask(text, kErrorText, BoxButtons::Ok, BoxIcon::Error); }

std::optional<std::string> Workspace::AskOpenPath(int titleId, const std::string& folder, const std::string& pattern) {
    if (!Platform().dialogs) return std::nullopt;
    FileDialogRequest request = ProjectDialog(Str(titleId), folder, pattern);
    request.fileName = FolderOf(ProjectPath()) == folder ? BaseName(ProjectPath()) : std::string();
    request.mustExist = true;
    auto path = Platform().dialogs->OpenFile(GetWindow(), request);
    if (!path || path->empty()) return std::nullopt;
    folders_.Remember(kOpenDialogKey, *path);
    return path;
}

std::optional<std::string> Workspace::AskSavePath(int key) {
    if (!Platform().dialogs) return std::nullopt;
    const std::string folder = folders_.Folder(key).value_or(FolderOf(ProjectPath()));
    FileDialogRequest request = ProjectDialog(Str(kSaveAsCommand), folder, kProjectPattern);
    request.fileName = BaseName(ProjectPath());
    request.askBeforeReplace = true;
    auto path = Platform().dialogs->SaveFile(GetWindow(), request);
    if (!path || path->empty()) return std::nullopt;
    folders_.Remember(key, *path);
    return ForceExtension(*path, kProjectExtension);
}

bool Workspace::OpenProjectFile(const std::string& path) {
    if (path.empty()) return false;
    const std::string forced = ForceExtension(path, kProjectExtension);
    std::FILE* probe = std::fopen(forced.c_str(), "rb");
    if (!probe) return false;
    std::fclose(probe);
    if (GetWindow()) GetWindow()->SetCursor(Cursor::Wait);
    bool opened = false;
    const bool ok = ReadProjectFile(*this, forced, opened);
    {
        // The worker's preview writes the status text too.
        auto edit = Edit();
        // The project is where it was opened from, whatever path it was last
        // saved under: "Save Project" must not write over another copy.
        SetProjectPath(forced);
        SetStatusText(Str(kDoneText));
    }
    if (GetWindow()) GetWindow()->SetCursor(Cursor::Arrow);
    if (opened) ShowHelpTopic(kInitialHelpTopic);
    return ok;
}

bool Workspace::SaveProjectFile(const std::string& path) {
    std::string error;
    if (WriteProjectFile(*this, path, error)) return true;
    ShowError("The project could not be saved to\n\"" + path + "\"\n(" + error + ").\nThe file on disk is unchanged.");
    return false;
}

std::string Workspace::SaveChangesText() const {
    const std::string path = ProjectPath();
    return Str(kSaveChangesText) + "\n\n\"" + (path.empty() ? Str(kUnknownText) : path) + "\"";
}

bool Workspace::AskSaveChanges() {
    if (!IsArrangement() || ChildCount() == 0) return true;
    switch (Ask(SaveChangesText(), kQuestionText, BoxButtons::YesNoCancel)) {
        case BoxAnswer::No: return true;
        case BoxAnswer::Yes: break;
        default: return false;
    }
    if (!ProjectPath().empty()) return SaveProjectFile(ProjectPath());
    const auto path = AskSavePath(kOpenDialogKey);
    return path && SaveAsPath(*path);
}

bool Workspace::AskApply() {
    if (!IsChanged()) return true;
    if (Ask(Str(kApplyQuestionText), kQuestionText, BoxButtons::YesNo) != BoxAnswer::Yes) return false;
    CommitAll();
    return true;
}

bool Workspace::OpenProject() {
    if (!AskSaveChanges()) return false;
    const auto path = AskOpenPath(kOpenProjectCommand, folders_.Folder(kOpenDialogKey).value_or(FolderOf(ProjectPath())),
                                  kProjectPattern);
    return path && OpenProjectFile(*path);
}

std::string Workspace::ExampleFolder(int language) {
    char folder[1024];
    std::snprintf(folder, sizeof folder, "%s%d/%s/%s", ProgramFolder().c_str(), language, "samps", kProjectPattern);
    return FolderOf(folder);
}

bool Workspace::LoadExampleProject() {
    if (!AskSaveChanges()) return false;
    const auto path = AskOpenPath(kExampleProjectCommand, ExampleFolder(language_ ? language_() : 9),
                                  kProjectPattern);
    return path && OpenProjectFile(*path);
}

bool Workspace::OpenProjectUrl() {
    if (!AskSaveChanges() || !Platform().dialogs) return false;
    if (openProjectUrl_) return openProjectUrl_(*this, GetWindow());
    const auto address = Platform().dialogs->TextEntry(GetWindow(), Str(kProjectUrlCommand), Str(kProjectUrlCommand), "");
    if (!address || address->empty()) return false;
    const auto local = DownloadToTemp(*address);
    return local && OpenProjectFile(*local);
}

bool Workspace::RevertToSaved() { return !ProjectPath().empty() && OpenProjectFile(ProjectPath()); }

bool Workspace::SaveProject() {
    if (ProjectPath().empty()) return false;
    if (!AskApply()) return false;
    return SaveProjectFile(ProjectPath());
}

bool Workspace::SaveProjectAs() {
    if (!AskApply()) return false;
    const auto path = AskSavePath(kSaveAsDialogKey);
    return path && SaveAsPath(*path);
}

void Workspace::SetProjectPath(const std::string& path) {
    SetName(BaseName(path));
    SetMediaPath(path);
    committed_.SetName(BaseName(path));
    committed_.SetPath(path);
}

// The file records the name and path it is saved under; a failed save keeps
// the project where it was.
bool Workspace::SaveAsPath(const std::string& path) {
    const std::string oldPath = ProjectPath();
    const std::string oldName = Name();
    SetName(BaseName(path));
    SetMediaPath(path);
    if (!SaveProjectFile(path)) {
        SetName(oldName);
        SetMediaPath(oldPath);
        return false;
    }
    committed_.SetName(BaseName(path));
    committed_.SetPath(path);
    return true;
}

bool Workspace::NewProject() {
    if (!AskSaveChanges()) return false;
    ClearAll();
    SetOutputSizeOrDefault(kDefaultOutputSize);
    CommitAll();
    ShowHelpTopic(kInitialHelpTopic);
    return true;
}

bool Workspace::UndoChanges() {
    if (!IsChanged()) return false;
    if (Ask(Str(kUndoQuestionText), kQuestionText, BoxButtons::YesNo) != BoxAnswer::Yes) return false;
    RevertAll();
    return true;
}

}  // namespace vantrel
