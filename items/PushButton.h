#pragma once
#include "items/Control.h"

namespace vantrel {

// A click is delivered to the parent as the command whose number is the
// button's id, on release, only when the pointer is still inside.
class PushButton : public Control {
public:
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool IsCaptured() const { return captured_self_; }

private:
    bool captured_self_ = false;
};

}  // namespace vantrel
