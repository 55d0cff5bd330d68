#include "controls/ControlDrawing.h"

#include <algorithm>

#include "items/Control.h"
#include "items/PictureStore.h"
#include "items/StringTable.h"
#include "values/Surface.h"
#include "platform/Platform.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {

constexpr int kBackgroundPicture = 555;
constexpr Colour kFaceGrey = Rgb(192, 192, 192);

void NestedFrames(DrawContext& dc, Rect r, int count, Pen topLeft, Pen bottomRight) {
    for (int i = 0; i < count && !r.IsEmpty(); ++i) {
        dc.Line(topLeft, r.left, r.bottom - 2, r.left, r.top);
        dc.Line(topLeft, r.left, r.top, r.right - 2, r.top);
        dc.Line(bottomRight, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
        dc.Line(bottomRight, r.right - 1, r.bottom - 1, r.left + 1, r.bottom - 1);
        r = r.Inset(1);
    }
}

}  // namespace

void DrawEdge(DrawContext& dc, const Rect& rect, bool sunk, int width) {
    NestedFrames(dc, rect, width, sunk ? Pen::Black : Pen::White, sunk ? Pen::White : Pen::Black);
}

void DrawFace(Control& control, DrawContext& dc, int captionId, int parts) {
    const Rect& rect = control.Rectangle();
    const SettingsStore& store = SettingsStore::Instance();
    const int style = control.StyleId();
    PictureStore* media = control.Media();
    if (parts & kFaceBackground) {
        const SkinElement* imageElement = store.ImageElement(style);
        const int imageId = imageElement ? imageElement->id : 0;
        const Surface* picture = nullptr;
        // The application background is never stretched: it is the tiled
        // fallback below, and stretched it would smear over large panes.
        if (imageId != 0 && imageId != kBackgroundPicture && media && media->HasPicture(imageId))
            picture = media->Picture(imageId);
        if (picture && !picture->IsEmpty()) {
            // At its own shape, boxed with the style's background.
            const Rect place = AspectFitted(rect, picture->Width(), picture->Height(), dc.PixelAspect());
            if (place != rect) {
                const Colour background = store.Background(style);
                dc.FillRect(rect, background == kNoColour ? kFaceGrey : background);
            }
            dc.StretchPicture(*picture, picture->Bounds(), place);
        } else if (const Colour background = store.Background(style); background == kNoColour) {
            dc.FillRect(rect, kFaceGrey);
            const Surface* tiles = media && media->HasPicture(kBackgroundPicture) ? media->Picture(kBackgroundPicture)
                                                                                  : nullptr;
            if (tiles && !tiles->IsEmpty()) dc.TilePicture(*tiles, rect);
        } else {
            dc.FillRect(rect, background);
        }
    }
    if (parts & kFaceCaption) {
        const Colour foreground = store.Foreground(style);
        std::string caption;
        if (control.PendingCaption()) {
            caption = *control.PendingCaption();
            control.SetPendingCaption(std::nullopt);
        } else {
            caption = Str(captionId);
        }
        TextStyle text;
        text.colour = foreground == kNoColour ? Rgb(0, 0, 0) : foreground;
        text.background = kNoColour;
        text.centred = true;
        text.ellipsis = true;
        // Clear of the 3-D edges, so that a long caption is cut short
        // before it runs into the frame of a narrow control.
        constexpr int kCaptionMargin = 3;
        const Rect room = rect.Width() > 4 * kCaptionMargin
                              ? Rect{rect.left + kCaptionMargin, rect.top, rect.right - kCaptionMargin, rect.bottom}
                              : rect;
        dc.Text(caption, room, text);
    }
}

int DrawFlash(Control& control, DrawContext& dc, const Rect& rect) {
    const int count = control.FlashCount();
    if (count <= 0) {
        control.SetFlashCount(0);
        return 0;
    }
    const std::uint32_t now = Platform().clock ? Platform().clock->TickCount() : 0;
    const Pen pen = (now & 0x300) ? Pen::Red : (now & 0x80) ? Pen::Green : Pen::Blue;
    NestedFrames(dc, rect, count, pen, pen);
    control.SetFlashCount(count - 1);
    return count - 1;
}

double LinearMap(double x, double outMin, double outMax, double inMin, double inMax) {
    if (inMin >= inMax || outMin >= outMax) return outMin;
    x = std::clamp(x, inMin, inMax);
    const double v = outMin + (outMax - outMin) * (x - inMin) / (inMax - inMin);
    return std::clamp(v, outMin, outMax);
}

void DrawPlainControl(Control& control, DrawContext& dc) {
    DrawFace(control, dc, control.GetId(), kFaceBackground | kFaceCaption);
    DrawFlash(control, dc, control.Rectangle());
}

void DrawPushButton(Control& control, DrawContext& dc) {
    DrawFace(control, dc, control.GetId(), kFaceBackground | kFaceCaption);
    if (control.FlashCount() > 0)
        DrawFlash(control, dc, control.Rectangle());
    else
        DrawEdge(dc, control.Rectangle(), control.Press() == Control::kPressed, control.Metric(0));
}

}  // namespace vantrel
