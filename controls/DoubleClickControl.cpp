#include "controls/DoubleClickControl.h"

namespace vantrel {

ResultFlags DoubleClickControl::Input(Window* window, std::uint32_t message, int x, int y,
                                      std::uintptr_t keyFlags) {
    const bool doubleClick = message == kLeftButtonDoubleClick || message == kRightButtonDoubleClick;
    if (doubleClick && rect_.Contains(x, y) && !(keyFlags & kControlHeld) && parent_) {
        ResultFlags flags = 0;
        if (parent_->Command(window, id_, flags)) return flags;
    }
    return Control::Input(window, message, x, y, keyFlags);
}

}  // namespace vantrel
