#include "editor/arrangement/ArrangementWindow.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "values/Messages.h"
#include "items/StringTable.h"
#include "model/clips/Clip.h"
#include "model/variables/CatalogueIds.h"
#include "platform/DrawContext.h"
#include "platform/WindowEvents.h"

namespace vantrel {

namespace {
constexpr int kMainWindowCaption = 353;  // names the top of the path when the project has none
using catalogue_ids::kDestinationRect;

std::int32_t Clamp32(std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); }

bool IsCorner(ArrangementWindow::Part part) {
    using P = ArrangementWindow::Part;
    return part == P::NorthWest || part == P::NorthEast || part == P::SouthWest || part == P::SouthEast;
}
}  // namespace

ArrangementWindow::ArrangementWindow(Clip& root, ArrangementView& view) : root_(root), view_(view) {
    SetParent(&root);
    path_.push_back(&root);
}

// -- the arrangement shown ---------------------------------------------------

Clip* ArrangementWindow::Shown() const { return path_.back(); }

void ArrangementWindow::Validate() {
    // Only pointers are compared, so a clip removed since does not have to
    // be touched to be found missing.
    std::size_t valid = 1;
    while (valid < path_.size() && path_[valid - 1]->IndexOf(path_[valid]) >= 0 && path_[valid]->IsArrangement())
        ++valid;
    if (valid == path_.size()) return;
    path_.resize(valid);
    drag_ = {};
    view_.Show(path_.back());
}

ResultFlags ArrangementWindow::Enter(Clip* arrangement) {
    Validate();
    if (!arrangement || !arrangement->IsArrangement() || Shown()->IndexOf(arrangement) < 0) return 0;
    path_.push_back(arrangement);
    // Never shown before: the view over its whole time line.
    if (arrangement->ViewSpan() <= 0) arrangement->SetView(arrangement->Start(), arrangement->Length());
    view_.Show(arrangement);
    return kRelayout | kRepaint;
}

ResultFlags ArrangementWindow::Leave() {
    Validate();
    if (path_.size() <= 1) return 0;
    path_.pop_back();
    view_.Show(Shown());
    return kRelayout | kRepaint;
}

std::vector<Clip*> ArrangementWindow::Path() const { return path_; }

std::string ArrangementWindow::PathText() const {
    std::string text;
    for (const Clip* clip : path_) {
        if (!text.empty()) text += " > ";
        std::string name = clip->Name();
        if (name.empty()) name = clip == &root_ ? Str(kMainWindowCaption) : Str(kSubArrangementType);
        text += name;
    }
    return text;
}

// -- geometry ------------------------------------------------------------------

std::int32_t ArrangementWindow::TimeLineStart() const {
    const Clip* shown = Shown();
    return shown->IsRoot() ? shown->GetPosition() : shown->Start();
}

std::int32_t ArrangementWindow::TimeLineEnd() const { return SaturatingAdd(TimeLineStart(), Shown()->Length()); }

std::int32_t ArrangementWindow::ViewStart() const { return Shown()->ViewSpan() > 0 ? Shown()->ViewStart() : TimeLineStart(); }

std::int32_t ArrangementWindow::ViewSpan() const {
    const std::int32_t span = Shown()->ViewSpan() > 0 ? Shown()->ViewSpan() : Shown()->Length();
    return std::max(span, 1);
}

double ArrangementWindow::Scale() const { return double(rects_.window.Width()) / ViewSpan(); }

int ArrangementWindow::XOf(std::int64_t time) const {
    const double x = rects_.window.left + double(time - ViewStart()) * Scale();
    return int(std::clamp(std::floor(x), -1e6, 1e6));
}

std::int32_t ArrangementWindow::TimeAt(int x) const {
    const double scale = Scale();
    if (scale <= 0) return ViewStart();
    return Clamp32(std::int64_t(ViewStart()) + std::int64_t(std::floor((x - rects_.window.left) / scale)));
}

int ArrangementWindow::TrackAt(int y) const {
    const int height = std::max(view_.TrackHeight(), 1);
    const int row = y - rects_.window.top + view_.VerticalScroll();
    return (row < 0 ? (row - height + 1) / height : row / height) - 1;
}

