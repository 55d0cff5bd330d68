#include "editor/workspace/Workspace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "items/StringTable.h"
#include "items/Version.h"
#include "editor/workspace/Autosave.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "media/sources/MediaOpen.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"
#include "script/Text.h"
#include "model/variables/Catalogue.h"
#include "values/Messages.h"

namespace vantrel {

Workspace::Workspace(Application* application, Window* window, PictureStore* media, WorkspaceOptions options)
    : options_(std::move(options)) {
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
    if (options_.makeView) {
        view_ = options_.makeView(*this);
    } else {
        auto editor = std::make_unique<EditorWindow>(
            *this, EditorWindow::Wiring{options_.infoBrowser, options_.infoBrowserShown, options_.editHelpButton});
        editor_ = editor.get();
        view_ = std::move(editor);
    }
    ClearAll();
    Progress(kVantrelText);
    if (window) {
        char title[64];
        std::snprintf(title, sizeof title, "Vantrel RF%d.%02d", kVersionMajor, kVersionMinor);
        window->SetTitle(title);
    }
    preview_.Allocate(kPreviewWidth, kPreviewHeight);
    if (options_.startWorker) {
        workerThread_ = std::make_unique<WorkerThread>(&Workspace::WorkerCallback, this);
        state_.SetWorker(workerThread_.get());
    }
    if (window) window->StartTimer(kTimerId, kTimerPeriodMs);
    SetOutputSizeOrDefault(kDefaultOutputSize);
    Progress(kDoneText);
    CommitAll();
    // Drawn with the first arrangement of the window, not from here.
    if (options_.showHelpTopic) options_.showHelpTopic(kInitialHelpTopic);
}

void Workspace::Progress(int textId) {
    SetStatusText(Str(textId));
    if (options_.progress) options_.progress(Str(textId));
}

Workspace::~Workspace() {
    if (GetWindow()) GetWindow()->StopTimer(kTimerId);
    ClearAll();
    autosaver_.reset();
    // The worker may be inside a hook that reads the tree or writes the
    // status line: stop it before the clip part and the window side go.
    if (workerThread_) workerThread_->Stop();
    state_.SetWorker(nullptr);
    workerThread_.reset();
    editor_ = nullptr;
    view_.reset();
}

int Workspace::WorkerCallback(std::int32_t command, void* context) {
    auto& root = *static_cast<Workspace*>(context);
    const WorkerHooks& hooks = root.options_.hooks;
    switch (command) {
        case kWorkerPreview: {
            {
                TreeLockGuard hold(&root.state_.lock);
                if (hooks.preview) hooks.preview(root);
            }
            // The new frame shows at once, not at the next timer tick.
            if (Window* window = root.GetWindow()) window->RequestRefresh();
            return 1;
        }
        case kWorkerMake:
            if (hooks.make) hooks.make(root);
            root.state_.EndActivity(kActivityMake);
            return 1;
        case kWorkerPlay:
            if (hooks.play) hooks.play(root);
            root.state_.EndActivity(kActivityPlay);
            return 1;
        default: return 0;
    }
}

void Workspace::SetWorkerHooks(WorkerHooks hooks) {
    auto edit = Edit();
    state_.WaitWorkerIdle();
    options_.hooks = std::move(hooks);
}

void Workspace::DeclareRootVariables() { DeclareAll(table_, ClipDeclarations(ClipKind::kSubArrangement)); }

int Workspace::ClearAll() {
    StopWorkAndWait();
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
    if (view_) view_->ProjectCleared();
    state_.ReleaseTree();
    StartHistory();
    return 1;
}

int Workspace::CommitAll() {
    const int done = Clip::CommitAll();
    if (!restoring_) applied_ = TakeSnapshot(*this, history_.Current());
    return done;
}

// The state at the last Apply comes back whole, so a change counts whatever
// clip it touched; going back is itself a step the history can take back.
int Workspace::RevertAll() {
    if (!IsChanged()) return 0;
    auto edit = Edit();
    if (!applied_) return Clip::RevertAll();
    SettleEdits();
    RestoreState(applied_);
    stepName_ = kRevertStepName;
    SetChanged(false);
    return 1;
}

int Workspace::Load(InStream& file) {
    if (restoring_) return Clip::Load(file);
    StopWorkAndWait();
    const int done = Clip::Load(file);
    // The clips read are new: they learn the time now, or the first preview
    // shows each at its own time 0 (a clip that starts later shows early).
    SetTime(Time());
    StartHistory();
    return done;
}

// -- the history of edits ---------------------------------------------------------

namespace {
std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The current clip of each arrangement from the root down, by index.
std::vector<int> CurrentChain(const Clip& root) {
    std::vector<int> chain;
    for (const Clip* at = &root; at->CurrentChild(); at = at->CurrentChild()) {
        const int index = at->IndexOf(at->CurrentChild());
        if (index < 0) break;
        chain.push_back(index);
    }
    return chain;
}

void SetCurrentChain(Clip& root, const std::vector<int>& chain) {
    Clip* at = &root;
    for (int index : chain) {
        if (index >= at->ChildCount()) return;
        at->SetCurrentChild(at->ChildAt(index));
        at = at->ChildAt(index);
    }
}
}  // namespace

template <typename Body>
auto Workspace::AsEntry(bool settle, Body&& body) {
    struct Leave {
        Workspace& root;
        bool settle;
        ~Leave() {
            if (--root.entryDepth_ == 0 && settle) root.SettleEdits();
        }
    };
    ++entryDepth_;
    Leave leave{*this, settle};
    return body();
}

// A project just emptied or read: nothing to undo, nothing unsaved.
void Workspace::StartHistory() {
    auto edit = Edit();
    Snapshot start = TakeSnapshot(*this, nullptr);
    history_.Reset(start);
    applied_ = saved_ = std::move(start);
    stepName_.clear();
    autosaved_ = false;
}

void Workspace::SettleEdits() {
    if (restoring_ || buttonHeld_) return;
    auto edit = Edit();
    const Snapshot& current = history_.Current();
    if (!current) return StartHistory();
    Snapshot now = TakeSnapshot(*this, current);
    if (now == current) {
        stepName_.clear();
        return;
    }
    if (SameApartFromView(*current, *now)) {
        history_.Amend(std::move(now));
        stepName_.clear();
        return;
    }
    std::string name = stepName_.empty() ? DescribeStep(*current, *now) : std::move(stepName_);
    stepName_.clear();
    if (options_.historyMegabytes)
        history_.SetMemoryLimit(std::size_t(std::max(options_.historyMegabytes(), 1)) << 20);
    history_.Record(std::move(name), std::move(now));
    autosaved_ = false;
    // A clip moved or trimmed still holds the local time of its old place:
    // the time passes down again (without moving the view), which composes
    // the frame anew.
    Clip::SetTime(Time());
}

void Workspace::RestoreState(const Snapshot& state) {
    if (!state) return;
    StopWorkAndWait();
    auto edit = Edit();
    const Snapshot present = TakeSnapshot(*this, state);
    const std::vector<int> chain = CurrentChain(*this);
    const int outputSize = OutputSizeId();
    const std::int32_t time = Time();
    const bool asks = state_.AsksForMissingMedia();
    state_.SetAsksForMissingMedia(false);
    restoring_ = true;
    {
        ProjectFolderScope folder(ProjectPath());
        RestoreSnapshot(*this, *WithViewOf(state, *present));
    }
    restoring_ = false;
    state_.SetAsksForMissingMedia(asks);
    SetCurrentChain(*this, chain);
    if (OutputSizeId() != outputSize) SetOutputSizeOrDefault(OutputSizeId());
    SetChanged(!(applied_ && SameApartFromView(*state, *applied_)));
    if (view_) view_->TreeEdited();
    SetTime(time);  // which composes the restored frame
    autosaved_ = false;
}

bool Workspace::UndoEdit() { return StepHistory(false); }
bool Workspace::RedoEdit() { return StepHistory(true); }

bool Workspace::StepHistory(bool forward) {
    auto edit = Edit();
    if (buttonHeld_) return false;
    SettleEdits();
    if (forward ? !history_.CanRedo() : !history_.CanUndo()) return false;
    const std::string name = forward ? history_.RedoName() : history_.UndoName();
    forward ? history_.Redo() : history_.Undo();
    RestoreState(history_.Current());
    SetStatusText(Str(forward ? kRedoCommand : kUndoLastEditCommand) + ": " + StepCaption(name));
    return true;
}

bool Workspace::HasUnsavedChanges() {
    auto edit = Edit();
    SettleEdits();
    return !saved_ || !history_.Current() || !SameApartFromView(*history_.Current(), *saved_);
}

void Workspace::MarkSaved() {
    auto edit = Edit();
    SettleEdits();
    saved_ = history_.Current();
    // The file holds the changes now; an autosave of them would only be
    // offered again after a crash.
    DropAutosave();
}

void Workspace::MarkUnsaved() {
    auto edit = Edit();
    SettleEdits();
    saved_ = nullptr;
    SetChanged(true);
}

void Workspace::StopWorkAndWait() {
    const bool busy = state_.Busy();
    if (busy) state_.SetStopRequest(true);
    state_.WaitWorkerIdle();
    if (busy) state_.SetStopRequest(false);
}

void Workspace::ShowScriptMoment() {
    const std::int64_t now = NowMs();
    if (now - lastScriptMomentMs_ < 100) return;
    lastScriptMomentMs_ = now;
    auto edit = Edit();
    // The script holds the tree; set aside while the worker composes.
    state_.PostPreview();
    state_.WaitWorkerIdle();
    if (Window* window = GetWindow()) {
        const Rect client = window->ClientRect();
        Arrange(client.left, client.top, client.right, client.bottom);
        window->ShowNow();
    }
}

// -- autosave -------------------------------------------------------------------------

bool Workspace::AutosaveNow() {
    std::vector<std::uint8_t> bytes;
    {
        auto edit = Edit();
        if (autosaved_ || !HasUnsavedChanges()) return false;
        // Serialised under the lock from the step's own records; the disk is
        // the writer's.
        bytes = SnapshotBytes(*history_.Current());
        if (!autosavedFor_.empty() && autosavedFor_ != ProjectPath()) RemoveAutosave(autosavedFor_);
        autosavedFor_ = ProjectPath();
        autosaved_ = true;
    }
    if (!autosaver_) autosaver_ = std::make_unique<AutosaveWriter>();
    autosaver_->Post(autosavedFor_, std::move(bytes));
    return true;
}

void Workspace::DropAutosave() {
    FlushAutosave();
    if (!autosavedFor_.empty()) RemoveAutosave(autosavedFor_);
    RemoveAutosave(ProjectPath());
    autosavedFor_.clear();
    autosaved_ = false;
}

void Workspace::FlushAutosave() {
    if (autosaver_) autosaver_->Flush();
}

void Workspace::AutosaveIfDue() {
    if (!options_.autosaveSeconds || entryDepth_ > 0 || buttonHeld_) return;
    const int seconds = options_.autosaveSeconds();
    const std::int64_t now = NowMs();
    if (seconds <= 0 || now - lastAutosaveMs_ < std::int64_t(seconds) * 1000) return;
    lastAutosaveMs_ = now;
    AutosaveNow();
}

bool Workspace::QueryClose() {
    if (HasUnsavedChanges() && !AskSaveChanges(*this)) return false;
    StopWorkAndWait();
    closeAnswered_ = true;
    // Saved, or the changes given up: either way nothing is left to recover.
    DropAutosave();
    return true;
}

void Workspace::EndUnasked() {
    if (closeAnswered_) return;
    StopWorkAndWait();
    AutosaveNow();
    FlushAutosave();
}

ResultFlags Workspace::FinishInput(ResultFlags flags) {
    auto edit = Edit();
    if (view_) flags = view_->Settle(flags);
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

// The window side lays out (not while a make runs: the make keeps its own
// layout) and draws; without a window nothing is drawn.
Rect Workspace::Arrange(int left, int top, int right, int bottom) {
    auto edit = Edit();
    if (FinishUrlImports(*this) && entryDepth_ == 0) SettleEdits();
    AutosaveIfDue();
    if (!view_) return {};
    const Rect area = view_->LayOutClient(right - left, bottom - top);
    if (Window* window = GetWindow()) {
        window->SetLayoutSize(area.Width(), area.Height());
        if (auto dc = window->BeginDraw()) Paint(*dc, area.left, area.top, area.right, area.bottom, 0);
    }
    return (state_.Activity() & kActivityMake) ? Rect{} : area;
}

bool Workspace::Tick(int left, int top, int right, int bottom) {
    {
        auto edit = Edit();
        // The downloads of "Import Clip URL" end here too.
        const bool imported = FinishUrlImports(*this);
        // An import that landed is a step; unsaved changes go to the
        // autosave when it is due, whether or not anything is drawn.
        if (imported && entryDepth_ == 0) SettleEdits();
        AutosaveIfDue();
        if (!imported && view_ && !view_->WantsTickPaint(right - left, bottom - top)) return false;
    }
    Arrange(left, top, right, bottom);
    return true;
}

int Workspace::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    if (Rect{left, top, right, bottom}.IsEmpty() || !view_) return 0;
    view_->Paint(dc);
    return 1;
}

// A drag is one step: nothing is recorded from the button's press to its
// release. Moves and timer ticks change nothing by themselves.
ResultFlags Workspace::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    auto edit = Edit();
    if (!view_) return 0;
    if (message == kLeftButtonDown || message == kLeftButtonDoubleClick)
        buttonHeld_ = true;
    else if (message == kLeftButtonUp || (message == kMouseMove && !(keyFlags & kLeftButtonHeld) && entryDepth_ == 0 &&
                                          !CapturedChild()))
        buttonHeld_ = false;
    const bool settle = message != kMouseMove && message != kTimer;
    return AsEntry(settle, [&] {
        view_->TreeEdited();
        return view_->Input(window ? window : GetWindow(), message, x, y, keyFlags);
    });
}

