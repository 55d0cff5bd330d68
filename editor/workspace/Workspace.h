#pragma once
#include <functional>
#include <memory>
#include <string>

#include "values/Surface.h"
#include "items/WorkerThread.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "editor/arrangement/ArrangementView.h"
#include "editor/arrangement/ArrangementWindow.h"
#include "model/clips/Clip.h"
#include "platform/Dialogs.h"
#include "platform/DrawContext.h"

namespace vantrel {

class Control;
class EditorPanels;
class Workspace;
struct UrlImports;

// What the worker thread runs for the root. The composition, make and
// playback libraries fill these in; an empty member does nothing. The
// preview runs holding the tree lock; make and playback run for long, so
// they take it themselves for each frame or poll and leave the stop flag
// and the main thread a way in between.
struct WorkerHooks {
    std::function<void(Workspace&)> preview;  // command 3
    std::function<void(Workspace&)> make;     // command 4
    std::function<void(Workspace&)> play;     // command 5 (PlayingClip())
    // The finished composite at output size (surface 0), read on the main
    // thread under the tree lock; unset, the preview surface stands in.
    std::function<Surface*(Workspace&)> finishedFrame;
    // The current clip's own view (surface 1), likewise.
    std::function<Surface*(Workspace&)> detailView;
    // Makes the root's composition pictures at an output size (a string id);
    // false when they cannot be made. Unset, every size can be set.
    std::function<bool(Workspace&, int outputSizeId)> allocateOutput;
};

struct WorkspaceOptions {
    bool startWorker = true;
    WorkerHooks hooks;
    // Help topics the root is asked to show (215 at start and on "New
    // Project"); the info browser plugs in here.
    std::function<void(int topic)> showHelpTopic;
    // The info browser: it takes the bottom-left pane, first in the hit
    // order, while infoBrowserShown answers true (open and holding a page).
    Control* infoBrowser = nullptr;
    std::function<bool()> infoBrowserShown;
    // The preference that shows "Edit" for help pages.
    std::function<bool()> editHelpButton;
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
};

// The root clip: a clip like every other, plus the window, the preview
// surface, the worker thread, the two-copy apply/undo state of the whole
// project and the project commands.
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

    // Either pointer may be null: without a window nothing is drawn and no
    // timer runs (the batch command line and tests).
    Workspace(Application* application, Window* window, PictureStore* media, WorkspaceOptions options = {});
    ~Workspace() override;

    int ClearAll() override;
    int CommitAll() override;
    int RevertAll() override;  // only with pending changes

    ResultFlags FinishInput(ResultFlags flags) override;
    bool Command(Window* window, int command, ResultFlags& out) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    Rect Arrange(int left, int top, int right, int bottom) override;
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    Surface* GetSurface() override { return &preview_; }
    RootState* State() override { return &state_; }
    // The view follows the time unless a ruler holds the capture.
    ResultFlags SetTime(std::int32_t parentTime) override;
    ArrangementView& View() { return arrangementView_; }
    // The arrangement the window shows; the root while it shows none.
    Clip* ShownArrangement() { return arrangementView_.Arrangement() ? arrangementView_.Arrangement() : this; }
    const Clip* ShownArrangement() const {
        return arrangementView_.Arrangement() ? arrangementView_.Arrangement() : this;
    }
    // The arrangement window with its rulers, bars, make strip and handles.
    ArrangementWindow& ArrangementEditor() { return *arrangementWindow_; }
    // Runs a script command holding the tree like every other edit.
    bool RunCommand(const std::string& command, std::string& answer) override;
    // The one way the main thread edits the tree outside the root's own
    // entry points (which take it themselves): holds the worker out for as
    // long as the guard lives. Nests.
    [[nodiscard]] TreeLockGuard Edit() { return TreeLockGuard(&state_.lock); }
    // The "Play" entry: false when the clip cannot play or something runs.
    bool Play(Clip* clip) override;
    int ShowHelpTopic(int topic) override;
    bool InfoBrowserShown() const { return infoBrowser_ && infoBrowserShown_ && infoBrowserShown_(); }
    void SetStatusText(const std::string& text) override;

    // Scripts: "*", "ne"/"se"/"nw"/"sw", "cc.", "cv.", "ca.", "r1.", "r2."
    // before the names every owner answers.
    Control* ResolveName(const std::string& name) override;
    // The editor's controls the root names to scripts, once they exist.
    struct ScriptObjects {
        Control* ne = nullptr;
        Control* se = nullptr;
        Control* nw = nullptr;
        Control* sw = nullptr;
        Control* firstRectanglePanel = nullptr;   // set only while shown
        Control* secondRectanglePanel = nullptr;
    };
    ScriptObjects& ScriptControls() { return scriptControls_; }

