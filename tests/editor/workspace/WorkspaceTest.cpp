#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "items/Version.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::ScopedDialogs;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

WorkspaceOptions Quiet(std::vector<int>* topics = nullptr) {
    WorkspaceOptions options;
    options.startWorker = false;
    if (topics) options.showHelpTopic = [topics](int topic) { topics->push_back(topic); };
    return options;
}

// Polls a condition the worker thread fulfils.
template <class F>
bool Eventually(F condition) {
    for (int i = 0; i < 200 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

struct WorkspaceTest : ::testing::Test {
    ScopedDialogs platform;
    ScriptedWindow window;
    TempFolder folder;

    std::unique_ptr<Workspace> Make(std::vector<int>* topics = nullptr) {
        return std::make_unique<Workspace>(nullptr, &window, nullptr, Quiet(topics));
    }
    static void AddContent(Workspace& root) {
        root.SetTimeValue(0);
        Clip* text = root.NewChildClip(kTextStringType);
        text->Table().SetValueByName("IDS_STR_FONTSIZE", 0, 60);
        text->AddEffect(EffectKind::kVideo, 103);
        root.SetLocator(3, 4321);
    }
};

TEST_F(WorkspaceTest, ConstructionLeavesAFreshCommittedProject) {
    std::vector<int> topics;
    auto root = Make(&topics);
    EXPECT_EQ(window.title, std::string("Vantrel RF") + kVersionText);
    EXPECT_EQ(window.timers[Workspace::kTimerId], 500);
    EXPECT_EQ(root->GetId(), 555);
    EXPECT_TRUE(root->IsArrangement());
    EXPECT_EQ(root->OutputSizeId(), 82);
    EXPECT_EQ(root->FrameRateId(), 134);
    EXPECT_EQ(root->FramesPerSecondSetting(), 15);
    EXPECT_EQ(root->GetPosition(), 0);
    EXPECT_EQ(root->Length(), 10000);
    EXPECT_FALSE(root->IsChanged());
    EXPECT_TRUE(root->Header().Bytes() == root->CommittedHeader().Bytes());
    EXPECT_EQ(root->Editor().StatusText(), "Done!");
    EXPECT_EQ(topics, std::vector<int>{215});
    ASSERT_NE(root->GetSurface(), nullptr);
    EXPECT_EQ(root->GetSurface()->Width(), 1024);
    EXPECT_EQ(root->GetSurface()->Height(), 768);
    EXPECT_NE(root->Table().ByName("IDS_SRC_L"), nullptr);
}

TEST_F(WorkspaceTest, ClearAllResetsEverythingAndMarksChanged) {
    auto root = Make();
    AddContent(*root);
    root->SetMuteAudio(true);
    root->SetView(100, 200);
    root->SetOutputSizeId(640);
    root->Grid().SetQuantizeMode(kQuantizeBar);
    root->Table().SetValueByName("IDS_DST_L", 0, 0.7);
    root->ClearAll();
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_FALSE(root->MuteAudio());
    EXPECT_EQ(root->ViewSpan(), 0);
    EXPECT_EQ(root->Locator(3), 0);
    EXPECT_EQ(root->OutputSizeId(), 82);
    EXPECT_EQ(root->Grid().Settings(), TimeGridSettings{});
    EXPECT_DOUBLE_EQ(root->Table().ValueByName("IDS_DST_L", 0), 0.0);
    EXPECT_TRUE(root->IsChanged());
    EXPECT_EQ(root->State()->ChangeCounter(), 0);
    EXPECT_TRUE(root->Editor().StatusText().empty());
}

TEST_F(WorkspaceTest, SaveAsForcesTheExtensionAndRemembersTheFolder) {
    auto root = Make();
    AddContent(*root);
    root->CommitAll();
    platform.dialogs.fileAnswers = {folder.File("x.txt")};
    EXPECT_TRUE(SaveProjectAs(*root));
    const std::string saved = folder.File("x.kwp");
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_FALSE(std::filesystem::exists(folder.File("x.txt")));
    EXPECT_EQ(root->Name(), "x.kwp");
    EXPECT_EQ(root->ProjectPath(), saved);
    ASSERT_EQ(platform.dialogs.saveRequests.size(), 1u);
    const FileDialogRequest& request = platform.dialogs.saveRequests[0];
    EXPECT_EQ(request.title, "Save As");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].patterns, "*.kwp");
    EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
    EXPECT_TRUE(request.askBeforeReplace);
    EXPECT_EQ(root->Folders().Folder(Workspace::kSaveAsDialogKey), folder.Path() + "/");

    // The file is the root's record with the new name and path in it.
    const Bytes bytes = ReadFile(saved);
    ASSERT_GT(bytes.size(), 5800u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[4])), "x.kwp");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[260])), saved);

    platform.dialogs.fileAnswers = {std::nullopt};
    EXPECT_FALSE(SaveProjectAs(*root));
    EXPECT_EQ(platform.dialogs.saveRequests.back().folder, folder.Path() + "/");

    // An undo after the save keeps the project where it now lives.
    root->SetChanged(true);
    root->RevertAll();
    EXPECT_EQ(root->ProjectPath(), saved);
}

