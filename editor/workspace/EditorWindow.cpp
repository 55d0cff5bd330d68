#include "editor/workspace/EditorWindow.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <vector>

#include "items/MenuList.h"
#include "items/PictureStore.h"
#include "items/StringTable.h"
#include "values/TimeMath.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/RootControls.h"
#include "editor/workspace/Workspace.h"
#include "controls/SkinServices.h"
#include "controls/ValueSlider.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "script/ScriptNames.h"

namespace vantrel {

namespace {
constexpr std::uint32_t kVkPrintScreen = 0x2C;
constexpr std::uint32_t kVkF9 = kVkF1 + 8;
constexpr Colour kHoverYellow = Rgb(255, 255, 0);

// Keypad digits to the pane focus they choose; 5 clears it.
int KeypadFocus(std::uint32_t key) {
    switch (key - kVkNumpad0) {
        case 7: return kFocusUp | kFocusLeft;
        case 8: return kFocusUp;
        case 9: return kFocusUp | kFocusRight;
        case 4: return kFocusLeft;
        case 6: return kFocusRight;
        case 1: return kFocusDown | kFocusLeft;
        case 2: return kFocusDown;
        case 3: return kFocusDown | kFocusRight;
        default: return 0;
    }
}

bool IsSplitter(int hit) { return hit == kVerticalSplitter || hit == kVerticalSplitterLow || hit == kHorizontalSplitter; }

// The parts of the arrangement pane, and the preview the corner handles
// stand on: the arrangement window takes presses and the wheel there.
bool IsArrangementPart(int hit) {
    switch (hit) {
        case kArrangementWindowRegion:
        case kArrangementSliderRegion:
        case kArrangementScrollerRegion:
        case kTopRulerRegion:
        case kBottomRulerRegion:
        case kMakeStripRegion:
        case kMakeStripStartRegion:
        case kMakeStripEndRegion:
        case kCurrentClipRegion:
        case kLeftSizingGripRegion:
        case kRightSizingGripRegion:
        case kNorthWestHandleRegion:
        case kNorthEastHandleRegion:
        case kSouthWestHandleRegion:
        case kSouthEastHandleRegion:
        case kPreviewRegion: return true;
        default: return false;
    }
}

// The black panes: the background picture is tiled only around them.
constexpr std::array kBlackRegions = {int(kPreviewRegion), int(kClipViewRegion), int(kInfoBrowserRegion),
                                      int(kPanelRegion), int(kRectanglePanelsRegion), int(kCurveViewRegion)};

// The parts of `area` that none of `covers` overlaps, as rectangles.
std::vector<Rect> Uncovered(const Rect& area, const std::vector<Rect>& covers) {
    std::vector<Rect> pieces{area};
    for (const Rect& cover : covers) {
        if (cover.IsEmpty()) continue;
        std::vector<Rect> next;
        for (const Rect& p : pieces) {
            const Rect cut = p.Intersect(cover);
            if (cut.IsEmpty()) {
                next.push_back(p);
                continue;
            }
            const Rect parts[] = {{p.left, p.top, p.right, cut.top},
                                  {p.left, cut.bottom, p.right, p.bottom},
                                  {p.left, cut.top, cut.left, cut.bottom},
                                  {cut.right, cut.top, p.right, cut.bottom}};
            for (const Rect& part : parts)
                if (!part.IsEmpty()) next.push_back(part);
        }
        pieces.swap(next);
    }
    return pieces;
}

bool IsRegion(int hit) {
    if (hit < 0) return !IsSplitter(hit);
    for (const RootControlRow& row : RootControlRows())
        if (row.id == hit) return row.kind == RootControlKind::Region;
    return false;
}
}  // namespace

EditorWindow::EditorWindow(Workspace& root, Wiring wiring)
    : root_(root), wiring_(std::move(wiring)), arrangementView_(&root),
      arrangementWindow_(std::make_unique<ArrangementWindow>(root, arrangementView_)),
      panels_(std::make_unique<EditorPanels>(root)) {
    AttachControls();
    if (Control* browser = wiring_.infoBrowser) {
        browser->SetParent(&root);
        browser->SetMedia(root.Media());
        browser->SetApp(root.App());
    }
    // A clip's picture read in the background shows at the next refresh.
    if (Window* window = root.GetWindow())
        arrangementWindow_->Pictures().SetReady([window] { window->RequestRefresh(); });
    arrangementWindow_->SetPathResolver(
        [&root](const std::string& path) { return PathBesideProject(root.ProjectPath(), path); });
    if (MenuBar* bar = root.GetWindow() ? root.GetWindow()->GetMenuBar() : nullptr) {
        Window* window = root.GetWindow();
        bar->SetMenuBar(
            [this] {
                auto edit = root_.Edit();
                return MenuBarEntries();
            },
                        [this, window](int command) {
                            ResultFlags out = 0;
                            root_.Command(window, command, out);
                            root_.FinishInput(out);
                        });
    }
}

EditorWindow::~EditorWindow() {
    if (MenuBar* bar = root_.GetWindow() ? root_.GetWindow()->GetMenuBar() : nullptr) bar->SetMenuBar({}, {});
    if (wiring_.infoBrowser && wiring_.infoBrowser->Parent() == &root_) wiring_.infoBrowser->SetParent(nullptr);
    arrangementWindow_->Pictures().SetReady({});
}

// While a make runs the layout stays as the make left it (its own, set
// when it started); the window is still drawn, so progress shows.
Rect EditorWindow::LayOutClient(int clientWidth, int clientHeight) {
    if (!(root_.State()->Activity() & kActivityMake)) LayOut(clientWidth, clientHeight);
    return layoutResult_.area;
}

// The whole editor in layout coordinates; the window scales it to its
// client area. The hover box comes last, over everything.
void EditorWindow::Paint(DrawContext& dc) {
    FollowPendingTime();
    PaintEditor(dc);
    PaintHover(dc);
}

ResultFlags EditorWindow::Settle(ResultFlags flags) {
    Fresh();
    FollowPendingTime();
    if (flags & kResetPanes) {
        paneFocus_ = 0;
        flags |= kRepaint;
    }
    return flags;
}

void EditorWindow::TreeEdited() {
    Fresh();
    arrangementWindow_->Validate();
}

// Everything that changes the picture without the window's own input comes
// through the root's notifications (a status, a time moved by the worker, a
// tree edited); the worker's frames and the pictures read in the background
// ask the window for a refresh of their own. Input itself leaves a few fresh
// ticks for the help marks that flash for a few paints after a hover.
void EditorWindow::Fresh() { freshTicks_.store(Control::kHelpHoverPaints + 1); }

bool EditorWindow::WantsTickPaint(int clientWidth, int clientHeight) {
    if (Rect{0, 0, clientWidth, clientHeight} != laidOutClient_ || timePending_.load()) return true;
    int left = freshTicks_.load();
    while (left > 0 && !freshTicks_.compare_exchange_weak(left, left - 1)) {
    }
    return left > 0;
}

// The view follows the time unless a ruler holds the capture. A time moved
// on another thread (the worker, frame by frame during a make) is only
// noted: the view belongs to the main thread, which follows it when it next
// paints or handles input.
void EditorWindow::TimeChanged(std::int32_t rootTime) {
    Fresh();
    if (std::this_thread::get_id() != mainThread_) {
        pendingTime_.store(rootTime);
        timePending_.store(true);
        return;
    }
    timePending_.store(false);
    arrangementWindow_->Validate();
    arrangementView_.FollowTime(rootTime);
}

void EditorWindow::FollowPendingTime() {
    if (!timePending_.exchange(false)) return;
    auto edit = root_.Edit();  // the view's place is kept in the tree's header
    arrangementWindow_->Validate();
    arrangementView_.FollowTime(pendingTime_.load());
}

void EditorWindow::ShowStatus(const std::string& text) {
    Fresh();
    std::lock_guard guard(statusLock_);
    statusText_ = text;
}

std::string EditorWindow::StatusText() const {
    std::lock_guard guard(statusLock_);
    return statusText_;
}

void EditorWindow::ProjectCleared() {
    Fresh();
    ShowStatus({});
    horizontalRatio_ = verticalRatio_ = 0.5;
}

bool EditorWindow::InfoBrowserShown() const {
    return wiring_.infoBrowser && wiring_.infoBrowserShown && wiring_.infoBrowserShown();
}

void EditorWindow::NameControls(RootNames& names) const {
    names.ne = scriptControls_.ne;
    names.se = scriptControls_.se;
    names.nw = scriptControls_.nw;
    names.sw = scriptControls_.sw;
    names.firstRectanglePanel = scriptControls_.firstRectanglePanel;
    names.secondRectanglePanel = scriptControls_.secondRectanglePanel;
}

std::vector<int> EditorWindow::ProjectMenuIds() const {
    // Groups in menu order, a separator between two that show anything; the
    // saving group only once there is something to save.
    const bool hasChildren = root_.ChildCount() > 0;
    const std::vector<std::vector<int>> groups = {
        {kNewProjectCommand, kOpenProjectCommand, kProjectUrlCommand, kExampleProjectCommand},
        hasChildren ? std::vector<int>{kSaveProjectCommand, kSaveAsCommand} : std::vector<int>{},
        {kRevertCommand},
        {kUndoLastEditCommand, kRedoCommand},
        {kGenerateCommand},
        {kImportClipCommand, kImportClipUrlCommand, kNewMediaClipCommand},
        {kWorkWithOpacitiesCommand, kWorkWithVolumesCommand},
    };
    std::vector<int> ids;
    for (const auto& group : groups) {
        bool first = true;
        for (int id : group) {
            const CommandRow* row = FindRootCommand(id);
            if (!row || !IsOffered(*row, root_)) continue;
            if (first && !ids.empty()) ids.push_back(MenuList::kSeparator);
            first = false;
            ids.push_back(id);
        }
    }
    return ids;
}

std::string EditorWindow::ProjectMenuCaption(int id) const {
    // "Undo Move Clip": the step's name stands in for "Last Edit".
    if (id == kUndoLastEditCommand && root_.History().CanUndo()) return UndoCaption(root_.History().UndoName());
    if (id == kRedoCommand && root_.History().CanRedo()) return RedoCaption(root_.History().RedoName());
    return Str(id);
}

std::vector<MenuEntry> EditorWindow::ProjectMenuEntries() const {
    std::vector<MenuEntry> entries;
    for (int id : ProjectMenuIds()) {
        if (id == MenuList::kSeparator) {
            entries.push_back(MenuSeparator());
            continue;
        }
        const bool enabled = id == kUndoLastEditCommand ? root_.History().CanUndo()
                             : id == kRedoCommand       ? root_.History().CanRedo()
                                                        : true;
        entries.push_back(MenuCommand(id, ProjectMenuCaption(id), enabled));
    }
    return entries;
}

namespace {
// "3: 12.345 s", the hover text of a locator cell.
std::string LocatorCellText(const Clip& shown, int index) {
    char text[64];
    std::snprintf(text, sizeof text, "%d: %0.3f s", index + 1, shown.Locator(index) / 1000.0);
    return text;
}
}  // namespace

std::vector<MenuEntry> EditorWindow::PreviewMenuEntries() const {
    std::vector<MenuEntry> entries = ProjectMenuEntries();
    auto submenu = [](int caption, std::initializer_list<int> ids) {
        std::vector<MenuEntry> inner;
        for (int id : ids) inner.push_back(MenuCommand(id, Str(id)));
        return MenuSubmenu(Str(caption), std::move(inner));
    };
    if (!entries.empty()) entries.push_back(MenuSeparator());
    entries.push_back(submenu(kCopyMenuText, {kCopyCompositeCommand, kCopySourceFrameCommand}));
    entries.push_back(submenu(kSaveMenuText, {kSaveCompositeCommand, kSaveSourceFrameCommand}));
    entries.push_back(SkinServices::SkinSubmenu());
    entries.push_back(submenu(kLanguageMenuText, {kEnglishCommand, kGermanCommand, kDefaultLanguageCommand}));
    return entries;
}

// One quantize unit, kept on the grid and inside the project. Without a
// grid a step is one frame of the output.
ResultFlags EditorWindow::StepTime(int direction) {
    const double unit = root_.Grid().Unit();
    if (unit <= 0) return StepFrame(direction);
    std::int64_t time = root_.Quantize(SaturateInt32(root_.Time() + direction * std::int64_t(std::max(unit, 1.0))));
    time = std::clamp<std::int64_t>(time, root_.GetPosition(), std::int64_t(root_.GetPosition()) + root_.GetSize());
    return root_.SetGlobalTime(SaturateInt32(time));
}

// The next or last frame time a make would compose, counted from the
// root's start.
ResultFlags EditorWindow::StepFrame(int direction) {
    const std::int64_t fps = std::max(FramesPerSecond(root_.FrameRateId()), 1);
    const std::int64_t from = root_.GetPosition(), local = std::max<std::int64_t>(root_.Time() - from, 0);
    auto frameTime = [fps](std::int64_t frame) { return frame * 1000 / fps; };
    // The last frame at or before the time; a time between two frames
    // goes back to the one before it.
    std::int64_t frame = ((local + 1) * fps - 1) / 1000;
    if (direction > 0)
        ++frame;
    else if (frameTime(frame) == local)
        --frame;
    std::int64_t time = frame < 0 ? from : from + frameTime(frame);
    time = std::clamp<std::int64_t>(time, root_.GetPosition(), std::int64_t(root_.GetPosition()) + root_.GetSize());
    return root_.SetGlobalTime(SaturateInt32(time));
}

ResultFlags EditorWindow::GoToClipEdge(int direction) {
    const Clip* shown = root_.ShownArrangement();
    const std::int64_t now = shown->Time();
    std::optional<std::int64_t> best;
    for (int i = 0; i < shown->ChildCount(); ++i) {
        const Clip* child = shown->ChildAt(i);
        for (const std::int64_t edge : {std::int64_t(child->GetPosition()), std::int64_t(child->GetPosition()) + child->GetSize()}) {
            if (direction > 0 ? edge <= now : edge >= now) continue;
            if (!best || (direction > 0 ? edge < *best : edge > *best)) best = edge;
        }
    }
    if (!best) return 0;
    // The shown arrangement's own time against the root's.
    return root_.SetGlobalTime(SaturateInt32(std::int64_t(root_.Time()) + (*best - now)));
}

ResultFlags EditorWindow::SetPaneLayout(int focus) {
    paneFocus_ = focus;
    return focus ? kRelayout | kRepaint : kResetPanes | kRepaint;
}

std::vector<MenuEntry> EditorWindow::MenuBarEntries() const {
    std::vector<MenuEntry> bar;
    for (const int menu : {int(kFileBarMenu), int(kEditBarMenu), int(kViewBarMenu), int(kPlayBarMenu), int(kHelpBarMenu)}) {
        std::vector<const CommandRow*> rows;
        for (const CommandRow& row : RootCommandRows())
            if (row.barMenu == menu) rows.push_back(&row);
        std::stable_sort(rows.begin(), rows.end(), [](const CommandRow* a, const CommandRow* b) { return a->barPlace < b->barPlace; });
        std::vector<MenuEntry> entries;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const CommandRow& row = *rows[i];
            if (i > 0 && rows[i - 1]->barPlace / 10 != row.barPlace / 10) entries.push_back(MenuSeparator());
            bool enabled = IsOffered(row, root_);
            if (row.id == kUndoLastEditCommand) enabled = enabled && root_.History().CanUndo();
            if (row.id == kRedoCommand) enabled = enabled && root_.History().CanRedo();
            std::string caption = ProjectMenuCaption(row.id);
            if (row.key) caption += "\t" + KeyName(row.key);
            entries.push_back(MenuCommand(row.id, std::move(caption), enabled));
        }
        bar.push_back(MenuSubmenu(Str(menu), std::move(entries)));
    }
    return bar;
}

