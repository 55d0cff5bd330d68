#include "playback/ArrangementPlayback.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "items/StringTable.h"
#include "values/TimeMath.h"
#include "compose/AudioMix.h"
#include "compose/Composition.h"
#include "make/Make.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kPlayingText = 906;  // "Playing: %.1f fps"
constexpr PcmFormat kOutputFormat{44100, 2, 16};
// A frame is composed only when it can be ready this long before it is due;
// otherwise only its sound is mixed, so that the sound never runs dry.
constexpr std::int64_t kComposeMarginUs = 15000;
// Frames the device's clock waits for before it starts: the first frame
// shows at once; while the sound is still short of its lead, the frames
// after it are left out rather than let the sound run dry.
constexpr int kPrerollFrames = 1;
// How often the status line's rate is measured.
constexpr std::int64_t kRatePeriodUs = 500000;

std::int64_t MicrosecondsSince(SteadyClock::time_point began) {
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - began).count();
}

// Frame i of a playback starts i frames of the output rate after its start,
// in real time; an exact rate keeps whole milliseconds without drift.
struct FrameClock {
    std::int64_t num = 15, den = 1;
    std::int64_t StartMs(std::int64_t index) const { return index * 1000 * den / num; }
};

FrameClock FrameClockOf(const Clip& root) {
    FrameClock clock;
    if (const OutputRate* rate = FindFrameRate(root.FrameRateId()); rate && rate->num > 0 && rate->den > 0)
        clock.num = rate->num, clock.den = rate->den;
    return clock;
}

struct QueuedFrame {
    std::int64_t startUs = 0, endUs = 0;  // on the device's clock
    std::int32_t time = 0;                // the arrangement's
    std::shared_ptr<const Surface> picture;  // null: dropped to keep the sound going
};

// What the composing and the showing side share while one speed plays.
struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QueuedFrame> frames;
    std::deque<std::vector<std::uint8_t>> sound;
    bool composed = false;  // the composing side has ended
    std::string rate;       // the status line's achieved rate; empty at first
    std::atomic<bool> shown{false};  // the showing side has ended (read unlocked)
    std::atomic<std::int64_t> clockUs{0};
    std::atomic<bool> started{false};
};

enum class SegmentEnd { Finished, Stopped, SpeedChanged };

struct Segment {
    Workspace& root;
    const ArrangementPlaybackOptions& options;
    ArrangementPlaybackReport& report;
    SteadyClock::time_point commandStart;
    std::int32_t from = 0;
    int speed = 1;
    Queue queue;

    RootState& State() { return *root.State(); }
    bool Interrupted() { return State().StopRequested() || State().PlaySpeed() != speed; }
    std::int32_t TimeAt(std::int64_t clockUs) const {
        return SaturateInt32(std::int64_t(from) + speed * (clockUs / 1000));
    }

    SegmentEnd Run(std::int32_t& stoppedAt);
    void Compose(std::int32_t begin, std::int32_t end);
    void Show();
};

SegmentEnd Segment::Run(std::int32_t& stoppedAt) {
    std::int32_t begin, end;
    {
        TreeLockGuard hold(&State().lock);
        begin = root.GetPosition();
        end = SaturatingAdd(root.GetPosition(), root.GetSize());
    }
    std::thread shower([this] { Show(); });
    Compose(begin, end);
    shower.join();
    report.playedUs += queue.clockUs.load();
    stoppedAt = std::clamp(TimeAt(queue.clockUs.load()), begin, end);
    if (State().StopRequested()) return SegmentEnd::Stopped;
    if (State().PlaySpeed() != speed) return SegmentEnd::SpeedChanged;
    // Played out: the clock's last tick can fall a fraction of a frame short
    // of the end, but the time goes all the way.
    stoppedAt = speed > 0 ? end : begin;
    return SegmentEnd::Finished;
}