Rect ArrangementWindow::BoxOf(int track, std::int32_t position, std::int32_t length) const {
    const int height = view_.TrackHeight();
    const std::int64_t top = rects_.window.top + (std::int64_t(track) + 1) * height - view_.VerticalScroll();
    const int clampedTop = int(std::clamp<std::int64_t>(top, -1000000, 1000000));
    return {XOf(position), clampedTop, XOf(std::int64_t(position) + length), clampedTop + height};
}

Rect ArrangementWindow::BoxOf(const Clip& child) const { return BoxOf(child.Track(), child.GetPosition(), child.Length()); }

Clip* ArrangementWindow::ChildAt(Point p) const {
    if (!rects_.window.Contains(p)) return nullptr;
    const Clip* shown = Shown();
    const int track = TrackAt(p.y);
    if (track < 0) return nullptr;
    for (int i = shown->ChildCount() - 1; i >= 0; --i) {
        Clip* child = shown->ChildAt(i);
        if (child->Track() != track) continue;
        const Rect box = BoxOf(*child);
        // A box narrower than a pixel still takes the pixel it starts on.
        if (p.x >= box.left && (p.x < box.right || p.x == box.left)) return child;
    }
    return nullptr;
}

Rect ArrangementWindow::DestinationRect() const {
    const Clip* current = Shown()->CurrentChild();
    const Rect& picture = rects_.picture;
    if (!current || picture.IsEmpty()) return {};
    auto* owner = const_cast<Clip*>(current);
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = owner->ValueById(kDestinationRect[std::size_t(i)]);
    auto x = [&](double f) { return int(std::lround(picture.left + f * picture.Width())); };
    auto y = [&](double f) { return int(std::lround(picture.top + f * picture.Height())); };
    Rect r{x(std::min(v[0], v[2])), y(std::min(v[1], v[3])), x(std::max(v[0], v[2])), y(std::max(v[1], v[3]))};
    return r;
}

Rect ArrangementWindow::HandleRect(Part corner) const {
    const Rect dest = DestinationRect();
    if (dest.IsEmpty() && dest.left == 0 && dest.right == 0 && dest.top == 0 && dest.bottom == 0) return {};
    const int h = kHandlePx / 2;
    const bool west = corner == Part::NorthWest || corner == Part::SouthWest;
    const bool north = corner == Part::NorthWest || corner == Part::NorthEast;
    const int cx = west ? dest.left : dest.right, cy = north ? dest.top : dest.bottom;
    return {cx - h, cy - h, cx + h, cy + h};
}

bool ArrangementWindow::OnHandle(Point p) const {
    if (!Shown()->CurrentChild() || rects_.picture.IsEmpty()) return false;
    for (Part corner : {Part::NorthWest, Part::NorthEast, Part::SouthWest, Part::SouthEast})
        if (HandleRect(corner).Contains(p)) return true;
    return false;
}

ArrangementWindow::Part ArrangementWindow::PartAt(Point p, Clip** child) const {
    if (child) *child = nullptr;
    if (rects_.topRuler.Contains(p)) return Part::TopRuler;
    if (rects_.bottomRuler.Contains(p)) return Part::BottomRuler;
    if (rects_.slider.Contains(p)) return Part::Slider;
    if (rects_.scroller.Contains(p)) return Part::Scroller;
    if (rects_.strip.Contains(p)) {
        const int start = XOf(Shown()->MakeStart()), end = XOf(Shown()->MakeEnd());
        if (std::abs(p.x - end) <= kGripPx) return Part::StripEnd;
        if (std::abs(p.x - start) <= kGripPx) return Part::StripStart;
        return Part::Strip;
    }
    if (rects_.window.Contains(p)) {
        if (Clip* hit = ChildAt(p)) {
            if (child) *child = hit;
            const Rect box = BoxOf(*hit);
            if (box.Width() >= 3 * kGripPx) {
                if (p.x < box.left + kGripPx) return Part::LeftGrip;
                if (p.x >= box.right - kGripPx) return Part::RightGrip;
            }
            return Part::Body;
        }
        if (p.y < rects_.window.top + kPathHeight) return Part::Path;
        return Part::Empty;
    }
    if (Shown()->CurrentChild() && !rects_.picture.IsEmpty()) {
        // A handle reaches half its size past the rectangle's corner.
        for (Part corner : {Part::NorthWest, Part::NorthEast, Part::SouthWest, Part::SouthEast})
            if (HandleRect(corner).Contains(p)) return corner;
        if (rects_.picture.Contains(p) && DestinationRect().Contains(p)) return Part::Inside;
    }
    return Part::None;
}

