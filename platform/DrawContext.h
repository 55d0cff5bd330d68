#pragma once
#include <string>

#include "values/Colour.h"
#include "values/Rect.h"

namespace vantrel {

class Surface;

// The seven pens of the application: solid, one pixel wide.
enum class Pen { Red, Green, Blue, Black, White, Grey, DarkGrey };
Colour PenColour(Pen pen);

struct TextStyle {
    Colour colour = 0;
    Colour background = kNoColour;  // kNoColour: transparent background
    bool centred = true;            // one line, centred both ways
    bool ellipsis = true;           // cut with "..." when too wide
    int heightPx = 0;               // 0: the default font
    bool bold = false;
    // The reading face of pages: "Times New Roman" where installed, else the
    // desktop's serif face.
    bool serif = false;
    int pointSize = 0;  // > 0: points at the screen's vertical resolution, instead of heightPx
};

struct TextSize {
    int width = 0, height = 0;
};

// What items may draw with. Lines follow the GDI rule: the end point is
// not drawn. Nothing is anti-aliased, so pixels are exact.
class DrawContext {
public:
    virtual ~DrawContext() = default;
    virtual void Line(Pen pen, int x0, int y0, int x1, int y1) = 0;
    virtual void FillRect(const Rect& rect, Colour colour) = 0;
    virtual void StretchPicture(const Surface& picture, const Rect& source, const Rect& dest) = 0;
    virtual void TilePicture(const Surface& picture, const Rect& dest) = 0;
    virtual void Text(const std::string& text, const Rect& rect, const TextStyle& style) = 0;
    virtual TextSize TextExtent(const std::string& text, int heightPx = 0) = 0;
    // The extent in the style's face, weight and size.
    virtual TextSize MeasureText(const std::string& text, const TextStyle& style) {
        return TextExtent(text, style.heightPx);
    }
    virtual Colour PixelAt(int x, int y) = 0;
    virtual void SetClip(const Rect& rect) = 0;
    virtual void ClearClip() = 0;
    // The shape of one unit on the device: its width over its height. A
    // window stretches the layout to its client area with a scale for each
    // axis; what has a shape of its own is drawn undistorted by allowing
    // for this (text does so by itself).
    virtual double PixelAspect() const { return 1.0; }
};

// Where a picture of width x height stands in `room`, at its own
// proportions on a device of that pixel aspect, as large as fits times
// `scale`, centred; empty when there is nothing to fit.
Rect AspectFitted(const Rect& room, int width, int height, double pixelAspect, double scale = 1.0);

}  // namespace vantrel
