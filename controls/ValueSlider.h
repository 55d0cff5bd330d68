#pragma once
#include "items/Control.h"

namespace vantrel {

// A horizontal value between a minimum at the left edge and a maximum at
// the right. Dragging the knob tells the parent at every step, as the
// command whose number is the slider's id.
class ValueSlider : public Control {
public:
    void DrawContent(DrawContext& dc) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;

    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Value() const { return value_; }
    void SetRange(double minimum, double maximum) { minimum_ = minimum, maximum_ = maximum; }
    // Stored as given; painting clamps it into the range.
    void SetValue(double value) { value_ = value; }
    bool IsDragging() const { return dragging_; }
    // Where the knob is drawn; empty when the range is.
    Rect KnobRect() const;

private:
    ResultFlags Track(Window* window, int x, ResultFlags done);
    void PaintNow(Window* window);

    double minimum_ = 0, value_ = 0, maximum_ = 0;
    bool dragging_ = false;
};

}  // namespace vantrel