void EditorWindow::AttachControls() {
    controls_.clear();
    root_.Progress(kRectangleText);
    for (const RootControlRow& row : RootControlRows()) {
        // The start-up's progress texts between the groups of controls.
        if (row.id == kClipInfoCommand || row.id == kPreferencesCommand || row.id == kApplyCommand ||
            row.id == kVideoFormatCommand || row.id == kStatusLineControl)
            root_.Progress(row.id);
        if (row.id == kMakeCommand) root_.Progress(kGenerateCommand);
        std::unique_ptr<Control> control = MakeRootControl(row);
        if (!control->Attach(&root_, root_.Media(), root_.App(), row.id, row.styleId)) {
            control->SetId(row.id);
            control->SetStyleId(row.styleId);
            control->SetParent(&root_);
        }
        Workspace& root = root_;
        auto current = [&root]() -> Clip* { return root.CurrentChild() ? root.CurrentChild() : &root; };
        if (auto* field = dynamic_cast<TimeField*>(control.get())) {
            switch (row.id) {
                case kPositionField:
                    field->Bind([current] { return current()->GetPosition(); },
                                [current](std::int32_t ms) { return current()->SetPosition(ms) | kChanged; });
                    break;
                case kSizeField:
                    field->Bind([current] { return current()->GetSize(); },
                                [current](std::int32_t ms) { return current()->SetSize(std::max(ms, 1)) | kChanged; });
                    break;
                case kGlobalTimeField:
                    field->Bind([this] { return root_.Time(); }, [this](std::int32_t ms) { return root_.SetGlobalTime(ms); });
                    break;
                default:
                    field->Bind([current] { return current()->Offset(); },
                                [current](std::int32_t ms) -> ResultFlags {
                                    current()->SetOffset(ms);
                                    return kChanged;
                                });
                    break;
            }
        }
        if (auto* status = dynamic_cast<StatusLine*>(control.get()))
            status->Bind([this] { return root_.Display().statusMessages ? StatusText() : std::string(); });
        if (auto* setting = dynamic_cast<SettingButton*>(control.get()))
            setting->Bind([this, id = row.id] { return TimeGridText(*root_.ShownArrangement(), id); });
        controls_.push_back(std::move(control));
    }
}

