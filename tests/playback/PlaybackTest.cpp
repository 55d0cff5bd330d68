#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "items/WorkerThread.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "playback/MediaControl.h"
#include "playback/Playback.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/compose/Fixtures.h"
#include "tests/support/TinyWav.h"

namespace vantrel {
namespace {

using testing::Place;
using testing::TempFolder;
using namespace std::chrono_literals;

std::string Sample(const char* name) { return std::string(VANTREL_SOURCE_DIR "/data/program/9/samps/") + name; }

// A second of 8-bit mono at 8000 Hz, long enough to be stopped half way.
std::string WriteSecondWav(const TempFolder& folder, const std::string& name, int seconds = 1) {
    return testing::WriteWave(folder, name, 8000, 8, 1, 8000 * seconds, 128);
}

template <class F>
bool Eventually(F condition, std::chrono::milliseconds limit = 3000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    return condition();
}

struct CountingWindow final : VideoWindow {
    std::atomic<int> frames{0};
    Rect destination{};
    void ShowFrame(const Surface& picture, int width, int height, const Rect& d) override {
        EXPECT_GE(picture.Width(), width);
        EXPECT_GE(picture.Height(), height);
        destination = d;
        ++frames;
    }
};

TEST(SilentClock, RunsWithTheSteadyClockButNeverPastWhatWasWritten) {
    SilentAudioOutput out;
    EXPECT_FALSE(out.Start(PcmFormat{8000, 1, 12}));
    ASSERT_TRUE(out.Start(PcmFormat{8000, 2, 16}));
    EXPECT_FALSE(out.Audible());
    // A quarter second of room, in whole frames.
    EXPECT_EQ(out.FreeBytes(), 8000u);
    std::vector<std::uint8_t> sound(32000);
    EXPECT_EQ(out.Write(sound.data(), sound.size()), 8000u);
    EXPECT_EQ(out.FreeBytes() % 4, 0u);
    std::this_thread::sleep_for(400ms);
    // Ran dry after 250 ms and waited there; the device takes more again.
    EXPECT_EQ(out.PlayedMicroseconds(), 250000);
    EXPECT_EQ(out.FreeBytes(), 8000u);
    // Without a device installed, or with one that cannot start, the
    // program falls back to the silent clock.
    SetAudioOutputFactory([] {
        struct Broken final : AudioOutput {
            bool Start(const PcmFormat&) override { return false; }
            std::size_t FreeBytes() const override { return 0; }
            std::size_t Write(const std::uint8_t*, std::size_t) override { return 0; }
            std::int64_t PlayedMicroseconds() const override { return 0; }
            void Stop() override {}
            bool Audible() const override { return true; }
        };
        return std::make_unique<Broken>();
    });
    std::unique_ptr<AudioOutput> opened = OpenAudioOutput(PcmFormat{44100, 2, 16});
    SetAudioOutputFactory({});
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(opened->Audible());
    EXPECT_GT(opened->FreeBytes(), 0u);
}

TEST(MediaControl, CommandsOpenPlayReportAndClose) {
    TempFolder folder;
    MediaControl control;
    std::string answer;
    const std::string wav = WriteSecondWav(folder, "a.wav");
    // Stills, missing files and broken commands are refused.
    EXPECT_FALSE(control.Send("open \"" + testing::WriteBitmap(folder, "p.bmp", 8, 8, 0, 0) + "\" alias clip"));
    EXPECT_FALSE(control.Send("open \"" + folder.File("none.wav") + "\" alias clip"));
    EXPECT_FALSE(control.Send("open \"" + wav + " alias clip"));
    EXPECT_FALSE(control.Send("status clip mode", &answer));
    ASSERT_TRUE(control.Send("open \"" + wav + "\" alias Clip"));
    EXPECT_FALSE(control.Send("open \"" + wav + "\" alias clip"));  // the alias is taken
    EXPECT_TRUE(control.Send("SET clip time format milliseconds"));
    EXPECT_FALSE(control.Send("set clip time format frames"));
    EXPECT_FALSE(control.Send("window clip handle 1"));  // no picture, no window
    ASSERT_TRUE(control.Send("status clip length", &answer));
    EXPECT_EQ(answer, "1000");
    ASSERT_TRUE(control.Send("status clip mode", &answer));
    EXPECT_EQ(answer, "stopped");
    EXPECT_FALSE(control.Send("play clip from 1001"));
    ASSERT_TRUE(control.Send("play clip from 700"));
    ASSERT_TRUE(control.Send("status clip mode", &answer));
    EXPECT_EQ(answer, "playing");
    // The clip plays out its last 300 ms and stops at its end.
    EXPECT_TRUE(Eventually([&] { return control.Send("status clip mode", &answer) && answer == "stopped"; }));
    ASSERT_TRUE(control.Send("status clip position", &answer));
    EXPECT_EQ(answer, "1000");
    const PlaybackStats stats = *control.Stats("clip");
    EXPECT_TRUE(stats.sound);
    EXPECT_FALSE(stats.audible);
    EXPECT_TRUE(control.Send("close clip"));
    EXPECT_FALSE(control.IsOpen("clip"));
    EXPECT_FALSE(control.Send("close clip"));
}

TEST(MediaControl, AVideoIsDrawnIntoItsWindowAtItsDestination) {
    MediaControl control;
    CountingWindow window;
    const int handle = control.AddWindow(&window);
    ASSERT_TRUE(control.Send("open \"" + Sample("backdrop.avi") + "\" alias clip"));
    EXPECT_FALSE(control.Send("window clip handle 999"));
    ASSERT_TRUE(control.Send("window clip handle " + std::to_string(handle)));
    ASSERT_TRUE(control.Send("put clip destination at 4 8 320 240"));
    ASSERT_TRUE(control.Send("play clip from 5600"));
    EXPECT_TRUE(Eventually([&] { return !(control.Stats("clip")->positionMs < 6000); }));
    EXPECT_TRUE(control.Send("close clip"));
    EXPECT_GT(window.frames.load(), 0);
    EXPECT_EQ(window.destination, (Rect{4, 8, 324, 248}));
    const PlaybackStats stats = control.LastClosed();
    EXPECT_EQ(stats.framesShown, window.frames.load());
    EXPECT_GE(stats.lastOffsetMs, 0);
}

// The worker's play command on a root with a window and a real worker.
struct PlaybackTest : ::testing::Test {
    TempFolder folder;
    ScriptedWindow window;
    MediaControl control;
    std::function<void(Workspace&)> onPoll;
    std::unique_ptr<Workspace> root;

