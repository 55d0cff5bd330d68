#include "editor/workspace/WorkspaceLayout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace vantrel {

namespace {
constexpr int kMaxWidth = 1024, kMaxHeight = 768;
constexpr double kMinRatio = 0.025, kMaxRatio = 0.975;
constexpr int kSliderWidth = 12, kGripWidth = 6;

struct Weighted {
    int id;  // 0: an empty cell that only takes its share
    int weight;
};

class Builder {
public:
    explicit Builder(LayoutResult& out) : out_(out) {}

    void Put(int id, const Rect& rect) {
        if (id != 0 && !rect.IsEmpty()) out_.items.push_back({id, rect});
    }

    // Shares the row among the cells by their weights.
    void Row(const Rect& row, std::initializer_list<Weighted> cells) { Row(row, std::vector<Weighted>(cells)); }
    void Row(const Rect& row, const std::vector<Weighted>& cells) {
        int total = 0;
        for (const Weighted& cell : cells) total += cell.weight;
        if (total <= 0) return;
        const std::int64_t width = row.Width();
        int before = 0;
        for (const Weighted& cell : cells) {
            const auto from = std::int32_t(row.left + before * width / total);
            const auto to = std::int32_t(row.left + (before + cell.weight) * width / total);
            Put(cell.id, {from, row.top, to, row.bottom});
            before += cell.weight;
        }
    }

private:
    LayoutResult& out_;
};

Rect CutBottom(Rect& area, int height) {
    Rect row = area;
    row.top = std::max(area.top, area.bottom - height);
    area.bottom = row.top;
    return row;
}

Rect CutTop(Rect& area, int height) {
    Rect row = area;
    row.bottom = std::min(area.bottom, area.top + height);
    area.top = row.bottom;
    return row;
}

double Clamp(double ratio) {
    if (!(ratio >= kMinRatio)) return kMinRatio;  // NaN too
    return std::min(ratio, kMaxRatio);
}

// The splitter's leading edge: trunc(extent x ratio - gap / 2).
int SplitterEdge(int extent, double ratio, int gap) { return int(std::trunc(extent * ratio - gap / 2)); }

void PlacePreviewPane(Builder& b, Rect pane, int row) {
    b.Row(CutTop(pane, row), {{kImportClipCommand, 4}, {kNewMediaClipCommand, 4}, {kMakeCommand, 3}, {kVideoFormatCommand, 4}, {kFramesPerSecondCommand, 4}, {kMakeStartTimeCommand, 3}, {kMakeEndTimeCommand, 3}});
    b.Row(CutBottom(pane, row), {{kScaleOutputCommand, 1}});
    b.Put(kPreviewRegion, pane);
}

void PlaceClipPane(Builder& b, Rect pane, int row, const LayoutState& state) {
    if (state.clipInfoInClipPane)
        b.Row(CutTop(pane, row), {{kClipTypeIconCommand, 1}, {kClipInfoCommand, 3}, {kMuteAudioCommand, 3}, {kMuteVideoCommand, 3}, {kClipOffsetField, 4}});
    else
        b.Row(CutTop(pane, row), {{0, 10}, {kClipOffsetField, 4}});
    // Without a current clip the panels edit the project itself, whose
    // effects apply to the whole picture: offered only with "Global Effects".
    const Rect effects = CutTop(pane, row);
    if (state.clipCurrent || state.globalEffects)
        b.Row(effects, {{kWorkWithAudioEffectsCommand, 1}, {kAddAudioEffectCommand, 1}, {kWorkWithVideoEffectsCommand, 1}, {kAddVideoEffectCommand, 1}});
    // The clip's own picture over its two rectangle panels on the left, the
    // parameter panel on the right.
    const int split = pane.left + pane.Width() * 9 / 20;
    Rect left{pane.left, pane.top, split, pane.bottom};
    const Rect rectangles = CutBottom(left, std::min(left.Height() / 2, row * 8));
    b.Put(kClipViewRegion, left);
    b.Put(kRectanglePanelsRegion, rectangles);
    b.Put(kPanelRegion, {split, pane.top, pane.right, pane.bottom});
}

void PlaceBrowserPane(Builder& b, Rect pane, int row, bool browserShown, bool editButton) {
    // "Edit" is for page authors: only while a page shows and they asked for it.
    if (browserShown && editButton)
        b.Row(CutTop(pane, row), {{kHelpHomeCommand, 1}, {kEditPageCommand, 1}, {kPreferencesCommand, 1}, {kUpdateCommand, 1}, {kEmailSupportCommand, 1}});
    else
        b.Row(CutTop(pane, row), {{kHelpHomeCommand, 1}, {kPreferencesCommand, 1}, {kUpdateCommand, 1}, {kEmailSupportCommand, 1}});
    b.Row(CutBottom(pane, row), {{kStatusLineControl, 1}});
    b.Put(browserShown ? kInfoBrowserRegion : kCurveViewRegion, pane);
}

void PlaceArrangementPane(Builder& b, Rect pane, int row, const LayoutState& state) {
    if (state.clipInfoInArrangement && !state.clipInfoInClipPane)
        b.Row(CutTop(pane, row), {{kClipTypeIconCommand, 1}, {kClipInfoCommand, 3}, {kMuteAudioCommand, 3}, {kMuteVideoCommand, 3}});
    b.Row(CutTop(pane, row), {{kZoomOutHorizontalCommand, 1}, {kZoomInHorizontalCommand, 1}, {kZoomOutVerticalCommand, 1}, {kZoomInVerticalCommand, 1}, {kFitCommand, 1}});
    const Rect strip = CutTop(pane, row);
    b.Put(kMakeStripRegion, strip);
    b.Put(kMakeStripStartRegion, {strip.left, strip.top, std::min(strip.right, strip.left + kGripWidth), strip.bottom});
    b.Put(kMakeStripEndRegion, {std::max(strip.left, strip.right - kGripWidth), strip.top, strip.right, strip.bottom});
    b.Put(kTopRulerRegion, CutTop(pane, row));
    b.Put(kArrangementScrollerRegion, CutBottom(pane, row));
    b.Put(kBottomRulerRegion, CutBottom(pane, row));
    Rect slider = pane;
    slider.left = std::max(pane.left, pane.right - kSliderWidth);
    pane.right = slider.left;
    b.Put(kArrangementSliderRegion, slider);
    b.Put(kArrangementWindowRegion, pane);
}
}  // namespace

