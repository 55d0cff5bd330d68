#include "editor/workspace/CommandTable.h"

#include <algorithm>
#include <array>

#include "items/StringTable.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "platform/Window.h"

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

// In id order, so that a lookup can halve.
constexpr std::array kRows = {
    CommandRow{kImportClipCommand, 0, IsArrangement,
               [](Workspace& r, Window* w) { return When(ImportClipByDialog(r, w), kChanged | kRepaint); }},
    CommandRow{kOpenProjectCommand, 0, nullptr, [](Workspace& r, Window*) { return When(OpenProject(r), kRedraw); }},
    CommandRow{kSaveProjectCommand, 0, HasPath, [](Workspace& r, Window*) { return When(SaveProject(r), kRepaint); }},
    CommandRow{kSaveAsCommand, 0, nullptr, [](Workspace& r, Window*) { return When(SaveProjectAs(r), kRepaint); }},
    CommandRow{kGenerateCommand, 0, HasMaterial, [](Workspace& r, Window*) { return When(StartMakeKeepingItsLayout(r), kRepaint); }},
    CommandRow{kNewProjectCommand, 0, nullptr, [](Workspace& r, Window*) { return When(NewProject(r), kRedraw); }},
    CommandRow{kUpdateCommand, 0, nullptr, [](Workspace& r, Window* w) { return ProgramCommand(r, w, kUpdateCommand); }},
    CommandRow{kStopCommand, 0, nullptr,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.State()->SetStopRequest(true);
                   return kRepaint;
               }},
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
    CommandRow{kRevertCommand, 0, HasPath, [](Workspace& r, Window*) { return When(RevertToSaved(r), kRedraw); }},
    CommandRow{kBeatsPerMinuteField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kBeatsPerMinuteField); }},
    CommandRow{kUnitsPerBarField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kUnitsPerBarField); }},
    CommandRow{kUnitSizeField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kUnitSizeField); }},
    CommandRow{kQuantizeField, 0, IsArrangement, [](Workspace& r, Window* w) { return AskTimeGridSetting(r, w, kQuantizeField); }},
    CommandRow{kAutoAdjustCommand, 0, nullptr, [](Workspace& r, Window*) { return r.AutoAdjustMakeStrip(); }},
    CommandRow{kApplyCommand, 0, Pending,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.CommitAll();
                   return kRepaint;
               }},
    CommandRow{kUndoCommand, 0, Pending, [](Workspace& r, Window*) { return When(UndoChanges(r), kRepaint); }},
    CommandRow{kBackwardCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().StepTime(-1); }},
    CommandRow{kForewardCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().StepTime(1); }},
    CommandRow{kMakeStartTimeCommand, 0, nullptr, [](Workspace& r, Window*) { return SetMakeBoundToTime(r, false); }},
    CommandRow{kMakeEndTimeCommand, 0, nullptr, [](Workspace& r, Window*) { return SetMakeBoundToTime(r, true); }},
    CommandRow{kVideoFormatCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(ChooseVideoFormat(r, w), kChanged | kRedraw); }},
    CommandRow{kFramesPerSecondCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return When(ChooseFrameRate(r, w), kChanged | kRepaint); }},
    CommandRow{kMakeCommand, 0, nullptr, [](Workspace& r, Window*) { return When(StartMakeKeepingItsLayout(r), kRepaint); }},
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
               [](Workspace& r, Window*) { return When(LoadExampleProject(r), kRedraw); }},
    CommandRow{kPreferencesCommand, 0, nullptr,
               [](Workspace& r, Window* w) { return ProgramCommand(r, w, kPreferencesCommand) | kRelayout; }},
    CommandRow{kZoomInHorizontalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomInHorizontal(); }},
    CommandRow{kZoomOutHorizontalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomOutHorizontal(); }},
    CommandRow{kZoomInVerticalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomInVertical(); }},
    CommandRow{kZoomOutVerticalCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().ZoomOutVertical(); }},
    CommandRow{kFitCommand, 0, nullptr, [](Workspace& r, Window*) { return r.Editor().View().FitViewAndMakeStrip(); }},
    CommandRow{kHelpHomeCommand, 0, nullptr,
               [](Workspace& r, Window*) -> ResultFlags {
                   r.ShowHelpTopic(kHelpHomeCommand);
                   return kRepaint;
               }},
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
    CommandRow{kProjectUrlCommand, 0, nullptr, [](Workspace& r, Window*) { return When(OpenProjectUrl(r), kRedraw); }},
    CommandRow{kRemoveEffectCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().RemoveCurrentEffect(); }},
    CommandRow{kMoveEffectUpCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().MoveCurrentEffect(-1); }},
    CommandRow{kMoveEffectDownCommand, 0, HasCurrentEffect, [](Workspace& r, Window*) { return r.Editor().Panels().MoveCurrentEffect(1); }},
    // Offered always: the menus show them greyed when there is no step.
    CommandRow{kUndoLastEditCommand, 0, nullptr, [](Workspace& r, Window*) { return When(r.UndoEdit(), kRedraw); }},
    CommandRow{kRedoCommand, 0, nullptr, [](Workspace& r, Window*) { return When(r.RedoEdit(), kRedraw); }},
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

}  // namespace vantrel