int ArrangementWindow::ContentHeight() const {
    return int(std::min<std::int64_t>((std::int64_t(Shown()->TrackCount()) + 1) * view_.TrackHeight(), INT_MAX / 2));
}

int ArrangementWindow::TotalHeight() const { return std::max(ContentHeight(), rects_.window.Height()); }

void ArrangementWindow::KeepScrollInRange() {
    Validate();
    const int room = rects_.window.Height();
    if (ContentHeight() <= room)
        view_.SetVerticalScroll(0);
    else
        view_.SetVerticalScroll(std::min(view_.VerticalScroll(), ContentHeight() - room));
}

std::optional<Rect> ArrangementWindow::Outline() const {
    if (drag_.part != Part::Body || !drag_.moved) return std::nullopt;
    return BoxOf(drag_.track + drag_.rows, SaturatingAdd(drag_.position, drag_.shift), drag_.length);
}

std::vector<Rect> ArrangementWindow::Outlines() const {
    std::vector<Rect> outlines;
    if (drag_.part != Part::Body || !drag_.moved) return outlines;
    for (const Member& member : drag_.group)
        outlines.push_back(BoxOf(member.track + drag_.rows, SaturatingAdd(member.position, drag_.shift), member.clip->Length()));
    return outlines;
}

std::optional<Rect> ArrangementWindow::Band() const {
    if (drag_.part != Part::Empty || !drag_.moved) return std::nullopt;
    return Rect{std::min(drag_.from.x, drag_.to.x), std::min(drag_.from.y, drag_.to.y), std::max(drag_.from.x, drag_.to.x) + 1,
                std::max(drag_.from.y, drag_.to.y) + 1};
}

// -- input ---------------------------------------------------------------------

std::int64_t ArrangementWindow::GlobalTime(std::int32_t local) const {
    std::int64_t t = local;
    for (const Clip* clip = Shown(); clip && !clip->IsRoot(); clip = clip->ParentClip())
        t = t - clip->Start() + clip->GetPosition();
    return t;
}

ResultFlags ArrangementWindow::SetTimeAt(int x) {
    const std::int32_t local = std::clamp(Shown()->Quantize(TimeAt(x)), TimeLineStart(), TimeLineEnd());
    return root_.SetGlobalTime(Clamp32(GlobalTime(local)));
}

ResultFlags ArrangementWindow::SetViewStart(std::int64_t start) {
    const std::int32_t span = ViewSpan();
    const std::int64_t last = std::max<std::int64_t>(TimeLineStart(), std::int64_t(TimeLineEnd()) - span);
    Shown()->SetView(Clamp32(std::clamp<std::int64_t>(start, TimeLineStart(), last)), span);
    return kRepaint;
}

ResultFlags ArrangementWindow::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    Validate();
    // A clip taken away under a drag (by a script) ends the drag.
    const auto gone = [this](const Member& member) { return Shown()->IndexOf(member.clip) < 0; };
    if ((drag_.clip && Shown()->IndexOf(drag_.clip) < 0) || std::any_of(drag_.group.begin(), drag_.group.end(), gone)) {
        drag_ = {};
        return kReleaseMe | kRepaint;
    }
    const Point p{x, y};
    switch (message) {
        case kLeftButtonDown: return Press(window, p, keyFlags);
        case kLeftButtonDoubleClick: {
            Clip* child = nullptr;
            if (PartAt(p, &child) == Part::Body && child->IsArrangement()) return Enter(child);
            return Press(window, p, keyFlags);
        }
        case kMouseMove: return Dragging() ? Move(p) : 0;
        case kLeftButtonUp: return Dragging() ? Release(p) : 0;
        case kMouseWheel: return Wheel(p, keyFlags);
        default: return 0;
    }
}

