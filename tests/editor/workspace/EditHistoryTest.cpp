#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <thread>

#include "editor/workspace/Autosave.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "model/clips/History.h"
#include "tests/model/clips/ClipFixtures.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/support/TempFolder.h"
#include "values/Messages.h"
#include "values/Stream.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::TempFolder;

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

const MenuEntry* Find(const std::vector<MenuEntry>& entries, const std::string& caption) {
    for (const MenuEntry& entry : entries) {
        if (entry.caption == caption) return &entry;
        if (const MenuEntry* inner = Find(entry.entries, caption)) return inner;
    }
    return nullptr;
}

std::vector<std::uint8_t> Bytes(Clip& root) {
    MemoryOutStream out;
    root.Save(out);
    return out.bytes;
}

constexpr std::uint32_t kZ = kVkA + ('Z' - 'A'), kY = kVkA + ('Y' - 'A');

// The editor at 1024 x 768 with three text clips, the history started after
// them: every later change comes through the root's input as a person's.
struct EditHistoryTest : testing::ScriptedEditorTest {
    Clip* a = nullptr;
    Clip* b = nullptr;
    Clip* c = nullptr;

    void SetUp() override {
        Open();
        root->SetSize(20000);
        root->SetView(0, 20000);
        a = AddAt(*root, kTextStringType, 0, 4000, 0);
        b = AddAt(*root, kTextStringType, 6000, 4000, 0);
        c = AddAt(*root, kTextStringType, 1000, 2000, 1);
        Editor().LayOut(1024, 768);
        root->CommitAll();
        root->MarkSaved();
    }
    Point On(const Clip& clip) { return Centre(Editor().ArrangementEditor().BoxOf(clip)); }
    ResultFlags Send(std::uint32_t message, Point p, std::uintptr_t flags = 0) {
        return root->Input(&window, message, p.x, p.y, flags);
    }
    ResultFlags Key(std::uint32_t key) { return Send(kKeyUp, {500, 700}, key); }
    // Right click on a clip, then the entry found by its caption.
    void Choose(Point p, const std::string& caption) {
        platform.menus.answers = {};
        Send(kRightButtonUp, p);
        const MenuEntry* entry = Find(platform.menus.shown.back(), caption);
        ASSERT_NE(entry, nullptr) << caption;
        platform.menus.answers = {entry->command};
        Send(kRightButtonUp, p);
    }
    void DragBy(const Clip& clip, int dx) {
        const Point from = On(clip);
        Send(kLeftButtonDown, from, kLeftButtonHeld);
        for (int i = 1; i <= 5; ++i) Send(kMouseMove, {from.x + dx * i / 5, from.y}, kLeftButtonHeld);
        Send(kLeftButtonUp, {from.x + dx, from.y});
    }
    std::vector<MenuEntry> ProjectMenu() { return Editor().ProjectMenuEntries(); }
};

TEST_F(EditHistoryTest, ADragADeleteAndATextChangeAreStepsTheKeysTakeBackAndRedo) {
    const auto start = Bytes(*root);
    const std::size_t before = root->History().Position();

    DragBy(*b, 60);  // five moves, one step
    ASSERT_NE(b->GetPosition(), 6000);
    EXPECT_EQ(root->History().Position(), before + 1);
    EXPECT_EQ(root->History().UndoName(), "Move Clip");

    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    Choose(On(*c), "Delete");
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->History().UndoName(), "Delete Clip");

    platform.dialogs.textAnswers = {std::string("Hello")};
    Choose(On(*a), "Change Text");
    EXPECT_EQ(root->ChildAt(0)->Words(), "Hello");
    const auto end = Bytes(*root);

    const auto menu = ProjectMenu();
    ASSERT_NE(Find(menu, "Undo Change Text"), nullptr);
    EXPECT_TRUE(Find(menu, "Undo Change Text")->enabled);
    ASSERT_NE(Find(menu, "Redo"), nullptr);
    EXPECT_FALSE(Find(menu, "Redo")->enabled);

    for (int i = 0; i < 3; ++i) Key(kZ | kKeyWithControl);
    EXPECT_EQ(Bytes(*root), start);
    EXPECT_EQ(root->ChildCount(), 3);
    EXPECT_TRUE(Find(ProjectMenu(), "Redo Move Clip")->enabled);

    Key(kZ | kKeyWithControl | kKeyWithShift);
    Key(kZ | kKeyWithControl | kKeyWithShift);
    Key(kY | kKeyWithControl);
    EXPECT_EQ(Bytes(*root), end);
    EXPECT_FALSE(root->History().CanRedo());

    // A new step after undos drops what could have been redone.
    Key(kZ | kKeyWithControl);
    ASSERT_TRUE(root->History().CanRedo());
    platform.menus.answers = {};
    ResultFlags out = 0;
    root->Command(&window, kMuteVideoCommand, out);
    EXPECT_FALSE(root->History().CanRedo());
    // The project menu offers the step by name and runs it.
    const auto entries = ProjectMenu();
    const MenuEntry* undo = Find(entries, "Undo Mute Video");
    ASSERT_NE(undo, nullptr);
    root->Command(&window, undo->command, out);
    EXPECT_FALSE(root->MuteVideo());
}

