#include "editor/arrangement/ArrangementView.h"

#include <algorithm>
#include <climits>

#include "model/clips/Clip.h"

namespace vantrel {

void ArrangementView::Show(Clip* arrangement) {
    if (arrangement != arrangement_) verticalScroll_ = 0;
    arrangement_ = arrangement;
}

ResultFlags ArrangementView::ZoomInHorizontal() {
    if (!arrangement_) return 0;
    Clip& clip = *arrangement_;
    const std::int32_t span = clip.ViewSpan();
    if (span == kMinViewSpan) return 0;
    clip.SetView(clip.ViewStart(), std::min(clip.Length(), std::max(span / 2, kMinViewSpan)));
    return kRepaint;
}

ResultFlags ArrangementView::ZoomOutHorizontal() {
    if (!arrangement_) return 0;
    Clip& clip = *arrangement_;
    const std::int32_t span = clip.ViewSpan();
    if (span == clip.Length()) return 0;
    const std::int64_t doubled = std::int64_t(span) * 2;
    clip.SetView(clip.ViewStart(),
                 std::int32_t(std::min<std::int64_t>(clip.Length(), std::max<std::int64_t>(doubled, kMinViewSpan))));
    return kRepaint;
}

ResultFlags ArrangementView::WholeLength() {
    if (!arrangement_) return 0;
    arrangement_->SetView(arrangement_->ViewStart(), arrangement_->Length());
    return kRepaint;
}

ResultFlags ArrangementView::ZoomInVertical() {
    if (trackHeight_ <= kMinTrackHeight) return 0;
    trackHeight_ = std::max(trackHeight_ / 2, kMinTrackHeight);
    return kRepaint;
}

ResultFlags ArrangementView::ZoomOutVertical() {
    if (trackHeight_ >= kMaxTrackHeight) return 0;
    trackHeight_ = std::min(trackHeight_ * 2, kMaxTrackHeight);
    return kRepaint;
}

ResultFlags ArrangementView::FitRows(int areaHeight) {
    // A file may hold tracks near the top of the int range.
    const std::int64_t rows = (arrangement_ ? std::int64_t(arrangement_->TrackCount()) : 0) + 1;
    trackHeight_ = int(std::clamp<std::int64_t>(areaHeight / rows, kMinTrackHeight, kMaxTrackHeight));
    verticalScroll_ = 0;
    return kRepaint;
}

ResultFlags ArrangementView::FitViewAndMakeStrip() {
    if (!arrangement_ || arrangement_->IsRoot() || !arrangement_->IsArrangement()) return 0;
    Clip& clip = *arrangement_;
    clip.SetView(clip.Start(), clip.Length());
    clip.SetMakeRange(clip.Start(), clip.Length());
    clip.MoveGlobalTime(0);
    return kRepaint;
}

void ArrangementView::FollowTime(std::int32_t rootTime) {
    // The capture that holds the view still is the root's, whichever
    // arrangement is shown.
    if (!arrangement_ || arrangement_->RootClip()->CapturedChild()) return;
    Clip& clip = *arrangement_;
    const std::int32_t span = clip.ViewSpan();
    if (span <= 0) return;
    // The arrangement's own time line: the root's time and position for the
    // root, the local time from the in point for a sub arrangement.
    const std::int64_t time = clip.IsRoot() ? rootTime : clip.Time();
    const std::int64_t first = clip.IsRoot() ? clip.GetPosition() : clip.Start();
    std::int64_t start = std::max<std::int64_t>(first, time - span / 2);
    start = std::min<std::int64_t>(start, first + clip.Length() - span);
    clip.SetView(std::int32_t(std::clamp<std::int64_t>(start, INT32_MIN, INT32_MAX)), span);
}

}  // namespace vantrel
