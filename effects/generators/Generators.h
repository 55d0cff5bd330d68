#pragma once
#include <cstdint>
#include <string>

#include "values/Surface.h"
#include "platform/TextRenderer.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// The picture generators of the "Text String" (172) and "Gradient" (568)
// clips. Each reads its clip's variables (declared by the clip) and draws
// the clip's whole picture. Render draws into any surface at a given time;
// Picture keeps the generator's own surface, made on first use at the size
// asked for (the output frame size) and drawn at the clip's current time.
class PictureGenerator {
public:
    explicit PictureGenerator(VariableOwner& clip) : clip_(clip) {}
    virtual ~PictureGenerator() = default;

    // Draws the rectangle 0, 0, width, height of the target; false when
    // the target is empty.
    virtual bool Render(Surface& target, std::int32_t time) = 0;
    // The generator's own picture at the clip's current time; null when a
    // surface of that size cannot be made.
    const Surface* Picture(int width, int height);
    // The lines the clip information box shows for this clip, each ending
    // in a newline.
    virtual std::string Information(std::int32_t time) const = 0;

protected:
    VariableOwner& clip_;
    Surface picture_;
};

// Four corner colours blended across the picture.
class GradientGenerator final : public PictureGenerator {
public:
    using PictureGenerator::PictureGenerator;
    bool Render(Surface& target, std::int32_t time) override;
    std::string Information(std::int32_t time) const override;
};

// One line of text, centred, on a background colour; only the pixels drawn
// exactly in the foreground colour stay visible.
class TextGenerator final : public PictureGenerator {
public:
    explicit TextGenerator(VariableOwner& clip);

    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    const std::string& Typeface() const { return typeface_; }
    void SetTypeface(std::string name) { typeface_ = std::move(name); }

    // The font the text is drawn with at that time (also for tests).
    TextFont FontAt(std::int32_t time) const;

    bool Render(Surface& target, std::int32_t time) override;
    std::string Information(std::int32_t time) const override;

private:
    std::string text_;
    std::string typeface_ = "System";
};

// Font weight from the weight variable: trunc(w * 999) limited to 1 .. 999.
int FontWeightFrom(double weight);

}  // namespace vantrel
