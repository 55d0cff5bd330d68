#include "items/PushButton.h"

#include "platform/Window.h"

namespace vantrel {

ResultFlags PushButton::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    const bool inside = rect_.Contains(x, y);
    if (press_ == kDisabled && !captured_self_) {
        if (message == kLeftButtonDown) return 0;
        return Control::Input(window, message, x, y, keyFlags);
    }
    if (message == kLeftButtonDown && inside && !(keyFlags & kControlHeld)) {
        captured_self_ = true;
        press_ = kPressed;
        if (window) window->SetCapture();
        return kCaptureMe | kRelayout;
    }
    if (captured_self_ && message == kMouseMove) {
        press_ = inside ? kPressed : kUp;
        return kRelayout;
    }
    if (captured_self_ && message == kLeftButtonUp) {
        captured_self_ = false;
        press_ = kUp;
        if (window) window->ReleaseCapture();
        if (inside && parent_) {
            ResultFlags flags = 0;
            if (parent_->Command(window, id_, flags)) return flags | kReleaseMe | kRelayout;
        }
        return FinishInput(kReleaseMe | kRelayout);
    }
    return Control::Input(window, message, x, y, keyFlags);
}

}  // namespace vantrel
