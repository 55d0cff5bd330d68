#pragma once
#include <cstdint>

#include "app/core/Rect.h"

namespace vantrel {

class ArrangementView;
class Clip;

// Where the arrangement window puts times and tracks: x from the view's
// start and span across the area, one track height per row below a first
// row left free, less the vertical scroll (in pixels).
struct ArrangementGeometry {
    Rect area;
    std::int32_t viewStart = 0;
    std::int32_t viewSpan = 1;  // never below 1
    int trackHeight = 1;
    int scroll = 0;

    std::int32_t TimeAt(int x) const;
    // The track whose row holds y; -1 above the first.
    int TrackAt(int y) const;
    Rect BoxOf(const Clip& child) const;
};

// A view without a span yet shows the arrangement's whole length.
ArrangementGeometry GeometryOf(const Clip& arrangement, const ArrangementView& view, const Rect& area);
// The child whose box holds the point; where boxes overlap, the one drawn
// last (the lower track, then the later child). Null for none.
Clip* ChildUnder(const Clip& arrangement, const ArrangementGeometry& geometry, Point p);

}  // namespace vantrel
