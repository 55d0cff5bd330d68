#include "media/arrangement/ArrangementHit.h"

#include <algorithm>
#include <cmath>

#include "app/core/TimeMath.h"
#include "media/arrangement/ArrangementView.h"
#include "media/clips/Clip.h"

namespace vantrel {

namespace {
int ClampToInt(double value) { return int(std::clamp(value, -1e9, 1e9)); }
}  // namespace

std::int32_t ArrangementGeometry::TimeAt(int x) const {
    const double width = std::max(area.Width(), 1);
    return SaturateInt32(std::llround(viewStart + double(x - area.left) * viewSpan / width));
}

int ArrangementGeometry::TrackAt(int y) const {
    const std::int64_t offset = std::int64_t(y) - area.top + scroll;
    if (offset < trackHeight) return -1;
    return int(std::min<std::int64_t>(offset / trackHeight - 1, INT32_MAX));
}

Rect ArrangementGeometry::BoxOf(const Clip& child) const {
    const double scale = double(std::max(area.Width(), 1)) / viewSpan;
    const double left = area.left + (double(child.GetPosition()) - viewStart) * scale;
    const double right = area.left + (double(child.GetPosition()) + child.Length() - viewStart) * scale;
    const double top = area.top + (double(child.Track()) + 1) * trackHeight - scroll;
    return {ClampToInt(left), ClampToInt(top), std::max(ClampToInt(right), ClampToInt(left) + 1),
            ClampToInt(top + trackHeight)};
}

ArrangementGeometry GeometryOf(const Clip& arrangement, const ArrangementView& view, const Rect& area) {
    ArrangementGeometry geometry;
    geometry.area = area;
    geometry.viewStart = arrangement.ViewStart();
    std::int32_t span = arrangement.ViewSpan();
    if (span <= 0) {
        geometry.viewStart = arrangement.GetPosition();
        span = arrangement.Length();
    }
    geometry.viewSpan = std::max(span, 1);
    geometry.trackHeight = std::max(view.TrackHeight(), 1);
    geometry.scroll = view.VerticalScroll();
    return geometry;
}

Clip* ChildUnder(const Clip& arrangement, const ArrangementGeometry& geometry, Point p) {
    if (!geometry.area.Contains(p)) return nullptr;
    const int track = geometry.TrackAt(p.y);
    Clip* found = nullptr;
    for (Clip* child : arrangement.ChildrenInDrawingOrder())
        if (child->Track() == track && geometry.BoxOf(*child).Contains(p)) found = child;
    return found;
}

}  // namespace vantrel