static Rect LaidOutFind(const std::vector<LaidOut>& items, int id) {
    for (const LaidOut& item : items)
        if (item.id == id) return item.rect;
    return {};
}

Rect LayoutResult::Of(int id) const { return LaidOutFind(items, id); }

double HorizontalRatioInForce(const LayoutState& state) {
    if (state.making) return 0.0;
    if (state.paneFocus & kFocusLeft) return 1.0;
    if (state.paneFocus & kFocusRight) return 0.0;
    return Clamp(state.horizontalRatio);
}

double VerticalRatioInForce(const LayoutState& state) {
    if (state.making) return 1.0;
    if (state.paneFocus & kFocusUp) return 1.0;
    if (state.paneFocus & kFocusDown) return 0.0;
    return Clamp(state.verticalRatio);
}

Rect LayoutArea(int clientWidth, int clientHeight) {
    return {0, 0, std::clamp(clientWidth, 0, kMaxWidth), std::clamp(clientHeight, 0, kMaxHeight)};
}

Point ClientToLayout(int x, int y, int clientWidth, int clientHeight) {
    const Rect area = LayoutArea(clientWidth, clientHeight);
    if (clientWidth <= 0 || clientHeight <= 0) return {x, y};
    return {std::int32_t(std::int64_t(x) * area.Width() / clientWidth),
            std::int32_t(std::int64_t(y) * area.Height() / clientHeight)};
}

