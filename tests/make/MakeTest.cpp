#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "items/Version.h"
#include "model/clips/ClipHeader.h"
#include "compose/ClipState.h"
#include "items/WorkerThread.h"
#include "editor/workspace/Workspace.h"
#include "make/Make.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/compose/Fixtures.h"

namespace vantrel {
namespace {

using testing::MakeRoot;
using testing::Place;
using testing::TempFolder;
using testing::WriteBitmap;
using testing::WriteWave;

// Records every call the frame loop makes.
class RecordingPlugin final : public ExportPlugin {
public:
    void release() override {}
    bool begin(PluginWindow) override {
        ++begins;
        return beginResult;
    }
    void end() override { ++ends; }
    bool configure(PluginWindow) override { return true; }
    void writeVideo(std::int32_t timeMs, const LockedFrame& frame) override {
        videoTimes.push_back(timeMs);
        width = frame.width, height = frame.height;
        if (stopAfter && root && int(videoTimes.size()) == stopAfter) root->State()->SetStopRequest(true);
    }
    void writeAudio(std::int32_t timeMs, const void*, std::int32_t bytes) override {
        audioTimes.push_back(timeMs);
        audioBytes.push_back(bytes);
    }
    const char* fileExtension(bool, bool) override { return ".mkv"; }

