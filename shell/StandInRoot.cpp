#include "shell/StandInRoot.h"

#include <algorithm>

#include "items/PushButton.h"
#include "items/StringTable.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr Colour kBackground = Rgb(192, 192, 192);
constexpr Colour kClickedBackground = Rgb(160, 176, 200);
constexpr Colour kFace = Rgb(224, 224, 224);
constexpr Colour kPressedFace = Rgb(128, 128, 128);
constexpr int kStyle = 1;
}  // namespace

StandInRoot::StandInRoot(Window* window) { window_ = window; }

bool StandInRoot::AdoptChild(Item* child) {
    if (!child || int(children_.size()) >= kMaxChildren) return false;
    if (std::find(children_.begin(), children_.end(), child) == children_.end()) children_.push_back(child);
    return true;
}

ResultFlags StandInRoot::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (captured_) return DispatchToChild(captured_, captured_, window, message, x, y, keyFlags);
    if (message == kKeyUp) return Control::Input(window, message, x, y, keyFlags);
    for (Item* child : children_)
        if (child->Rectangle().Contains(x, y)) return DispatchToChild(child, child, window, message, x, y, keyFlags);
    return Control::Input(window, message, x, y, keyFlags);
}

ResultFlags StandInRoot::FinishInput(ResultFlags flags) {
    flags = Item::FinishInput(flags);
    if (flags & (kRelayout | kRepaint)) Redraw();
    return flags;
}

Rect StandInRoot::Arrange(int left, int top, int right, int bottom) {
    ++arrangements_;
    rect_ = {left, top, right, bottom};
    Redraw();
    return rect_;
}

void StandInRoot::Redraw() {
    if (!window_ || window_->IsMinimised()) return;
    const auto dc = window_->BeginDraw();
    if (!dc) return;
    ++repaints_;
    Paint(*dc, rect_.left, rect_.top, rect_.right, rect_.bottom, 0);
}

// Controls draw nothing of their own until the skin is there, so the
// stand-in gives each a plain face and its caption.
int StandInRoot::Paint(DrawContext& dc, int, int, int, int, int) {
    if (rect_.IsEmpty()) return 0;
    dc.FillRect(rect_, kBackground);
    for (Item* child : children_) {
        const Rect r = child->Rectangle();
        if (r.IsEmpty()) continue;
        const auto* control = dynamic_cast<Control*>(child);
        const bool pressed = control && control->Press() == kPressed;
        dc.FillRect(r, pressed ? kPressedFace : kFace);
        dc.Line(Pen::White, r.left, r.bottom - 1, r.left, r.top);
        dc.Line(Pen::White, r.left, r.top, r.right, r.top);
        dc.Line(Pen::DarkGrey, r.right - 1, r.top, r.right - 1, r.bottom);
        dc.Line(Pen::DarkGrey, r.left, r.bottom - 1, r.right, r.bottom - 1);
        if (control) dc.Text(Str(control->GetId()), r, TextStyle{});
        child->Paint(dc, r.left, r.top, r.right, r.bottom, 0);
    }
    return 1;
}

StartRoot::StartRoot(Window* window, PictureStore* media, Application* application)
    : StandInRoot(window), button_(std::make_unique<PushButton>()) {
    media_ = media;
    application_ = application;
    button_->Attach(this, media, application, kButtonId, kStyle);
}

Rect StartRoot::Arrange(int left, int top, int right, int bottom) {
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;
    button_->SetRectangle({cx - 60, cy - 15, cx + 60, cy + 15});
    return StandInRoot::Arrange(left, top, right, bottom);
}

bool StartRoot::Command(Window* window, int command, ResultFlags& out) {
    if (command != kButtonId) return StandInRoot::Command(window, command, out);
    ++clicks_;
    out |= kRepaint;
    return true;
}

int StartRoot::Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) {
    const int painted = StandInRoot::Paint(dc, left, top, right, bottom, flag);
    if (painted && clicks_ % 2) {
        // Shade the background around the button to show the click arrived.
        const Rect b = button_->Rectangle();
        dc.FillRect({rect_.left, rect_.top, rect_.right, b.top}, kClickedBackground);
        dc.FillRect({rect_.left, b.bottom, rect_.right, rect_.bottom}, kClickedBackground);
    }
    return painted;
}

}  // namespace vantrel
