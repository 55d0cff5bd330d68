#include "editor/workspace/RootControls.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "items/StringTable.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "controls/ControlDrawing.h"
#include "controls/ValueSlider.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
using K = RootControlKind;
// Skin styles of the two buttons whose look is not their caption's.
constexpr int kStopButtonStyle = 629;  // "Color Coding Stop Button"
constexpr int kMakeButtonStyle = 93;   // "Make Button"

constexpr std::array kRootControls = {
    RootControlRow{kImportClipCommand, kImportClipCommand, K::Button},
    RootControlRow{kNewMediaClipCommand, kNewMediaClipCommand, K::Button},
    RootControlRow{kEditPageCommand, kEditPageCommand, K::Button},
    RootControlRow{kApplyCommand, kApplyCommand, K::Button},
    RootControlRow{kUndoCommand, kUndoCommand, K::Button},
    RootControlRow{kHelpHomeCommand, kHelpHomeCommand, K::Button},
    RootControlRow{kPreferencesCommand, kPreferencesCommand, K::Button},
    RootControlRow{kUpdateCommand, kUpdateCommand, K::Button},
    RootControlRow{kEmailSupportCommand, kEmailSupportCommand, K::Button},
    RootControlRow{kStopCommand, kStopButtonStyle, K::Button},
    RootControlRow{kMakeCommand, kMakeButtonStyle, K::Button},
    RootControlRow{kMakeStartTimeCommand, kMakeStartTimeCommand, K::Button},
    RootControlRow{kMakeEndTimeCommand, kMakeEndTimeCommand, K::Button},
    RootControlRow{kMakeStripRegion, kMakeStripRegion, K::Region},
    RootControlRow{kMakeStripStartRegion, kMakeStripStartRegion, K::Region},
    RootControlRow{kMakeStripEndRegion, kMakeStripEndRegion, K::Region},
    RootControlRow{kVideoFormatCommand, kVideoFormatCommand, K::MenuButton},
    RootControlRow{kFramesPerSecondCommand, kFramesPerSecondCommand, K::MenuButton},
    RootControlRow{kWorkWithAudioEffectsCommand, kWorkWithAudioEffectsCommand, K::Button},
    RootControlRow{kWorkWithVideoEffectsCommand, kWorkWithVideoEffectsCommand, K::Button},
    RootControlRow{kAddAudioEffectCommand, kAddAudioEffectCommand, K::Button},
    RootControlRow{kAddVideoEffectCommand, kAddVideoEffectCommand, K::Button},
    RootControlRow{kPositionField, kPositionField, K::TimeField},
    RootControlRow{kSizeField, kSizeField, K::TimeField},
    RootControlRow{kGlobalTimeField, kGlobalTimeField, K::TimeField},
    RootControlRow{kClipOffsetField, kClipOffsetField, K::TimeField},
    RootControlRow{kClipInfoCommand, kClipInfoCommand, K::Button},
    RootControlRow{kClipTypeIconCommand, kClipTypeIconCommand, K::Button},
    RootControlRow{kMuteAudioCommand, kMuteAudioCommand, K::CheckButton},
    RootControlRow{kMuteVideoCommand, kMuteVideoCommand, K::CheckButton},
    RootControlRow{kArrangementWindowRegion, kArrangementWindowRegion, K::Region},
    RootControlRow{kArrangementSliderRegion, kArrangementSliderRegion, K::Region},
    RootControlRow{kArrangementScrollerRegion, kArrangementScrollerRegion, K::Region},
    RootControlRow{kTopRulerRegion, kTopRulerRegion, K::Region},
    RootControlRow{kBottomRulerRegion, kBottomRulerRegion, K::Region},
    RootControlRow{kZoomInHorizontalCommand, kZoomInHorizontalCommand, K::Button},
    RootControlRow{kZoomOutHorizontalCommand, kZoomOutHorizontalCommand, K::Button},
    RootControlRow{kZoomInVerticalCommand, kZoomInVerticalCommand, K::Button},
    RootControlRow{kZoomOutVerticalCommand, kZoomOutVerticalCommand, K::Button},
    RootControlRow{kFitCommand, kFitCommand, K::Button},
    RootControlRow{kForewardCommand, kForewardCommand, K::Button},
    RootControlRow{kBackwardCommand, kBackwardCommand, K::Button},
    RootControlRow{kCurrentClipRegion, kCurrentClipRegion, K::Region},
    RootControlRow{kLeftSizingGripRegion, kLeftSizingGripRegion, K::Region},
    RootControlRow{kRightSizingGripRegion, kRightSizingGripRegion, K::Region},
    RootControlRow{kNorthWestHandleRegion, kNorthWestHandleRegion, K::Region},
    RootControlRow{kNorthEastHandleRegion, kNorthEastHandleRegion, K::Region},
    RootControlRow{kSouthWestHandleRegion, kSouthWestHandleRegion, K::Region},
    RootControlRow{kSouthEastHandleRegion, kSouthEastHandleRegion, K::Region},
    RootControlRow{kScaleOutputCommand, kScaleOutputCommand, K::ValueControl},
    RootControlRow{kStatusLineControl, kStatusLineControl, K::StatusLine},
    RootControlRow{kMusicTimeChangeCommand, kMusicTimeChangeCommand, K::Button},
    RootControlRow{kBeatsPerMinuteField, kBeatsPerMinuteField, K::Setting},
    RootControlRow{kUnitSizeField, kUnitSizeField, K::Setting},
    RootControlRow{kUnitsPerBarField, kUnitsPerBarField, K::Setting},
    RootControlRow{kQuantizeField, kQuantizeField, K::Setting},
};