Control* EditorWindow::ControlById(int id) const {
    for (const auto& control : controls_)
        if (control->GetId() == id) return control.get();
    return nullptr;
}

double EditorWindow::OutputScale() const {
    const auto* scale = dynamic_cast<const ValueSlider*>(ControlById(kScaleOutputCommand));
    return scale ? std::clamp(scale->Value(), 0.01, 1.0) : 1.0;
}

LayoutState EditorWindow::CurrentLayoutState() const {
    LayoutState state;
    const Rect client = root_.GetWindow() ? root_.GetWindow()->ClientRect() : layoutResult_.area;
    state.clientWidth = client.Width();
    state.clientHeight = client.Height();
    state.rowHeight = root_.RowHeightMetric();
    state.gap = root_.PaneGapMetric();
    state.rootIsArrangement = root_.IsArrangement();
    state.hasChildren = root_.ChildCount() > 0;
    state.making = (root_.State()->Activity() & kActivityMake) != 0;
    state.playing = (root_.State()->Activity() & kActivityPlay) != 0;
    // While something runs the root stands for the current clip, so that
    // "Stop" has its row even when nothing is selected.
    state.clipCurrent = root_.CurrentChild() != nullptr || state.making || state.playing;
    state.changed = root_.IsChanged();
    state.horizontalRatio = horizontalRatio_;
    state.verticalRatio = verticalRatio_;
    state.paneFocus = paneFocus_;
    state.infoBrowserShown = InfoBrowserShown();
    state.editHelpButton = wiring_.editHelpButton && wiring_.editHelpButton();
    const DisplayPreferences display = root_.Display();
    state.applyRowAlways = state.sideCells = display.locatorsInClipDetail;
    state.clipInfoInClipPane = display.clipInfoInClipDetail;
    state.clipInfoInArrangement = display.clipInfoInArrangement;
    state.globalEffects = display.globalEffects;
    return state;
}