    bool beginResult = true;
    int begins = 0, ends = 0;
    int width = 0, height = 0;
    int stopAfter = 0;
    Clip* root = nullptr;
    std::vector<std::int32_t> videoTimes, audioTimes, audioBytes;
};

TEST(MakeArithmetic, AudioBytesRunBetweenAbsoluteSamplePositions) {
    const struct {
        std::int32_t t0, t1, bytes;
    } rows[] = {
        {0, 66, 2910 * 4},    // 2910.6 samples: the lower position
        {66, 133, 2955 * 4},  // 5865 - 2910
        {133, 200, 2955 * 4},
        {0, 1000, 44100 * 4},
        {1000, 1000, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(FrameAudioBytes(r.t0, r.t1), r.bytes) << r.t0;
    // A 15 fps make never drifts: the blocks add up to the whole span.
    std::int64_t total = 0;
    const int frames = MakeFrameCount(15, 3600000);
    for (int i = 0; i < frames; ++i) {
        const FrameSpan span = MakeFrameSpan(0, 3600000, frames, i);
        total += FrameAudioBytes(span.t0, span.t1);
    }
    EXPECT_EQ(total, std::int64_t(3600) * 44100 * 4);
}

TEST(MakeArithmetic, FrameCountsAndSpans) {
    EXPECT_EQ(MakeFrameCount(15, 2000), 30);
    EXPECT_EQ(MakeFrameCount(15, 0), 0);
    EXPECT_EQ(MakeFrameCount(1, 999), 0);
    EXPECT_EQ(MakeFrameCount(15, -500), 0);
    const FrameSpan first = MakeFrameSpan(0, 2000, 30, 0), second = MakeFrameSpan(0, 2000, 30, 1);
    EXPECT_EQ(first.t0, 0);
    EXPECT_EQ(first.t1, 66);
    EXPECT_EQ(second.t0, 66);
    EXPECT_EQ(second.t1, 133);
    EXPECT_EQ(MakeFrameSpan(500, 2000, 30, 29).t1, 2500);
}

TEST(MakeArithmetic, OutputSizesAndRatesFallBack) {
    const struct {
        int id, w, h;
    } sizes[] = {{80, 160, 120}, {640, 352, 288}, {488, 176, 120}, {82, 320, 240}, {999, 320, 240}, {0, 320, 240}};
    for (const auto& s : sizes) {
        EXPECT_EQ(OutputFrameSize(s.id).width, s.w) << s.id;
        EXPECT_EQ(OutputFrameSize(s.id).height, s.h) << s.id;
    }
    EXPECT_EQ(OutputFrameRate(128), 1);
    EXPECT_EQ(OutputFrameRate(133), 10);
    EXPECT_EQ(OutputFrameRate(135), 15);  // "25 fps"
    EXPECT_EQ(OutputFrameRate(7), 15);
}

TEST(MakeArithmetic, ExtensionReplacesTheLastDotOfTheName) {
    EXPECT_EQ(WithExtension("/a/b/film.avi", ".mkv"), "/a/b/film.mkv");
    EXPECT_EQ(WithExtension("/a/b.c/film", ".mkv"), "/a/b.c/film.mkv");
    EXPECT_EQ(WithExtension("film.x.y", ".wav"), "film.x.wav");
    EXPECT_EQ(WithExtension("C:\\dir.d\\clip", ".mp4"), "C:\\dir.d\\clip.mp4");
}

WorkspaceOptions NoWorker() {
    WorkspaceOptions options;
    options.startWorker = false;
    return options;
}

class MakeLoop : public ::testing::Test {
protected:
    void SetUp() override { MakeRoot(root); }
    void Picture() {
        Clip* clip = root.ImportMedia(WriteBitmap(folder, "p.bmp", 32, 32, MakePixel(1, 2, 3, 0), 0));
        ASSERT_NE(clip, nullptr);
        Place(*clip, 0, 0, 60000);
    }
    void Sound() {
        Clip* clip = root.ImportMedia(WriteWave(folder, "s.wav", 44100, 16, 2, 44100 * 3, 100));
        ASSERT_NE(clip, nullptr);
        Place(*clip, 1, 0, 60000);
    }
    MakeReport Run() {
        MakeJob job;
        job.outputFile = folder.File("out.mkv");
        job.makeVideo = root.HasVideo();
        job.makeAudio = root.HasAudio();
        job.showMessage = [this](const std::string& text) { messages.push_back(text); };
        plugin.root = &root;
        return RunMake(root, plugin, job);
    }
    TempFolder folder;
    Workspace root{nullptr, nullptr, nullptr, NoWorker()};
    RecordingPlugin plugin;
    std::vector<std::string> messages;
};

TEST_F(MakeLoop, TwoSecondsAtFifteenFramesGiveThirtyFramesWithoutDrift) {
    Picture();
    Sound();
    root.SetMakeRange(0, 2000);
    const MakeReport report = Run();
    EXPECT_EQ(report.result, MakeResult::kMade);
    ASSERT_EQ(plugin.videoTimes.size(), 30u);
    ASSERT_EQ(plugin.audioBytes.size(), 30u);
    EXPECT_EQ(plugin.videoTimes[1], 66);
    EXPECT_EQ(plugin.audioBytes[0], 11640);
    EXPECT_EQ(plugin.audioBytes[1], 11820);
    EXPECT_EQ(std::accumulate(plugin.audioBytes.begin(), plugin.audioBytes.end(), 0), 352800);
    EXPECT_EQ(plugin.width, 320);
    EXPECT_EQ(plugin.settings.framesPerSecond, 15.0);
    EXPECT_STREQ(plugin.settings.title, VANTREL_PRODUCT_VERSION);
    EXPECT_EQ(plugin.ends, 1);
    EXPECT_EQ(root.State()->Activity() & kActivityMake, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MakeLoop, AnEmptyRangeEndsThePluginAndReportsFailure) {
    Picture();
    root.SetMakeRange(1000, 1000);
    EXPECT_EQ(Run().result, MakeResult::kFailed);
    EXPECT_EQ(plugin.begins, 1);
    EXPECT_EQ(plugin.ends, 1);
    EXPECT_TRUE(plugin.videoTimes.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The Vantrel make operation failed....");
}

TEST_F(MakeLoop, AFailedBeginSkipsTheLoopAndEnd) {
    Picture();
    root.SetMakeRange(0, 1000);
    plugin.beginResult = false;
    EXPECT_EQ(Run().result, MakeResult::kFailed);
    EXPECT_EQ(plugin.ends, 0);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MakeLoop, OnlyTheKindsPresentAreWritten) {
    Sound();
    root.SetMakeRange(0, 1000);
    Run();
    EXPECT_TRUE(plugin.videoTimes.empty());
    EXPECT_EQ(plugin.audioTimes.size(), 15u);
    EXPECT_EQ(plugin.settings.makeVideo, 0);

    Clip pictureRoot;
    MakeRoot(pictureRoot);
    RecordingPlugin other;
    Clip* clip = pictureRoot.ImportMedia(WriteBitmap(folder, "q.bmp", 8, 8, 0, 0));
    ASSERT_NE(clip, nullptr);
    Place(*clip, 0, 0, 5000);
    pictureRoot.SetMakeRange(0, 1000);
    MakeJob job;
    job.makeVideo = pictureRoot.HasVideo();
    job.makeAudio = pictureRoot.HasAudio();
    job.outputFile = folder.File("p.mkv");
    RunMake(pictureRoot, other, job);
    EXPECT_EQ(other.videoTimes.size(), 15u);
    EXPECT_TRUE(other.audioTimes.empty());
}

TEST_F(MakeLoop, TwentyFiveFramesAndAnUnknownSizeMakeAtTheFallbacks) {
    Picture();
    root.Header().SetInt(ClipHeader::kFrameRateId, 135);
    root.Header().SetInt(ClipHeader::kOutputSizeId, 4242);
    root.SetMakeRange(0, 1000);
    Run();
    EXPECT_EQ(plugin.videoTimes.size(), 15u);
    EXPECT_EQ(plugin.width, 320);
    EXPECT_EQ(plugin.height, 240);
}

// The classic "25 fps" makes at 15 and hands over whole frames only; the
// new one makes 25 at their exact times, and 29.97 hands the fraction over.
TEST_F(MakeLoop, NewRatesMakeAtExactTimesBesideTheClassicOnes) {
    Picture();
    Sound();
    root.SetMakeRange(100, 1100);
    auto makeAt = [this](int rateId) {
        auto made = std::make_unique<RecordingPlugin>();
        EXPECT_TRUE(root.SetFrameRateId(rateId));
        MakeJob job;
        job.outputFile = folder.File("out.mkv");
        job.makeVideo = job.makeAudio = true;
        RunMake(root, *made, job);
        return made;
    };
    const auto pal = makeAt(832);
    ASSERT_EQ(pal->videoTimes.size(), 25u);
    EXPECT_EQ(pal->videoTimes[1], 140);
    EXPECT_EQ(pal->settings.framesPerSecond, 25.0);

    const auto ntsc = makeAt(833);
    ASSERT_EQ(ntsc->videoTimes.size(), 30u);  // 29.97 frames: the 30th starts at 1067 ms
    EXPECT_EQ(ntsc->videoTimes[3], 200);      // floor(100.1) + 100
    EXPECT_EQ(ntsc->videoTimes[29], 1067);
    EXPECT_EQ(ntsc->settings.hasFrameRate, 1);
    EXPECT_EQ(ntsc->settings.frameRateNum, 30000);
    EXPECT_EQ(ntsc->settings.frameRateDen, 1001);
    EXPECT_EQ(std::accumulate(ntsc->audioBytes.begin(), ntsc->audioBytes.end(), 0), 44100 * 4);

    const auto classic = makeAt(134);
    EXPECT_EQ(classic->videoTimes.size(), 15u);
    EXPECT_EQ(classic->settings.hasFrameRate, 0);
    EXPECT_FALSE(root.SetFrameRateId(838));
}

TEST_F(MakeLoop, TheStopFlagEndsTheLoopBetweenFrames) {
    Picture();
    root.SetMakeRange(0, 2000);
    plugin.stopAfter = 3;
    const MakeReport report = Run();
    EXPECT_EQ(report.result, MakeResult::kMade);
    EXPECT_EQ(report.framesMade, 3);
    EXPECT_EQ(plugin.videoTimes.size(), 3u);
    EXPECT_EQ(plugin.ends, 1);
}

TEST_F(MakeLoop, TheMadeFileOpensOnlyWhenAskedAndOnlyAfterAFrame) {
    ScriptedPlatform platform;
    Picture();
    root.SetMakeRange(0, 200);
    MakeJob job;
    job.makeVideo = true;
    job.outputFile = folder.File("open.mkv");
    job.openWhenMade = true;
    RunMake(root, plugin, job);
    ASSERT_EQ(platform.shell.opened.size(), 1u);
    EXPECT_EQ(platform.shell.opened[0], job.outputFile);
    job.openWhenMade = false;  // batch runs
    RunMake(root, plugin, job);
    root.SetMakeRange(0, 0);
    job.openWhenMade = true;
    RunMake(root, plugin, job);
    EXPECT_EQ(platform.shell.opened.size(), 1u);
}

TEST_F(MakeLoop, StartingAsksForTheFileWithThePluginsExtension) {
    ScriptedPlatform platform;
    WorkerThread worker([](std::int32_t, void*) { return 0; }, nullptr);
    root.State()->SetWorker(&worker);
    MakeJob job;
    // Nothing to make: the message, and no dialog.
    EXPECT_FALSE(PrepareMake(root, &plugin, nullptr, nullptr, true, job));
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].text, "No Audio and no Video available for making.");
    EXPECT_TRUE(platform.dialogs.saveRequests.empty());

    Picture();
    platform.dialogs.fileAnswers = {std::string("/films/first.cut.avi"), std::nullopt};
    ASSERT_TRUE(PrepareMake(root, &plugin, nullptr, nullptr, true, job));
    EXPECT_EQ(job.outputFile, "/films/first.cut.mkv");
    EXPECT_TRUE(job.makeVideo);
    EXPECT_FALSE(job.makeAudio);
    EXPECT_TRUE(job.openWhenMade);
    const FileDialogRequest& request = platform.dialogs.saveRequests.at(0);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].patterns, "*.mkv");
    EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
    // Cancelled, without a plugin, or while the tree is held: nothing starts.
    EXPECT_FALSE(PrepareMake(root, &plugin, nullptr, nullptr, true, job));
    EXPECT_FALSE(PrepareMake(root, nullptr, nullptr, nullptr, true, job));
    root.State()->HoldTree();
    EXPECT_FALSE(PrepareMake(root, &plugin, nullptr, nullptr, true, job));
    root.State()->ReleaseTree();
    EXPECT_EQ(platform.dialogs.saveRequests.size(), 2u);
    root.State()->SetWorker(nullptr);
}

TEST_F(MakeLoop, ARefusedSettingEndsQuietly) {
    Picture();
    root.SetMakeRange(0, 1000);
    MakeJob job;
    job.makeVideo = true;
    job.outputFile = std::string(600, 'x');  // longer than the plugin's field
    job.showMessage = [this](const std::string& text) { messages.push_back(text); };
    EXPECT_EQ(RunMake(root, plugin, job).result, MakeResult::kRefused);
    EXPECT_EQ(plugin.begins, 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(root.State()->Activity() & kActivityMake, 0);
}

}  // namespace
}  // namespace vantrel
