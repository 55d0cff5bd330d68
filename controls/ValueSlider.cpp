#include "controls/ValueSlider.h"

#include <algorithm>

#include "controls/ControlDrawing.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

Rect ValueSlider::KnobRect() const {
    if (!(minimum_ < maximum_)) return {};
    const int x = int(LinearMap(value_, rect_.left, rect_.right, minimum_, maximum_));
    const int half = Metric(kKnobWidth) / 2;
    return Rect{x - half, rect_.top, x + half, rect_.bottom}.Intersect(rect_);
}

void ValueSlider::DrawContent(DrawContext& dc) {
    if (rect_.IsEmpty()) return;
    // A reversed range has no inside to clamp into; the value waits for a sane one.
    if (minimum_ <= maximum_) value_ = std::clamp(value_, minimum_, maximum_);
    DrawFace(*this, dc, id_, kFaceBackground);
    const bool pressed = press_ == kPressed;
    DrawEdge(dc, rect_, !pressed, Metric(kEdgeWidth));
    const Rect knob = KnobRect();
    const int edge = Metric(kEdgeWidth);
    if (knob.Width() > 2 * edge && knob.Height() > 2 * edge) DrawEdge(dc, knob, pressed, edge);
}

void ValueSlider::PaintNow(Window* window) {
    if (!window || rect_.IsEmpty()) return;
    if (auto dc = window->BeginDraw()) Paint(*dc, rect_.left, rect_.top, rect_.right, rect_.bottom, 0);
}

ResultFlags ValueSlider::Track(Window* window, int x, ResultFlags done) {
    value_ = LinearMap(x, minimum_, maximum_, rect_.left, rect_.right);
    if (done & kReleaseMe) {
        dragging_ = false;
        press_ = kUp;
        if (window) window->ReleaseCapture();
    }
    PaintNow(window);
    ResultFlags flags = 0;
    if (parent_ && parent_->Command(window, id_, flags)) done |= flags;
    return FinishInput(done);
}

ResultFlags ValueSlider::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (!dragging_) {
        if (message == kLeftButtonDown) {
            if (press_ == kDisabled) return FinishInput(0);
            if (rect_.Contains(x, y) && !(keyFlags & kControlHeld)) {
                dragging_ = true;
                press_ = kPressed;
                PaintNow(window);
                if (window) window->SetCapture();
                return Track(window, x, kRelayout) | kCaptureMe;
            }
        }
        return Control::Input(window, message, x, y, keyFlags);
    }
    switch (message) {
        case kMouseMove: return Track(window, x, kRelayout);
        case kLeftButtonUp: return Track(window, x, kReleaseMe);
        default: return FinishInput(0);
    }
}

}  // namespace vantrel