void EditorWindow::LayOut(int clientWidth, int clientHeight) {
    LayoutState state = CurrentLayoutState();
    state.clientWidth = clientWidth;
    state.clientHeight = clientHeight;
    layoutResult_ = ComputeLayout(state);
    laidOutClient_ = {0, 0, clientWidth, clientHeight};
    // The window repaints at every change; what the black panes leave of
    // the background changes only with the layout.
    std::vector<Rect> covers;
    for (int region : kBlackRegions) covers.push_back(layoutResult_.Of(region));
    backgroundPieces_ = Uncovered(layoutResult_.area, covers);
    root_.SetRectangle(layoutResult_.area);
    PlaceControls();
}

void EditorWindow::PlaceControls() {
    for (const auto& control : controls_) control->SetRectangle({});
    for (const LaidOut& item : layoutResult_.items)
        if (Control* control = item.id > 0 ? ControlById(item.id) : nullptr) control->SetRectangle(item.rect);
    if (wiring_.infoBrowser) wiring_.infoBrowser->SetRectangle(InfoBrowserShown() ? layoutResult_.Of(kInfoBrowserRegion) : Rect{});
    const Clip* current = root_.CurrentChild() ? root_.CurrentChild() : &root_;
    for (const auto& control : controls_) {
        if (auto* check = dynamic_cast<CheckButton*>(control.get()))
            check->SetChecked(control->GetId() == kMuteAudioCommand ? current->MuteAudio() : current->MuteVideo());
        // A button whose command is not offered now is drawn disabled and
        // ignores clicks; one being pressed keeps its state.
        const CommandRow* row = FindRootCommand(control->GetId());
        if (row && dynamic_cast<PushButton*>(control.get()) && control->Press() != Control::kPressed)
            control->SetPress(IsOffered(*row, root_) ? Control::kUp : Control::kDisabled);
    }
    panels_->Place(layoutResult_);
    ArrangementRects rects;
    rects.window = layoutResult_.Of(kArrangementWindowRegion);
    rects.slider = layoutResult_.Of(kArrangementSliderRegion);
    rects.scroller = layoutResult_.Of(kArrangementScrollerRegion);
    rects.topRuler = layoutResult_.Of(kTopRulerRegion);
    rects.bottomRuler = layoutResult_.Of(kBottomRulerRegion);
    rects.strip = layoutResult_.Of(kMakeStripRegion);
    rects.picture = PicturePlace();
    arrangementWindow_->SetRects(rects);
    arrangementWindow_->KeepScrollInRange();
}

