#pragma once
#include <cstdint>

#include "items/ResultFlags.h"

namespace vantrel {

class Clip;

// What the arrangement window shows of one arrangement. The time span
// across is the arrangement's own view fields (saved with the project, so a
// project opens where it was left); the track height and the vertical
// scroll belong to the window alone. The clip knows nothing of either.
class ArrangementView {
public:
    static constexpr std::int32_t kMinViewSpan = 30;
    static constexpr int kMinTrackHeight = 10;
    static constexpr int kMaxTrackHeight = 512;
    static constexpr int kDefaultTrackHeight = 40;

    explicit ArrangementView(Clip* arrangement = nullptr) : arrangement_(arrangement) {}

    Clip* Arrangement() const { return arrangement_; }
    // Another arrangement starts at the top.
    void Show(Clip* arrangement);

    ResultFlags ZoomInHorizontal();
    ResultFlags ZoomOutHorizontal();
    ResultFlags WholeLength();
    ResultFlags ZoomInVertical();
    ResultFlags ZoomOutVertical();
    // Every track and one more row fit into the height.
    ResultFlags FitRows(int areaHeight);
    // "F": view and make strip over the arrangement's material (sub
    // arrangements only).
    ResultFlags FitViewAndMakeStrip();

    int TrackHeight() const { return trackHeight_; }
    void SetTrackHeight(int height) { trackHeight_ = height; }
    int VerticalScroll() const { return verticalScroll_; }
    void SetVerticalScroll(int rows) { verticalScroll_ = rows < 0 ? 0 : rows; }

    // Keeps the root's time in the middle of the view, as far as the
    // arrangement's ends allow. Not while a child holds the capture: a
    // ruler being dragged must not run away under the pointer.
    void FollowTime(std::int32_t rootTime);

private:
    Clip* arrangement_;
    int trackHeight_ = kDefaultTrackHeight;
    int verticalScroll_ = 0;
};

}  // namespace vantrel
