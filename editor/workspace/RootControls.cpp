#include "editor/workspace/RootControls.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "items/StringTable.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "controls/ControlDrawing.h"
#include "controls/ValueSlider.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
using K = RootControlKind;

constexpr std::array kRootControls = {
    RootControlRow{1, 1, K::Button},          RootControlRow{387, 387, K::Button},
    RootControlRow{224, 224, K::Button},      RootControlRow{342, 342, K::Button},
    RootControlRow{343, 343, K::Button},      RootControlRow{591, 591, K::Button},
    RootControlRow{477, 477, K::Button},      RootControlRow{120, 120, K::Button},
    RootControlRow{592, 592, K::Button},      RootControlRow{139, 629, K::Button},
    RootControlRow{360, 93, K::Button},       RootControlRow{351, 351, K::Button},
    RootControlRow{352, 352, K::Button},      RootControlRow{350, 350, K::Region},
    RootControlRow{490, 490, K::Region},      RootControlRow{491, 491, K::Region},
    RootControlRow{356, 356, K::MenuButton},  RootControlRow{358, 358, K::MenuButton},
    RootControlRow{361, 361, K::Button},      RootControlRow{362, 362, K::Button},
    RootControlRow{365, 365, K::Button},      RootControlRow{366, 366, K::Button},
    RootControlRow{344, 344, K::TimeField},   RootControlRow{345, 345, K::TimeField},
    RootControlRow{346, 346, K::TimeField},   RootControlRow{382, 382, K::TimeField},
    RootControlRow{367, 367, K::Button},      RootControlRow{207, 207, K::Button},
    RootControlRow{368, 368, K::CheckButton}, RootControlRow{369, 369, K::CheckButton},
    RootControlRow{353, 353, K::Region},      RootControlRow{354, 354, K::Region},
    RootControlRow{355, 355, K::Region},      RootControlRow{383, 383, K::Region},
    RootControlRow{330, 330, K::Region},      RootControlRow{505, 505, K::Button},
    RootControlRow{506, 506, K::Button},      RootControlRow{507, 507, K::Button},
    RootControlRow{508, 508, K::Button},      RootControlRow{509, 509, K::Button},
    RootControlRow{348, 348, K::Button},      RootControlRow{347, 347, K::Button},
    RootControlRow{384, 384, K::Region},      RootControlRow{495, 495, K::Region},
    RootControlRow{496, 496, K::Region},      RootControlRow{497, 497, K::Region},
    RootControlRow{498, 498, K::Region},      RootControlRow{499, 499, K::Region},
    RootControlRow{500, 500, K::Region},      RootControlRow{370, 370, K::ValueControl},
    RootControlRow{335, 335, K::StatusLine},  RootControlRow{636, 636, K::Region},
};

// The info browser and the buttons first, then the time grid, the current
// clip, and last the root's own regions. The time fields, which the
// buttons' list does not name, come right after the zoom buttons.
constexpr std::array kHitOrder = {
    int(kInfoBrowserRegion), 120, 477, 591, 224, 342, 343, 139, 367, 207, 368, 369, 360, 356, 358, 351, 352,
    365, 366, 335, 370, 348, 347, 592, 387, 1, 362, 361, 509, 506, 505, 508, 507, 344, 345, 346, 382,
    636, int(kClipViewRegion), int(kRectanglePanelsRegion),
    // The root's own regions.
    int(kVerticalSplitter), int(kVerticalSplitterLow), int(kHorizontalSplitter), 353, 383, 330, 354, 355, 384,
    495, 496, 497, 498, 499, 500, 350, 490, 491, int(kPanelRegion), int(kCurveViewRegion), int(kPreviewRegion),
};
}  // namespace

std::span<const RootControlRow> RootControlRows() { return kRootControls; }
std::span<const int> RootHitOrder() { return kHitOrder; }

std::unique_ptr<Control> MakeRootControl(const RootControlRow& row) {
    switch (row.kind) {
        case K::Button:
        case K::MenuButton: return std::make_unique<PushButton>();
        case K::CheckButton: return std::make_unique<CheckButton>();
        case K::TimeField: return std::make_unique<TimeField>();
        case K::StatusLine: return std::make_unique<StatusLine>();
        case K::ValueControl: {
            auto slider = std::make_unique<ValueSlider>();
            slider->SetRange(0.01, 1.0);
            slider->SetValue(1.0);
            return slider;
        }
        case K::Region: return std::make_unique<Control>();
    }
    return nullptr;
}

std::string TimeField::FormatSeconds(std::int32_t ms) {
    char text[64];
    std::snprintf(text, sizeof text, "%0.3f", ms / 1000.0);
    return text;
}

std::optional<std::int32_t> TimeField::ParseSeconds(const std::string& text) {
    // Read as a double: a float turns "1.234" into 1233 ms. The nudge keeps
    // typed thousandths such as "4.35" from falling a millisecond short.
    double seconds = 0;
    if (std::sscanf(text.c_str(), "%lf", &seconds) != 1 || !std::isfinite(seconds)) return std::nullopt;
    const double ms = std::trunc(seconds * 1000.0 + std::copysign(1e-6, seconds));
    if (ms < std::numeric_limits<std::int32_t>::min() || ms > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(ms);
}

void TimeField::DrawContent(DrawContext& dc) {
    if (rect_.IsEmpty()) return;
    SetPendingCaption(Str(id_) + "  " + FormatSeconds(get_ ? get_() : 0));
    Control::DrawContent(dc);
    DrawEdge(dc, rect_, true, Metric(0));
}

ResultFlags TimeField::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (message == kLeftButtonDoubleClick && rect_.Contains(x, y) && !(keyFlags & kControlHeld)) {
        if (!Platform().dialogs || !get_ || !set_) return FinishInput(0);
        const auto answer = Platform().dialogs->TextEntry(window, Str(id_), Str(id_), FormatSeconds(get_()));
        if (!answer) return FinishInput(0);
        const auto ms = ParseSeconds(*answer);
        return FinishInput(ms ? set_(*ms) | kRepaint : 0);
    }
    return Control::Input(window, message, x, y, keyFlags);
}

void StatusLine::DrawContent(DrawContext& dc) {
    if (rect_.IsEmpty()) return;
    SetPendingCaption(text_ ? text_() : std::string());
    Control::DrawContent(dc);
    DrawEdge(dc, rect_, true, Metric(0));
}

void CheckButton::DrawContent(DrawContext& dc) {
    const int press = press_;
    if (checked_ && press_ == kUp) press_ = kPressed;
    PushButton::DrawContent(dc);
    press_ = press;
}

}  // namespace vantrel