int EditorWindow::HitAt(Point p) const {
    for (int id : RootHitOrder()) {
        const Control* control = id > 0 ? ControlById(id) : nullptr;
        const Rect rect = control ? control->Rectangle() : layoutResult_.Of(id);
        if (rect.Contains(p)) return id;
    }
    return 0;
}

int EditorWindow::LocatorCellAt(Point p) const {
    for (int i = 0; i < Clip::kLocatorCount; ++i)
        if (layoutResult_.Of(kFirstLocatorCell - i).Contains(p)) return i;
    return -1;
}

bool EditorWindow::ShowHoverText(const std::string& text, const Rect& rect) {
    if (!root_.Display().toolTips) {
        hoverText_.clear();
        hoverRect_ = {};
        return false;
    }
    hoverText_ = text;
    hoverRect_ = rect;
    return true;
}

Rect EditorWindow::HoverBox(Point pointer, TextSize text, const Rect& area) {
    constexpr int kBesidePointer = 16;
    const int width = text.width + 4, height = text.height + 4;
    int x = pointer.x + kBesidePointer, y = pointer.y + kBesidePointer;
    if (x + width > area.right) x = area.right - width;
    if (y + height > area.bottom) y = pointer.y - height - 4;
    x = std::max(x, area.left);
    y = std::max(y, area.top);
    return {x, y, x + width, y + height};
}