// The info browser and the buttons first, then the time grid, the current
// clip, and last the root's own regions. The time fields, which the
// buttons' list does not name, come right after the zoom buttons.
constexpr int kHitOrder[] = {
    kInfoBrowserRegion, kUpdateCommand, kPreferencesCommand, kHelpHomeCommand, kEditPageCommand,
    kApplyCommand, kUndoCommand, kStopCommand, kClipInfoCommand, kClipTypeIconCommand, kMuteAudioCommand,
    kMuteVideoCommand, kMakeCommand, kVideoFormatCommand, kFramesPerSecondCommand, kMakeStartTimeCommand,
    kMakeEndTimeCommand,
    kAddAudioEffectCommand, kAddVideoEffectCommand, kStatusLineControl, kScaleOutputCommand, kForewardCommand,
    kBackwardCommand, kEmailSupportCommand, kNewMediaClipCommand, kImportClipCommand,
    kWorkWithVideoEffectsCommand, kWorkWithAudioEffectsCommand, kFitCommand, kZoomOutHorizontalCommand,
    kZoomInHorizontalCommand, kZoomOutVerticalCommand, kZoomInVerticalCommand, kPositionField, kSizeField,
    kGlobalTimeField, kClipOffsetField,
    kMusicTimeChangeCommand, kBeatsPerMinuteField, kUnitSizeField, kUnitsPerBarField, kQuantizeField,
    kClipViewRegion, kRectanglePanelsRegion,
    // The root's own regions.
    kVerticalSplitter, kVerticalSplitterLow, kHorizontalSplitter, kArrangementWindowRegion, kTopRulerRegion,
    kBottomRulerRegion, kArrangementSliderRegion, kArrangementScrollerRegion, kCurrentClipRegion,
    kLeftSizingGripRegion, kRightSizingGripRegion, kNorthWestHandleRegion, kNorthEastHandleRegion,
    kSouthWestHandleRegion, kSouthEastHandleRegion, kMakeStripRegion, kMakeStripStartRegion,
    kMakeStripEndRegion, kPanelRegion, kCurveViewRegion, kPreviewRegion,
};
}  // namespace

std::span<const RootControlRow> RootControlRows() { return kRootControls; }
std::span<const int> RootHitOrder() { return kHitOrder; }

std::unique_ptr<Control> MakeRootControl(const RootControlRow& row) {
    switch (row.kind) {
        case K::Button:
        case K::MenuButton: return std::make_unique<PushButton>();
        case K::CheckButton: return std::make_unique<CheckButton>();
        case K::Setting: return std::make_unique<SettingButton>();
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

void SettingButton::DrawContent(DrawContext& dc) {
    if (rect_.IsEmpty()) return;
    if (text_) SetPendingCaption(text_());
    PushButton::DrawContent(dc);
}

void CheckButton::DrawContent(DrawContext& dc) {
    const int press = press_;
    if (checked_ && press_ == kUp) press_ = kPressed;
    PushButton::DrawContent(dc);
    press_ = press;
}

}  // namespace vantrel