TEST_F(WorkspaceTest, SaveProjectAfterNewProjectDoesNothing) {
    std::vector<int> topics;
    auto root = Make(&topics);
    ResultFlags out = 0;
    ASSERT_TRUE(root->Command(&window, 99, out));
    EXPECT_EQ(topics, (std::vector<int>{215, 215}));
    EXPECT_FALSE(root->IsChanged());
    ASSERT_TRUE(root->Command(&window, 26, out));
    EXPECT_EQ(out, 0u);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_TRUE(platform.dialogs.saveRequests.empty());
}

TEST_F(WorkspaceTest, SaveChangesQuestionGuardsReplacingTheProject) {
    auto root = Make();
    EXPECT_TRUE(AskSaveChanges(*root));  // nothing in the project: no question
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    AddContent(*root);
    EXPECT_EQ(SaveChangesText(*root), "Save Current Project ?\n\n\"Unknown\"");

    platform.dialogs.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_FALSE(OpenProject(*root));
    EXPECT_TRUE(platform.dialogs.openRequests.empty());
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "Question");
    EXPECT_EQ(platform.dialogs.boxes[0].buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(platform.dialogs.boxes[0].icon, BoxIcon::Question);

    platform.dialogs.boxAnswers = {BoxAnswer::No};
    platform.dialogs.fileAnswers = {std::nullopt};
    OpenProject(*root);
    ASSERT_EQ(platform.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.openRequests[0].title, "Open Project");
    EXPECT_TRUE(platform.dialogs.openRequests[0].mustExist);

    // Yes without a path goes through "Save As"; cancelling it stops.
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    platform.dialogs.fileAnswers = {std::nullopt};
    EXPECT_FALSE(NewProject(*root));
    EXPECT_EQ(root->ChildCount(), 1);

    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    platform.dialogs.fileAnswers = {folder.File("kept")};
    EXPECT_TRUE(NewProject(*root));
    EXPECT_TRUE(std::filesystem::exists(folder.File("kept.kwp")));
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_EQ(root->Folders().Folder(Workspace::kOpenDialogKey), folder.Path() + "/");
}

TEST_F(WorkspaceTest, ApplyQuestionBeforeSavingPendingChanges) {
    auto root = Make();
    AddContent(*root);
    root->SetMediaPath(folder.File("p.kwp"));
    root->SetChanged(true);
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    EXPECT_FALSE(SaveProject(*root));
    EXPECT_FALSE(std::filesystem::exists(folder.File("p.kwp")));
    EXPECT_EQ(platform.dialogs.boxes.back().text,
              "Do you want to apply (commit to) all changes made, in order to preceed?");
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    EXPECT_TRUE(SaveProject(*root));
    EXPECT_FALSE(root->IsChanged());
    EXPECT_TRUE(std::filesystem::exists(folder.File("p.kwp")));
}

