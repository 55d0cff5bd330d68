#pragma once
#include <functional>
#include <memory>
#include <atomic>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

#include "editor/arrangement/ArrangementView.h"
#include "editor/arrangement/ArrangementWindow.h"
#include "editor/workspace/RootView.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "platform/DrawContext.h"
#include "platform/Menus.h"

namespace vantrel {

class Control;
class EditorPanels;
class Workspace;

// The editor's window side of a root: the controls and regions of the
// layout, hover help, the splitters and pane focus, keys, the drawing of
// the whole editor, the arrangement window and the panels. The root owns
// it and reaches it only through RootView; the window's own commands (the
// arrangement's menu, dropped files) live here.
class EditorWindow final : public RootView {
public:
    struct Wiring {
        // The info browser: it takes the bottom-left pane, first in the hit
        // order, while `infoBrowserShown` answers true (open, holding a page).
        Control* infoBrowser = nullptr;
        std::function<bool()> infoBrowserShown;
        // The preference that shows "Edit" for help pages.
        std::function<bool()> editHelpButton;
    };
    EditorWindow(Workspace& root, Wiring wiring);
    ~EditorWindow() override;

    // -- RootView -------------------------------------------------------------
    Rect LayOutClient(int clientWidth, int clientHeight) override;
    void Paint(DrawContext& dc) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool ShowHoverText(const std::string& text, const Rect& rect) override;
    ResultFlags Settle(ResultFlags flags) override;
    void TreeEdited() override;
    void TimeChanged(std::int32_t rootTime) override;
    void ShowStatus(const std::string& text) override;
    void ProjectCleared() override;
    bool WantsTickPaint(int clientWidth, int clientHeight) override;
    Clip* ShownArrangement() const override { return arrangementView_.Arrangement(); }
    Control* ControlById(int id) const override;
    void NameControls(RootNames& names) const override;

    // -- parts ------------------------------------------------------------------
    ArrangementView& View() { return arrangementView_; }
    // The arrangement window with its rulers, bars, make strip and handles.
    ArrangementWindow& ArrangementEditor() { return *arrangementWindow_; }
    // The parameter, rectangle and curve panels and the effect list.
    EditorPanels& Panels() { return *panels_; }
    bool InfoBrowserShown() const;
    // The editor's controls the root names to scripts, once they exist.
    struct ScriptObjects {
        Control* ne = nullptr;
        Control* se = nullptr;
        Control* nw = nullptr;
        Control* sw = nullptr;
        Control* firstRectanglePanel = nullptr;  // set only while shown
        Control* secondRectanglePanel = nullptr;
    };
    ScriptObjects& ScriptControls() { return scriptControls_; }
    // The status line's text: start-up progress, downloads, the make's frames.
    std::string StatusText() const;

    // -- layout -----------------------------------------------------------------
    // What the next layout depends on, read from the tree and the window.
    LayoutState CurrentLayoutState() const;
    // The last layout, in layout coordinates.
    const LayoutResult& Layout() const { return layoutResult_; }
    // Runs the layout for a client area without drawing.
    void LayOut(int clientWidth, int clientHeight);
    // The first control or region under a layout point in hit order: a
    // control id, a LayoutRegion, or 0 for none.
    int HitAt(Point p) const;
    // The index of the locator cell under a point beside Apply/Undo, or -1.
    int LocatorCellAt(Point p) const;
    double HorizontalRatio() const { return horizontalRatio_; }
    double VerticalRatio() const { return verticalRatio_; }
    void SetSplitRatios(double horizontal, double vertical) { horizontalRatio_ = horizontal, verticalRatio_ = vertical; }
    int PaneFocus() const { return paneFocus_; }
    const std::string& HoverText() const { return hoverText_; }
    bool HoverArmed() const { return hoverArmed_; }
    // The hover box for the pointer: the text's extent plus 2 on each side,
    // beside the pointer and kept inside the area.
    static Rect HoverBox(Point pointer, TextSize text, const Rect& area);
    // The scale control's value (0.01 .. 1.0).
    double OutputScale() const;
    // Where the finished frame stands in the preview pane.
    Rect PicturePlace() const;
    // The window's shape of a layout unit (its scale across over its scale
    // down); pictures are fitted by it so that they keep their shape.
    double PixelAspect() const;

    // -- the window's own commands ------------------------------------------------
    // The project menu a right click opens until the editor's regions take
    // the clicks: string ids, -1 for a separator.
    std::vector<int> ProjectMenuIds() const;
    // The entries as shown: "Undo Move Clip", greyed without a step.
    std::vector<MenuEntry> ProjectMenuEntries() const;
    std::string ProjectMenuCaption(int id) const;
    // The preview picture's menu: the project menu, then the "Copy", "Save",
    // "Skin" and "Language" submenus.
    std::vector<MenuEntry> PreviewMenuEntries() const;
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
    // Dropped files, one after another from the time under the pointer.
    ResultFlags DropMedia(Window* window, std::uintptr_t dropHandle, Point p);
    // One quantize unit back (-1) or on (1): the arrow keys.
    ResultFlags StepTime(int direction);
    // One frame of the output back or on, counted from the root's start.
    ResultFlags StepFrame(int direction);
    // To the nearest start or end of a clip of the shown arrangement before
    // (-1) or after (1) the time, on any track.
    ResultFlags GoToClipEdge(int direction);
    // One of the keypad's pane layouts (a pane focus; 0: all four panes),
    // whatever the layout was.
    ResultFlags SetPaneLayout(int focus);
    // The menu bar: a submenu per menu, each command row of the table that
    // has a place there with its caption, greyed while it is not offered,
    // and its key after a tab.
    std::vector<MenuEntry> MenuBarEntries() const;

private:
    void FollowPendingTime();
    void AttachControls();
    void PlaceControls();
    ResultFlags KeyUp(Window* window, std::uint32_t key, Point pointer);
    ResultFlags DragSplitter(Window* window, std::uint32_t message, Point p);
    void PaintEditor(DrawContext& dc);
    void PaintHover(DrawContext& dc);
    void PaintLocatorCells(DrawContext& dc) const;

    Workspace& root_;
    Wiring wiring_;
    ArrangementView arrangementView_;
    std::unique_ptr<ArrangementWindow> arrangementWindow_;
    std::unique_ptr<EditorPanels> panels_;
    std::vector<std::unique_ptr<Control>> controls_;
    ScriptObjects scriptControls_;
    int paneFocus_ = 0;
    LayoutResult layoutResult_;
    Rect laidOutClient_{};  // the client area the layout was made for
    std::vector<Rect> backgroundPieces_;  // of the layout area, around the black panes
    double horizontalRatio_ = 0.5, verticalRatio_ = 0.5;
    int draggedSplitter_ = 0;  // a LayoutRegion while a splitter is dragged
    std::string hoverText_ = "* * * * *";
    Rect hoverRect_{};
    bool hoverArmed_ = false;
    Point pointer_{};
    // Written by the worker (a make's frame count) and read by the paint.
    mutable std::mutex statusLock_;
    // A time heard from another thread, followed on the main thread.
    const std::thread::id mainThread_ = std::this_thread::get_id();
    std::atomic<std::int32_t> pendingTime_{0};
    std::atomic<bool> timePending_{false};
    // Ticks of the refresh timer that still paint after the last change: a
    // help mark that flashes after a hover counts down over them.
    std::atomic<int> freshTicks_{0};
    void Fresh();
    std::string statusText_;
};

}  // namespace vantrel
