#pragma once
#include <array>
#include <memory>
#include <vector>

#include "items/Control.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// Left, top, right and bottom as fractions of the picture.
struct Fractions {
    double left = 0, top = 0, right = 1, bottom = 1;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    friend bool operator==(const Fractions&, const Fractions&) = default;
};

// Edits one rectangle of an owner: four variables keyed together at the
// owner's current time. Around a drawing of the rectangle over the frame
// sit the edge buttons (inside the drawing) and the eight move buttons
// (the ring around it); above, the key navigation of the four variables
// and "Rectangle Options".
//
// A click on an edge button moves that edge outwards by one pixel of the
// output (inwards with Shift held); a click on a move button moves the
// rectangle one pixel that way. Dragging either follows the pointer at the
// drawing's scale: edges along their axis, north/south and east/west
// moves along theirs, the diagonal moves freely.
class RectanglePanel : public Control {
public:
    static constexpr int kOptions = 375;
    static constexpr int kNextKey = 612;
    static constexpr int kPreviousKey = 613;

    enum Button {
        kLeftEdge, kTopEdge, kRightEdge, kBottomEdge,
        kNorth, kSouth, kEast, kWest, kNorthEast, kNorthWest, kSouthEast, kSouthWest,
        kPreviousKeyButton, kOptionsButton, kNextKeyButton,
        kButtonCount
    };

    RectanglePanel();
    ~RectanglePanel() override;

    // The four string ids: left, top, right, bottom. Null owner: no target.
    void SetTarget(VariableOwner* owner, std::array<int, 4> ids, int captionId);
    VariableOwner* Target() const { return owner_; }
    const std::array<int, 4>& Ids() const { return ids_; }
    // One pixel of the output, for the nudges.
    void SetPixelSize(int width, int height);

    Fractions Current() const;
    // Sets the four variables at the current time; kChanged.
    ResultFlags Apply(const Fractions& r);
    // A "Rectangle Options" choice by its string id.
    ResultFlags RunChoice(int choice);
    // What the menu offers under "Edit", "Snap" and "Move Outside" now
    // (the last is empty when it is not offered).
    std::vector<int> EditChoices() const;
    std::vector<int> SnapChoices() const;
    std::vector<int> MoveOutsideChoices() const;
    // The click on a button, as described above.
    ResultFlags Nudge(Button button, bool inwards);
    const Rect& ButtonRect(Button button) const { return buttonRects_[std::size_t(button)]; }
    Control* ButtonControl(Button button) const { return buttons_[std::size_t(button)].get(); }

    Rect Arrange(int left, int top, int right, int bottom) override;
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool Command(Window* window, int command, ResultFlags& out) override;
    // "375", "#612", "l", "left", "ne" ...; anything else is the panel.
    Control* ResolveName(const std::string& name) override;

    // The program-wide copied rectangle.
    static bool ClipboardHolds();
    static void ClearClipboard();

private:
    ResultFlags OptionsMenu(Window* window);
    ResultFlags Drag(int x, int y);
    int ButtonAt(int x, int y) const;
    Rect Drawn(const Fractions& r) const;

    VariableOwner* owner_ = nullptr;
    std::array<int, 4> ids_{};
    int captionId_ = 0;
    int pixelWidth_ = 320, pixelHeight_ = 240;
    std::array<std::unique_ptr<Control>, kButtonCount> buttons_;
    std::array<Rect, kButtonCount> buttonRects_{};
    Rect view_{};  // the drawing: fractions -0.5 .. 1.5 both ways
    int pressed_ = -1;
    Point pressPoint_{};
    Fractions pressRect_{};
    bool moved_ = false;
};

}  // namespace vantrel