// Every project write fails through this effect.
class BrokenEffect final : public VariableOwner {
public:
    BrokenEffect() { SetId(103); }
    int Save(OutStream&) override { return 0; }
    int Load(InStream&) override { return 1; }
};

TEST_F(WorkspaceTest, FailedSaveLeavesTheOldFileAndSaysSo) {
    auto root = Make();
    AddContent(*root);
    root->CommitAll();
    const std::string path = folder.File("safe.kwp");
    platform.dialogs.fileAnswers = {path};
    ASSERT_TRUE(SaveProjectAs(*root));
    const Bytes before = ReadFile(path);

    SetEffectMaker([](EffectKind, int) { return std::make_unique<BrokenEffect>(); });
    root->ChildAt(0)->AddEffect(EffectKind::kVideo, 103);
    SetEffectMaker({});
    root->SetLocator(0, 999);  // the new save would differ
    EXPECT_FALSE(SaveProject(*root));
    EXPECT_TRUE(ReadFile(path) == before);
    ASSERT_FALSE(platform.dialogs.boxes.empty());
    EXPECT_EQ(platform.dialogs.boxes.back().caption, "Error");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 1);  // no temporary file left behind

    std::string message;
    EXPECT_FALSE(WriteProjectFile(*root, folder.File("no/such/folder/a.kwp"), message));
    EXPECT_FALSE(message.empty());
}

TEST_F(WorkspaceTest, OpenRevertAndTheExampleFolder) {
    auto root = Make();
    AddContent(*root);
    root->CommitAll();
    platform.dialogs.fileAnswers = {folder.File("a.kwp")};
    ASSERT_TRUE(SaveProjectAs(*root));

    auto other = Make();
    platform.dialogs.fileAnswers = {folder.File("a.txt")};  // forced to .kwp
    EXPECT_TRUE(OpenProject(*other));
    EXPECT_EQ(other->ChildCount(), 1);
    EXPECT_EQ(other->Locator(3), 4321);
    EXPECT_EQ(other->Editor().StatusText(), "Done!");
    EXPECT_EQ(other->ProjectPath(), folder.File("a.kwp"));

    other->ChildAt(0)->SetPosition(7777);
    const std::size_t boxes = platform.dialogs.boxes.size();
    EXPECT_TRUE(RevertToSaved(*other));  // without a question
    EXPECT_EQ(platform.dialogs.boxes.size(), boxes);
    EXPECT_EQ(other->ChildAt(0)->GetPosition(), 0);

    EXPECT_FALSE(OpenProjectFile(*other, folder.File("missing.kwp")));  // silently
    EXPECT_EQ(platform.dialogs.boxes.size(), boxes);

    EXPECT_EQ(ExampleFolder(9), ProgramFolder() + "9/samps/");
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    platform.dialogs.fileAnswers = {std::nullopt};
    LoadExampleProject(*other);
    EXPECT_EQ(platform.dialogs.openRequests.back().title, "Load Example Project");
}

TEST_F(WorkspaceTest, UndoAsksOnlyWithPendingChanges) {
    auto root = Make();
    AddContent(*root);
    root->CommitAll();
    ResultFlags out = 0;
    root->Command(&window, 343, out);
    EXPECT_TRUE(platform.dialogs.boxes.empty());

    root->ChildAt(0)->Table().SetValueByName("IDS_STR_FONTSIZE", 0, 12);
    root->SetPosition(500);
    root->FinishInput(kChanged);
    ASSERT_TRUE(root->IsChanged());
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    root->Command(&window, 343, out);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].text, "Do you really want to undo all pending changes?");
    EXPECT_EQ(root->GetPosition(), 0);
    EXPECT_DOUBLE_EQ(root->ChildAt(0)->Table().ValueByName("IDS_STR_FONTSIZE", 0), 60);
    EXPECT_FALSE(root->IsChanged());
}

