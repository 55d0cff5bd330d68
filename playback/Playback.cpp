#include "editor/workspace/EditorWindow.h"
#include "playback/Playback.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "compose/Composition.h"
#include "make/Make.h"
#include "media/sources/MediaOpen.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
using SteadyClock = std::chrono::steady_clock;

constexpr int kModePolls = 1000;
constexpr auto kModePollPeriod = std::chrono::milliseconds(10);
constexpr auto kRefreshPeriod = std::chrono::microseconds(1000000 / 60);

std::string Format(const char* pattern, auto... values) {
    char text[1200];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// The frame surface the preview pane shows: the composite when there is
// one, else the preview surface.
Surface* PreviewTarget(Workspace& root) {
    Surface* frame = FinishedFrame(root);
    return frame && !frame->IsEmpty() ? frame : root.GetSurface();
}

// The device's pictures go where the composite is shown; the window is
// drawn on its own thread, asked for a refresh.
class PreviewWindow final : public VideoWindow {
public:
    explicit PreviewWindow(Workspace& root) : root_(root) {}
    void ShowFrame(const Surface& picture, int width, int height, const Rect&) override {
        {
            TreeLockGuard hold(&root_.State()->lock);
            Surface* target = PreviewTarget(root_);
            if (target && !target->IsEmpty() && width > 0 && height > 0)
                target->StretchFrom(picture, Rect{0, 0, width, height}, target->Bounds());
        }
        if (Window* window = root_.GetWindow()) window->RequestRefresh();
    }

private:
    Workspace& root_;
};

std::string DevicePath(const Workspace& root, const std::string& path) {
    return PathBesideProject(root.ProjectPath(), path);
}

struct Plan {
    std::string path;
    bool picture = false;  // the played clip has one: the device draws it
    bool local = false;    // the chosen AVI's picture is composed here
    std::int32_t offset = 0, start = 0;
    Rect destination{};
};

// Under the tree lock: what to play and from where; moves the root's time
// on when the played clip has not begun yet.
std::optional<Plan> MakePlan(Workspace& root, Clip* chosen) {
    if (!chosen || !chosen->Source() || !root.GetWindow()) return std::nullopt;
    // A tree just read from a file has not been told the time yet.
    root.SetTime(root.Time());
    Plan plan;
    Clip* played = chosen;
    const Clip* arrangement = chosen->ParentClip();
    Clip* master = arrangement ? arrangement->AudioMaster() : nullptr;
    if (master && master != chosen && master->Source() && chosen->Source()->Kind() == SourceKind::Avi &&
        chosen->Source()->HasPicture()) {
        played = master;
        plan.local = true;
    }
    plan.offset = played->Time() - root.Time();
    if (played->Time() < 0) root.SetTime(root.Time() - played->Time());
    plan.start = root.Time() + plan.offset;
    if (plan.local) PreviewCommand(root, root.GetSurface());
    plan.path = DevicePath(root, played->Source()->Path());
    plan.picture = played->Source()->HasPicture();
    plan.destination = root.Editor().Layout().Of(kPreviewRegion);
    return plan;
}
}  // namespace

void PlayCommand(Workspace& root, MediaControl& control, const PlaybackOptions& options) {
    RootState& state = *root.State();
    std::optional<Plan> plan;
    {
        TreeLockGuard hold(&state.lock);
        plan = MakePlan(root, state.PlayingClip());
    }
    auto finish = [&] {
        state.SetPlayingClip(nullptr);
        state.SetStopRequest(false);
    };
    if (!plan) return finish();
    Window* window = root.GetWindow();
    if (!control.Send(Format("open \"%s\" alias clip", plan->path.c_str()))) return finish();

    PreviewWindow preview(root);
    int handle = 0;
    bool ready = control.Send("set clip time format milliseconds");
    if (ready && plan->picture) {
        handle = control.AddWindow(&preview);
        // Without its window the clip still plays; only the picture is lost.
        if (control.Send(Format("window clip handle %d", handle))) {
            const Rect& d = plan->destination;
            control.Send(Format("put clip destination at %d %d %d %d", d.left, d.top, d.Width(), d.Height()));
        }
    }
    ready = ready && control.Send(Format("play clip from %d", int(plan->start)));

    std::string mode;
    if (ready) {
        for (int i = 0; i < kModePolls && !state.StopRequested(); ++i) {
            if (control.Send("status clip mode", &mode) && mode == "playing") break;
            std::this_thread::sleep_for(kModePollPeriod);
        }
    }
    // The average time one locally drawn update takes, to aim each picture
    // at the moment it will be seen.
    std::int64_t updates = 0, updateMicroseconds = 0;
    // Nobody else draws the preview while a sound plays: the composite
    // follows the time here, as a locally drawn video does.
    const bool compose = plan->local || !plan->picture;
    while (ready && mode == "playing" && !state.StopRequested()) {
        if (!control.Send("status clip mode", &mode)) break;
        if (mode == "stopped") {
            state.SetStopRequest(true);
            break;
        }
        std::string answer;
        const long position = control.Send("status clip position", &answer) ? std::atol(answer.c_str()) : 0;
        if (position != 0) {
            const SteadyClock::time_point began = SteadyClock::now();
            {
                TreeLockGuard hold(&state.lock);
                const auto time = std::int32_t(position - plan->offset);
                if (compose) {
                    const std::int32_t ahead = updates ? std::int32_t(updateMicroseconds / updates / 1000) : 0;
                    root.SetTime(time + ahead);
                    PreviewCommand(root, root.GetSurface());
                    if (ahead) root.SetTime(time);
                } else {
                    root.SetTime(time);
                }
            }
            if (window) window->RequestRefresh();
            if (compose) {
                updateMicroseconds +=
                    std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - began).count();
                ++updates;
            }
        }
        if (options.waitForRefresh)
            options.waitForRefresh();
        else
            std::this_thread::sleep_for(kRefreshPeriod);
    }
    control.Send("close clip");
    if (handle) control.RemoveWindow(handle);
    finish();
    // The composite comes back in the preview once the bit is down.
    state.EndActivity(kActivityPlay);
    state.PostPreview();
    if (window) window->RequestRefresh();
}

std::function<void(Workspace&)> PlaybackHook(MediaControl* control, PlaybackOptions options) {
    return [control, options](Workspace& root) {
        if (root.State()->PlayingClip() == &root) {
            const ArrangementPlaybackReport report = RunArrangementPlayback(root, options.arrangement);
            if (options.arrangementPlayed) options.arrangementPlayed(report);
            return;
        }
        if (control) return PlayCommand(root, *control, options);
        static MediaControl programControl;
        PlayCommand(root, programControl, options);
    };
}

}  // namespace vantrel