ResultFlags EditorWindow::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    Fresh();
    FollowPendingTime();
    const Rect client = window ? window->ClientRect() : layoutResult_.area;
    const Point p = ClientToLayout(x, y, client.Width(), client.Height());
    if (message == kKeyUp) return KeyUp(window, std::uint32_t(keyFlags), p);
    if (message == kMouseMove) {
        pointer_ = p;
        hoverArmed_ = true;
    } else {
        hoverArmed_ = false;
    }
    if (draggedSplitter_) return DragSplitter(window, message, p);
    if (Item* captured = root_.CapturedChild()) return root_.DispatchToChild(captured, captured, window, message, p.x, p.y, keyFlags);

    const int hit = HitAt(p);
    if (const int locator = LocatorCellAt(p); locator >= 0) {
        Clip& shown = *root_.ShownArrangement();
        if (message == kLeftButtonUp) return root_.FinishInput(shown.GotoLocator(locator) | kRepaint);
        if (message == kMouseMove)
            root_.ShowHoverText(LocatorCellText(shown, locator), layoutResult_.Of(kFirstLocatorCell - locator));
        return 0;
    }
    // Files dropped anywhere but on a button are media to import; a button
    // takes them as its skin picture.
    if (message == kFilesDropped && (hit <= 0 || IsRegion(hit))) return root_.FinishInput(DropMedia(window, keyFlags, p));
    if (message == kRightButtonUp && hit == kArrangementWindowRegion && root_.ChildCount() > 0 && !(keyFlags & kControlHeld))
        return root_.FinishInput(ArrangementMenu(window, p));
    if (IsSplitter(hit)) {
        if (window) window->SetCursor(hit == kHorizontalSplitter ? Cursor::SizeVertical : Cursor::SizeHorizontal);
        if (message == kLeftButtonDown) {
            draggedSplitter_ = hit;
            if (window) window->SetCapture();
        }
        return 0;
    }
    const bool arrangementMessage = message == kLeftButtonDown || message == kLeftButtonDoubleClick ||
                                    message == kLeftButtonUp || message == kMouseWheel;
    if (arrangementMessage && ((IsArrangementPart(hit) && arrangementWindow_->Holds(p)) || arrangementWindow_->OnHandle(p)))
        return root_.DispatchToChild(arrangementWindow_.get(), arrangementWindow_.get(), window, message, p.x, p.y, keyFlags);
    if (EditorPanels::Holds(hit)) return root_.DispatchToChild(panels_.get(), panels_.get(), window, message, p.x, p.y, keyFlags);
    ResultFlags flags = 0;
    if (hit == kInfoBrowserRegion && wiring_.infoBrowser)
        return root_.DispatchToChild(wiring_.infoBrowser, wiring_.infoBrowser, window, message, p.x, p.y, keyFlags);
    if (Control* control = hit > 0 ? ControlById(hit) : nullptr) {
        flags = root_.DispatchToChild(control, control, window, message, p.x, p.y, keyFlags);
        if (!IsRegion(hit)) return flags;
    } else if (message == kMouseMove) {
        root_.ShowHoverTextById(kEmptySpaceHelpText, layoutResult_.area);
        if (window) window->SetCursor(Cursor::Arrow);
    }
    // The regions whose own editing is not there yet answer a right click
    // with the clip menu, like empty space.
    if (message == kRightButtonUp && !(keyFlags & kControlHeld)) {
        const std::vector<MenuEntry> menu = hit == kPreviewRegion ? PreviewMenuEntries() : ProjectMenuEntries();
        const int chosen = Platform().menus ? Platform().menus->ShowPopup(window, menu) : 0;
        ResultFlags out = 0;
        if (chosen) root_.Command(window, chosen, out);
        return root_.FinishInput(flags | out);
    }
    return flags;
}