TEST_F(WorkspaceTest, FinishInputPostsPreviewsOnlyWhenTheTreeIsFree) {
    auto root = Make();
    std::atomic<int> previews{0};
    WorkerThread worker(
        [&previews](std::int32_t command, void*) {
            if (command == kWorkerPreview) ++previews;
            return 1;
        },
        nullptr);
    RootState& state = *root->State();
    state.SetWorker(&worker);

    root->FinishInput(kChanged);
    EXPECT_TRUE(Eventually([&] { return previews.load() > 0; }));
    EXPECT_TRUE(root->IsChanged());

    worker.WaitIdle();
    previews = 0;
    state.HoldTree();
    root->FinishInput(kChanged | kRepaint);
    state.AddActivity(kActivityMake);
    state.ReleaseTree();
    root->FinishInput(kRepaint);
    state.EndActivity(kActivityMake);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_EQ(previews.load(), 0);
    EXPECT_EQ(worker.PendingCommand(), WorkerThread::kEmpty);

    EXPECT_NE(root->FinishInput(kResetPanes) & kRepaint, 0u);
    state.SetWorker(nullptr);
}

TEST_F(WorkspaceTest, WorkerCommandsRunTheHooksAndEndTheirActivity) {
    WorkspaceOptions options;
    std::atomic<int> previews{0}, makes{0};
    options.hooks.preview = [&](Workspace&) { ++previews; };
    options.hooks.make = [&](Workspace&) { ++makes; };
    Workspace root(nullptr, nullptr, nullptr, options);
    root.SetTime(100);  // the root posts a preview for every time change
    EXPECT_TRUE(Eventually([&] { return previews.load() > 0; }));
    root.State()->AddActivity(kActivityMake);
    root.State()->Worker()->Post(kWorkerMake);
    EXPECT_TRUE(Eventually([&] { return makes.load() == 1 && root.State()->Activity() == 0; }));
}

TEST_F(WorkspaceTest, MakeButtonAndGenerateStartTheMake) {
    WorkspaceOptions options = Quiet();
    int starts = 0;
    bool started = false;
    options.startMake = [&](Workspace&) { return ++starts, started; };
    Workspace root(nullptr, nullptr, nullptr, options);
    ResultFlags out = 0;
    EXPECT_TRUE(root.Command(nullptr, 360, out));  // "Make"
    EXPECT_EQ(out, 0);                             // not started: nothing to redraw
    started = true;
    EXPECT_TRUE(root.Command(nullptr, 98, out));   // "Generate": only offered with something to make
    EXPECT_EQ(starts, 1);
    AddContent(root);
    EXPECT_TRUE(root.Command(nullptr, 98, out));
    EXPECT_NE(out, 0);
    EXPECT_EQ(starts, 2);
}

// Buttons, menus, keys and scripts all reach the same rows: captions from
// the skinnable texts, the same conditions wherever a command is offered.
TEST_F(WorkspaceTest, OneCommandTableForButtonsMenusKeysAndScripts) {
    for (const CommandRow& row : RootCommandRows()) {
        EXPECT_FALSE(CaptionOf(row).empty()) << row.id;
        EXPECT_EQ(FindRootCommand(row.id), &row);
    }
    EXPECT_EQ(FindRootCommand(12345), nullptr);
    for (int id : {kClipPlay, kClipMakeAudioMaster, kClipRemoveAudioMaster, kClipTop, kClipUp, kClipDown, kClipBottom,
                   kClipDuplicate, kClipSplit, kClipDelete})
        EXPECT_FALSE(Str(id).empty()) << id;
    ASSERT_TRUE(StringTable::Instance().Set(kClipTop, "Ganz nach oben"));
    EXPECT_EQ(Str(kClipTop), "Ganz nach oben");
    StringTable::Instance().LoadResources();

    auto root = Make();
    ResultFlags out = 0;
    EXPECT_TRUE(root->Command(&window, kUndoCommand, out));  // nothing pending: no question
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    root->Grid().SetQuantizeMode(kQuantizeSecond);
    std::string answer;
    EXPECT_TRUE(root->RunCommand("Command #348", answer));  // one unit on, as the arrow key
    EXPECT_EQ(answer, "1");
    EXPECT_EQ(root->Time(), 1000);
    root->Input(&window, kKeyUp, 0, 0, kVkLeft);
    EXPECT_EQ(root->Time(), 0);
    EXPECT_TRUE(root->RunCommand("command 26", answer));  // no path yet: not offered
    EXPECT_EQ(answer, "0");
    EXPECT_FALSE(root->RunCommand("Command 12345", answer));
    EXPECT_FALSE(root->RunCommand("Command", answer));
}

