#pragma once
#include "items/Control.h"

namespace vantrel {

// Not yet among the shared message numbers: the window message of a right
// double click.
constexpr std::uint32_t kRightButtonDoubleClick = 0x0206;

// Tells its parent about a double click with either button, as the command
// whose number is its id; everything else is a plain control's.
class DoubleClickControl : public Control {
public:
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
};

}  // namespace vantrel