ResultFlags EditorWindow::DragSplitter(Window* window, std::uint32_t message, Point p) {
    const Rect& area = layoutResult_.panesArea;
    if (message == kMouseMove || message == kLeftButtonUp) {
        if (draggedSplitter_ == kHorizontalSplitter)
            verticalRatio_ = RatioFromDrag(area, p.y, false);
        else
            horizontalRatio_ = RatioFromDrag(area, p.x, true);
    }
    if (message != kLeftButtonUp) return root_.FinishInput(message == kMouseMove ? kRelayout : 0);
    draggedSplitter_ = 0;
    if (window) window->ReleaseCapture();
    return root_.FinishInput(kRelayout | kRepaint);
}

ResultFlags EditorWindow::KeyUp(Window* window, std::uint32_t keyAndModifiers, Point p) {
    const std::uint32_t key = keyAndModifiers & kKeyCodeMask;
    // The command table's keys first: Space, J, K, L, Home, End, PgUp,
    // PgDn, I, O and the Ctrl chords; K+J and K+L while K is held.
    std::uint32_t chord = keyAndModifiers;
    if (window && key != kVkA + ('K' - 'A') && window->KeyHeld(kVkA + ('K' - 'A'))) chord |= kKeyWhileKHeld;
    if (const CommandRow* row = FindKeyCommand(chord)) {
        ResultFlags out = 0;
        root_.Command(window, row->id, out);
        return root_.FinishInput(out);
    }
    Clip* current = root_.CurrentChild();
    ResultFlags flags = 0;
    if (key == kVkEscape) {
        paneFocus_ = 0;
        root_.State()->SetStopRequest(true);
        flags = kResetPanes | kRepaint;
    } else if (key == kVkNumpad0 + 5) {
        paneFocus_ = 0;
        flags = kResetPanes | kRepaint;
    } else if (const int focus = KeypadFocus(key)) {
        if (paneFocus_ != 0) return 0;
        paneFocus_ = focus;
        flags = kRelayout | kRepaint;
    } else if (key == kVkF9) {
        if (paneFocus_ != 0) return 0;
        paneFocus_ = FocusForPoint(layoutResult_, p);
        flags = kRelayout | kRepaint;
    } else if (key == kVkLeft || key == kVkRight) {
        flags = StepTime(key == kVkLeft ? -1 : 1);
    } else if (key == kVkBack && arrangementWindow_->Path().size() > 1) {
        flags = arrangementWindow_->Leave();
    } else if (key == kVkPrintScreen) {
        // The root's picture is the composite frame; its skin picture only
        // while there is none.
        if (!CopyPicture(root_, true)) root_.Command(window, kCopyImageCommand, flags);
    } else if (key == kVk0) {
        flags = root_.SetGlobalTime(current ? current->GetPosition() : root_.GetPosition());
    } else if (key >= kVk0 + 1 && key <= kVk0 + 8) {
        flags = root_.GotoLocator(int(key - kVk0 - 1));
    } else if (key == kVk0 + 9) {
        flags = root_.SetGlobalTime(current ? SaturatingAdd(current->GetPosition(), current->GetSize())
                                      : SaturatingAdd(root_.GetPosition(), root_.GetSize()));
    } else {
        // Any other key goes to what is under the pointer (F1 there opens
        // its help topic).
        Item* target = root_.CapturedChild();
        if (!target) {
            const int hit = HitAt(p);
            target = hit > 0                        ? ControlById(hit)
                     : hit == kInfoBrowserRegion      ? wiring_.infoBrowser
                     : EditorPanels::Holds(hit)       ? static_cast<Item*>(panels_.get())
                                                      : nullptr;
        }
        return target ? root_.DispatchToChild(target, target, window, kKeyUp, p.x, p.y, key) : 0;
    }
    return root_.FinishInput(flags);
}

// -- drawing --------------------------------------------------------------

namespace {
constexpr int kBackgroundPicture = 555;  // "Application Background Image"

}  // namespace