TEST_F(WorkspaceTest, ScriptNamesOfTheRoot) {
    auto root = Make();
    AddContent(*root);
    Clip* current = root->CurrentChild();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(root->ResolveName("*"), root.get());
    EXPECT_EQ(root->ResolveName("cc.IDS_STR_FONTSIZE"), current->Table().ByName("IDS_STR_FONTSIZE"));
    EXPECT_EQ(root->ResolveName("IDS_DST_L"), root->Table().ByName("IDS_DST_L"));
    EXPECT_EQ(root->ResolveName("mt"), &root->Grid());
    EXPECT_EQ(root->ResolveName("ne"), nullptr);
    std::string answer;
    root->SetTime(2500);
    EXPECT_TRUE(current->RunCommand("GetSize", answer));
    EXPECT_EQ(std::stod(answer), 10.0);
}

TEST_F(WorkspaceTest, KeysMoveTheTime) {
    auto root = Make();
    root->SetLocator(4, 3300);
    root->Input(&window, kKeyUp, 0, 0, kVk0 + 5);
    EXPECT_EQ(root->Time(), 3300);
    root->Grid().SetQuantizeMode(kQuantizeSecond);
    root->Input(&window, kKeyUp, 0, 0, kVkRight);
    EXPECT_EQ(root->Time(), 4000);
    root->Input(&window, kKeyUp, 0, 0, kVk0 + 9);
    EXPECT_EQ(root->Time(), 10000);
    root->Input(&window, kKeyUp, 0, 0, kVkRight);
    EXPECT_EQ(root->Time(), 10000);  // not past the end
    EXPECT_NE(root->Input(&window, kKeyUp, 0, 0, kVkEscape) & kResetPanes, 0u);
    EXPECT_TRUE(root->State()->StopRequested());
}

TEST_F(WorkspaceTest, PlayEntryConditions) {
    auto root = Make();
    ASSERT_TRUE(testing::WriteWav(folder.File("a.wav"), 500));
    root->SetTime(0);
    Clip* sound = root->ImportMedia(folder.File("a.wav"));
    ASSERT_NE(sound, nullptr);
    Clip* picture = root->NewChildClip(kGradientType);
    EXPECT_FALSE(root->Play(picture));
    RootState& state = *root->State();
    state.SetStopRequest(true);
    EXPECT_TRUE(root->Play(sound));
    EXPECT_EQ(state.PlayingClip(), sound);
    EXPECT_FALSE(state.StopRequested());
    EXPECT_EQ(state.Activity(), kActivityPlay);
    EXPECT_FALSE(root->Play(sound));  // already playing
    const std::vector<int> commands = root->MenuCommands(*sound);
    EXPECT_EQ(std::find(commands.begin(), commands.end(), kClipPlay), commands.end());
    root->RemoveChild(sound);  // a removed clip is forgotten by the player too
    EXPECT_EQ(state.PlayingClip(), nullptr);
}

