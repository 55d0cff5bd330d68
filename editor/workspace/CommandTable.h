#pragma once
#include <span>
#include <string>

#include "items/ResultFlags.h"

namespace vantrel {

class Window;
class Workspace;

// One row per command of the root. The command number is also the string
// id of its caption, so a skin or a language replaces the caption of the
// button, the menu entry and the hover text at once. A button's click, a
// menu choice, a key and a script's "Command" all come here.
struct CommandRow {
    int id;
    // The page F1 opens over the command's control; 0: the page of the id.
    int helpTopic;
    // Whether the command is offered now; null: always.
    bool (*offered)(const Workspace& root);
    ResultFlags (*run)(Workspace& root, Window* window);
};

std::span<const CommandRow> RootCommandRows();
// Null when the root has no such command.
const CommandRow* FindRootCommand(int id);
int HelpTopicOf(const CommandRow& row);
// The caption from the skinnable texts.
const std::string& CaptionOf(const CommandRow& row);
bool IsOffered(const CommandRow& row, const Workspace& root);

// Command numbers the root's keys and menus use by name.
enum RootCommand : int {
    kImportClipCommand = 1,
    kWorkWithOpacitiesCommand = 209,
    kWorkWithVolumesCommand = 210,
    kGenerateCommand = 98,
    kOpenProjectCommand = 25,
    kSaveProjectCommand = 26,
    kSaveAsCommand = 27,
    kNewProjectCommand = 99,
    kStopCommand = 139,
    kRevertCommand = 306,
    kAutoAdjustCommand = 340,
    kApplyCommand = 342,
    kUndoCommand = 343,
    kBackwardCommand = 347,
    kForewardCommand = 348,
    kMakeCommand = 360,
    kMuteAudioCommand = 368,
    kMuteVideoCommand = 369,
    kNewMediaClipCommand = 387,
    kExampleProjectCommand = 473,
    kZoomInHorizontalCommand = 505,
    kZoomOutHorizontalCommand = 506,
    kZoomInVerticalCommand = 507,
    kZoomOutVerticalCommand = 508,
    kFitCommand = 509,
    kMusicTimeChangeCommand = 636,
    kUpdateCommand = 120,
    kClipTypeIconCommand = 207,
    kEditPageCommand = 224,
    kMakeStartTimeCommand = 351,
    kMakeEndTimeCommand = 352,
    kVideoFormatCommand = 356,
    kFramesPerSecondCommand = 358,
    kClipInfoCommand = 367,
    kScaleOutputCommand = 370,
    kPreferencesCommand = 477,
    kHelpHomeCommand = 591,
    kEmailSupportCommand = 592,
    kCopyCompositeCommand = 643,
    kCopySourceFrameCommand = 644,
    kSaveCompositeCommand = 649,
    kSaveSourceFrameCommand = 650,
    kImportClipUrlCommand = 653,
    kProjectUrlCommand = 654,
    kWorkWithAudioEffectsCommand = 361,
    kWorkWithVideoEffectsCommand = 362,
    kAddAudioEffectCommand = 365,
    kAddVideoEffectCommand = 366,
    kRemoveEffectCommand = 761,
    kMoveEffectUpCommand = 762,
    kMoveEffectDownCommand = 763,
};

}  // namespace vantrel