void EditorWindow::PaintEditor(DrawContext& dc) {
    const Surface* background = root_.Media() ? root_.Media()->Picture(kBackgroundPicture) : nullptr;
    if (background && !background->IsEmpty()) {
        // Only where the black panes will not cover it: tiling the whole
        // area was most of what an idle editor cost.
        for (const Rect& piece : backgroundPieces_) dc.TilePicture(*background, piece);
    } else {
        dc.FillRect(layoutResult_.area, Rgb(48, 48, 48));
    }
    for (int splitter : {int(kVerticalSplitter), int(kVerticalSplitterLow), int(kHorizontalSplitter)})
        dc.FillRect(layoutResult_.Of(splitter), Rgb(96, 96, 96));
    for (int region : kBlackRegions) dc.FillRect(layoutResult_.Of(region), 0);
    panels_->PaintPanels(dc);

    const Rect room = layoutResult_.Of(kPreviewRegion);
    // While the arrangement plays, the frame due at the sound's clock; the
    // composite surface meanwhile holds a frame still ahead of it.
    const std::shared_ptr<const Surface> played = root_.PlayedFrame();
    if (const Surface* frame = played ? played.get() : root_.CompositePicture()) {
        // The finished frame in the output's proportions, as large as the
        // pane allows, times the scale control.
        dc.SetClip(room);
        dc.StretchPicture(*frame, frame->Bounds(), PicturePlace());
        dc.ClearClip();
    }
    const Rect view = layoutResult_.Of(kClipViewRegion);
    const Surface* detail = root_.Hooks().detailView && root_.CurrentChild() ? root_.Hooks().detailView(root_) : nullptr;
    if (detail && !detail->IsEmpty() && !view.IsEmpty()) {
        dc.SetClip(view);
        dc.StretchPicture(*detail, detail->Bounds(), AspectFitted(view, detail->Width(), detail->Height(), PixelAspect()));
        dc.ClearClip();
    }
    for (const auto& control : controls_) {
        const Rect& r = control->Rectangle();
        if (!r.IsEmpty()) control->Paint(dc, r.left, r.top, r.right, r.bottom, 0);
    }
    arrangementWindow_->SetLocatorsShown(root_.Display().locatorsInRoot);
    arrangementWindow_->Draw(dc);
    PaintLocatorCells(dc);
    if (wiring_.infoBrowser && InfoBrowserShown()) {
        const Rect& r = wiring_.infoBrowser->Rectangle();
        wiring_.infoBrowser->Paint(dc, r.left, r.top, r.right, r.bottom, 0);
    }
}

// The finished frame in the output's proportions as the window shows it, as
// large as the pane allows, times the scale control; the pane's black is
// left around it.
Rect EditorWindow::PicturePlace() const {
    const OutputSize* output = FindOutputSize(root_.OutputSizeId());
    return AspectFitted(layoutResult_.Of(kPreviewRegion), output ? output->width : 320, output ? output->height : 240,
                        PixelAspect(), OutputScale());
}

double EditorWindow::PixelAspect() const {
    const Rect& area = layoutResult_.area;
    if (area.IsEmpty() || laidOutClient_.IsEmpty()) return 1.0;
    return (double(laidOutClient_.Width()) / area.Width()) / (double(laidOutClient_.Height()) / area.Height());
}

void EditorWindow::PaintLocatorCells(DrawContext& dc) const {
    const Clip& shown = *root_.ShownArrangement();
    for (int i = 0; i < Clip::kLocatorCount; ++i) {
        const Rect cell = layoutResult_.Of(kFirstLocatorCell - i);
        if (cell.IsEmpty()) continue;
        dc.FillRect(cell, Rgb(96, 96, 96));
        dc.FillRect(cell.Inset(1), 0);
        TextStyle style;
        // An unset locator (at 0) is greyed; a set one takes the locators' green.
        style.colour = shown.Locator(i) ? arrangementWindow_->Palette().locator : Rgb(128, 128, 128);
        dc.Text(std::to_string(i + 1), cell.Inset(1), style);
    }
}

void EditorWindow::PaintHover(DrawContext& dc) {
    if (!root_.GetWindow() || root_.CapturedChild() || draggedSplitter_ || root_.State()->Busy() || !hoverArmed_) return;
    if (hoverText_.empty() || hoverRect_.IsEmpty()) return;
    const Rect box = HoverBox(pointer_, dc.TextExtent(hoverText_), layoutResult_.area);
    dc.FillRect(box, 0);
    dc.FillRect(box.Inset(1), kHoverYellow);
    TextStyle style;
    style.colour = 0;
    dc.Text(hoverText_, box.Inset(1), style);
}

ResultFlags EditorWindow::DropMedia(Window* window, std::uintptr_t dropHandle, Point p) {
    if (!window || !root_.IsArrangement()) return 0;
    const std::vector<std::string> paths = window->DroppedFiles(std::intptr_t(dropHandle));
    Clip* target = root_.ShownArrangement();
    // Over the arrangement window the files go where the pointer is; anywhere
    // else they go to the current time.
    std::int32_t time = target->Time();
    if (arrangementWindow_->Rects().window.Contains(p))
        time = target->Quantize(std::max(arrangementWindow_->TimeAt(p.x), 0));
    ResultFlags flags = 0;
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        Clip* clip = ImportFile(root_, window, path, time);
        if (!clip) continue;
        flags |= kChanged | kRepaint;
        time = SaturatingAdd(clip->GetPosition(), clip->Length());
    }
    return flags;
}

}  // namespace vantrel