ResultFlags ArrangementWindow::Press(Window*, Point p, std::uintptr_t keyFlags) {
    Clip* child = nullptr;
    const Part part = PartAt(p, &child);
    Clip* shown = Shown();
    drag_ = {};
    drag_.from = p;
    switch (part) {
        case Part::None:
        case Part::Strip: return 0;
        case Part::Empty:
            // A rubber band; with Ctrl or Shift it adds to the selection.
            drag_.part = part;
            drag_.to = p;
            drag_.additive = (keyFlags & (kControlHeld | kShiftHeld)) != 0;
            return kCaptureMe;
        case Part::Path: return Leave();
        case Part::TopRuler:
        case Part::BottomRuler:
            // The capture is taken before the time moves, so that the view
            // stays where it is from the first click on.
            root_.SetCapturedChild(this);
            drag_.part = part;
            return SetTimeAt(p.x) | kCaptureMe;
        case Part::Slider: drag_.scroll = view_.VerticalScroll(); break;
        case Part::Scroller: drag_.viewStart = ViewStart(); break;
        case Part::StripStart:
        case Part::StripEnd: break;
        case Part::Body:
        case Part::LeftGrip:
        case Part::RightGrip: return PressOnClip(part, child, p, keyFlags);
        default:
            if (!IsCorner(part) && part != Part::Inside) return 0;
            drag_.clip = shown->CurrentChild();
            for (int i = 0; i < 4; ++i) drag_.dest[i] = drag_.clip->ValueById(kDestinationRect[std::size_t(i)]);
            break;
    }
    drag_.part = part;
    return kCaptureMe;
}

ResultFlags ArrangementWindow::PressOnClip(Part part, Clip* child, Point p, std::uintptr_t keyFlags) {
    Clip* shown = Shown();
    // Ctrl and Shift clicks only choose; nothing moves under them.
    if (keyFlags & kControlHeld) {
        shown->ToggleSelection(child);
        return kRelayout | kRepaint;
    }
    if (keyFlags & kShiftHeld) {
        shown->SelectBetween(shown->CurrentChild(), child);
        return kRelayout | kRepaint;
    }
    const bool group = part == Part::Body && shown->Selection().size() > 1 && shown->IsSelected(child);
    if (group) {
        shown->SetCurrentChild(child);
        drag_.collapse = true;
    } else {
        shown->Select(child);
    }
    drag_.group.push_back({child, child->GetPosition(), child->Track()});
    if (group)
        for (Clip* other : shown->Selection())
            if (other != child) drag_.group.push_back({other, other->GetPosition(), other->Track()});
    drag_.clip = child;
    drag_.grabTime = TimeAt(p.x);
    drag_.position = child->GetPosition();
    drag_.length = child->Length();
    drag_.start = child->Start();
    drag_.track = child->Track();
    drag_.part = part;
    return kCaptureMe | kRelayout | kRepaint;
}

ResultFlags ArrangementWindow::MoveGroup(Point p) {
    Clip* shown = Shown();
    const std::int64_t wanted = std::int64_t(drag_.position) + TimeAt(p.x) - drag_.grabTime;
    const std::int32_t grabbed = shown->Quantize(Clamp32(std::max<std::int64_t>(wanted, TimeLineStart())));
    // The group keeps its shape: it stops where its earliest clip meets the
    // time line's start, and where its first row would go past a new top
    // row or its last past a new bottom one.
    std::int64_t earliest = drag_.position;
    int first = drag_.track, last = drag_.track;
    for (const Member& member : drag_.group) {
        earliest = std::min<std::int64_t>(earliest, member.position);
        first = std::min(first, member.track);
        last = std::max(last, member.track);
    }
    drag_.shift = Clamp32(std::max<std::int64_t>(std::int64_t(grabbed) - drag_.position, TimeLineStart() - earliest));
    drag_.rows = std::clamp(TrackAt(p.y) - drag_.track, -1 - first, shown->TrackCount() - last);
    drag_.moved = drag_.shift != 0 || drag_.rows != 0;
    std::vector<Clip*> moving;
    for (const Member& member : drag_.group) moving.push_back(member.clip);
    drag_.refused = false;
    for (const Member& member : drag_.group) {
        const int track = member.track + drag_.rows;
        if (track >= 0 && shown->Overlaps(track, SaturatingAdd(member.position, drag_.shift), member.clip->Length(), moving))
            drag_.refused = true;
    }
    return kRepaint;
}

