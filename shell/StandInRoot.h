#pragma once
#include <memory>
#include <vector>

#include "items/Control.h"

namespace vantrel {

// The root clip until the editor's own workspace takes its place: it holds
// controls, routes input to them (the captured one first, then the one under
// the pointer; key releases to itself) and repaints the window when a
// result asks for it.
class StandInRoot : public Control {
public:
    static constexpr int kMaxChildren = 256;

    explicit StandInRoot(Window* window);

    bool AdoptChild(Item* child) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    ResultFlags FinishInput(ResultFlags flags) override;
    Rect Arrange(int left, int top, int right, int bottom) override;
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;

    const std::vector<Item*>& Children() const { return children_; }
    int Arrangements() const { return arrangements_; }
    int Repaints() const { return repaints_; }

protected:
    void Redraw();

private:
    std::vector<Item*> children_;
    int arrangements_ = 0;
    int repaints_ = 0;
};

// The root the program starts with for now: the stand-in with one button
// in the middle whose click changes the background shade, so a click can be
// seen travelling through the tree and back.
class StartRoot final : public StandInRoot {
public:
    static constexpr int kButtonId = 594;  // "Help"

    StartRoot(Window* window, PictureStore* media, Application* application);
    Rect Arrange(int left, int top, int right, int bottom) override;
    bool Command(Window* window, int command, ResultFlags& out) override;
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    int Clicks() const { return clicks_; }

private:
    std::unique_ptr<Control> button_;
    int clicks_ = 0;
};

}  // namespace vantrel