LayoutResult ComputeLayout(const LayoutState& state) {
    LayoutResult out;
    Builder b(out);
    out.area = LayoutArea(state.clientWidth, state.clientHeight);
    const int row = std::max(state.rowHeight, 1);
    const bool busy = state.making || state.playing;
    Rect rest = out.area;

    if (state.rootIsArrangement && state.hasChildren && !busy) {
        const Rect grid = CutBottom(rest, row);
        b.Put(kTimeGridRegion, grid);
        b.Row(grid, {{kMusicTimeChangeCommand, 4}, {kBeatsPerMinuteField, 4}, {kUnitSizeField, 3}, {kUnitsPerBarField, 3},
                     {kQuantizeField, 5}});
    }

    if (state.clipCurrent && (busy || state.changed || state.applyRowAlways)) {
        std::vector<Weighted> cells;
        if (state.sideCells)
            for (int i = 0; i < 4; ++i) cells.push_back({kFirstLocatorCell - i, 1});
        if (busy)
            cells.insert(cells.end(), {{kPositionField, 10}, {kStopCommand, 10}, {kSizeField, 10}});
        else if (state.changed)
            cells.insert(cells.end(), {{kApplyCommand, 2}, {kUndoCommand, 2}});
        else
            cells.push_back({0, 4});  // the locators keep their places
        if (state.sideCells)
            for (int i = 4; i < 8; ++i) cells.push_back({kFirstLocatorCell - i, 1});
        b.Row(CutBottom(rest, row), cells);
    }

    if (!state.rootIsArrangement || state.clipCurrent) {
        const Rect transport = CutBottom(rest, row);
        if (busy)
            b.Row(transport, {{kGlobalTimeField, 100}});
        else
            b.Row(transport, {{kBackwardCommand, 3}, {kGlobalTimeField, 100}, {kForewardCommand, 3}});
    }

    out.panesArea = rest;
    out.horizontalRatio = HorizontalRatioInForce(state);
    out.verticalRatio = VerticalRatioInForce(state);
    const int gap = std::max(state.gap, 0);
    const int x = rest.left + SplitterEdge(rest.Width(), out.horizontalRatio, gap);
    const int y = rest.top + SplitterEdge(rest.Height(), out.verticalRatio, gap);
    auto clip = [&](Rect r) {
        r = r.Intersect(rest);
        return r.IsEmpty() ? Rect{} : r;
    };
    out.panes[kTopLeft] = clip({rest.left, rest.top, x, y});
    out.panes[kTopRight] = clip({x + gap, rest.top, rest.right, y});
    out.panes[kBottomLeft] = clip({rest.left, y + gap, x, rest.bottom});
    out.panes[kBottomRight] = clip({x + gap, y + gap, rest.right, rest.bottom});
    b.Put(kVerticalSplitter, clip({x, rest.top, x + gap, y}));
    b.Put(kVerticalSplitterLow, clip({x, y + gap, x + gap, rest.bottom}));
    b.Put(kHorizontalSplitter, clip({rest.left, y, rest.right, y + gap}));

    // While a make runs only one pane is left; the preview takes it so that
    // the frames being made stay in sight.
    if (state.making) {
        // The status line tells which frame is being made.
        b.Row(CutBottom(rest, row), {{kStatusLineControl, 1}});
        PlacePreviewPane(b, rest, row);
        return out;
    }
    PlacePreviewPane(b, out.panes[kTopLeft], row);
    PlaceClipPane(b, out.panes[kTopRight], row, state);
    PlaceBrowserPane(b, out.panes[kBottomLeft], row, state.infoBrowserShown, state.editHelpButton);
    PlaceArrangementPane(b, out.panes[kBottomRight], row, state);
    return out;
}

int FocusForPoint(const LayoutResult& layout, Point p) {
    const Rect& area = layout.panesArea;
    const int upperBottom = std::max(layout.panes[kTopLeft].bottom, layout.panes[kTopRight].bottom);
    if (p.y >= upperBottom) return kFocusDown;
    const int splitX = layout.panes[kTopLeft].IsEmpty() ? area.left : layout.panes[kTopLeft].right;
    return kFocusUp | (p.x < splitX ? kFocusLeft : kFocusRight);
}

double RatioFromDrag(const Rect& panesArea, int pointer, bool horizontalAxis) {
    const int from = horizontalAxis ? panesArea.left : panesArea.top;
    const int extent = horizontalAxis ? panesArea.Width() : panesArea.Height();
    if (extent <= 0) return 0.5;
    return Clamp(double(pointer - from) / extent);
}

}  // namespace vantrel