// This (the worker's) thread: frame after frame at the output rate, each
// composed and its span mixed under the tree lock, into the queue.
void Segment::Compose(std::int32_t begin, std::int32_t end) {
    FrameClock clock;
    bool video, sound;
    {
        TreeLockGuard hold(&State().lock);
        clock = FrameClockOf(root);
        video = root.HasVideo();
        sound = speed > 0 && root.HasAudio() && !root.MuteAudio();
    }
    MixBuffers mix;
    std::int64_t composeUs = 0, composed = 0;
    for (std::int64_t i = 0;; ++i) {
        const std::int64_t startMs = clock.StartMs(i), endMs = clock.StartMs(i + 1);
        const std::int64_t time = from + speed * startMs;
        if (speed > 0 ? time >= end : time < begin) break;
        {
            std::unique_lock lock(queue.mutex);
            queue.changed.wait(lock, [&] {
                if (Interrupted() || queue.shown) return true;
                const std::int64_t lead = startMs * 1000 - queue.clockUs.load();
                return int(queue.frames.size()) < options.aheadFrames &&
                       (!queue.started.load() || lead <= std::int64_t(options.aheadMs) * 1000);
            });
        }
        if (Interrupted() || queue.shown) break;
        // A frame that would be ready only after it is due is left out.
        const std::int64_t averageUs = composed ? composeUs / composed : 0;
        const bool compose = video && (!queue.started.load() ||
                                       startMs * 1000 - queue.clockUs.load() >= averageUs + kComposeMarginUs);
        QueuedFrame frame{startMs * 1000, endMs * 1000, std::int32_t(time), nullptr};
        const int bytes = FrameAudioBytes(std::int32_t(startMs), std::int32_t(endMs));
        std::vector<std::uint8_t> samples(std::size_t(std::max(bytes, 0)), 0);
        {
            TreeLockGuard hold(&State().lock);
            root.SetTime(frame.time);
            if (compose) {
                const SteadyClock::time_point began = SteadyClock::now();
                vantrel::Compose(root, kComposeMake);
                if (const Surface* finished = FinishedFrame(root); finished && !finished->IsEmpty())
                    frame.picture = std::make_shared<const Surface>(*finished);
                composeUs += MicrosecondsSince(began);
                ++composed;
                report.composeUs += MicrosecondsSince(began);
                ++report.framesComposed;
            }
            if (sound && bytes > 0) {
                const std::int32_t span = SaturateInt32(speed * (endMs - startMs));
                const std::int16_t* mixed = MixStep(root, mix, span, bytes, kComposeMake);
                if (mixed) std::copy_n(reinterpret_cast<const std::uint8_t*>(mixed), bytes, samples.data());
            }
            // The time shown meanwhile is the clock's, not the frame's ahead of it.
            if (queue.started.load()) root.SetTime(std::clamp(TimeAt(queue.clockUs.load()), begin, end));
        }
        std::string rate;
        {
            std::lock_guard lock(queue.mutex);
            if (video) queue.frames.push_back(std::move(frame));
            queue.sound.push_back(std::move(samples));
            rate = queue.rate;
        }
        // Over what composing and mixing said of each clip.
        if (!rate.empty()) root.SetStatusText(rate);
        queue.changed.notify_all();
    }
    {
        std::lock_guard lock(queue.mutex);
        queue.composed = true;
    }
    queue.changed.notify_all();
}

