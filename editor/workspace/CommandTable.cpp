#include "editor/workspace/CommandTable.h"

#include <algorithm>
#include <array>

#include "items/StringTable.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "items/Version.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "values/Messages.h"

namespace vantrel {

namespace {
constexpr ResultFlags kRedraw = kRelayout | kRepaint;

ResultFlags When(bool done, ResultFlags flags) { return done ? flags : 0; }

bool HasPath(const Workspace& root) { return !root.ProjectPath().empty(); }
bool HasMaterial(const Workspace& root) { return root.HasVideo() || root.HasAudio(); }
bool HasVideo(const Workspace& root) { return root.HasVideo(); }
bool HasAudio(const Workspace& root) { return root.HasAudio(); }
bool IsArrangement(const Workspace& root) { return root.IsArrangement(); }
bool Pending(const Workspace& root) { return root.IsChanged(); }
bool ExamplesAllowed(const Workspace& root) { return ExampleProjectsAllowed(root); }
bool HasCurrentEffect(const Workspace& root) { return root.Editor().Panels().CurrentEffect(); }

// A running make keeps its own layout (the preview alone, with StartTime,
// Stop and Size) until it ends: lay it out once now, as Arrange will not.
bool StartMakeKeepingItsLayout(Workspace& root) {
    if (!StartMake(root)) return false;
    EditorWindow& editor = root.Editor();
    const Rect client = root.GetWindow() ? root.GetWindow()->ClientRect() : editor.Layout().area;
    editor.LayOut(client.Width(), client.Height());
    return true;
}

constexpr std::uint32_t Letter(char c) { return kVkA + std::uint32_t(c - 'A'); }
constexpr std::uint32_t Ctrl(char c) { return kKeyWithControl | Letter(c); }
constexpr std::uint32_t CtrlShift(char c) { return kKeyWithControl | kKeyWithShift | Letter(c); }
constexpr int kAboutText = 907;

bool HasClips(const Workspace& root) { return root.ShownArrangement()->ChildCount() > 0; }
bool HasCurrentClip(const Workspace& root) { return root.ShownArrangement()->CurrentChild() != nullptr; }

// The menu bar's Delete, Duplicate and Split work on the current clip as its
// own menu does.
ResultFlags RunOnCurrentClip(Workspace& root, Window* window, int command) {
    Clip* clip = root.ShownArrangement()->CurrentChild();
    return clip ? root.Editor().RunClipEntry(window, clip, command) : 0;
}

// Moving the time by hand ends a playback of the arrangement first, so that
// the playback does not move it back.
void StopPlaying(Workspace& root) {
    if (root.PlayingArrangement()) root.StopWorkAndWait();
}

ResultFlags PlayOrStop(Workspace& root) {
    if (root.State()->Activity() & kActivityPlay) {
        root.State()->SetStopRequest(true);
        return kRepaint;
    }
    return When(root.PlayArrangement(1), kRelayout | kRepaint);
}

// L (direction 1) plays forward, and again doubles the speed up to 8; J
// likewise backward. Turning round starts again at the normal speed.
ResultFlags Shuttle(Workspace& root, int direction) {
    int speed = direction;
    if (root.PlayingArrangement()) {
        const int now = root.State()->PlaySpeed();
        if ((now > 0) == (direction > 0)) speed = std::clamp(now * 2, -8, 8);
    }
    return When(root.PlayArrangement(speed), kRelayout | kRepaint);
}

ResultFlags MoveBy(Workspace& root, ResultFlags (EditorWindow::*move)(int), int direction) {
    StopPlaying(root);
    return (root.Editor().*move)(direction);
}

ResultFlags GoToEnd(Workspace& root, bool end) {
    StopPlaying(root);
    return root.SetGlobalTime(end ? SaturatingAdd(root.GetPosition(), root.GetSize()) : root.GetPosition());
}

// Closing the window asks the save-changes question, as its close box does.
ResultFlags Quit(Workspace& root, Window* window) {
    if (Window* w = window ? window : root.GetWindow()) w->Close();
    return 0;
}

ResultFlags About(Workspace& root, Window* window) {
    if (Dialogs* dialogs = Platform().dialogs) {
        MessageBoxRequest request;
        request.text = std::string(VANTREL_PRODUCT_VERSION) + "\n\n" + Str(kAboutText);
        request.caption = Str(kAboutCommand);
        request.icon = BoxIcon::Information;
        dialogs->MessageBox(window ? window : root.GetWindow(), request);
    }
    return 0;
}

ResultFlags ShowTopic(Workspace& root, int topic) {
    root.ShowHelpTopic(topic);
    return kRepaint;
}

ResultFlags PaneLayout(Workspace& root, int focus) { return root.Editor().SetPaneLayout(focus); }

constexpr int kKeys = kKeyboardHelpCommand;  // the help topic of the keys
constexpr int kWindowPage = 555;  // the window's panes
constexpr int kWelcomePage = 215;

// In id order, so that a lookup can halve.
constexpr std::array kRows = {
    CommandRow{kImportClipCommand, 0, IsArrangement,
               [](Workspace& r, Window* w) { return When(ImportClipByDialog(r, w), kChanged | kRepaint); }, Ctrl('I'), 0, kFileBarMenu, 21},
    CommandRow{kOpenProjectCommand, 0, nullptr, [](Workspace& r, Window*) { return When(OpenProject(r), kRedraw); }, Ctrl('O'), 0, kFileBarMenu, 2},
    CommandRow{kSaveProjectCommand, 0, HasPath, [](Workspace& r, Window*) { return When(SaveProject(r), kRepaint); }, Ctrl('S'), 0, kFileBarMenu, 11},
    CommandRow{kSaveAsCommand, 0, nullptr, [](Workspace& r, Window*) { return When(SaveProjectAs(r), kRepaint); }, CtrlShift('S'), 0, kFileBarMenu, 12},
    CommandRow{kDeleteClipCommand, 0, HasCurrentClip,
               [](Workspace& r, Window* w) { return RunOnCurrentClip(r, w, kDeleteClipCommand); }, kVkDelete, 0, kEditBarMenu, 23},
    CommandRow{kGenerateCommand, 0, HasMaterial, [](Workspace& r, Window*) { return When(StartMakeKeepingItsLayout(r), kRepaint); }},
    CommandRow{kNewProjectCommand, 0, nullptr, [](Workspace& r, Window*) { return When(NewProject(r), kRedraw); }, Ctrl('N'), 0, kFileBarMenu, 1},
    CommandRow{kUpdateCommand, 0, nullptr, [](Workspace& r, Window* w) { return ProgramCommand(r, w, kUpdateCommand); }},
    // Only what runs is stopped: K let go after K+L must leave nothing behind.
    CommandRow{kStopCommand, 0, nullptr,
               [](Workspace& r, Window*) -> ResultFlags {
                   if (!r.State()->Busy()) return 0;
                   r.State()->SetStopRequest(true);
                   return kRepaint;
               }, Letter('K'), 0, kPlayBarMenu, 4},
    CommandRow{kClipTypeIconCommand, 0, nullptr, [](Workspace& r, Window* w) { return When(ShowClipInfo(r, w), 0); }},
    CommandRow{kWorkWithOpacitiesCommand, 0, HasVideo,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.WorkWithOpacities();
                   r.Editor().Panels().ShowList(false);
                   return kRepaint;
               }},
    CommandRow{kWorkWithVolumesCommand, 0, HasAudio,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.WorkWithVolumes();
                   r.Editor().Panels().ShowList(true);
                   return kRepaint;
               }},
    CommandRow{kEditPageCommand, 0, nullptr, [](Workspace& r, Window* w) { return ProgramCommand(r, w, kEditPageCommand); }},
    CommandRow{kRevertCommand, 0, HasPath, [](Workspace& r, Window*) { return When(RevertToSaved(r), kRedraw); }, 0, 0, kFileBarMenu, 13},
    CommandRow{kBeatsPerMinuteField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kBeatsPerMinuteField); }},
    CommandRow{kUnitsPerBarField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kUnitsPerBarField); }},
    CommandRow{kUnitSizeField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kUnitSizeField); }},
    CommandRow{kQuantizeField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kQuantizeField); }},
    CommandRow{kAutoAdjustCommand, 0, nullptr, [](Workspace& r, Window*) { return r.AutoAdjustMakeStrip(); }},
    CommandRow{kApplyCommand, 0, Pending,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.CommitAll();
                   return kRepaint;
               }, 0, 0, kEditBarMenu, 11},
    CommandRow{kUndoCommand, 0, Pending, [](Workspace& r, Window*) { return When(UndoChanges(r), kRepaint); }},
    CommandRow{kBackwardCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().StepTime(-1); }},
    CommandRow{kForewardCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().StepTime(1); }},
    CommandRow{kMakeStartTimeCommand, 0, nullptr, [](Workspace& r, Window*) { return SetMakeBoundToTime(r, false); }, Letter('I'), 0, kPlayBarMenu, 41},
    CommandRow{kMakeEndTimeCommand, 0, nullptr, [](Workspace& r, Window*) { return SetMakeBoundToTime(r, true); }, Letter('O'), 0, kPlayBarMenu, 42},
    CommandRow{kVideoFormatCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(ChooseVideoFormat(r, w), kChanged | kRedraw); }},
    CommandRow{kFramesPerSecondCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(ChooseFrameRate(r, w), kChanged | kRepaint); }},
    CommandRow{kMakeCommand, 0, nullptr, [](Workspace& r, Window*) { return When(StartMakeKeepingItsLayout(r), kRepaint); }, Ctrl('M'), 0, kFileBarMenu, 22},
    CommandRow{kWorkWithAudioEffectsCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().Panels().ShowList(true); }},
    CommandRow{kWorkWithVideoEffectsCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().Panels().ShowList(false); }},
    CommandRow{kAddAudioEffectCommand, 0, nullptr, [](Workspace& r, Window* w) { return r.Editor().Panels().AddEffectByMenu(w, false); }},
    CommandRow{kAddVideoEffectCommand, 0, nullptr, [](Workspace& r, Window* w) { return r.Editor().Panels().AddEffectByMenu(w, true); }},
    CommandRow{kClipInfoCommand, 0, nullptr, [](Workspace& r, Window* w) { return When(ShowClipInfo(r, w), 0); }},
    CommandRow{kMuteAudioCommand, 0, nullptr, [](Workspace& r, Window*) { return ToggleMute(r, true); }},
    CommandRow{kMuteVideoCommand, 0, nullptr, [](Workspace& r, Window*) { return ToggleMute(r, false); }},
    CommandRow{kScaleOutputCommand, 0, nullptr, [](Workspace&, Window*) -> ResultFlags { return kRepaint; }},
    CommandRow{kNewMediaClipCommand, 0, IsArrangement,
               [](Workspace& r, Window* w) { return When(NewMediaClipByMenu(r, w), kChanged | kRepaint); }},
    CommandRow{kExampleProjectCommand, 0, ExamplesAllowed,
               [](Workspace& r, Window*) { return When(LoadExampleProject(r), kRedraw); }, 0, 0, kFileBarMenu, 4},
    CommandRow{kPreferencesCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return ProgramCommand(r, w, kPreferencesCommand) | kRelayout; }, 0, 0, kEditBarMenu, 31},
    CommandRow{kZoomInHorizontalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomInHorizontal(); }, 0, 0, kViewBarMenu, 22},
    CommandRow{kZoomOutHorizontalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomOutHorizontal(); }, 0, 0, kViewBarMenu, 23},
    CommandRow{kZoomInVerticalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomInVertical(); }, 0, 0, kViewBarMenu, 24},
    CommandRow{kZoomOutVerticalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomOutVertical(); }, 0, 0, kViewBarMenu, 25},
    CommandRow{kFitCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().FitViewAndMakeStrip(); }, 0, 0, kViewBarMenu, 21},
    CommandRow{kHelpHomeCommand, 0, nullptr,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.ShowHelpTopic(kHelpHomeCommand);
                   return kRepaint;
               }, 0, 0, kHelpBarMenu, 1},
    CommandRow{kEmailSupportCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return ProgramCommand(r, w, kEmailSupportCommand); }},
    CommandRow{kMusicTimeChangeCommand, 0, nullptr, [](Workspace& r, Window*) { return r.MusicTimeChange(); }},
    CommandRow{kCopyCompositeCommand, 0, nullptr, [](Workspace& r, Window*) { return When(CopyPicture(r, true), 0); }},
    CommandRow{kCopySourceFrameCommand, 0, nullptr, [](Workspace& r, Window*) { return When(CopyPicture(r, false), 0); }},
    CommandRow{kSaveCompositeCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(SavePicture(r, w, true), 0); }},
    CommandRow{kSaveSourceFrameCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(SavePicture(r, w, false), 0); }},
    CommandRow{kImportClipUrlCommand, 0, IsArrangement,
               [](Workspace& r, Window* w) { return When(ImportClipUrl(r, w), kChanged | kRepaint); }},
    CommandRow{kProjectUrlCommand, 0, nullptr, [](Workspace& r, Window*) { return When(OpenProjectUrl(r), kRedraw); }, 0, 0, kFileBarMenu, 3},
    CommandRow{kDuplicateClipCommand, 0, HasCurrentClip,
               [](Workspace& r, Window* w) { return RunOnCurrentClip(r, w, kDuplicateClipCommand); }, 0, 0, kEditBarMenu, 21},
    CommandRow{kSplitClipCommand, 0, HasCurrentClip,
               [](Workspace& r, Window* w) { return RunOnCurrentClip(r, w, kSplitClipCommand); }, 0, 0, kEditBarMenu, 22},
    CommandRow{kRemoveEffectCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().RemoveCurrentEffect(); }},
    CommandRow{kMoveEffectUpCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().MoveCurrentEffect(-1); }},
    CommandRow{kMoveEffectDownCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().MoveCurrentEffect(1); }},
    // Offered always: the menus show them greyed when there is no step.
    CommandRow{kUndoLastEditCommand, 0, nullptr, [](Workspace& r, Window*) { return When(r.UndoEdit(), kRedraw); }, Ctrl('Z'), 0, kEditBarMenu, 1},
    CommandRow{kRedoCommand, 0, nullptr, [](Workspace& r, Window*) { return When(r.RedoEdit(), kRedraw); }, CtrlShift('Z'), Ctrl('Y'), kEditBarMenu, 2},
    CommandRow{kSelectAllCommand, 0, HasClips, [](Workspace& r, Window*) { return When(r.ShownArrangement()->SelectAll(), kRelayout | kRepaint); }, Ctrl('A'), 0,
               kEditBarMenu, 24},
    CommandRow{kPlayStopCommand, kKeys, nullptr, [](Workspace& r, Window*) { return PlayOrStop(r); }, kVkSpace, 0, kPlayBarMenu, 1},
    CommandRow{kPlayForwardCommand, kKeys, IsArrangement, [](Workspace& r, Window*) { return Shuttle(r, 1); }, Letter('L'), 0, kPlayBarMenu, 2},
    CommandRow{kPlayBackwardCommand, kKeys, IsArrangement, [](Workspace& r, Window*) { return Shuttle(r, -1); }, Letter('J'), 0, kPlayBarMenu, 3},
    CommandRow{kStepFrameForwardCommand, kKeys, nullptr, [](Workspace& r, Window*) { return MoveBy(r, &EditorWindow::StepFrame, 1); },
               kKeyWhileKHeld | Letter('L'), 0, kPlayBarMenu, 11},
    CommandRow{kStepFrameBackCommand, kKeys, nullptr, [](Workspace& r, Window*) { return MoveBy(r, &EditorWindow::StepFrame, -1); },
               kKeyWhileKHeld | Letter('J'), 0, kPlayBarMenu, 12},
    CommandRow{kGoToStartCommand, kKeys, nullptr, [](Workspace& r, Window*) { return GoToEnd(r, false); }, kVkHome, 0, kPlayBarMenu, 21},
    CommandRow{kGoToEndCommand, kKeys, nullptr, [](Workspace& r, Window*) { return GoToEnd(r, true); }, kVkEnd, 0, kPlayBarMenu, 22},
    CommandRow{kPreviousEdgeCommand, kKeys, nullptr, [](Workspace& r, Window*) { return MoveBy(r, &EditorWindow::GoToClipEdge, -1); },
               kVkPrior, 0, kPlayBarMenu, 31},
    CommandRow{kNextEdgeCommand, kKeys, nullptr, [](Workspace& r, Window*) { return MoveBy(r, &EditorWindow::GoToClipEdge, 1); },
               kVkNext, 0, kPlayBarMenu, 32},
    CommandRow{kQuitCommand, kKeys, nullptr, [](Workspace& r, Window* w) { return Quit(r, w); }, Ctrl('Q'), 0, kFileBarMenu, 31},
    CommandRow{kKeyboardHelpCommand, 0, nullptr, [](Workspace& r, Window*) { return ShowTopic(r, kKeyboardHelpCommand); }, 0, 0,
               kHelpBarMenu, 3},
    CommandRow{kTutorialsCommand, 0, nullptr, [](Workspace& r, Window*) { return ShowTopic(r, kTutorialsCommand); }, 0, 0, kHelpBarMenu, 2},
    CommandRow{kAboutCommand, kWelcomePage, nullptr, [](Workspace& r, Window* w) { return About(r, w); }, 0, 0, kHelpBarMenu, 11},
    CommandRow{kFourPanesCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, 0); }, 0, 0, kViewBarMenu, 1},
    CommandRow{kPreviewPaneCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusUp | kFocusLeft); }, 0, 0, kViewBarMenu, 2},
    CommandRow{kUpperPanesCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusUp); }, 0, 0, kViewBarMenu, 3},
    CommandRow{kClipPaneCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusUp | kFocusRight); }, 0, 0, kViewBarMenu, 4},
    CommandRow{kLeftPanesCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusLeft); }, 0, 0, kViewBarMenu, 5},
    CommandRow{kRightPanesCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusRight); }, 0, 0, kViewBarMenu, 6},
    CommandRow{kBrowserPaneCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusDown | kFocusLeft); }, 0, 0, kViewBarMenu, 7},
    CommandRow{kLowerPanesCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusDown); }, 0, 0, kViewBarMenu, 8},
    CommandRow{kArrangementPaneCommand, kWindowPage, nullptr, [](Workspace& r, Window*) { return PaneLayout(r, kFocusDown | kFocusRight); }, 0, 0,
               kViewBarMenu, 9},
};

