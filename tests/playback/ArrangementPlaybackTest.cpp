#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "compose/AudioMix.h"
#include "compose/Composition.h"
#include "make/Make.h"
#include "make/WorkspaceMake.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/ProjectFiles.h"
#include "playback/Playback.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

const std::string kExample = VANTREL_SOURCE_DIR "/data/program/9/samps/example.kwp";

std::uint64_t Digest(const Surface& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < s.Height(); ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(s.Row(y));
        for (std::size_t i = 0; i < std::size_t(s.Width()) * 4; ++i) h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

// The silent clock, keeping what it was handed and the last time it told.
struct RecordingOutput final : AudioOutput {
    SilentAudioOutput clock;
    std::vector<std::uint8_t>* kept;
    std::atomic<std::int64_t>* lastTold;
    bool Start(const PcmFormat& f) override { return clock.Start(f); }
    std::size_t FreeBytes() const override { return clock.FreeBytes(); }
    std::size_t Write(const std::uint8_t* data, std::size_t bytes) override {
        const std::size_t taken = clock.Write(data, bytes);
        kept->insert(kept->end(), data, data + taken);
        return taken;
    }
    std::int64_t PlayedMicroseconds() const override { return *lastTold = clock.PlayedMicroseconds(); }
    void Stop() override { clock.Stop(); }
    bool Audible() const override { return false; }
};

struct ArrangementPlaybackTest : ::testing::Test {
    ScriptedWindow window;
    std::vector<std::uint8_t> sound;
    std::atomic<std::int64_t> lastTold{0};
    std::atomic<int> devices{0};
    std::mutex shownLock;
    std::vector<std::pair<std::int32_t, std::uint64_t>> shown;
    ArrangementPlaybackReport report;
    std::atomic<bool> ended{false};
    std::unique_ptr<Workspace> root;

    void SetUp() override {
        InstallCompositionParts();
        WorkspaceOptions options;
        options.hooks = CompositionWorkerHooks();
        PlaybackOptions playback;
        playback.arrangement.audio = [this](const PcmFormat& format) -> std::unique_ptr<AudioOutput> {
            ++devices;
            auto out = std::make_unique<RecordingOutput>();
            out->kept = &sound;
            out->lastTold = &lastTold;
            if (!out->Start(format)) return nullptr;
            return out;
        };
        playback.arrangement.shown = [this](std::int32_t time, const Surface& frame) {
            std::lock_guard guard(shownLock);
            shown.emplace_back(time, Digest(frame));
        };
        playback.arrangementPlayed = [this](const ArrangementPlaybackReport& r) {
            report = r;
            ended = true;
        };
        options.hooks.play = PlaybackHook(nullptr, playback);
        root = std::make_unique<Workspace>(nullptr, &window, nullptr, options);
        root->State()->SetAsksForMissingMedia(false);
        auto edit = root->Edit();
        ASSERT_TRUE(OpenProjectFile(*root, kExample));
    }
    void TearDown() override { root.reset(); }
    bool Ended(std::chrono::milliseconds limit = 20000ms) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!ended && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
        return ended && !(root->State()->Activity() & kActivityPlay);
    }
};