    // The project menu a right click opens until the editor's regions take
    // the clicks: string ids, -1 for a separator.
    std::vector<int> ProjectMenuIds() const;

    // -- project commands -----------------------------------------------------
    // Each answers whether it went through.
    bool OpenProject();                 // 25
    bool LoadExampleProject();          // 473
    bool OpenProjectUrl();              // 654
    bool RevertToSaved();               // 306
    bool SaveProject();                 // 26
    bool SaveProjectAs();               // 27
    bool NewProject();                  // 99
    bool UndoChanges();                 // 343
    // Into `into`, or the arrangement the window shows when null.
    bool ImportClipByDialog(Window* window, Clip* into = nullptr);  // 1
    bool ImportClipUrl(Window* window, Clip* into = nullptr);       // 653: download, then import
    bool NewMediaClipByMenu(Window* window, Clip* into = nullptr);  // 387
    bool StartMake();                         // 360 and 98, through the make library
    ResultFlags ToggleMute(bool audio);       // 368, 369: the current clip's, else the root's
    ResultFlags SetMakeBoundToTime(bool end); // 351, 352
    bool ChooseVideoFormat(Window* window);   // 356
    bool ChooseFrameRate(Window* window);     // 358
    // Sets an output size; an unknown one quietly gives "320 / 240". When
    // the pictures of a size cannot be made the "Error" box says why and the
    // program goes on at "320 / 240".
    bool SetOutputSizeOrDefault(int id);
    bool ShowClipInfo(Window* window);        // 367, 207
    // 643 / 644 and 649 / 650: the composite, or the current clip's frame.
    bool CopyPicture(bool composite);
    bool SavePicture(Window* window, bool composite);
    // -- the arrangement's menu, clip commands and import -----------------------
    // The child under a layout point in the arrangement window.
    Clip* ClipAt(Point p) const;
    // The right-click menu of the arrangement window: the clicked clip's
    // entries, the locators, "Auto Adjust Make Strip" and the "File" menu.
    ResultFlags ArrangementMenu(Window* window, Point p);
    // The clicked clip's own entries, in menu order (string ids, -1 for a
    // separator).
    std::vector<int> ClipEntryIds(const Clip& clip) const;
    ResultFlags RunClipEntry(Window* window, Clip* clip, int command);
    // "Change Text": the words, then the typeface; false when cancelled.
    bool ChangeText(Window* window, Clip* clip);
    // Imports one file into the shown arrangement; a file that cannot be
    // imported is named in an "Error" box with the reason, and nothing
    // changes. Placed at `time` on a free track when given.
    Clip* ImportFile(Window* window, const std::string& path, std::optional<std::int32_t> time = {},
                     Clip* into = nullptr);
    // Why a file cannot be imported, as the box says it; empty when it can
    // be tried.
    std::string ImportProblem(const std::string& path, const Clip* into = nullptr) const;
    // Dropped files, one after another from the time under the pointer.
    ResultFlags DropMedia(Window* window, std::uintptr_t dropHandle, Point p);
    // Imports whose downloads have ended (main thread; the window's refresh
    // calls it). True when anything was imported.
    bool FinishUrlImports();
    bool UrlImportPending() const;
    // What "Copy/Save Composite Picture" and the preview show.
    const Surface* CompositePicture();
    // Commands the program answers (Preferences, Update, Email Support,
    // the info browser's Edit).
    ResultFlags ProgramCommand(Window* window, int command);
    // One quantize unit back (-1) or on (1): the arrow keys.
    ResultFlags StepTime(int direction);
    bool ExampleProjectsAllowed() const;
    // Forces ".kwp", loads with the wait cursor, "Done!". False when the file
    // cannot be opened (silently) or does not read completely.
    bool OpenProjectFile(const std::string& path);
    // Safe save; a failure shows the "Error" box.
    bool SaveProjectFile(const std::string& path);
    // Yes/No/Cancel before a project is replaced; false stops the command.
    bool AskSaveChanges();
    std::string SaveChangesText() const;
    // Yes/No before a save while changes are pending; false stops it.
    bool AskApply();
    std::string ProjectPath() const { return MediaPath(); }
    const DialogFolders& Folders() const { return folders_; }
    // The start folder of "Load Example Project".
    static std::string ExampleFolder(int language);

