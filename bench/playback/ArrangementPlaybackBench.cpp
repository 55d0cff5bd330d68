// Plays whole arrangements in real time on the silent clock, started by
// Space as the editor's key: the W1 project (four CIF layers, four sound
// tracks, 15 fps) and the W4 project (four Full HD H.264 layers, four sound
// tracks, 25 fps). For each: frames shown per second, frames dropped, the
// picture's offset from the sound's clock at the end and at worst, and the
// time from Space to the first frame shown and to the first sound handed
// to the device.
//
//   arrangement_playback_bench [SECONDS=60] [w1|w4|both]
#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "bench/compose/Projects.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "playback/Playback.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

// The silent clock, noting when it first got sound.
struct TimedSilence final : AudioOutput {
    SilentAudioOutput clock;
    std::atomic<std::int64_t>* firstWrite;
    Clock::time_point origin;
    bool Start(const PcmFormat& f) override { return clock.Start(f); }
    std::size_t FreeBytes() const override { return clock.FreeBytes(); }
    std::size_t Write(const std::uint8_t* data, std::size_t bytes) override {
        const std::size_t taken = clock.Write(data, bytes);
        std::int64_t none = -1;
        if (taken)
            firstWrite->compare_exchange_strong(
                none, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - origin).count());
        return taken;
    }
    std::int64_t PlayedMicroseconds() const override { return clock.PlayedMicroseconds(); }
    void Stop() override { clock.Stop(); }
    bool Audible() const override { return false; }
};

void Play(const char* name, const std::string& project, int seconds) {
    ScriptedWindow window;
    std::atomic<std::int64_t> firstFrame{-1}, firstSound{-1};
    Clock::time_point origin = Clock::now();
    ArrangementPlaybackReport report;
    std::atomic<bool> ended{false};
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    PlaybackOptions playback;
    playback.arrangement.audio = [&](const PcmFormat& format) -> std::unique_ptr<AudioOutput> {
        auto out = std::make_unique<TimedSilence>();
        out->firstWrite = &firstSound;
        out->origin = origin;
        out->Start(format);
        return out;
    };
    playback.arrangement.shown = [&](std::int32_t, const Surface&) {
        std::int64_t none = -1;
        firstFrame.compare_exchange_strong(
            none, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - origin).count());
    };
    playback.arrangementPlayed = [&](const ArrangementPlaybackReport& r) {
        report = r;
        ended = true;
    };
    options.hooks.play = PlaybackHook(nullptr, playback);
    Workspace root(nullptr, &window, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    {
        auto edit = root.Edit();
        if (!OpenProjectFile(root, project)) {
            std::fprintf(stderr, "cannot open %s\n", project.c_str());
            return;
        }
        root.SetGlobalTime(0);
    }
    // Let the preview the opening posted finish, as a person would.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    origin = Clock::now();
    root.Input(&window, kKeyUp, 10, 10, kVkSpace);
    // Stopped after the seconds, or played out to the end before that.
    for (int tenth = 0; tenth < seconds * 10 && !ended; ++tenth) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    root.State()->SetStopRequest(true);
    while (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const double played = report.playedUs / 1e6;
    std::printf("%-4s %5.1f s played  shown %5d (%5.1f fps)  dropped %4d (%4.1f %%)  offset at end %3d ms, worst %3d ms  "
                "Space to first frame %5.1f ms, to first sound %5.1f ms  (composing a frame %5.1f ms)\n",
                name, played, report.framesShown, played > 0 ? report.framesShown / played : 0.0, report.framesDropped,
                100.0 * report.framesDropped / std::max(1, report.framesShown + report.framesDropped),
                report.lastOffsetMs, report.maxOffsetMs, firstFrame.load() / 1000.0, firstSound.load() / 1000.0,
                report.composeUs / 1000.0 / std::max(1, report.framesComposed));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const std::string which = argc > 2 ? argv[2] : "both";
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    InstallCompositionParts();
    std::printf("whole arrangements played for %d s on the silent clock, %u hardware threads\n", seconds,
                std::thread::hardware_concurrency());
    std::string error;
    if (which != "w4") {
        const std::string folder = (std::filesystem::temp_directory_path() / "vantrel-w1-bench").string();
        const std::string project = vantrel::bench::WriteW1Project(folder, seconds, error);
        if (project.empty()) return std::fprintf(stderr, "%s\n", error.c_str()), 1;
        Play("W1", project, seconds);
    }
    if (which != "w1") {
        const std::string folder = (std::filesystem::temp_directory_path() / "vantrel-w4-bench").string();
        const std::string project = vantrel::bench::WriteW4Project(folder, seconds, error);
        if (project.empty()) return std::fprintf(stderr, "%s\n", error.c_str()), 1;
        Play("W4", project, seconds);
    }
    return 0;
}
