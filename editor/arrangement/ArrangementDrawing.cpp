// The arrangement window's drawing: tracks, boxes with their pictures and
// sound, rulers, locators, the make strip, the bars and the corner handles.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "items/StringTable.h"
#include "editor/arrangement/ArrangementWindow.h"
#include "model/clips/Clip.h"
#include "platform/DrawContext.h"

namespace vantrel {

namespace {
constexpr int kLabelRoomPx = 70;
}  // namespace

std::string ArrangementWindow::TimeLabel(std::int32_t ms, std::int32_t step) {
    const int decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
    const char* sign = ms < 0 ? "-" : "";
    const std::int64_t magnitude = std::llabs(std::int64_t(ms));
    char text[48];
    if (magnitude >= 60000) {
        const double seconds = double(magnitude % 60000) / 1000.0;
        std::snprintf(text, sizeof text, "%s%lld:%0*.*f", sign, static_cast<long long>(magnitude / 60000),
                      decimals ? decimals + 3 : 2, decimals, seconds);
    } else {
        std::snprintf(text, sizeof text, "%s%.*fs", sign, decimals, double(magnitude) / 1000.0);
    }
    return text;
}

std::int32_t ArrangementWindow::LabelStep(double pixelsPerMs, int minPixels) {
    if (!(pixelsPerMs > 0)) return 1000;
    for (std::int64_t decade = 1; decade <= 1000000000; decade *= 10)
        for (int factor : {1, 2, 5})
            if (double(decade * factor) * pixelsPerMs >= minPixels) return std::int32_t(decade * factor);
    return 1000000000;
}

void ArrangementWindow::Frame(DrawContext& dc, const Rect& r, Colour colour) {
    if (r.IsEmpty()) return;
    dc.FillRect({r.left, r.top, r.right, r.top + 1}, colour);
    dc.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, colour);
    dc.FillRect({r.left, r.top, r.left + 1, r.bottom}, colour);
    dc.FillRect({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void ArrangementWindow::Draw(DrawContext& dc) {
    Validate();
    Clip* shown = Shown();
    const Rect& area = rects_.window;
    if (!area.IsEmpty()) {
        dc.SetClip(area);
        dc.FillRect(area, palette_.background);
        const int firstRow = std::max(TrackAt(area.top), 0);
        const int lastRow = std::min(TrackAt(area.bottom), shown->TrackCount());
        for (int track = firstRow; track <= lastRow; ++track) {
            const int y = BoxOf(track, 0, 0).bottom - 1;
            dc.FillRect({area.left, y, area.right, y + 1}, palette_.trackLine);
        }
        const Clip* current = shown->CurrentChild();
        for (Clip* child : shown->ChildrenInDrawingOrder()) {
            const Rect box = BoxOf(*child);
            if (box.right < area.left || box.left > area.right || box.bottom < area.top || box.top > area.bottom)
                continue;
            DrawBox(dc, *child, box, child == current, shown->IsSelected(child));
        }
        for (int i = 0; locatorsShown_ && i < Clip::kLocatorCount; ++i) {
            if (shown->Locator(i) == 0) continue;
            const int x = XOf(shown->Locator(i));
            dc.FillRect({x, area.top, x + 1, area.bottom}, palette_.locator);
        }
        const int now = XOf(shown->Time());
        dc.FillRect({now, area.top, now + 1, area.bottom}, palette_.time);
        const Colour colour = drag_.refused ? palette_.refused : palette_.outline;
        for (const Rect& outline : Outlines()) {
            Frame(dc, outline, colour);
            Frame(dc, outline.Inset(1), colour);
        }
        if (const auto band = Band()) Frame(dc, *band, palette_.outline);
        DrawPath(dc);
        dc.ClearClip();
    }
    DrawRuler(dc, rects_.topRuler, true);
    DrawRuler(dc, rects_.bottomRuler, false);
    DrawStrip(dc);
    DrawBars(dc);
    DrawHandles(dc);
}

void ArrangementWindow::DrawBox(DrawContext& dc, Clip& child, const Rect& full, bool current, bool selected) {
    const Rect box{std::max(full.left, rects_.window.left - 1), full.top + 1,
                   std::max(std::min(full.right, rects_.window.right + 1), full.left + 1), full.bottom - 1};
    const Colour fill = child.IsArrangement() ? palette_.arrangementBox : palette_.box;
    dc.FillRect(box, fill);
    const Colour edge = current ? palette_.currentBox : selected ? palette_.selectedBox : palette_.trackLine;
    Frame(dc, box, edge);
    if (current || selected) Frame(dc, box.Inset(1), edge);
    Rect inside = box.Inset(2);
    if (inside.IsEmpty()) return;

    std::shared_ptr<const ClipPicture> picture;
    if (picturesShown_ && child.Source())
        picture = pictures_.Get(resolvePath_ ? resolvePath_(child.Source()->Path()) : child.Source()->Path());
    if (picture && !picture->peaks.empty()) {
        // One column per pixel: the loudest stretch under it.
        const int middle = (inside.top + inside.bottom) / 2;
        const int half = inside.Height() / 2;
        const int from = std::max(inside.left, rects_.window.left), to = std::min(inside.right, rects_.window.right);
        for (int x = from; x < to; ++x) {
            const std::int64_t local = std::int64_t(child.Start()) + TimeAt(x) - child.GetPosition();
            if (local < 0) continue;
            const std::size_t index = std::size_t(local / ClipPicture::kPeakMs);
            if (index >= picture->peaks.size()) break;
            const int reach = picture->peaks[index] * half / 255;
            if (reach > 0) dc.FillRect({x, middle - reach, x + 1, middle + reach + 1}, palette_.wave);
        }
    }
    if (picture && !picture->thumbnail.IsEmpty() && full.left >= rects_.window.left - 1) {
        const Surface& thumb = picture->thumbnail;
        const int h = std::min(inside.Height(), thumb.Height());
        // Its own shape on the device, however the window stretches the layout.
        const int w = std::min(inside.Width(), int(std::lround(thumb.Width() * h / std::max(thumb.Height(), 1) / dc.PixelAspect())));
        if (w > 0 && h > 0) {
            dc.StretchPicture(thumb, thumb.Bounds(), {inside.left, inside.top, inside.left + w, inside.top + h});
            inside.left += w + 2;
        }
    }
    if (inside.Width() > 8 && inside.Height() > 6) {
        TextStyle style;
        style.colour = palette_.text;
        style.centred = false;
        style.heightPx = std::min(inside.Height(), 14);
        // A text clip is known by its words.
        const bool words = child.Generator() && child.Generator()->Type() == kTextStringType;
        const std::string name = words                                        ? child.Words()
                                 : child.Name().empty() && child.IsArrangement() ? Str(kSubArrangementType)
                                                                                : child.Name();
        dc.Text(name, {inside.left + 2, inside.top, inside.right, std::min(inside.bottom, inside.top + 16)}, style);
    }
}

void ArrangementWindow::DrawRuler(DrawContext& dc, const Rect& ruler, bool top) {
    if (ruler.IsEmpty()) return;
    Clip* shown = Shown();
    dc.SetClip(ruler);
    dc.FillRect(ruler, palette_.ruler);
    const std::int32_t step = LabelStep(Scale(), kLabelRoomPx);
    const std::int32_t minor = step >= 10 ? step / 5 : step;
    const std::int64_t first = std::int64_t(std::floor(double(ViewStart()) / minor)) * minor;
    const std::int64_t last = std::int64_t(ViewStart()) + ViewSpan();
    for (std::int64_t t = first; t <= last; t += minor) {
        const int x = XOf(t);
        const bool major = t % step == 0;
        const int reach = major ? ruler.Height() / 2 : ruler.Height() / 4;
        if (top)
            dc.FillRect({x, ruler.bottom - reach, x + 1, ruler.bottom}, palette_.rulerText);
        else
            dc.FillRect({x, ruler.top, x + 1, ruler.top + reach}, palette_.rulerText);
        if (major) {
            TextStyle style;
            style.colour = palette_.rulerText;
            style.centred = false;
            style.ellipsis = false;
            style.heightPx = std::max(ruler.Height() - 6, 8);
            dc.Text(TimeLabel(std::int32_t(t), step), {x + 3, ruler.top, x + kLabelRoomPx, ruler.bottom}, style);
        }
    }
    for (int i = 0; locatorsShown_ && i < Clip::kLocatorCount; ++i) {
        if (shown->Locator(i) == 0) continue;
        const int x = XOf(shown->Locator(i));
        dc.FillRect({x - 2, ruler.top, x + 3, ruler.bottom}, palette_.locator);
    }
    const int now = XOf(shown->Time());
    dc.FillRect({now - 1, ruler.top, now + 2, ruler.bottom}, palette_.time);
    dc.ClearClip();
}

void ArrangementWindow::DrawStrip(DrawContext& dc) {
    const Rect& strip = rects_.strip;
    if (strip.IsEmpty()) return;
    Clip* shown = Shown();
    dc.SetClip(strip);
    dc.FillRect(strip, palette_.strip);
    const int start = XOf(shown->MakeStart()), end = XOf(shown->MakeEnd());
    dc.FillRect({start, strip.top + 3, end, strip.bottom - 3}, palette_.makeRange);
    for (int x : {start, end}) dc.FillRect({x - 2, strip.top, x + 3, strip.bottom}, palette_.grip);
    dc.ClearClip();
}

void ArrangementWindow::DrawBars(DrawContext& dc) {
    Clip* shown = Shown();
    if (const Rect& bar = rects_.scroller; !bar.IsEmpty()) {
        dc.FillRect(bar, palette_.strip);
        const double length = std::max(shown->Length(), 1);
        const int from = bar.left + int(bar.Width() * (double(ViewStart()) - TimeLineStart()) / length);
        const int width = std::max(int(bar.Width() * std::min(1.0, ViewSpan() / length)), 6);
        dc.FillRect({from, bar.top + 2, std::min(from + width, bar.right), bar.bottom - 2}, palette_.thumb);
    }
    if (const Rect& bar = rects_.slider; !bar.IsEmpty()) {
        dc.FillRect(bar, palette_.strip);
        const double total = TotalHeight();
        const int from = bar.top + int(bar.Height() * view_.VerticalScroll() / total);
        const int height = std::max(int(bar.Height() * rects_.window.Height() / total), 6);
        dc.FillRect({bar.left + 2, from, bar.right - 2, std::min(from + height, bar.bottom)}, palette_.thumb);
    }
}

void ArrangementWindow::DrawHandles(DrawContext& dc) {
    const Rect dest = DestinationRect();
    if (rects_.picture.IsEmpty() || (dest.Width() == 0 && dest.Height() == 0)) return;
    Frame(dc, dest, palette_.currentBox);
    for (Part corner : {Part::NorthWest, Part::NorthEast, Part::SouthWest, Part::SouthEast}) {
        const Rect handle = HandleRect(corner);
        dc.FillRect(handle, palette_.currentBox);
        Frame(dc, handle, palette_.rulerText);
    }
}

void ArrangementWindow::DrawPath(DrawContext& dc) {
    const Rect& area = rects_.window;
    const Rect band{area.left, area.top, area.right, std::min(area.bottom, area.top + kPathHeight)};
    TextStyle style;
    style.colour = palette_.text;
    style.centred = false;
    style.heightPx = kPathHeight - 4;
    const std::string text = PathText();
    const TextSize size = dc.TextExtent(text, style.heightPx);
    const Rect back{band.left, band.top, std::min(band.right, band.left + size.width + 8), band.bottom};
    dc.FillRect(back, palette_.background);
    dc.Text(text, {back.left + 4, back.top, back.right, back.bottom}, style);
}

}  // namespace vantrel