TEST_F(EditHistoryTest, TheViewTheTimeAndAPlainClickAreNotSteps) {
    const std::size_t before = root->History().Position();
    Key(kVkRight);
    Send(kMouseWheel, On(*a), std::uintptr_t(kControlHeld) | (std::uintptr_t(std::uint16_t(120)) << 16));
    Send(kMouseWheel, On(*a), std::uintptr_t(std::uint16_t(-120)) << 16);
    Send(kLeftButtonDown, On(*a), kLeftButtonHeld);
    Send(kLeftButtonUp, On(*a));
    EXPECT_EQ(root->History().Position(), before);
    EXPECT_FALSE(root->HasUnsavedChanges());
}

TEST_F(EditHistoryTest, UndoOfTheAppliedRevertsEveryClipAndIsAStepItself) {
    const auto applied = Bytes(*root);
    DragBy(*b, 60);
    platform.dialogs.textAnswers = {std::string("Changed")};
    Choose(On(*a), "Change Text");
    const auto edited = Bytes(*root);
    ASSERT_TRUE(root->IsChanged());

    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    ResultFlags out = 0;
    root->Command(&window, kUndoCommand, out);
    // The moved and the retexted child come back too, not just key values.
    EXPECT_EQ(Bytes(*root), applied);
    EXPECT_FALSE(root->IsChanged());
    EXPECT_EQ(root->History().UndoName(), Workspace::kRevertStepName);

    Key(kZ | kKeyWithControl);
    EXPECT_EQ(Bytes(*root), edited);
    EXPECT_TRUE(root->IsChanged());
    // After Apply, Undo has nothing to take back and asks nothing.
    root->Command(&window, kApplyCommand, out);
    platform.dialogs.boxes.clear();
    root->Command(&window, kUndoCommand, out);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_EQ(Bytes(*root), edited);
}

TEST_F(EditHistoryTest, ClosingAChangedProjectAsksAndCancelKeepsIt) {
    EXPECT_TRUE(root->QueryClose());  // nothing changed: no question
    EXPECT_TRUE(platform.dialogs.boxes.empty());

    DragBy(*b, 60);
    const auto edited = Bytes(*root);
    platform.dialogs.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_FALSE(root->QueryClose());
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(Bytes(*root), edited);
    EXPECT_TRUE(root->HasUnsavedChanges());

    platform.dialogs.boxAnswers = {BoxAnswer::No};
    EXPECT_TRUE(root->QueryClose());
}

// Autosaves go to the state folder, never over the project; a run that
// ended uncleanly is offered its changes back, and a refusal keeps them.
struct AutosaveRecoveryTest : EditHistoryTest {
    TempFolder folder;
    std::string oldState;

    void SetUp() override {
        if (const char* state = std::getenv("XDG_STATE_HOME")) oldState = state;
        setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
        EditHistoryTest::SetUp();
    }
    void TearDown() override {
        root.reset();
        if (oldState.empty())
            unsetenv("XDG_STATE_HOME");
        else
            setenv("XDG_STATE_HOME", oldState.c_str(), 1);
    }
};

TEST_F(AutosaveRecoveryTest, AnAutosaveIsOfferedAtStartAndYesReopensItAsAChangedProject) {
    const std::string project = folder / "work.kwp";
    ASSERT_TRUE(SaveProjectFile(*root, project));
    root->SetProjectPath(project);
    root->MarkSaved();
    const auto saved = Bytes(*root);
    EXPECT_FALSE(root->AutosaveNow());  // nothing unsaved

    DragBy(*b, 60);
    const std::int32_t moved = b->GetPosition();
    ASSERT_TRUE(root->AutosaveNow());
    root->FlushAutosave();
    EXPECT_FALSE(root->AutosaveNow());  // the same changes again: nothing new
    // The project file itself is untouched; the run "crashes" (no close).
    std::filesystem::last_write_time(project, std::filesystem::last_write_time(project) - std::chrono::seconds(10));
    root.reset();

    ASSERT_EQ(FindRecoverable().size(), 1u);
    Open();
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    ASSERT_TRUE(OfferRecovery(*root));
    EXPECT_NE(platform.dialogs.boxes.back().text.find("work.kwp"), std::string::npos);
    EXPECT_EQ(root->ProjectPath(), project);
    EXPECT_TRUE(root->HasUnsavedChanges());
    EXPECT_EQ(root->ChildCount(), 3);
    EXPECT_EQ(root->ChildAt(1)->GetPosition(), moved);

    // Saving writes the original path, and the autosave goes.
    ASSERT_TRUE(SaveProjectFile(*root, project));
    EXPECT_FALSE(root->HasUnsavedChanges());
    EXPECT_TRUE(FindRecoverable().empty());
    std::vector<std::uint8_t> reread(std::istreambuf_iterator<char>(std::ifstream(project, std::ios::binary).rdbuf()), {});
    EXPECT_EQ(reread, Bytes(*root));
    EXPECT_NE(reread, saved);
}