// The showing thread: the sound goes to the device as it takes it, and each
// frame is shown when the device's clock reaches it; a frame whose time
// passed before it could be shown is dropped.
void Segment::Show() {
    std::unique_ptr<AudioOutput> output;
    if (speed > 0) {
        output = options.audio ? options.audio(kOutputFormat) : OpenAudioOutput(kOutputFormat);
        if (output && !options.audio) report.audible = output->Audible();
    }
    if (!output || speed < 0) {
        output = std::make_unique<SilentAudioOutput>();
        output->Start(kOutputFormat);
    }
    Window* window = root.GetWindow();
    std::deque<std::vector<std::uint8_t>> sound;
    std::size_t soundOffset = 0;
    std::int64_t writtenBytes = 0;
    const std::int64_t bytesPerSecond = kOutputFormat.BytesPerSecond();
    int shownThisSecond = 0;
    std::int64_t secondStartUs = 0;
    for (;;) {
        bool composed;
        std::vector<QueuedFrame> due;
        {
            std::unique_lock lock(queue.mutex);
            if (!queue.started.load()) {
                queue.changed.wait(lock, [&] {
                    return queue.composed || Interrupted() || int(queue.frames.size()) >= kPrerollFrames ||
                           queue.sound.size() >= std::size_t(kPrerollFrames);
                });
            }
            while (!queue.sound.empty()) {
                sound.push_back(std::move(queue.sound.front()));
                queue.sound.pop_front();
            }
            composed = queue.composed;
        }
        if (Interrupted()) break;
        while (!sound.empty()) {
            const std::vector<std::uint8_t>& chunk = sound.front();
            const std::size_t left = chunk.size() - soundOffset;
            const std::size_t room = output->FreeBytes();
            const std::size_t taken = left && room ? output->Write(chunk.data() + soundOffset, std::min(left, room)) : 0;
            if (taken > 0 && report.firstSoundUs < 0) report.firstSoundUs = MicrosecondsSince(commandStart);
            soundOffset += taken;
            writtenBytes += std::int64_t(taken);
            if (soundOffset >= chunk.size()) {
                sound.pop_front();
                soundOffset = 0;
            } else if (taken == 0) {
                break;
            }
        }
        queue.started.store(true);
        const std::int64_t clockUs = output->PlayedMicroseconds();
        queue.clockUs.store(clockUs);
        {
            std::lock_guard lock(queue.mutex);
            while (!queue.frames.empty() && queue.frames.front().startUs <= clockUs) {
                due.push_back(std::move(queue.frames.front()));
                queue.frames.pop_front();
            }
        }
        queue.changed.notify_all();
        // Of the frames due, the last one whose time has not passed shows.
        for (std::size_t k = 0; k < due.size(); ++k) {
            const QueuedFrame& frame = due[k];
            if (!frame.picture || k + 1 < due.size() || frame.endUs <= clockUs) {
                ++report.framesDropped;
                continue;
            }
            root.ShowPlayedFrame(frame.picture);
            if (options.shown) options.shown(frame.time, *frame.picture);
            if (window) window->RequestRefresh();
            if (report.firstFrameUs < 0) report.firstFrameUs = MicrosecondsSince(commandStart);
            ++report.framesShown;
            ++shownThisSecond;
            report.lastOffsetMs = int((clockUs - frame.startUs) / 1000);
            report.maxOffsetMs = std::max(report.maxOffsetMs, report.lastOffsetMs);
        }
        if (clockUs - secondStartUs >= kRatePeriodUs) {
            char text[96];
            std::snprintf(text, sizeof text, Str(kPlayingText).c_str(),
                          shownThisSecond * 1e6 / double(clockUs - secondStartUs));
            root.SetStatusText(text);
            {
                std::lock_guard lock(queue.mutex);
                queue.rate = text;
            }
            shownThisSecond = 0;
            secondStartUs = clockUs;
        }
        bool framesLeft;
        {
            std::lock_guard lock(queue.mutex);
            framesLeft = !queue.frames.empty() || !queue.sound.empty();
        }
        const std::int64_t writtenUs = writtenBytes * 1000000 / bytesPerSecond;
        if (composed && !framesLeft && sound.empty() && clockUs >= writtenUs) break;
        std::this_thread::sleep_for(2ms);
    }
    output->Stop();
    {
        std::lock_guard lock(queue.mutex);
        queue.shown = true;
    }
    queue.changed.notify_all();
}
}  // namespace

ArrangementPlaybackReport RunArrangementPlayback(Workspace& root, const ArrangementPlaybackOptions& options) {
    const SteadyClock::time_point commandStart = SteadyClock::now();
    RootState& state = *root.State();
    ArrangementPlaybackReport report;
    std::int32_t time;
    {
        TreeLockGuard hold(&state.lock);
        // A tree just read from a file has not been told the time yet.
        root.SetTime(root.Time());
        time = root.Time();
        const std::int32_t begin = root.GetPosition(), end = SaturatingAdd(begin, root.GetSize());
        // Played from its end, the arrangement starts again from its start.
        if (state.PlaySpeed() > 0 && time >= end) time = begin;
        if (state.PlaySpeed() < 0 && time <= begin) time = end;
    }
    for (;;) {
        Segment segment{root, options, report, commandStart, time, state.PlaySpeed(), {}};
        const SegmentEnd ended = segment.Run(time);
        if (ended != SegmentEnd::SpeedChanged) break;
    }
    report.stoppedAt = time;
    {
        TreeLockGuard hold(&state.lock);
        root.SetTime(time);
    }
    root.ShowPlayedFrame(nullptr);
    state.SetPlayingClip(nullptr);
    state.SetStopRequest(false);
    state.SetPlaySpeed(1);
    // The composite of where it stopped comes back once the bit is down.
    state.EndActivity(kActivityPlay);
    state.PostPreview();
    if (Window* window = root.GetWindow()) window->RequestRefresh();
    return report;
}

}  // namespace vantrel
