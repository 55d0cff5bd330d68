// Plays the W1 project's top video (the AVI on track 0) two ways and says
// how well the picture kept up with the clock:
//
//  1. with the first sound track as the arrangement's audio master: the
//     sound goes to the sound device and every picture is composed from all
//     four layers, frame by frame, as the editor does it;
//  2. the AVI alone through the media control, which draws its own frames
//     into a CIF picture against the steady clock;
//  3. the same with one of W4's Full HD 25 fps H.264 movies.
//
// Frames dropped: 15 fps frames whose whole interval passed without being
// shown. Offset: the clock minus the time of the picture just shown, at the
// end and at worst. With no sound server the Qt device fails and the
// silent clock keeps the time; the output says which one played.
//
//   playback_bench [SECONDS=60] [FOLDER]
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "items/WorkerThread.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "bench/compose/Projects.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "playback/MediaControl.h"
#include "playback/Playback.h"
#include "platform/qt/QtAudioOutput.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 1000.0 / 15;

struct Figures {
    int frames = 0, dropped = 0, lastOffset = 0, maxOffset = 0;
    double meanOffset = 0;
    bool audible = false;
    double seconds = 0;
};

void Print(const char* name, const Figures& f) {
    std::printf("%-34s %6.1f s  frames %5d  dropped %4d  offset at end %4d ms  mean %6.1f ms  worst %4d ms  (%s)\n",
                name, f.seconds, f.frames, f.dropped, f.lastOffset, f.meanOffset, f.maxOffset,
                f.audible ? "sound device" : "silent clock");
}

Figures ComposedWithAudioMaster(const std::string& project, std::string& topPath) {
    Figures figures;
    ScriptedWindow window;
    MediaControl control;
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    PlaybackOptions playback;
    Workspace* rootPointer = nullptr;
    std::int64_t lastIndex = -1;
    double offsetSum = 0;
    // Called on the worker right after each composed picture.
    playback.waitForRefresh = [&] {
        Workspace& root = *rootPointer;
        std::int32_t time = 0;
        {
            auto hold = root.Edit();
            time = root.Time();
        }
        const std::optional<PlaybackStats> stats = control.Stats("clip");
        if (stats) {
            figures.audible = stats->audible;
            const std::int64_t index = std::int64_t(std::floor(time / kFrameMs));
            if (index != lastIndex) {
                if (lastIndex >= 0 && index > lastIndex + 1) figures.dropped += int(index - lastIndex - 1);
                lastIndex = index;
                ++figures.frames;
                figures.lastOffset = stats->positionMs - time;
                figures.maxOffset = std::max(figures.maxOffset, std::abs(figures.lastOffset));
                offsetSum += figures.lastOffset;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000000 / 60));
    };
    options.hooks.play = PlaybackHook(&control, playback);
    Workspace root(nullptr, &window, nullptr, options);
    rootPointer = &root;
    root.State()->SetAsksForMissingMedia(false);
    Clip* top = nullptr;
    Clip* sound = nullptr;
    {
        auto edit = root.Edit();
        if (!OpenProjectFile(root, project)) return figures;
        for (int i = 0; i < root.ChildCount(); ++i) {
            Clip* child = root.ChildAt(i);
            if (!child->Source()) continue;
            if (child->Source()->Kind() == SourceKind::Avi && child->Track() == 0) top = child;
            if (child->Source()->Kind() == SourceKind::Wav && (!sound || child->Track() < sound->Track())) sound = child;
        }
        if (!top || !sound || !root.MakeAudioMaster(sound)) return figures;
        topPath = top->Source()->Path();
        root.Editor().LayOut(1024, 768);
        root.SetGlobalTime(0);
    }
    const Clock::time_point began = Clock::now();
    if (!root.Play(top)) return figures;
    while (root.State()->Activity() & kActivityPlay) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    figures.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    if (figures.frames) figures.meanOffset = offsetSum / figures.frames;
    return figures;
}

// Stands in for the preview pane: the frame stretched into a CIF picture.
struct CifWindow final : VideoWindow {
    Surface target;
    CifWindow() { target.Allocate(352, 288); }
    void ShowFrame(const Surface& picture, int width, int height, const Rect&) override {
        target.StretchFrom(picture, Rect{0, 0, width, height}, target.Bounds());
    }
};

Figures DeviceDrawn(const std::string& avi) {
    Figures figures;
    MediaControl control;
    CifWindow window;
    const int handle = control.AddWindow(&window);
    if (!control.Send("open \"" + avi + "\" alias clip") ||
        !control.Send("window clip handle " + std::to_string(handle)) || !control.Send("play clip from 0"))
        return figures;
    const Clock::time_point began = Clock::now();
    std::string mode = "playing";
    while (control.Send("status clip mode", &mode) && mode == "playing")
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    figures.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    control.Send("close clip");
    const PlaybackStats stats = control.LastClosed();
    figures.frames = stats.framesShown;
    figures.dropped = stats.framesDropped;
    figures.lastOffset = stats.lastOffsetMs;
    figures.maxOffset = stats.maxOffsetMs;
    figures.meanOffset = std::nan("");
    figures.audible = stats.audible;
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const std::string folder =
        argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "vantrel-w1-bench").string();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    // The real device when there is a sound server; otherwise it fails to
    // start and the silent clock plays.
    InstallQtAudioOutput();
    InstallCompositionParts();
    std::string error;
    const std::string project = vantrel::bench::WriteW1Project(folder, seconds, error);
    if (project.empty()) {
        std::fprintf(stderr, "playback_bench: %s\n", error.c_str());
        return 1;
    }
    std::printf("W1 %d s, top video (CIF, 15 fps) on %u hardware threads\n", seconds,
                std::thread::hardware_concurrency());
    std::string top;
    Print("composed, audio master playing", ComposedWithAudioMaster(project, top));
    if (!top.empty()) Print("media control drawing the AVI", DeviceDrawn(top));
    // One of W4's Full HD 25 fps H.264 movies the same way.
    const std::string w4Folder = (std::filesystem::temp_directory_path() / "vantrel-w4-bench").string();
    if (vantrel::bench::WriteW4Project(w4Folder, seconds, error).empty()) {
        std::fprintf(stderr, "playback_bench: %s\n", error.c_str());
        return 1;
    }
    Print("media control drawing a 1080p H.264",
          DeviceDrawn(w4Folder + "/w4-video3-" + std::to_string(seconds) + ".mp4"));
    return 0;
}
