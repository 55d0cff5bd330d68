#pragma once
#include <string>

#include "values/Colour.h"
#include "values/Rect.h"
#include "platform/DrawContext.h"

namespace vantrel {

class Surface;

// A font as the picture generators ask for it.
struct TextFont {
    std::string typeface = "System";  // "System": the desktop's default sans-serif
    int heightPx = 32;                 // character height (the em), in pixels
    int weight = 400;                  // 1 .. 999
    bool italic = false;
    bool underline = false;
};

// Draws one line of text into a surface without anti-aliasing, so that
// every drawn pixel has exactly the colour asked for. The Qt build installs
// one (InstallQtTextRenderer); until then none is installed and nothing is
// drawn.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // Vertical dots per inch the font sizes are measured against.
    virtual int PixelsPerInch() const { return 96; }
    // Centred both ways in rect (clipped to it and to the surface), in the
    // colour with alpha 255; pixels not covered by the text are untouched.
    virtual bool DrawLine(Surface& target, const Rect& rect, const std::string& text, const TextFont& font,
                          Colour colour) = 0;
    virtual TextSize Extent(const std::string& text, const TextFont& font) = 0;
};

// The process-wide text renderer; null while none is installed. Answers the
// previous one so that a test can put it back.
inline TextRenderer*& TextRendererSlot() {
    static TextRenderer* renderer = nullptr;
    return renderer;
}
inline TextRenderer* InstalledTextRenderer() { return TextRendererSlot(); }
inline TextRenderer* SetTextRenderer(TextRenderer* renderer) {
    TextRenderer* previous = TextRendererSlot();
    TextRendererSlot() = renderer;
    return previous;
}

}  // namespace vantrel