// The window's timer writes the autosave when it is due, even when nothing
// needs drawing; with the preference at 0 it never does.
TEST_F(AutosaveRecoveryTest, TheTimerWritesTheAutosaveWhenItIsDue) {
    int seconds = 0;
    WorkspaceOptions options = Options();
    options.autosaveSeconds = [&] { return seconds; };
    Open(options);
    AddAt(*root, kTextStringType, 0, 1000, 0);
    root->Tick(0, 0, 1024, 768);
    root->FlushAutosave();
    EXPECT_TRUE(FindRecoverable().empty());
    seconds = 60;
    root->Tick(0, 0, 1024, 768);
    root->FlushAutosave();
    EXPECT_EQ(FindRecoverable().size(), 1u);
}

TEST_F(AutosaveRecoveryTest, NoSetsTheAutosaveAsideAndAnAnsweredCloseRemovesIt) {
    DragBy(*b, 60);
    ASSERT_TRUE(root->AutosaveNow());  // an untitled project's changes
    root->FlushAutosave();
    root.reset();

    Open();
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    EXPECT_FALSE(OfferRecovery(*root));
    EXPECT_TRUE(FindRecoverable().empty());
    int kept = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder / "state"))
        kept += entry.path().filename().string().find("-kept-") != std::string::npos &&
                entry.path().extension() == ".kwp";
    EXPECT_EQ(kept, 1);

    AddAt(*root, kTextStringType, 0, 1000, 0);
    ASSERT_TRUE(root->AutosaveNow());
    root->FlushAutosave();
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    ASSERT_TRUE(root->QueryClose());
    EXPECT_TRUE(FindRecoverable().empty());
}

// A tutorial holds the main thread and the tree while it runs; at its
// moments the worker composes what it did so far and the window shows it.
TEST(ScriptMoments, TheWorkerComposesAndTheWindowShowsWhileAScriptHoldsTheTree) {
    testing::ScopedDialogs platform;
    ScriptedWindow window;
    std::atomic<int> composedWith{-1};
    WorkspaceOptions options;
    options.hooks.preview = [&](Workspace& root) { composedWith = root.ChildCount(); };
    Workspace root(nullptr, &window, nullptr, options);
    root.State()->WaitWorkerIdle();
    auto script = root.Edit();  // the script's hold, as a page link's input has it
    AddAt(root, kTextStringType, 0, 1000, 0);
    root.ShowScriptMoment();
    EXPECT_EQ(composedWith.load(), 1);
    EXPECT_EQ(window.shownNow, 1);
}

