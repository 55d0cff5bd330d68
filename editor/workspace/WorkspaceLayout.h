#pragma once
#include <array>
#include <vector>

#include "values/Rect.h"
#include "editor/workspace/EditorIds.h"

namespace vantrel {

// Everything the editor's layout depends on, gathered so that the
// rectangles can be computed (and tested) without a window.
struct LayoutState {
    int clientWidth = 0, clientHeight = 0;
    int rowHeight = 20;  // the root's row-height metric
    int gap = 4;         // the root's pane-gap metric
    bool rootIsArrangement = true;
    bool hasChildren = false;
    bool clipCurrent = false;
    bool making = false;
    bool playing = false;
    bool changed = false;
    bool applyRowAlways = false;  // preference: the Apply/Undo row even without changes
    bool sideCells = false;       // preference: four small cells on each side of that row (the locators)
    double horizontalRatio = 0.5;
    double verticalRatio = 0.5;
    int paneFocus = 0;
    bool infoBrowserShown = false;  // open and holding a page
    bool editHelpButton = false;    // preference: "Edit" for help pages while the browser shows
    bool clipInfoInClipPane = true;     // preference: clip info and mutes atop the clip pane
    bool clipInfoInArrangement = false; // preference: ... atop the arrangement pane instead
    bool globalEffects = false;         // preference: the effect buttons without a current clip
};

// Pane focus bits: the low nibble is horizontal, the high nibble vertical.
enum PaneFocus : int {
    kFocusLeft = 0x01,
    kFocusRight = 0x02,
    kFocusUp = 0x10,
    kFocusDown = 0x20,
};

enum Pane : int { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

struct LaidOut {
    int id;
    Rect rect;
};

struct LayoutResult {
    Rect area;                // the layout area, at most 1024 x 768
    Rect panesArea;           // what is left above the rows
    std::array<Rect, 4> panes{};
    double horizontalRatio = 0.5, verticalRatio = 0.5;  // the ratios in force
    std::vector<LaidOut> items;  // controls by id and the root's regions

    // Empty when the id got no rectangle.
    Rect Of(int id) const;
};

// The ratio actually used: clamped to 0.025 .. 0.975, then overridden by a
// pane focus and by a running make.
double HorizontalRatioInForce(const LayoutState& state);
double VerticalRatioInForce(const LayoutState& state);

// The layout area for a client area: its size capped at 1024 x 768.
Rect LayoutArea(int clientWidth, int clientHeight);

// Client coordinates to layout coordinates (a larger window shows the area
// scaled up).
Point ClientToLayout(int x, int y, int clientWidth, int clientHeight);

LayoutResult ComputeLayout(const LayoutState& state);

// The pane focus F9 picks for a pointer in layout coordinates: down below
// the upper panes, otherwise the corner of the pane the pointer is in.
int FocusForPoint(const LayoutResult& layout, Point p);

// The ratio a dragged splitter takes from the pointer: the pointer's share
// of the pane area along the splitter's axis.
double RatioFromDrag(const Rect& panesArea, int pointer, bool horizontalAxis);

}  // namespace vantrel
