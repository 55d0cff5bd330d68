// Make from the editor with the real export plugin on the worker thread.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "items/WorkerThread.h"
#include "compose/ClipState.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "plugins/api/PluginTables.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

template <typename Condition>
bool WaitFor(Condition done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// The example project made into a temporary folder: each frame leaves its
// progress and asks the window for a refresh, "Stop" ends the make within a
// frame, and the made file is opened through the main thread's queue, not
// from the worker.
TEST(EditorMake, ProgressPerFrameStopWithinAFrameAndTheFileOpenedOnTheMainThread) {
    ScriptedPlatform platform;
    testing::TempFolder folder;
    PluginTables plugins;
    ASSERT_TRUE(plugins.Load(std::string(VANTREL_PROGRAM_DIR) + "/plugins/basalt.so"));
    InstallCompositionParts(&plugins);
    ScriptedWindow window;
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    auto root = std::make_unique<Workspace>(nullptr, &window, nullptr, options);
    root->State()->SetAsksForMissingMedia(false);
    ASSERT_TRUE(OpenProjectFile(*root, std::string(VANTREL_PROGRAM_DIR) + "/9/samps/example.kwp"));
    root->SetMakeRange(0, 30000);  // 450 frames: far more than the test waits for

    std::mutex mutex;
    std::vector<std::function<void()>> queued;
    MainThreadPost post = [&](std::function<void()> task) {
        std::lock_guard lock(mutex);
        queued.push_back(std::move(task));
    };
    platform.dialogs.fileAnswers = {folder / "made"};
    const int before = window.refreshRequests;
    ASSERT_TRUE(StartMake(*root, plugins, &window, true, {}, post));
    ASSERT_TRUE(WaitFor([&] { return window.refreshRequests - before >= 3; }));
    {
        auto edit = root->Edit();
        EXPECT_EQ(root->Editor().StatusText().rfind("Processing: ", 0), 0u) << root->Editor().StatusText();
    }
    ResultFlags out = 0;
    root->Command(&window, 139, out);  // "Stop"
    const int atStop = window.refreshRequests;
    ASSERT_TRUE(WaitFor([&] { return (root->State()->Activity() & kActivityMake) == 0; }));
    root->State()->WaitWorkerIdle();
    // At most the frame under way, then the refresh that brings the
    // editor's layout back.
    EXPECT_LE(window.refreshRequests, atStop + 2);
    // The status line names the file and the time its frames cover.
    const std::string status = root->Editor().StatusText();
    EXPECT_EQ(status.rfind("Done!: made.mp4 (", 0), 0u) << status;
    EXPECT_EQ(status.substr(status.size() - 3), " s)") << status;

    const std::string made = folder / "made.mp4";
    EXPECT_GT(std::filesystem::file_size(made), 0u);
    EXPECT_TRUE(platform.shell.opened.empty());
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(mutex);
        tasks.swap(queued);
    }
    for (auto& task : tasks) task();
    tasks.clear();
    EXPECT_EQ(platform.shell.opened, std::vector<std::string>{made});
    EXPECT_TRUE(platform.dialogs.boxes.empty());

    // An empty range makes nothing: the failure box comes through the main
    // thread too, and the made file is not opened.
    root->SetMakeRange(1000, 1000);
    platform.dialogs.fileAnswers = {folder / "empty"};
    ASSERT_TRUE(StartMake(*root, plugins, &window, true, {}, post));
    ASSERT_TRUE(WaitFor([&] { return (root->State()->Activity() & kActivityMake) == 0; }));
    root->State()->WaitWorkerIdle();
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_EQ(root->Editor().StatusText(), "The Vantrel make operation failed....");
    {
        std::lock_guard lock(mutex);
        tasks.swap(queued);
    }
    for (auto& task : tasks) task();
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].text, "The Vantrel make operation failed....");
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(platform.shell.opened.size(), 1u);
    root.reset();
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

std::vector<std::uint32_t> PictureAt(Workspace& root, std::int32_t time) {
    auto edit = root.Edit();
    root.SetGlobalTime(time);
    EXPECT_TRUE(Compose(root, 0));
    const Surface* frame = FinishedFrame(root);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < frame->Height(); ++y)
        for (int x = 0; x < frame->Width(); ++x) pixels.push_back(frame->At(x, y));
    return pixels;
}

// A step taken back gives back the picture too: the media reused from the
// tree before it show the same frames as when the project was opened.
TEST(EditorHistory, AnUndoneStepComposesTheFramesOfBefore) {
    ScriptedPlatform platform;
    InstallCompositionParts();
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    ASSERT_TRUE(OpenProjectFile(root, std::string(VANTREL_PROGRAM_DIR) + "/9/samps/example.kwp"));
    // The first preview after opening: every clip read knows the time
    // already, so the picture-in-picture that starts later is not in it.
    std::vector<std::uint32_t> first;
    {
        auto edit = root.Edit();
        ASSERT_TRUE(Compose(root, 0));
        const Surface* frame = FinishedFrame(root);
        for (int y = 0; y < frame->Height(); ++y)
            for (int x = 0; x < frame->Width(); ++x) first.push_back(frame->At(x, y));
    }
    const auto at0 = PictureAt(root, 0), at2 = PictureAt(root, 2000);
    EXPECT_EQ(first, at0);
    // A clip muted, one moved, one deleted, a text changed: four steps.
    const auto edit = [&](const std::function<void()>& change) {
        {
            auto hold = root.Edit();
            change();
        }
        root.SettleEdits();
    };
    // The deletion leaves its track empty, as no gesture would: the state
    // comes back with the gap, exactly as it was.
    edit([&] { root.ChildAt(root.ChildCount() - 1)->SetMuteVideo(true); });
    edit([&] { root.ChildAt(3)->SetPosition(root.ChildAt(3)->GetPosition() + 1000); });
    edit([&] { root.RemoveChild(root.ChildAt(1)); });
    edit([&] { root.ChildAt(3)->SetWords("Hello there"); });
    EXPECT_NE(PictureAt(root, 0), at0);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(root.UndoEdit());
    EXPECT_FALSE(root.History().CanUndo());
    EXPECT_EQ(PictureAt(root, 2000), at2);
    EXPECT_EQ(PictureAt(root, 0), at0);
}

}  // namespace
}  // namespace vantrel