bool Workspace::ShowHoverText(const std::string& text, const Rect& rect) {
    return view_ ? view_->ShowHoverText(text, rect) : Clip::ShowHoverText(text, rect);
}

Clip* Workspace::ShownArrangement() const {
    Clip* shown = view_ ? view_->ShownArrangement() : nullptr;
    return shown ? shown : const_cast<Workspace*>(this);
}

ResultFlags Workspace::SetTime(std::int32_t parentTime) {
    auto edit = Edit();
    if (view_) view_->TimeChanged(parentTime);
    return Clip::SetTime(parentTime);
}

// Beyond the owner's commands, "Command N" runs the root's command N as its
// button or menu entry would, so that a tutorial can press buttons; the
// answer says whether it was offered.
bool Workspace::RunCommand(const std::string& command, std::string& answer) {
    auto edit = Edit();
    return AsEntry(true, [&] { return RunScriptCommand(command, answer); });
}

bool Workspace::RunScriptCommand(const std::string& command, std::string& answer) {
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
    return StartPlaying();
}

bool Workspace::StartPlaying() {
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

bool Workspace::PlayArrangement(int speed) {
    auto edit = Edit();
    const int magnitude = speed < 0 ? -speed : speed;
    if (magnitude != 1 && magnitude != 2 && magnitude != 4 && magnitude != 8) return false;
    if (PlayingArrangement()) {
        state_.SetPlaySpeed(speed);
        return true;
    }
    if (state_.Busy() || !IsArrangement()) return false;
    state_.WaitWorkerIdle();
    state_.SetPlaySpeed(speed);
    state_.SetPlayingClip(this);
    return StartPlaying();
}

void Workspace::ShowPlayedFrame(std::shared_ptr<const Surface> frame) {
    std::lock_guard guard(playedLock_);
    played_ = std::move(frame);
}

std::shared_ptr<const Surface> Workspace::PlayedFrame() const {
    std::lock_guard guard(playedLock_);
    return played_;
}

int Workspace::ShowHelpTopic(int topic) {
    if (options_.showHelpTopic) options_.showHelpTopic(topic);
    // The browser's pane may appear: lay out and draw again.
    if (GetWindow()) FinishInput(kRepaint);
    return topic;
}

void Workspace::SetStatusText(const std::string& text) {
    if (view_) view_->ShowStatus(text);
}

Control* Workspace::ResolveName(const std::string& name) {
    RootNames names;
    names.self = this;
    if (view_) view_->NameControls(names);
    Clip* current = CurrentChild();
    names.currentClip = current;
    const Clip* effectsOf = current ? current : this;
    names.currentVideoEffect = effectsOf->CurrentVideoEffect();
    names.currentAudioEffect = effectsOf->CurrentAudioEffect();
    Control* found = ResolveRootName(name, names, ScriptNames());
    // A number that names none of the root's variables names one of its
    // controls, so that help pages can light up a button.
    if (!found || found == this)
        if (const auto id = ReadWholeNumber(name, true))
            if (Control* control = view_ ? view_->ControlById(*id) : nullptr) return control;
    return found;
}

bool Workspace::Command(Window* window, int command, ResultFlags& out) {
    auto edit = Edit();
    return AsEntry(true, [&] { return RunRootCommand(window, command, out); });
}

bool Workspace::RunRootCommand(Window* window, int command, ResultFlags& out) {
    if (view_) view_->TreeEdited();
    if (const CommandRow* row = FindRootCommand(command)) {
        out = IsOffered(*row, *this) ? row->run(*this, window ? window : GetWindow()) : 0;
        return true;
    }
    if (options_.programCommand && options_.programCommand(window, command, out)) return true;
    return Clip::Command(window, command, out);
}

void Workspace::SetProjectPath(const std::string& path) {
    SetName(BaseName(path));
    SetMediaPath(path);
    SetCommittedPath(path);
}

void Workspace::SetCommittedPath(const std::string& path) {
    committed_.SetName(BaseName(path));
    committed_.SetPath(path);
}

}  // namespace vantrel
