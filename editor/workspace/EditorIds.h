#pragma once

namespace vantrel {

// Every control, region, command and message text of the editor by name.
// The numbers are string-table ids: a control's id is also its caption,
// its help topic and the command it sends, so one value serves all four.
// Only the string table and the tables that list the controls spell them.

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
    // The history of edits; their captions carry the step's name.
    kUndoLastEditCommand = 800,
    kRedoCommand = 801,
    // The current clip's own entries, from the menu bar.
    kDeleteClipCommand = 36,
    kDuplicateClipCommand = 710,
    kSplitClipCommand = 711,
    // Every clip of the arrangement shown (Ctrl+A).
    kSelectAllCommand = 870,
    // Playing the arrangement and moving about in it.
    kPlayStopCommand = 880,
    kPlayForwardCommand = 881,
    kPlayBackwardCommand = 882,
    kStepFrameForwardCommand = 883,
    kStepFrameBackCommand = 884,
    kGoToStartCommand = 885,
    kGoToEndCommand = 886,
    kPreviousEdgeCommand = 887,
    kNextEdgeCommand = 888,
    kQuitCommand = 889,
    kKeyboardHelpCommand = 890,
    kTutorialsCommand = 891,
    kAboutCommand = 892,
    // The pane layouts of the keypad: 5, 7, 8, 9, 4, 6, 1, 2, 3.
    kFourPanesCommand = 897,
    kPreviewPaneCommand = 898,
    kUpperPanesCommand = 899,
    kClipPaneCommand = 900,
    kLeftPanesCommand = 901,
    kRightPanesCommand = 902,
    kBrowserPaneCommand = 903,
    kLowerPanesCommand = 904,
    kArrangementPaneCommand = 905,
};

// The menu bar's menus, by the string ids of their titles.
enum BarMenu : int {
    kFileBarMenu = 97,
    kEditBarMenu = 893,
    kViewBarMenu = 894,
    kPlayBarMenu = 895,
    kHelpBarMenu = 896,
};

// The root's controls and regions that are not commands: time fields, the
// status line, the scale control and the parts of the arrangement pane.
enum RootControl : int {
    kStatusLineControl = 335,
    kPositionField = 344,    // "StartTime"
    kSizeField = 345,        // "Size"
    kGlobalTimeField = 346,  // "Global Time"
    kClipOffsetField = 382,
    kArrangementWindowRegion = 353,
    kArrangementSliderRegion = 354,
    kArrangementScrollerRegion = 355,
    kTopRulerRegion = 383,
    kBottomRulerRegion = 330,
    kCurrentClipRegion = 384,
    kMakeStripRegion = 350,
    kMakeStripStartRegion = 490,
    kMakeStripEndRegion = 491,
    kLeftSizingGripRegion = 495,
    kRightSizingGripRegion = 496,
    kNorthWestHandleRegion = 497,
    kNorthEastHandleRegion = 498,
    kSouthWestHandleRegion = 499,
    kSouthEastHandleRegion = 500,
    // The time grid's settings, in its row beside "Music Time Change".
    kBeatsPerMinuteField = 336,
    kUnitsPerBarField = 337,
    kUnitSizeField = 338,
    kQuantizeField = 339,
};

// The root's own regions: not controls of the command table but parts of
// the panes that take the mouse.
enum LayoutRegion : int {
    kPreviewRegion = -1,
    kClipViewRegion = -2,
    kPanelRegion = -3,
    kInfoBrowserRegion = -4,
    kVerticalSplitter = -5,    // the upper half of the vertical splitter
    kVerticalSplitterLow = -6, // its lower half
    kHorizontalSplitter = -7,
    kCurveViewRegion = -8,      // the browser's pane while the browser is not shown
    kRectanglePanelsRegion = -9,
    kTimeGridRegion = -10,  // the row of "Music Time Change" and the grid's settings
    // The current clip's eight locators beside Apply/Undo: -20 is locator 1.
    kFirstLocatorCell = -20,
    kLastLocatorCell = -27,
};

// Commands that are not the root's buttons but reach its Command().
enum EditorCommand : int {
    kCopyImageCommand = 637,  // the skin picture to the clipboard
    // The preview menu's "Language" submenu; the program applies them.
    kEnglishCommand = 646,
    kGermanCommand = 647,
    kDefaultLanguageCommand = 125,
};

// Texts the editor shows by id: box captions, questions and the start-up's
// progress lines.
enum EditorText : int {
    kUnknownText = 197,
    kDoneText = 220,
    kQuestionText = 302,
    kSaveChangesText = 303,
    kVantrelText = 323,
    kEmptySpaceHelpText = 331,  // "Use Mouse Pointer + F1 for Help "
    kRootClipText = 574,
    kErrorText = 590,
    kRectangleText = 600,
    kApplyQuestionText = 691,
    kUndoQuestionText = 692,
    kAutosaveSecondsText = 802,
    kHistoryMegabytesText = 803,
    kRecoverQuestionText = 804,  // "... of %s from %s?"
    kUntitledProjectText = 805,
    kEnvelopeText = 772,
    // Captions of the preview menu's submenus.
    kCopyMenuText = 221,
    kSaveMenuText = 921,
    kLanguageMenuText = 645,
    kPlayingText = 906,  // "Playing: %.1f fps"
};

}  // namespace vantrel