constexpr bool InIdOrder() {
    for (std::size_t i = 1; i < kRows.size(); ++i)
        if (kRows[i - 1].id >= kRows[i].id) return false;
    return true;
}
static_assert(InIdOrder(), "the rows must stay in id order");
}  // namespace

std::span<const CommandRow> RootCommandRows() { return kRows; }

const CommandRow* FindRootCommand(int id) {
    const auto* row = std::lower_bound(kRows.begin(), kRows.end(), id,
                                       [](const CommandRow& r, int value) { return r.id < value; });
    return row != kRows.end() && row->id == id ? row : nullptr;
}

int HelpTopicOf(const CommandRow& row) { return row.helpTopic ? row.helpTopic : row.id; }

const std::string& CaptionOf(const CommandRow& row) { return Str(row.id); }

bool IsOffered(const CommandRow& row, const Workspace& root) { return !row.offered || row.offered(root); }

const CommandRow* FindKeyCommand(std::uint32_t key) {
    if ((key & kKeyCodeMask) == 0) return nullptr;
    for (const CommandRow& row : kRows)
        if (row.key == key || row.otherKey == key) return &row;
    return nullptr;
}

std::string KeyName(std::uint32_t key) {
    const std::uint32_t code = key & kKeyCodeMask;
    if (!code) return {};
    std::string name;
    if (key & kKeyWithControl) name += "Ctrl+";
    if (key & kKeyWithShift) name += "Shift+";
    if (key & kKeyWhileKHeld) name += "K+";
    switch (code) {
        case kVkSpace: return name + "Space";
        case kVkHome: return name + "Home";
        case kVkEnd: return name + "End";
        case kVkPrior: return name + "PgUp";
        case kVkNext: return name + "PgDn";
        case kVkDelete: return name + "Del";
        case kVkEscape: return name + "Esc";
        default: break;
    }
    if ((code >= kVkA && code < kVkA + 26) || (code >= kVk0 && code < kVk0 + 10)) return name + char(code);
    if (code >= kVkF1 && code < kVkF1 + 12) return name + "F" + std::to_string(code - kVkF1 + 1);
    return name + "?";
}

}  // namespace vantrel
