#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "values/Surface.h"
#include "items/WorkerThread.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/RootView.h"
#include "model/clips/Clip.h"
#include "model/clips/History.h"

namespace vantrel {

class AutosaveWriter;
class Control;
class EditorWindow;
class VariableOwner;
class Workspace;
struct UrlImports;

// What the worker thread runs for the root. The composition, make and
// playback libraries fill these in; an empty member does nothing. The
// preview runs holding the tree lock; make and playback run for long, so
// they take it themselves for each frame or poll and leave the stop flag
// and the main thread a way in between.
struct WorkerHooks {
    std::function<void(Workspace&)> preview;  // kWorkerPreview
    std::function<void(Workspace&)> make;     // kWorkerMake
    std::function<void(Workspace&)> play;     // kWorkerPlay (PlayingClip())
    // The finished composite at output size (surface 0), read on the main
    // thread under the tree lock; unset, the preview surface stands in.
    std::function<Surface*(Workspace&)> finishedFrame;
    // The current clip's own view (surface 1), likewise.
    std::function<Surface*(Workspace&)> detailView;
    // Makes the root's composition pictures at an output size (a string id);
    // false when they cannot be made. Unset, every size can be set.
    std::function<bool(Workspace&, int outputSizeId)> allocateOutput;
};

// The display preferences, asked at every layout, paint and hover; a root
// built without them behaves as these defaults say.
struct DisplayPreferences {
    bool toolTips = true;                // hover help
    bool statusMessages = true;          // the status line shows the status texts
    bool locatorsInRoot = true;          // locator marks in the arrangement window
    bool locatorsInClipDetail = false;   // the current clip's locators beside Apply/Undo, that row always
    bool clipInfoInClipDetail = true;    // clip info, type icon and mutes atop the clip pane
    bool clipInfoInArrangement = false;  // ... atop the arrangement pane (when not in the clip pane)
    bool globalEffects = false;          // the project's own effects (no clip current) reachable
};

// Everything the program hands a root when it builds one; nothing of it is
// installed anywhere else.
struct WorkspaceOptions {
    bool startWorker = true;
    WorkerHooks hooks;
    // Help topics the root is asked to show (the start page at start and on
    // "New Project"); the info browser plugs in here.
    std::function<void(int topic)> showHelpTopic;
    // The info browser: it takes the bottom-left pane, first in the hit
    // order, while infoBrowserShown answers true (open and holding a page).
    Control* infoBrowser = nullptr;
    std::function<bool()> infoBrowserShown;
    // The preference that shows "Edit" for help pages.
    std::function<bool()> editHelpButton;
    std::function<DisplayPreferences()> displayPreferences;
    // Whether the project menu offers "Load Example Project" (a preference).
    std::function<bool()> exampleProjectsAllowed;
    // The language number of the example projects' folder (9 when unset);
    // the preferences plug in here.
    std::function<int()> language;
    // "Open Project URL" through the internet services (asks for the address,
    // downloads and opens the project in this root); unset, the media
    // download is used.
    std::function<bool(Workspace& root, Window* owner)> openProjectUrl;
    // "Make" and the project menu's "Generate": the make library starts the
    // make here (checks, dialogs, then the worker); unset, nothing happens.
    std::function<bool(Workspace&)> startMake;
    // Commands the program answers around the workspace ("Preferences", the
    // language choices); tried for any command the workspace does not know.
    std::function<bool(Window* window, int command, ResultFlags& out)> programCommand;
    // The progress texts of the construction, drawn on the window at once.
    std::function<void(const std::string& text)> progress;
    // Whether an owner gets the key colour picker strip (the effects library
    // knows); unset, none does.
    std::function<bool(VariableOwner&)> keyColourPicker;
    // The arrangement's envelope strip operations (the composition
    // library's); unset, clips offer no "Envelope" entries.
    EnvelopeOperations envelope;
    // Builds the window side; unset, the editor's own (EditorWindow).
    std::function<std::unique_ptr<RootView>(Workspace&)> makeView;
    // Seconds between autosaves of unsaved changes (a preference; 0 or
    // unset: none).
    std::function<int()> autosaveSeconds;
    // The memory the history of edits may hold, in megabytes (a preference;
    // unset: 256).
    std::function<int()> historyMegabytes;
};

// The root clip: a clip like every other, plus the project's own state (its
// header, output size and rate, the apply/undo copies, the thread state and
// worker, the preview surface). What is on screen is its window side, a
// RootView it owns and tells of input, time and status; the project
// commands are free functions (ProjectCommands.h) over it.
class Workspace : public Clip {
public:
    static constexpr int kRootId = 555;
    static constexpr int kPreviewWidth = 1024, kPreviewHeight = 768;
    static constexpr int kTimerId = 1;
    static constexpr int kTimerPeriodMs = 500;
    static constexpr int kDefaultOutputSize = 82;   // "320 / 240"
    static constexpr int kDefaultFrameRate = 134;   // "15 fps"
    static constexpr int kInitialHelpTopic = 215;
    static constexpr int kSaveAsDialogKey = 27;
    static constexpr int kOpenDialogKey = 0;
    // The step "Undo" (back to the last Apply) makes.
    static constexpr const char* kRevertStepName = "Revert Pending Changes";