    void SetUp() override {
        InstallCompositionParts();
        control.RecordCommands(true);
        WorkspaceOptions options;
        options.hooks = CompositionWorkerHooks();
        PlaybackOptions playback;
        playback.waitForRefresh = [this] {
            if (onPoll) onPoll(*root);
            std::this_thread::sleep_for(10ms);
        };
        options.hooks.play = PlaybackHook(&control, playback);
        root = std::make_unique<Workspace>(nullptr, &window, nullptr, options);
        root->State()->SetAsksForMissingMedia(false);
    }
    void TearDown() override { root.reset(); }

    Clip* Import(const std::string& path, int track, std::int32_t position) {
        auto edit = root->Edit();
        Clip* clip = root->ImportMedia(path);
        if (clip) Place(*clip, track, position, clip->Length());
        return clip;
    }
    bool Finished() { return Eventually([&] { return (root->State()->Activity() & kActivityPlay) == 0; }, 10000ms); }
};

TEST_F(PlaybackTest, AClipNotYetBegunMovesTheTimeOnAndPlaysFromItsStart) {
    const std::string wav = WriteSecondWav(folder, "late.wav");
    Clip* clip = Import(wav, 0, 2000);
    ASSERT_NE(clip, nullptr);
    root->SetGlobalTime(0);
    std::vector<std::int32_t> times;
    std::vector<int> menus;
    bool playOffered = true, secondPlay = true;
    onPoll = [&](Workspace& r) {
        auto edit = r.Edit();
        times.push_back(r.Time());
        if (times.size() == 3) {
            const std::vector<int> commands = r.MenuCommands(*clip);
            playOffered = std::find(commands.begin(), commands.end(), kClipPlay) != commands.end();
            secondPlay = r.Play(clip);
        }
    };
    ASSERT_TRUE(root->Play(clip));
    ASSERT_TRUE(Finished());
    const std::vector<std::string> sent = control.Sent();
    ASSERT_GE(sent.size(), 5u);
    EXPECT_EQ(sent[0], "open \"" + wav + "\" alias clip");
    EXPECT_EQ(sent[1], "set clip time format milliseconds");
    EXPECT_EQ(sent[2], "play clip from 0");  // no picture: no window commands
    EXPECT_EQ(sent[3], "status clip mode");
    EXPECT_EQ(sent.back(), "close clip");
    // The time followed the sound from 2000 on, forward only, to the end.
    ASSERT_GE(times.size(), 3u);
    EXPECT_GE(times.front(), 2000);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    // The end is seen as the mode before the last position is read, so
    // the time stops short of the end by up to one poll.
    EXPECT_GE(root->Time(), 2500);
    EXPECT_LE(root->Time(), 3000);
    EXPECT_FALSE(playOffered);
    EXPECT_FALSE(secondPlay);
    EXPECT_EQ(root->State()->PlayingClip(), nullptr);
    EXPECT_FALSE(root->State()->StopRequested());
    EXPECT_FALSE(control.IsOpen("clip"));
}

TEST_F(PlaybackTest, StopEndsThePlaybackAtTheNextPollAndClosesTheDevice) {
    Clip* clip = Import(WriteSecondWav(folder, "long.wav", 8), 0, 0);
    ASSERT_NE(clip, nullptr);
    int polls = 0;
    onPoll = [&](Workspace& r) {
        if (++polls == 5) {
            ResultFlags out = 0;
            r.Command(&window, 139, out);  // "Stop"
        }
    };
    ASSERT_TRUE(root->Play(clip));
    ASSERT_TRUE(Finished());
    EXPECT_EQ(polls, 5);
    const std::vector<std::string> sent = control.Sent();
    EXPECT_EQ(sent.back(), "close clip");
    EXPECT_LT(root->Time(), 2000);
    EXPECT_FALSE(control.IsOpen("clip"));
    EXPECT_FALSE(root->State()->StopRequested());
    // Esc stops the same way.
    polls = 0;
    onPoll = [&](Workspace& r) {
        if (++polls == 3) r.Input(&window, kKeyUp, 0, 0, kVkEscape);
    };
    ASSERT_TRUE(root->Play(clip));
    ASSERT_TRUE(Finished());
    EXPECT_EQ(polls, 3);
    EXPECT_FALSE(control.IsOpen("clip"));
}

// The window must not wait for a clip to play out: a command that needs the
// worker ends the playback. And a Play nothing will run leaves no playback
// behind that nothing would ever end.
TEST_F(PlaybackTest, WaitingForTheWorkerEndsAPlaybackAndAnUnpostedPlayLeavesNoTrace) {
    Clip* clip = Import(WriteSecondWav(folder, "long.wav", 8), 0, 0);
    ASSERT_NE(clip, nullptr);
    RootState& state = *root->State();
    ASSERT_TRUE(root->Play(clip));
    ASSERT_TRUE(Eventually([&] { return control.IsOpen("clip"); }));
    const auto began = std::chrono::steady_clock::now();
    {
        auto edit = root->Edit();
        state.WaitWorkerIdle();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - began, 2s);
    EXPECT_TRUE(Finished());
    EXPECT_FALSE(control.IsOpen("clip"));
    EXPECT_EQ(control.Sent().back(), "close clip");

    state.HoldTree();
    EXPECT_FALSE(root->Play(clip));
    state.ReleaseTree();
    EXPECT_EQ(state.Activity(), 0);
    EXPECT_EQ(state.PlayingClip(), nullptr);
    std::vector<int> commands = root->MenuCommands(*clip);
    EXPECT_NE(std::find(commands.begin(), commands.end(), kClipPlay), commands.end());
}

// The bundled example names its media relative to the project's folder;
// the device must find them from wherever the program was started, and the
// clip's time in a tree just read must be right. The clip's "Play" plays
// it, and Space stops it again.
TEST_F(PlaybackTest, MediaNamedRelativeToTheProjectPlayFromAnywhereAndSpaceStopsThem) {
    WriteSecondWav(folder, "near.wav", 8);
    const std::string project = folder.File("p.kwp");
    {
        const std::filesystem::path started = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        Clip* clip = Import("near.wav", 0, 2000);
        std::filesystem::current_path(started);
        ASSERT_NE(clip, nullptr);
        ASSERT_EQ(clip->MediaPath(), "near.wav");
        auto edit = root->Edit();
        ASSERT_TRUE(SaveProjectFile(*root, project));
    }
    {
        auto edit = root->Edit();
        ASSERT_TRUE(OpenProjectFile(*root, project));
        ASSERT_EQ(root->ChildCount(), 1);
        root->SetCurrentChild(root->ChildAt(0));
    }
    std::atomic<int> polls{0};
    onPoll = [&](Workspace&) { ++polls; };
    ASSERT_TRUE(root->Play(root->CurrentChild()));
    ASSERT_TRUE(Eventually([&] { return polls > 2; }));
    root->Input(&window, kKeyUp, 0, 0, kVkSpace);
    ASSERT_TRUE(Finished());
    const std::vector<std::string> sent = control.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "open \"" + (std::filesystem::path(folder.Path()) / "near.wav").lexically_normal().string() +
                           "\" alias clip");
    EXPECT_EQ(sent[2], "play clip from 0");  // the times of a tree just read are current
    EXPECT_EQ(sent.back(), "close clip");
    EXPECT_GE(root->Time(), 2000);
    EXPECT_LT(root->Time(), 4000);
}

TEST_F(PlaybackTest, AVideoGoesToThePreviewAndWithAnAudioMasterIsComposedHere) {
    Clip* movie = Import(Sample("backdrop.avi"), 0, 0);
    ASSERT_NE(movie, nullptr);
    {
        auto edit = root->Edit();
        root->SetGlobalTime(5700);
        root->Editor().LayOut(1024, 768);
    }
    ASSERT_TRUE(root->Play(movie));
    ASSERT_TRUE(Finished());
    std::vector<std::string> sent = control.Sent();
    ASSERT_GE(sent.size(), 5u);
    EXPECT_EQ(sent[2].rfind("window clip handle ", 0), 0u);
    const Rect preview = root->Editor().Layout().Of(kPreviewRegion);
    char put[96];
    std::snprintf(put, sizeof put, "put clip destination at %d %d %d %d", preview.left, preview.top, preview.Width(),
                  preview.Height());
    EXPECT_EQ(sent[3], put);
    EXPECT_EQ(sent[4], "play clip from 5700");
    EXPECT_GT(control.LastClosed().framesShown, 0);

    // With a sound as the arrangement's master, the sound plays and the
    // movie is composed frame by frame.
    const std::string wav = WriteSecondWav(folder, "master.wav");
    Clip* master = Import(wav, 1, 0);
    ASSERT_NE(master, nullptr);
    {
        auto edit = root->Edit();
        ASSERT_TRUE(root->MakeAudioMaster(master));
        root->SetGlobalTime(600);
    }
    const std::size_t before = control.Sent().size();
    ASSERT_TRUE(root->Play(movie));
    ASSERT_TRUE(Finished());
    sent = control.Sent();
    sent.erase(sent.begin(), sent.begin() + std::ptrdiff_t(before));
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], "open \"" + wav + "\" alias clip");
    EXPECT_EQ(sent[2], "play clip from 600");
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const std::string& s) { return s.rfind("window", 0) == 0; }), 0);
    EXPECT_GE(root->Time(), 900);
    EXPECT_LE(root->Time(), 1000);
    ASSERT_NE(FinishedFrame(*root), nullptr);
}

}  // namespace
}  // namespace vantrel
