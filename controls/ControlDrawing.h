#pragma once
#include "values/Rect.h"

namespace vantrel {

class Control;
class DrawContext;

// The few primitives every control paints with. Only the seven fixed pens
// draw lines; fills and pictures come from the skin.

// Nested one-pixel line rectangles, light over dark when raised and the
// other way round when sunk, narrowing inwards until the rectangle is empty.
void DrawEdge(DrawContext& dc, const Rect& rect, bool sunk, int width);

enum FaceParts { kFaceCaption = 1, kFaceBackground = 2 };
// The control's face from the skin element of its style id: picture,
// colour or the tiled application background, then the caption (the
// pending caption once, else the text of captionId).
void DrawFace(Control& control, DrawContext& dc, int captionId, int parts);

// The attention frame: as many lines as paints remain, in a colour that
// follows the clock. Answers the flash count left after this paint.
int DrawFlash(Control& control, DrawContext& dc, const Rect& rect);

// x from [inMin, inMax] onto [outMin, outMax], clamped at both ends; a
// range that is empty or reversed answers outMin.
double LinearMap(double x, double outMin, double outMax, double inMin, double inMax);

// Face with caption, then the attention frame.
void DrawPlainControl(Control& control, DrawContext& dc);
// Face with caption, then the attention frame while it lasts, else the
// edge, sunk while pressed.
void DrawPushButton(Control& control, DrawContext& dc);

}  // namespace vantrel
