#pragma once
#include <vector>

#include "items/Control.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// One variable over time, large: the variable's view window across, its
// maximum at the top, the curve in the inverse of the background, and a
// mark on every key in the window (none for single-value variables).
// Marks are dragged up and down to change their value, never their time;
// a right click on a mark or on empty space opens the key menu.
class CurveView : public Control {
public:
    static constexpr int kAdd = 760;
    static constexpr int kMarkHalf = 3;

    CurveView() = default;

    void SetVariable(VariableOwner* owner, Variable* variable);
    Variable* Shown() const { return variable_; }

    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;

    // -- geometry and the menus, reachable without a window ------------------
    int XOfTime(std::int32_t time) const;
    int YOfValue(double value) const;
    std::int32_t TimeAtX(int x) const;
    double ValueAtY(int y) const;
    // The key whose mark holds the point, -1 for none.
    int MarkAt(int x, int y) const;
    // The key menu's choices: Default, Minimum, Maximum, then Delete
    // Previous Values (not on the first key), Delete Following Values (not
    // on the last) and Delete.
    std::vector<int> MarkChoices(int key) const;
    ResultFlags RunMarkChoice(int key, int choice);
    // "Add": a key at the time under x with the value the curve has there.
    ResultFlags AddAt(int x);
    // A dragged mark's new value, from the pointer's height.
    ResultFlags DragMarkTo(int key, int y);

private:
    Rect Area() const;
    bool HasMarks() const;

    VariableOwner* owner_ = nullptr;
    Variable* variable_ = nullptr;
    int dragged_ = -1;
};

}  // namespace vantrel