    // Either pointer may be null: without a window nothing is drawn and no
    // timer runs (the batch command line and tests).
    Workspace(Application* application, Window* window, PictureStore* media, WorkspaceOptions options = {});
    ~Workspace() override;

    // -- the history of edits ------------------------------------------------
    // Every entry point of the root ends here: when the tree changed since
    // the last step, the change becomes a step (a change of view or of the
    // project's file only amends the present state). Nothing is recorded
    // while a drag holds the mouse button or an entry point runs inside
    // another.
    void SettleEdits();
    // One step back or forward; false when there is none. A running make or
    // playback stops first.
    bool UndoEdit();
    bool RedoEdit();
    const EditHistory& History() const { return history_; }
    // Whether the project differs from what was last opened or saved.
    bool HasUnsavedChanges();
    // The tree as it is now is what the project file holds.
    void MarkSaved();
    // A recovered autosave: the tree holds changes that no file has.
    void MarkUnsaved();
    // Stops a make or playback and waits until the worker runs nothing:
    // whatever replaces or rebuilds the tree comes after this.
    void StopWorkAndWait();

    // A script from a help page is at one of its moments (at most every
    // 100 ms): the worker composes what it did so far and the window shows
    // it, though the script holds the main thread.
    void ShowScriptMoment();

    // -- autosave ----------------------------------------------------------------
    // Writes the unsaved changes to the autosave now (on the writer's
    // thread); false when there is nothing to write.
    bool AutosaveNow();
    // Waits until every posted autosave is on disk.
    void FlushAutosave();
    // The window is about to close: a changed project asks to be saved;
    // false keeps the window open. Once it closes, the autosave goes.
    bool QueryClose();
    // Ends without a question (a signal): unsaved changes go to the
    // autosave, written before this returns.
    void EndUnasked();

    // -- the clip's part ------------------------------------------------------
    int ClearAll() override;
    int CommitAll() override;
    // Every pending change since the last Apply, whichever clip it touched;
    // only with pending changes.
    int RevertAll() override;
    // A project read from a file starts a new history (a state restored
    // from the history does not).
    int Load(InStream& file) override;
    // Runs a script command holding the tree like every other edit.
    bool RunCommand(const std::string& command, std::string& answer) override;
    // Scripts: "*", "ne"/"se"/"nw"/"sw", "cc.", "cv.", "ca.", "r1.", "r2."
    // before the names every owner answers.
    Control* ResolveName(const std::string& name) override;
    // The "Play" entry: false when the clip cannot play or something runs.
    bool Play(Clip* clip) override;
    // Plays the whole arrangement from the current time at a speed (1, 2, 4
    // or 8 forward, negative backward): the worker composes and mixes ahead,
    // the picture follows the sound. While it runs, a new speed only changes
    // the speed. False when a make or a clip's playback runs.
    bool PlayArrangement(int speed = 1);
    bool PlayingArrangement() const { return (state_.Activity() & kActivityPlay) && state_.PlayingClip() == this; }
    // The frame a playback of the arrangement shows now (set from its own
    // thread); null outside one, when the composite is what the preview shows.
    void ShowPlayedFrame(std::shared_ptr<const Surface> frame);
    std::shared_ptr<const Surface> PlayedFrame() const;
    // Tells the window side, which follows the time unless a ruler holds it.
    ResultFlags SetTime(std::int32_t parentTime) override;
    // Status texts go to the window side, not into the tree.
    void SetStatusText(const std::string& text) override;
    int ShowHelpTopic(int topic) override;
    Surface* GetSurface() override { return &preview_; }
    RootState* State() override { return &state_; }
    // The one way the main thread edits the tree outside the root's own
    // entry points (which take it themselves): holds the worker out for as
    // long as the guard lives. Nests.
    [[nodiscard]] TreeLockGuard Edit() { return TreeLockGuard(&state_.lock); }