TEST_F(WorkspaceTest, NewMediaClipMenuAndImport) {
    auto root = Make();
    root->SetTime(1500);
    platform.menus.answers = {412};
    ResultFlags out = 0;
    ASSERT_TRUE(root->Command(&window, 387, out));
    ASSERT_EQ(platform.menus.shown.size(), 1u);
    const auto& entries = platform.menus.shown[0];
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].command, 172);
    EXPECT_EQ(entries[1].command, 568);
    EXPECT_EQ(entries[2].kind, MenuEntry::Kind::Separator);
    EXPECT_EQ(entries[3].caption, "Sub Arrangement");
    ASSERT_EQ(root->ChildCount(), 1);
    Clip* sub = root->ChildAt(0);
    EXPECT_EQ(sub->Type(), 412);
    EXPECT_EQ(sub->GetPosition(), 1500);
    EXPECT_EQ(root->CurrentChild(), sub);
    EXPECT_NE(out & kChanged, 0u);

    platform.menus.answers = {};  // dismissed
    root->Command(&window, 387, out);
    EXPECT_EQ(root->ChildCount(), 1);

    ASSERT_TRUE(testing::WriteWav(folder.File("in.wav"), 2500));
    platform.dialogs.fileAnswers = {folder.File("in.wav")};
    root->Command(&window, 1, out);
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->ChildAt(1)->Length(), 2500);
    EXPECT_EQ(root->ChildAt(1)->Track(), 1);
    EXPECT_EQ(platform.dialogs.openRequests.back().title, "Import Video Clip/Picture");
}

// The first clip of an empty arrangement gives a new project its view and
// make strip, so that "Make" covers what was added; later clips change
// neither, and a project read from a file keeps its own.
TEST_F(WorkspaceTest, TheFirstClipOfANewProjectSetsItsViewAndMakeStrip) {
    auto root = Make();
    ASSERT_TRUE(testing::WriteWav(folder.File("long.wav"), 12000));
    root->SetTime(1500);
    platform.dialogs.fileAnswers = {folder.File("long.wav")};
    ResultFlags out = 0;
    root->Command(&window, 1, out);  // "Import Video Clip"
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(root->MakeStart(), 1500);
    EXPECT_EQ(root->MakeEnd(), 13500);
    EXPECT_EQ(root->ViewStart(), 1500);
    EXPECT_EQ(root->ViewSpan(), 2 * 1500 + 12000);
    EXPECT_GE(root->Length(), 13500);  // the time can reach the clip's end
    root->SetTime(0);
    root->NewChildClip(kTextStringType);
    EXPECT_EQ(root->MakeEnd(), 13500);

    // A drop places the clip where it was dropped, and the strip follows it there.
    ResultFlags cleared = 0;
    platform.dialogs.boxAnswers = {BoxAnswer::No};  // nothing to save
    root->Command(&window, kNewProjectCommand, cleared);
    ASSERT_EQ(root->ChildCount(), 0);
    Clip* dropped = ImportFile(*root, &window, folder.File("long.wav"), 4000);
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(dropped->GetPosition(), 4000);
    EXPECT_EQ(root->MakeStart(), 4000);
    EXPECT_EQ(root->MakeEnd(), 16000);
}

// The 500 ms timer draws only when something changed: an idle editor draws
// nothing; input leaves a few ticks for the help marks that flash; a status
// or a time from the worker, and a new window size, are drawn at the next tick.
TEST_F(WorkspaceTest, TheRefreshTimerDrawsOnlyWhatChanged) {
    auto root = Make();
    auto ticks = [&](int count) {
        int drawn = 0;
        for (int i = 0; i < count; ++i) drawn += root->Tick(0, 0, window.client.right, window.client.bottom) ? 1 : 0;
        return drawn;
    };
    ticks(20);
    EXPECT_EQ(ticks(20), 0);
    root->Input(&window, kMouseMove, 10, 10, 0);
    EXPECT_EQ(ticks(20), Control::kHelpHoverPaints + 1);
    std::thread([&] { root->SetStatusText("Processing: 1 / 2"); }).join();
    EXPECT_GT(ticks(1), 0);
    ticks(20);
    window.client = {0, 0, 1280, 1024};
    EXPECT_EQ(ticks(1), 1);
}