void ArrangementWindow::DropGroup() {
    Clip* shown = Shown();
    for (const Member& member : drag_.group) member.clip->SetPosition(SaturatingAdd(member.position, drag_.shift));
    // Rows close up only when clips left one: a clip moved along its own row
    // lands where its outline was, even where it would now fit a row higher.
    if (drag_.rows == 0) return;
    bool opens = false;
    for (const Member& member : drag_.group) opens = opens || member.track + drag_.rows < 0;
    if (opens) shown->InsertTrack(0);
    for (const Member& member : drag_.group) member.clip->SetTrack(member.track + drag_.rows + (opens ? 1 : 0));
    shown->CompactTracks();
}

void ArrangementWindow::SelectBand() {
    Clip* shown = Shown();
    const Rect band = *Band();
    std::vector<Clip*> touched;
    for (int i = 0; i < shown->ChildCount(); ++i) {
        Clip* child = shown->ChildAt(i);
        const Rect box = BoxOf(*child);
        if (box.left <= band.right && band.left <= box.right && box.top < band.bottom && band.top < box.bottom)
            touched.push_back(child);
    }
    // A band over nothing leaves the selection as it was.
    if (touched.empty()) return;
    if (!drag_.additive) shown->ClearSelection();
    for (Clip* child : touched) shown->AddToSelection(child);
    if (!shown->IsSelected(shown->CurrentChild())) shown->SetCurrentChild(touched.front());
}

ResultFlags ArrangementWindow::Move(Point p) {
    Clip* shown = Shown();
    Clip* clip = drag_.clip;
    switch (drag_.part) {
        case Part::TopRuler:
        case Part::BottomRuler: return SetTimeAt(p.x);
        case Part::Slider: {
            const int room = std::max(rects_.slider.Height(), 1);
            const std::int64_t scroll = drag_.scroll + std::int64_t(p.y - drag_.from.y) * TotalHeight() / room;
            view_.SetVerticalScroll(int(std::clamp<std::int64_t>(scroll, 0, std::max(0, ContentHeight() - rects_.window.Height()))));
            return kRepaint;
        }
        case Part::Scroller: {
            const int room = std::max(rects_.scroller.Width(), 1);
            return SetViewStart(drag_.viewStart + std::int64_t(p.x - drag_.from.x) * shown->Length() / room);
        }
        case Part::StripStart:
        case Part::StripEnd: {
            const std::int32_t t = std::clamp(shown->Quantize(TimeAt(p.x)), TimeLineStart(), TimeLineEnd());
            std::int32_t start = shown->MakeStart(), end = shown->MakeEnd();
            if (drag_.part == Part::StripStart)
                start = std::min(t, SaturatingSub(end, 1));
            else
                end = std::max(t, SaturatingAdd(start, 1));
            if (start == shown->MakeStart() && end == shown->MakeEnd()) return 0;
            shown->SetMakeRange(start, end);
            drag_.moved = true;
            return kChanged | kRepaint;
        }
        // Above the first row a new first track opens; below the last, a new
        // last one.
        case Part::Body: return MoveGroup(p);
        case Part::Empty: {
            drag_.to = p;
            drag_.moved = drag_.moved || std::abs(p.x - drag_.from.x) > 2 || std::abs(p.y - drag_.from.y) > 2;
            return drag_.moved ? kRepaint : 0;
        }
        case Part::LeftGrip: {
            const std::int32_t end = SaturatingAdd(drag_.position, drag_.length);
            std::int32_t edge = std::min(shown->Quantize(TimeAt(p.x)), SaturatingSub(end, 1));
            std::int64_t start = std::int64_t(drag_.start) + edge - drag_.position;
            // The material stays where it is: the in point cannot go before
            // the media's first frame.
            if (clip->Source() && start < 0) {
                edge = Clamp32(std::int64_t(edge) - start);
                start = 0;
            }
            if (edge == clip->GetPosition() || shown->Overlaps(clip->Track(), edge, end - edge, clip)) return 0;
            clip->SetOffset(Clamp32(start));
            drag_.moved = true;
            return kChanged | kRepaint;
        }
        case Part::RightGrip: {
            std::int64_t length = std::int64_t(shown->Quantize(TimeAt(p.x))) - clip->GetPosition();
            if (clip->Source() && clip->MediaLength() > 0)
                length = std::min<std::int64_t>(length, std::int64_t(clip->MediaLength()) - clip->Start());
            length = std::max<std::int64_t>(length, 1);
            if (length == clip->Length() || shown->Overlaps(clip->Track(), clip->GetPosition(), Clamp32(length), clip))
                return 0;
            clip->SetSize(Clamp32(length));
            drag_.moved = true;
            return kChanged | kRepaint;
        }
        default: break;
    }
    if (!clip || rects_.picture.IsEmpty() || (!IsCorner(drag_.part) && drag_.part != Part::Inside)) return 0;
    // A click that does not move keys nothing.
    if (!drag_.moved && p.x == drag_.from.x && p.y == drag_.from.y) return 0;
    const double fx = double(p.x - rects_.picture.left) / rects_.picture.Width();
    const double fy = double(p.y - rects_.picture.top) / rects_.picture.Height();
    double v[4] = {drag_.dest[0], drag_.dest[1], drag_.dest[2], drag_.dest[3]};
    switch (drag_.part) {
        case Part::NorthWest: v[0] = fx, v[1] = fy; break;
        case Part::NorthEast: v[2] = fx, v[1] = fy; break;
        case Part::SouthWest: v[0] = fx, v[3] = fy; break;
        case Part::SouthEast: v[2] = fx, v[3] = fy; break;
        default: {
            const double dx = double(p.x - drag_.from.x) / rects_.picture.Width();
            const double dy = double(p.y - drag_.from.y) / rects_.picture.Height();
            v[0] += dx, v[2] += dx, v[1] += dy, v[3] += dy;
            break;
        }
    }
    for (int i = 0; i < 4; ++i) clip->SetValueNow(kDestinationRect[std::size_t(i)], v[i]);
    drag_.moved = true;
    return kChanged | kRepaint;
}