    // -- handed on to the window side -------------------------------------------
    ResultFlags FinishInput(ResultFlags flags) override;
    bool Command(Window* window, int command, ResultFlags& out) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    Rect Arrange(int left, int top, int right, int bottom) override;
    // A tick of the 500 ms refresh timer: lays out and draws as Arrange does
    // when anything changed since the last ticks, else nothing. True when it
    // drew.
    bool Tick(int left, int top, int right, int bottom);
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    bool ShowHoverText(const std::string& text, const Rect& rect) override;
    // The editor's own window side; only a root built without `makeView`
    // has one.
    EditorWindow& Editor() const { return *editor_; }
    // The arrangement the window shows; the root while it shows none.
    Clip* ShownArrangement() const;

    // -- the project --------------------------------------------------------------
    // Sets an output size; an unknown one quietly gives "320 / 240". When
    // the pictures of a size cannot be made the "Error" box says why and the
    // program goes on at "320 / 240".
    bool SetOutputSizeOrDefault(int id);
    int FramesPerSecondSetting() const { return FramesPerSecond(FrameRateId()); }
    // What "Copy/Save Composite Picture" and the preview show.
    const Surface* CompositePicture();
    std::string ProjectPath() const { return MediaPath(); }
    // Name and path in the live and the committed header alike: an undo
    // must not send the next save back to a former location.
    void SetProjectPath(const std::string& path);
    // Only the committed header's name and path (after a "Save As").
    void SetCommittedPath(const std::string& path);
    DialogFolders& Folders() { return folders_; }
    const DialogFolders& Folders() const { return folders_; }
    // Imports whose downloads are on their way (ImportClipUrl).
    std::shared_ptr<UrlImports>& Downloads() { return urlImports_; }
    const std::shared_ptr<UrlImports>& Downloads() const { return urlImports_; }
    const WorkspaceOptions& Options() const { return options_; }
    DisplayPreferences Display() const {
        return options_.displayPreferences ? options_.displayPreferences() : DisplayPreferences{};
    }
    // The layout's row height and pane gap, which the root's skin style carries.
    int RowHeightMetric() const { return Metric(kRowHeight); }
    int PaneGapMetric() const { return Metric(kPaneGap); }
    // A start-up progress line: the status line and the options' progress.
    void Progress(int textId);

    // -- worker -------------------------------------------------------------
    // Replacing hooks waits for the worker first.
    void SetWorkerHooks(WorkerHooks hooks);
    const WorkerHooks& Hooks() const { return options_.hooks; }

private:
    static int WorkerCallback(std::int32_t command, void* context);
    void DeclareRootVariables();
    // Rebuilds the tree as `state` holds it, keeping the view, the current
    // clips and the project's file as they are.
    void RestoreState(const Snapshot& state);
    // Runs `body` as an entry point: the outermost one settles the edits.
    template <typename Body>
    auto AsEntry(bool settle, Body&& body);
    void AutosaveIfDue();
    // Posts the playback set up by the caller; false (and nothing playing)
    // when no worker will run it.
    bool StartPlaying();
    void StartHistory();
    bool StepHistory(bool forward);
    // Writes what is waiting, then removes the autosaves of this project.
    void DropAutosave();
    bool RunScriptCommand(const std::string& command, std::string& answer);
    bool RunRootCommand(Window* window, int command, ResultFlags& out);

    WorkspaceOptions options_;
    Surface preview_;
    RootState state_;
    std::unique_ptr<WorkerThread> workerThread_;
    DialogFolders folders_;
    std::shared_ptr<UrlImports> urlImports_;  // downloads on their way to import
    std::unique_ptr<RootView> view_;
    EditorWindow* editor_ = nullptr;  // view_, when it is the editor's own

    EditHistory history_;
    Snapshot applied_;            // what "Undo" goes back to
    Snapshot saved_;              // what the project file holds; null: unknown
    bool restoring_ = false;
    bool buttonHeld_ = false;     // a drag is one step, recorded at its end
    int entryDepth_ = 0;
    std::string stepName_;        // a name the entry point gave its step
    std::unique_ptr<AutosaveWriter> autosaver_;
    std::int64_t lastAutosaveMs_ = 0;
    std::string autosavedFor_;    // the project path of the last autosave
    bool autosaved_ = false;      // the autosave holds the present changes
    bool closeAnswered_ = false;
    std::int64_t lastScriptMomentMs_ = 0;
    mutable std::mutex playedLock_;
    std::shared_ptr<const Surface> played_;
};

}  // namespace vantrel