// The example on the silent clock, stopped after three seconds and then
// played out to its end: every frame shown is the picture a make composes at
// its time, the device got exactly the make's mix of the played span, and
// the time left is where the clock stood.
TEST_F(ArrangementPlaybackTest, ShowsTheComposedFramesHandsOnTheMixAndStopsWhereTheClockWas) {
    root->SetGlobalTime(0);
    ASSERT_TRUE(root->PlayArrangement(1));
    // Stopped once frames past 2.5 s were shown: a loaded machine (or a
    // sanitizer) shows fewer frames in a given time, never later ones.
    const auto limit = std::chrono::steady_clock::now() + 60s;
    for (bool enough = false; !enough && std::chrono::steady_clock::now() < limit;) {
        std::this_thread::sleep_for(20ms);
        std::lock_guard guard(shownLock);
        enough = shown.size() > 20 && shown.back().first > 2500;
    }
    ResultFlags out = 0;
    root->Command(&window, 139, out);  // "Stop"
    ASSERT_TRUE(Ended());
    EXPECT_EQ(devices.load(), 1);
    EXPECT_EQ(root->Time(), lastTold.load() / 1000);
    EXPECT_GT(root->Time(), 2500);
    EXPECT_EQ(report.stoppedAt, root->Time());
    EXPECT_EQ(root->PlayedFrame(), nullptr);
    EXPECT_GT(report.framesShown, 20);
    EXPECT_GE(report.firstFrameUs, 0);
    EXPECT_GE(report.firstSoundUs, 0);
    const std::vector<std::uint8_t> heard = sound;
    std::vector<std::pair<std::int32_t, std::uint64_t>> seen;
    {
        std::lock_guard guard(shownLock);
        seen.swap(shown);
    }
    ended = false;
    ASSERT_TRUE(root->PlayArrangement(1));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(root->Time(), root->GetPosition() + root->GetSize());
    {
        std::lock_guard guard(shownLock);
        ASSERT_FALSE(shown.empty());
        EXPECT_GE(shown.front().first, seen.back().first);
    }
    sound = heard;
    shown = seen;

    // The same times composed and mixed by a tree of its own, as a make would.
    Clip fresh;
    std::string message;
    ASSERT_TRUE(LoadProjectQuietly(fresh, kExample, message)) << message;
    const OutputRate* rate = FindFrameRate(fresh.FrameRateId());
    ASSERT_NE(rate, nullptr);
    auto frameMs = [&](std::int64_t i) { return std::int32_t(i * 1000 * rate->den / rate->num); };
    std::vector<std::uint8_t> mixed;
    MixBuffers mix;
    for (std::int64_t i = 0; mixed.size() < sound.size(); ++i) {
        const int bytes = FrameAudioBytes(frameMs(i), frameMs(i + 1));
        fresh.SetTime(frameMs(i));
        const std::int16_t* samples = MixStep(fresh, mix, frameMs(i + 1) - frameMs(i), bytes, kComposeMake);
        ASSERT_NE(samples, nullptr);
        const auto* first = reinterpret_cast<const std::uint8_t*>(samples);
        mixed.insert(mixed.end(), first, first + bytes);
    }
    ASSERT_GT(sound.size(), 44100u * 4 * 2);
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), mixed.begin()));
    // Every fifth frame shown, to keep the test short.
    std::lock_guard guard(shownLock);
    std::int32_t last = -1;
    for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_GT(shown[k].first, last);
        last = shown[k].first;
        if (k % 5) continue;
        fresh.SetTime(shown[k].first);
        ASSERT_TRUE(Compose(fresh, kComposeMake));
        EXPECT_EQ(Digest(*FinishedFrame(fresh)), shown[k].second) << "at " << shown[k].first;
    }
}

// Backward is picture only on the silent clock, and ends at the start; a
// new speed while playing changes the speed from where it is.
TEST_F(ArrangementPlaybackTest, BackwardIsSilentAndASpeedChangeCarriesOn) {
    root->SetGlobalTime(4500);
    ASSERT_TRUE(root->PlayArrangement(-2));
    ASSERT_TRUE(Ended(10000ms));
    EXPECT_EQ(devices.load(), 0);
    EXPECT_TRUE(sound.empty());
    EXPECT_EQ(root->Time(), 0);
    EXPECT_LT(report.playedUs, 4500000);  // twice as fast as the time it covered
    {
        std::lock_guard guard(shownLock);
        ASSERT_GT(shown.size(), 2u);
        EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend()));
        shown.clear();
    }
    // The time of the first frame shown from now on; a slow machine takes
    // longer to show it, and the clock waits for it.
    auto firstFrame = [this] {
        {
            std::lock_guard guard(shownLock);
            shown.clear();
        }
        for (int i = 0; i < 3000; ++i) {
            std::this_thread::sleep_for(5ms);
            std::lock_guard guard(shownLock);
            if (!shown.empty()) return shown.front().first;
        }
        return -1;
    };
    ended = false;
    ASSERT_TRUE(root->PlayArrangement(1));
    ASSERT_GE(firstFrame(), 0);
    std::this_thread::sleep_for(600ms);
    EXPECT_FALSE(root->PlayArrangement(3));
    ASSERT_TRUE(root->PlayArrangement(4));
    const std::int32_t from = firstFrame();
    ASSERT_GT(from, 400);  // it carried on from where 1x had got to
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(500ms);
    root->State()->SetStopRequest(true);
    const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(Ended());
    // Four times the wall time it ran at 4x, from its first frame there.
    EXPECT_GT(root->Time() - from, 1600);
    EXPECT_LT(root->Time() - from, 4 * wallMs + 400);
    EXPECT_EQ(root->State()->PlaySpeed(), 1);
}

}  // namespace
}  // namespace vantrel