ResultFlags ArrangementWindow::Release(Point p) {
    ResultFlags flags = Move(p);
    Clip* shown = Shown();
    if (drag_.part == Part::Body && drag_.moved && !drag_.refused) {
        DropGroup();
        flags |= kChanged;
    } else if (drag_.part == Part::Body && !drag_.moved && drag_.collapse) {
        shown->Select(drag_.clip);
        flags |= kRelayout;
    } else if (drag_.part == Part::Empty) {
        if (drag_.moved) SelectBand();
        flags |= kRelayout;
    } else if (drag_.moved && drag_.part != Part::Body && drag_.part != Part::Slider && drag_.part != Part::Scroller &&
               drag_.part != Part::TopRuler && drag_.part != Part::BottomRuler) {
        flags |= kChanged;
    }
    drag_ = {};
    return flags | kReleaseMe | kRepaint;
}

ResultFlags ArrangementWindow::Wheel(Point p, std::uintptr_t param) {
    const int delta = SignExtend16(int(param >> 16));
    if (delta == 0) return 0;
    const int notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
    Clip* shown = Shown();
    if (param & kControlHeld) {
        // The time under the pointer stays under it.
        const std::int32_t pointer = TimeAt(p.x);
        const double share = rects_.window.Width() > 0
                                 ? std::clamp(double(p.x - rects_.window.left) / rects_.window.Width(), 0.0, 1.0)
                                 : 0.5;
        std::int64_t span = ViewSpan();
        for (int i = 0; i < std::abs(notches); ++i)
            span = notches > 0 ? std::min<std::int64_t>(shown->Length(), std::max<std::int64_t>(span / 2, ArrangementView::kMinViewSpan))
                               : std::min<std::int64_t>(shown->Length(), std::max<std::int64_t>(span * 2, ArrangementView::kMinViewSpan));
        if (span == ViewSpan()) return 0;
        shown->SetView(ViewStart(), Clamp32(span));
        return SetViewStart(pointer - std::int64_t(std::llround(share * span)));
    }
    if (param & kShiftHeld) {
        const std::int64_t scroll = std::int64_t(view_.VerticalScroll()) - std::int64_t(notches) * view_.TrackHeight();
        view_.SetVerticalScroll(int(std::clamp<std::int64_t>(scroll, 0, std::max(0, ContentHeight() - rects_.window.Height()))));
        return kRepaint;
    }
    return SetViewStart(std::int64_t(ViewStart()) - std::int64_t(notches) * std::max(ViewSpan() / kWheelShare, 1));
}

}  // namespace vantrel