TEST_F(WorkspaceTest, RightClickOpensTheProjectMenu) {
    auto root = Make();
    EXPECT_EQ(root->Editor().ProjectMenuIds(), (std::vector<int>{99, 25, 654, 473, -1, 800, 801, -1, 1, 653, 387}));
    AddContent(*root);
    root->SetMediaPath(folder.File("m.kwp"));
    EXPECT_EQ(root->Editor().ProjectMenuIds(),
              (std::vector<int>{99, 25, 654, 473, -1, 26, 27, -1, 306, -1, 800, 801, -1, 98, -1, 1, 653, 387, -1, 209}));

    platform.menus.answers = {342};  // "Apply" is not on it, but a chosen id runs as a command
    root->SetChanged(true);
    root->Input(&window, kRightButtonUp, 10, 10, 0);
    EXPECT_FALSE(root->IsChanged());
    ASSERT_EQ(platform.menus.shown.size(), 1u);
    EXPECT_EQ(platform.menus.shown[0][0].caption, "New Project");
}

TEST(ProjectFiles, ForcedExtensions) {
    const std::pair<const char*, const char*> cases[] = {
        {"x.txt", "x.kwp"},         {"/a/b/show", "/a/b/show.kwp"}, {"/a.b/show", "/a.b/show.kwp"},
        {"c:\\p.q\\name", "c:\\p.q\\name.kwp"}, {"show.v1.kwp", "show.v1.kwp"}, {"", ".kwp"},
        {"dir/.hidden", "dir/.kwp"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ForceExtension(in, ".kwp"), out) << in;
}

TEST(ProjectFiles, SixteenDialogKeysAreRemembered) {
    DialogFolders folders;
    for (int key = 0; key < 20; ++key) folders.Remember(key, "/f" + std::to_string(key) + "/file");
    EXPECT_EQ(folders.Count(), 16);
    EXPECT_EQ(folders.Folder(15), "/f15/");
    EXPECT_FALSE(folders.Folder(16).has_value());
    folders.Remember(3, "/other/x.kwp");
    EXPECT_EQ(folders.Folder(3), "/other/");
}

TEST(ProjectFiles, BatchSaveAsCopiesTheProject) {
    ScopedDialogs platform;
    TempFolder folder;
    {
        Workspace root(nullptr, nullptr, nullptr, Quiet());
        root.SetTimeValue(0);
        root.NewChildClip(kGradientType)->Table().SetValueByName("IDS_COLOR_LT_B", 10, 0.2);
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, folder.File("in.kwp"), error)) << error;
    }
    std::string message;
    EXPECT_EQ(SaveProjectAs(folder.File("in.kwp"), folder.File("out.kwp"), message), 0) << message;
    Workspace copy(nullptr, nullptr, nullptr, Quiet());
    bool opened = false;
    ASSERT_TRUE(ReadProjectFile(copy, folder.File("out.kwp"), opened));
    EXPECT_EQ(copy.Name(), "out.kwp");
    EXPECT_EQ(copy.ProjectPath(), folder.File("out.kwp"));
    ASSERT_EQ(copy.ChildCount(), 1);
    EXPECT_DOUBLE_EQ(copy.ChildAt(0)->Table().ValueByName("IDS_COLOR_LT_B", 10), 0.2);

    EXPECT_EQ(SaveProjectAs(folder.File("none.kwp"), folder.File("x.kwp"), message), 1);
    EXPECT_NE(message.find("none.kwp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("x.kwp")));
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST_F(WorkspaceTest, OpenProjectUrlGoesThroughTheInternetServicesWhenTheyArePlugged) {
    std::vector<Window*> asked;
    std::vector<Workspace*> into;
    WorkspaceOptions options = Quiet();
    options.openProjectUrl = [&asked, &into](Workspace& root, Window* owner) {
        asked.push_back(owner);
        into.push_back(&root);
        return true;
    };
    Workspace root(nullptr, &window, nullptr, options);
    ResultFlags out = 0;
    ASSERT_TRUE(root.Command(&window, 654, out));
    EXPECT_EQ(asked, std::vector<Window*>{&window});
    EXPECT_EQ(into, std::vector<Workspace*>{&root});
    EXPECT_EQ(out, kRelayout | kRepaint);
    EXPECT_TRUE(platform.dialogs.textPrompts.empty());  // the services ask, not the workspace
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST_F(WorkspaceTest, CommandsItDoesNotKnowGoToTheProgramFirst) {
    std::vector<int> asked;
    WorkspaceOptions options = Quiet();
    options.programCommand = [&asked](Window*, int command, ResultFlags& out) {
        asked.push_back(command);
        if (command != 477) return false;
        out = kRelayout;
        return true;
    };
    Workspace root(nullptr, &window, nullptr, options);
    ResultFlags out = 0;
    EXPECT_TRUE(root.Command(&window, 477, out));
    EXPECT_EQ(out, kRelayout);
    root.Command(&window, 26, out);  // the workspace's own: never handed on
    EXPECT_EQ(asked, std::vector<int>{477});
}

}  // namespace
}  // namespace vantrel

#include "platform/DrawContext.h"
#include "tests/support/RecordingDrawContext.h"

namespace vantrel {
namespace {

TEST_F(WorkspaceTest, ThePreviewIsShownInTheOutputsProportionsInItsPane) {
    auto root = Make();
    root->Editor().LayOut(800, 600);
    testing::RecordingDrawContext dc;
    EXPECT_EQ(root->Paint(dc, 0, 0, 800, 600, 0), 1);
    ASSERT_EQ(dc.stretches.size(), 1u);
    const Rect room = root->Editor().Layout().Of(kPreviewRegion);
    const Rect dest = dc.stretches[0].dest;
    EXPECT_EQ(dest.Intersect(room), dest);
    EXPECT_NEAR(double(dest.Width()) / dest.Height(), 320.0 / 240.0, 0.02);  // "320 / 240"
    EXPECT_EQ(dest.left - room.left, room.right - dest.right);  // centred
    EXPECT_TRUE(dest.Width() == room.Width() || dest.Height() == room.Height());
}

// The window stretches the layout with a scale for each axis; the preview
// keeps the output's shape on the screen all the same, boxed in its pane's
// black, and the corner handles stand on the picture's corners.
TEST_F(WorkspaceTest, ThePreviewKeepsItsShapeOnAStretchedWindow) {
    auto root = Make();
    Clip* clip = root->NewChildClip(kGradientType);
    root->SetCurrentChild(clip);
    for (const Rect client : {Rect{0, 0, 1920, 1080}, Rect{0, 0, 1000, 1000}, Rect{0, 0, 1280, 720}}) {
        window.client = client;
        root->Editor().LayOut(client.Width(), client.Height());
        const Rect area = root->Editor().Layout().area;
        const double sx = double(client.Width()) / area.Width(), sy = double(client.Height()) / area.Height();
        testing::RecordingDrawContext dc;
        root->Paint(dc, 0, 0, area.right, area.bottom, 0);
        ASSERT_FALSE(dc.stretches.empty());
        const Rect dest = dc.stretches[0].dest;
        const Rect room = root->Editor().Layout().Of(kPreviewRegion);
        EXPECT_NEAR(dest.Width() * sx / (dest.Height() * sy), 320.0 / 240.0, 0.03) << client.right;
        EXPECT_TRUE(dest.Intersect(room) == dest && (dest.Width() == room.Width() || dest.Height() == room.Height()));
        // The destination rectangle is the whole picture: its handles are the picture's corners.
        const Rect nw = root->Editor().ArrangementEditor().HandleRect(ArrangementWindow::Part::NorthWest);
        const Rect se = root->Editor().ArrangementEditor().HandleRect(ArrangementWindow::Part::SouthEast);
        EXPECT_EQ((Point{(nw.left + nw.right) / 2, (nw.top + nw.bottom) / 2}), (Point{dest.left, dest.top}));
        EXPECT_EQ((Point{(se.left + se.right) / 2, (se.top + se.bottom) / 2}), (Point{dest.right, dest.bottom}));
    }
}

}  // namespace
}  // namespace vantrel