// A make runs on the worker frame by frame; opening another project from
// between two of its frames stops it first, and no frame of it ever sees
// the other project's tree.
TEST(EditHistoryMake, NewDuringAMakeStopsItBeforeTheTreeIsReplaced) {
    testing::ScopedDialogs platform;
    std::mutex mutex;
    std::condition_variable cv;
    bool thirdFrame = false;
    std::atomic<int> frames{0}, foreign{0};
    WorkspaceOptions options;
    options.hooks.make = [&](Workspace& root) {
        Clip* first = nullptr;
        for (int frame = 0; frame < 100000 && !root.State()->StopRequested(); ++frame) {
            {
                TreeLockGuard hold(&root.State()->lock);
                if (!first) first = root.ChildAt(0);
                if (root.ChildCount() != 2 || root.ChildAt(0) != first) ++foreign;
                ++frames;
            }
            if (frame == 3) {
                std::lock_guard lock(mutex);
                thirdFrame = true;
                cv.notify_all();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    Workspace root(nullptr, nullptr, nullptr, options);
    {
        auto edit = root.Edit();
        AddAt(root, kTextStringType, 0, 1000, 0);
        AddAt(root, kTextStringType, 0, 1000, 1);
        root.State()->AddActivity(kActivityMake);
        ASSERT_TRUE(root.State()->Worker()->Post(kWorkerMake));
    }
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(20), [&] { return thirdFrame; }));
    }
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    ASSERT_TRUE(NewProject(root));
    EXPECT_EQ(root.State()->Activity() & kActivityMake, 0);
    EXPECT_EQ(root.ChildCount(), 0);
    EXPECT_GE(frames.load(), 4);
    EXPECT_LT(frames.load(), 100000);
    EXPECT_EQ(foreign.load(), 0);
    EXPECT_FALSE(root.State()->StopRequested());
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

std::uint64_t Fnv(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
    return hash;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Edits, autosaves and saves until killed; each save that went through is
// logged with the hash of what it wrote, after it went through. A byte on
// `ready` tells the killer the first autosave is written, so a loaded
// machine still kills mid-work rather than mid-start.
[[noreturn]] void EditUntilKilled(const std::string& project, const std::string& log, unsigned seed, int ready) {
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    std::mt19937 random(seed);
    {
        bool opened = false;
        ReadProjectFile(root, project, opened);
        root.SetProjectPath(project);
        root.MarkSaved();
    }
    for (int i = 0;; ++i) {
        {
            auto edit = root.Edit();
            if (root.ChildCount() < 40 || random() % 2)
                AddAt(root, kTextStringType, std::int32_t(random() % 20000), 1000 + std::int32_t(random() % 5000),
                      int(random() % 8));
            else
                root.RemoveChild(root.ChildAt(int(random() % std::uint32_t(root.ChildCount()))));
        }
        root.SettleEdits();
        root.AutosaveNow();
        if (i == 0) {
            (void)!::write(ready, "r", 1);
            ::close(ready);
        }
        if (i % 7 == 6) {
            std::string error;
            if (WriteProjectFile(root, project, error)) {
                root.MarkSaved();
                const std::string line = std::to_string(Fnv(ReadAll(project))) + "\n";
                const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0600);
                if (fd >= 0) {
                    (void)!::write(fd, line.data(), line.size());
                    ::close(fd);
                }
            }
        }
    }
}

// Killed at random moments of editing, autosaving and saving: every
// autosave left reads back whole, and the project is the last save, whole.
TEST(EditHistoryKill, AKilledRunLeavesReadableAutosavesAndTheLastSave) {
#if defined(__SANITIZE_THREAD__)
    // The writer's thread cannot start in a child forked from threads there.
    GTEST_SKIP() << "ThreadSanitizer does not run threads after a fork";
#endif
    testing::TempFolder folder;
    const std::string state = folder / "state", project = folder / "p.kwp", log = folder / "saves.log";
    const char* oldState = std::getenv("XDG_STATE_HOME");
    const std::string keep = oldState ? oldState : "";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    {
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        AddAt(root, kTextStringType, 0, 1000, 0);
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, project, error)) << error;
    }
    std::mt19937 random(99);
    int autosavesRead = 0;
    for (int run = 0; run < 200; ++run) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            EditUntilKilled(project, log, unsigned(run), ready[1]);
        }
        ::close(ready[1]);
        char byte = 0;
        (void)!::read(ready[0], &byte, 1);  // an early death closes the pipe
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::vector<std::uint8_t> bytes = ReadAll(project);
        {
            WorkspaceOptions options;
            options.startWorker = false;
            Workspace reread(nullptr, nullptr, nullptr, options);
            MemoryInStream in(bytes);
            ASSERT_EQ(reread.Load(in), 1) << "run " << run;
        }
        // The last logged save, or the one whose log line the kill cut off.
        std::ifstream lines(log);
        std::vector<std::string> saves;
        for (std::string line; std::getline(lines, line);) saves.push_back(line);
        if (!saves.empty() && std::to_string(Fnv(bytes)) != saves.back()) {
            // A save completed after its predecessor was logged: it must
            // differ from every earlier one only by being newer, so its
            // bytes read back (checked) and it is not an older logged one.
            for (std::size_t i = 0; i + 1 < saves.size(); ++i)
                EXPECT_NE(std::to_string(Fnv(bytes)), saves[i]) << "run " << run << ": an older save came back";
        }
        std::error_code none;  // a run killed before its first autosave made no folder
        for (const auto& entry : std::filesystem::directory_iterator(state + "/vantrel/autosave", none)) {
            if (entry.path().extension() != ".kwp") continue;
            WorkspaceOptions options;
            options.startWorker = false;
            Workspace reread(nullptr, nullptr, nullptr, options);
            const std::vector<std::uint8_t> saved = ReadAll(entry.path().string());
            MemoryInStream in(saved);
            EXPECT_EQ(reread.Load(in), 1) << entry.path();
            ++autosavesRead;
        }
    }
    EXPECT_GT(autosavesRead, 50);
    if (keep.empty())
        unsetenv("XDG_STATE_HOME");
    else
        setenv("XDG_STATE_HOME", keep.c_str(), 1);
}

}  // namespace
}  // namespace vantrel