    // -- worker -------------------------------------------------------------
    // Replacing hooks waits for the worker first.
    void SetWorkerHooks(WorkerHooks hooks);
    const WorkerHooks& Hooks() const { return hooks_; }
    int FramesPerSecondSetting() const { return FramesPerSecond(FrameRateId()); }
    int PaneFocus() const { return paneFocus_; }

    // -- the editor's window --------------------------------------------------
    bool ShowHoverText(const std::string& text, const Rect& rect) override;
    // The control attached with this id; null for none.
    Control* ControlById(int id) const;
    // What the next layout depends on, read from the tree and the window.
    LayoutState CurrentLayoutState() const;
    // The last layout, in layout coordinates.
    const LayoutResult& Layout() const { return layoutResult_; }
    // Runs the layout for a client area without drawing.
    void LayOut(int clientWidth, int clientHeight);
    // The first control or region under a layout point in hit order: a
    // control id, a LayoutRegion, or 0 for none.
    int HitAt(Point p) const;
    double HorizontalRatio() const { return horizontalRatio_; }
    double VerticalRatio() const { return verticalRatio_; }
    void SetSplitRatios(double horizontal, double vertical) { horizontalRatio_ = horizontal, verticalRatio_ = vertical; }
    const std::string& HoverText() const { return hoverText_; }
    bool HoverArmed() const { return hoverArmed_; }
    // The hover box for the pointer: the text's extent plus 2 on each side,
    // beside the pointer and kept inside the area.
    static Rect HoverBox(Point pointer, TextSize text, const Rect& area);
    // The scale control's value (0.01 .. 1.0).
    double OutputScale() const;
    // The parameter, rectangle and curve panels and the effect list.
    EditorPanels& Panels() { return *panels_; }
    // Where the finished frame stands in the preview pane.
    Rect PicturePlace() const;

private:
    static int WorkerCallback(std::int32_t command, void* context);
    void DeclareRootVariables();
    void Progress(int textId);
    std::optional<std::string> AskOpenPath(int titleId, const std::string& folder, const std::string& pattern);
    std::optional<std::string> AskSavePath(int key);
    BoxAnswer Ask(const std::string& text, int captionId, BoxButtons buttons, BoxIcon icon = BoxIcon::Question);
    void ShowError(const std::string& text);
    // Name and path in the live and the committed header alike: an undo
    // must not send the next save back to a former location.
    void SetProjectPath(const std::string& path);
    bool SaveAsPath(const std::string& path);
    void AttachControls();
    void PlaceControls();
    ResultFlags KeyUp(Window* window, std::uint32_t key, Point pointer);
    ResultFlags PlayOrStopKey();
    ResultFlags EditorInput(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags);
    ResultFlags DragSplitter(Window* window, std::uint32_t message, Point p);
    void PaintEditor(DrawContext& dc);
    void PaintHover(DrawContext& dc);

    Surface preview_;
    RootState state_;
    ArrangementView arrangementView_{this};
    std::unique_ptr<ArrangementWindow> arrangementWindow_ = std::make_unique<ArrangementWindow>(*this, arrangementView_);
    std::unique_ptr<WorkerThread> workerThread_;
    WorkerHooks hooks_;
    std::function<void(int)> showHelpTopic_;
    Control* infoBrowser_ = nullptr;
    std::function<bool()> infoBrowserShown_;
    std::function<bool()> editHelpButton_;
    std::function<int()> language_;
    std::function<bool()> exampleProjectsAllowed_;
    std::function<bool(Workspace&, Window*)> openProjectUrl_;
    std::function<bool(Workspace&)> startMake_;
    std::function<bool(Window*, int, ResultFlags&)> programCommand_;
    std::function<void(const std::string&)> progress_;
    DialogFolders folders_;
    ScriptObjects scriptControls_;
    int paneFocus_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<EditorPanels> panels_;
    LayoutResult layoutResult_;
    std::vector<Rect> backgroundPieces_;  // of the layout area, around the black panes
    double horizontalRatio_ = 0.5, verticalRatio_ = 0.5;
    int draggedSplitter_ = 0;  // a LayoutRegion while a splitter is dragged
    std::string hoverText_ = "* * * * *";
    Rect hoverRect_{};
    bool hoverArmed_ = false;
    Point pointer_{};
    std::shared_ptr<UrlImports> urlImports_;  // downloads on their way to import
};

}  // namespace vantrel
