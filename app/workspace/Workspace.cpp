#include "app/workspace/Workspace.h"

#include <algorithm>
#include <cstdio>

#include "app/core/MenuList.h"
#include "app/core/ProgramFolder.h"
#include "app/core/StringTable.h"
#include "app/core/TimeMath.h"
#include "media/sources/MediaOpen.h"
#include "platform/DrawContext.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "variables/Variable.h"
#include "variables/Catalogue.h"

namespace vantrel {

namespace {
enum Text : int {
    kOpenProjectText = 25,
    kSaveProjectText = 26,
    kSaveAsText = 27,
    kNewProjectText = 99,
    kUnknownText = 197,
    kDoneText = 220,
    kQuestionText = 302,
    kSaveChangesText = 303,
    kRevertText = 306,
    kVantrelText = 323,
    kExampleProjectText = 473,
    kRootClipText = 574,
    kErrorText = 590,
    kProjectUrlText = 654,
    kApplyQuestionText = 691,
    kUndoQuestionText = 692,
};
enum CommandId : int {
    kImportClip = 1,
    kStop = 139,
    kAutoAdjust = 340,
    kApply = 342,
    kUndo = 343,
    kBackward = 347,
    kForeward = 348,
    kMuteAudioCommand = 368,
    kMuteVideoCommand = 369,
    kNewMediaClip = 387,
    kZoomInHorizontal = 505,
    kZoomOutHorizontal = 506,
    kZoomInVertical = 507,
    kZoomOutVertical = 508,
    kFit = 509,
    kMusicTimeChange = 636,
    kWorkWithOpacities = 209,
    kWorkWithVolumes = 210,
    kGenerate = 98,
    kMakeCommand = 360,
    kImportClipUrl = 653,
};
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
      language_(std::move(options.language)),
      exampleProjectsAllowed_(std::move(options.exampleProjectsAllowed)),
      openProjectUrl_(std::move(options.openProjectUrl)), startMake_(std::move(options.startMake)),
      programCommand_(std::move(options.programCommand)) {
    SetApp(application);
    SetMedia(media);
    SetParent(nullptr);
    SetWindow(window);
    SetStatusText(Str(kRootClipText));
    arrangement_ = true;
    SetSpan(0, 10000);
    if (!Attach(nullptr, media, application, kRootId, kRootId)) {
        SetId(kRootId);
        SetStyleId(kRootId);
    }
    ClearAll();
    SetStatusText(Str(kVantrelText));
    if (window) {
        char title[64];
        std::snprintf(title, sizeof title, "Vantrel RF%d.%02d", 2, 28);
        window->SetTitle(title);
    }
    preview_.Allocate(kPreviewWidth, kPreviewHeight);
    if (options.startWorker) {
        workerThread_ = std::make_unique<WorkerThread>(&Workspace::WorkerCallback, this);
        SetWorker(workerThread_.get());
    }
    if (window) window->StartTimer(kTimerId, kTimerPeriodMs);
    SetOutputSizeId(kDefaultOutputSize);
    SetStatusText(Str(kDoneText));
    CommitAll();
    ShowHelpTopic(kInitialHelpTopic);
}

Workspace::~Workspace() {
    if (GetWindow()) GetWindow()->StopTimer(kTimerId);
    ClearAll();
    // The worker may be inside a hook that reads the tree: stop it before
    // the clip part goes.
    if (workerThread_) workerThread_->Stop();
    SetWorker(nullptr);
    workerThread_.reset();
}

int Workspace::WorkerCallback(std::int32_t command, void* context) {
    auto& root = *static_cast<Workspace*>(context);
    switch (command) {
        case kWorkerPreview:
            if (root.hooks_.preview) root.hooks_.preview(root);
            return 1;
        case kWorkerMake:
            if (root.hooks_.make) root.hooks_.make(root);
            root.activity_.fetch_and(~kActivityMake);
            return 1;
        case kWorkerPlay:
            if (root.hooks_.play) root.hooks_.play(root);
            root.activity_.fetch_and(~kActivityPlay);
            return 1;
        default: return 0;
    }
}

void Workspace::SetWorkerHooks(WorkerHooks hooks) {
    WaitWorkerIdle();
    hooks_ = std::move(hooks);
}

void Workspace::DeclareRootVariables() { DeclareAll(table_, ClipDeclarations(ClipKind::kSubArrangement)); }

int Workspace::ClearAll() {
    HoldTree();
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
    framesPerSecond_ = 15;
    type_ = 0;
    arrangement_ = true;
    autoAdjust_ = false;
    committed_ = header_;
    SetChanged(true);
    WaitWorkerIdle();
    grid_.Reset();
    VariableOwner::ClearAll();
    DeclareRootVariables();
    statusText_.clear();
    ReleaseTree();
    return 1;
}

int Workspace::CommitAll() { return Clip::CommitAll(); }

int Workspace::RevertAll() {
    if (!IsChanged()) return 0;
    return Clip::RevertAll();
}

ResultFlags Workspace::FinishInput(ResultFlags flags) {
    if (flags & kResetPanes) {
        paneFocus_ = 0;
        flags |= kRepaint;
    }
    flags = Item::FinishInput(flags);
    const bool quiet = !(Activity() & (kActivityMake | kActivityPlay)) && ChangeCounter() == 0;
    if ((flags & kChanged) && quiet && Worker()) Worker()->Post(kWorkerPreview);
    if (flags & (kRepaint | kRelayout)) {
        if (quiet && Worker()) Worker()->Post(kWorkerPreview);
        if (GetWindow()) {
            const Rect client = GetWindow()->ClientRect();
            Arrange(client.left, client.top, client.right, client.bottom);
        }
    }
    return flags;
}

Rect Workspace::Arrange(int left, int top, int right, int bottom) {
    if (Activity() & kActivityMake) return {};
    layout_ = {left, top, std::min(right, left + kPreviewWidth), std::min(bottom, top + kPreviewHeight)};
    SetRectangle(layout_);
    if (Window* window = GetWindow())
        if (auto dc = window->BeginDraw()) Paint(*dc, left, top, right, bottom, 0);
    return layout_;
}

// Until the editor's panes are laid out here, the root shows the preview of
// the current time, fitted to the window in the output's proportions, with
// the time and the last status text beneath it.
int Workspace::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    const Rect area{left, top, right, bottom};
    if (area.IsEmpty()) return 0;
    constexpr int kStatusHeight = 20;
    dc.FillRect(area, Rgb(0, 0, 0));
    const Rect room{left, top, right, std::max(top, bottom - kStatusHeight)};
    const OutputSize* output = FindOutputSize(OutputSizeId());
    const int outputWidth = output ? output->width : 320, outputHeight = output ? output->height : 240;
    const Surface* preview = GetSurface();
    if (preview && !preview->IsEmpty() && !room.IsEmpty()) {
        const double scale = std::min(double(room.Width()) / outputWidth, double(room.Height()) / outputHeight);
        const int width = std::max(1, int(outputWidth * scale)), height = std::max(1, int(outputHeight * scale));
        const int x = room.left + (room.Width() - width) / 2, y = room.top + (room.Height() - height) / 2;
        dc.StretchPicture(*preview, preview->Bounds(), {x, y, x + width, y + height});
    }
    TextStyle style;
    style.colour = Rgb(192, 192, 192);
    style.centred = false;
    std::string status = FormatFixed(Time() / 1000.0) + " s";
    if (!StatusText().empty()) status += "    " + StatusText();
    dc.Text(status, {left + 4, room.bottom + 2, right - 4, bottom}, style);
    return 1;
}

std::vector<int> Workspace::ProjectMenuIds() const {
    std::vector<int> ids = {kNewProjectText, kOpenProjectText, kProjectUrlText};
    if (!exampleProjectsAllowed_ || exampleProjectsAllowed_()) ids.push_back(kExampleProjectText);
    if (ChildCount() > 0) {
        ids.push_back(MenuList::kSeparator);
        if (!ProjectPath().empty()) ids.push_back(kSaveProjectText);
        ids.push_back(kSaveAsText);
    }
    if (!ProjectPath().empty()) {
        ids.push_back(MenuList::kSeparator);
        ids.push_back(kRevertText);
    }
    if (HasVideo() || HasAudio()) {
        ids.push_back(MenuList::kSeparator);
        ids.push_back(kGenerate);
    }
    ids.push_back(MenuList::kSeparator);
    ids.insert(ids.end(), {kImportClip, kImportClipUrl, kNewMediaClip});
    if (HasVideo() || HasAudio()) ids.push_back(MenuList::kSeparator);
    if (HasVideo()) ids.push_back(kWorkWithOpacities);
    if (HasAudio()) ids.push_back(kWorkWithVolumes);
    return ids;
}

ResultFlags Workspace::Input(Window* window, std::uint32_t message, int, int, std::uintptr_t keyFlags) {
    if (message == kRightButtonUp) {
        MenuList menu;
        for (int id : ProjectMenuIds()) id == MenuList::kSeparator ? menu.AddSeparator() : menu.Add(id);
        const int chosen = menu.Show(window ? window : GetWindow());
        ResultFlags out = 0;
        if (chosen) Command(window, chosen, out);
        return out;
    }
    if (message != kKeyUp) return 0;
    const auto key = std::uint32_t(keyFlags);
    if (key == kVkEscape) {
        paneFocus_ = 0;
        SetStopRequest(true);
        return kResetPanes | kRepaint;
    }
    Clip* current = CurrentChild();
    if (key == kVkLeft || key == kVkRight) {
        const double unit = std::max(Grid().Unit(), 1.0);
        std::int64_t time = std::int64_t(Time()) + (key == kVkLeft ? -std::int64_t(unit) : std::int64_t(unit));
        time = Quantize(SaturateInt32(time));
        time = std::clamp<std::int64_t>(time, GetPosition(), std::int64_t(GetPosition()) + GetSize());
        return SetGlobalTime(std::int32_t(time));
    }
    if (key == kVk0) return SetGlobalTime(current ? current->GetPosition() : GetPosition());
    if (key >= kVk0 + 1 && key <= kVk0 + 8) return GotoLocator(int(key - kVk0 - 1));
    if (key == kVk0 + 9)
        return SetGlobalTime(current ? SaturatingAdd(current->GetPosition(), current->GetSize())
                                      : SaturatingAdd(GetPosition(), GetSize()));
    return 0;
}

int Workspace::ShowHelpTopic(int topic) {
    if (showHelpTopic_) showHelpTopic_(topic);
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
    return ResolveRootName(name, names, ScriptNames());
}

// -- commands -----------------------------------------------------------------

bool Workspace::Command(Window* window, int command, ResultFlags& out) {
    switch (command) {
        case kOpenProjectText: out = OpenProject() ? kRelayout | kRepaint : 0; return true;
        case kExampleProjectText: out = LoadExampleProject() ? kRelayout | kRepaint : 0; return true;
        case kProjectUrlText: out = OpenProjectUrl() ? kRelayout | kRepaint : 0; return true;
        case kRevertText: out = RevertToSaved() ? kRelayout | kRepaint : 0; return true;
        case kSaveProjectText: out = SaveProject() ? kRepaint : 0; return true;
        case kSaveAsText: out = SaveProjectAs() ? kRepaint : 0; return true;
        case kNewProjectText: out = NewProject() ? kRelayout | kRepaint : 0; return true;
        case kApply: CommitAll(); out = kRepaint; return true;
        case kUndo: out = UndoChanges() ? kRepaint : 0; return true;
        case kStop: SetStopRequest(true); out = kRepaint; return true;
        case kGenerate:
        case kMakeCommand: out = startMake_ && startMake_(*this) ? kRepaint : 0; return true;
        case kBackward: out = MoveGlobalTime(-std::int32_t(std::max(Grid().Unit(), 1.0))); return true;
        case kForeward: out = MoveGlobalTime(std::int32_t(std::max(Grid().Unit(), 1.0))); return true;
        case kAutoAdjust: out = AutoAdjustMakeStrip(); return true;
        case kMusicTimeChange: out = MusicTimeChange(); return true;
        case kZoomInHorizontal: out = ZoomInHorizontal(); return true;
        case kZoomOutHorizontal: out = ZoomOutHorizontal(); return true;
        case kZoomInVertical: out = ZoomInVertical(); return true;
        case kZoomOutVertical: out = ZoomOutVertical(); return true;
        case kFit: out = FitViewAndMakeStrip(); return true;
        case kWorkWithOpacities: WorkWithOpacities(); out = kRepaint; return true;
        case kWorkWithVolumes: WorkWithVolumes(); out = kRepaint; return true;
        case kMuteAudioCommand:
        case kMuteVideoCommand: {
            Clip* clip = CurrentChild() ? CurrentChild() : this;
            if (command == kMuteAudioCommand)
                clip->SetMuteAudio(!clip->MuteAudio());
            else
                clip->SetMuteVideo(!clip->MuteVideo());
            out = kChanged;
            return true;
        }
        case kImportClip: {
            FileDialogRequest request = ProjectDialog(std::string(kImportDialogTitle), folders_.Folder(kOpenDialogKey).value_or(""),
                                                      std::string(kImportPatterns));
            request.mustExist = true;
            const auto path = Platform().dialogs ? Platform().dialogs->OpenFile(window, request) : std::nullopt;
            if (!path || path->empty()) {
                out = 0;
                return true;
            }
            out = ImportMedia(*path) ? kChanged | kRepaint : 0;
            return true;
        }
        case kNewMediaClip: {
            if (!IsArrangement()) {
                out = 0;
                return true;
            }
            MenuList menu;
            menu.Add(kTextStringType);
            menu.Add(kGradientType);
            menu.AddSeparator();
            menu.Add(kSubArrangementType);
            const int chosen = menu.Show(window ? window : GetWindow());
            out = chosen && NewChildClip(chosen) ? kChanged | kRepaint : 0;
            return true;
        }
        default:
            if (programCommand_ && programCommand_(window, command, out)) return true;
            return Clip::Command(window, command, out);
    }
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
    FileDialogRequest request = ProjectDialog(Str(kSaveAsText), folder, kProjectPattern);
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
    // The project is where it was opened from, whatever path it was last
    // saved under: "Save Project" must not write over another copy.
    SetProjectPath(forced);
    if (GetWindow()) GetWindow()->SetCursor(Cursor::Arrow);
    SetStatusText(Str(kDoneText));
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
    const auto path = AskOpenPath(kOpenProjectText, folders_.Folder(kOpenDialogKey).value_or(FolderOf(ProjectPath())),
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
    const auto path = AskOpenPath(kExampleProjectText, ExampleFolder(language_ ? language_() : 9),
                                  kProjectPattern);
    return path && OpenProjectFile(*path);
}

bool Workspace::OpenProjectUrl() {
    if (!AskSaveChanges() || !Platform().dialogs) return false;
    if (openProjectUrl_) return openProjectUrl_(GetWindow());
    const auto address = Platform().dialogs->TextEntry(GetWindow(), Str(kProjectUrlText), Str(kProjectUrlText), "");
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
    SetOutputSizeId(kDefaultOutputSize);
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
