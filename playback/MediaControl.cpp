#include "playback/MediaControl.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "media/sources/FfmpegSource.h"
#include "media/sources/MediaOpen.h"

namespace vantrel {

namespace {
using SteadyClock = std::chrono::steady_clock;

enum Mode : int { kStopped, kPlaying, kPaused };
constexpr const char* kModeNames[] = {"stopped", "playing", "paused"};
// Frames of a video whose container states no rate are timed as 25 per second.
constexpr double kDefaultFrameMs = 40.0;
// The longest the device sleeps: sound must be fed and Stop seen in time.
constexpr int kLongestSleepMs = 10;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

bool Is(const std::string& word, const char* keyword) { return Lower(word) == keyword; }

// Words at white space; a double-quoted word keeps its spaces.
std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < command.size()) {
        while (i < command.size() && std::isspace(static_cast<unsigned char>(command[i]))) ++i;
        if (i >= command.size()) break;
        if (command[i] == '"') {
            const std::size_t end = command.find('"', i + 1);
            if (end == std::string::npos) return {};  // an unclosed quote is no command
            words.push_back(command.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            std::size_t end = i;
            while (end < command.size() && !std::isspace(static_cast<unsigned char>(command[end]))) ++end;
            words.push_back(command.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

std::optional<int> Number(const std::string& word) {
    if (word.empty() || word.size() > 10) return std::nullopt;
    std::size_t i = word[0] == '-' ? 1 : 0;
    if (i == word.size()) return std::nullopt;
    long long value = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return std::nullopt;
        value = value * 10 + (word[i] - '0');
    }
    if (word[0] == '-') value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return int(value);
}
}  // namespace

// One opened clip. The source belongs to the device thread while it plays
// and to the commanding thread otherwise.
struct MediaControl::Device {
    std::unique_ptr<MediaSource> source;
    std::function<std::unique_ptr<AudioOutput>(const PcmFormat&)> openAudio;
    VideoWindow* window = nullptr;
    Rect destination{};
    std::thread thread;
    std::atomic<bool> quit{false};
    std::atomic<int> mode{kStopped};
    std::atomic<int> position{0};
    mutable std::mutex statsMutex;
    PlaybackStats stats;

    ~Device() { Halt(kStopped); }

    void Halt(int endMode) {
        quit = true;
        if (thread.joinable()) thread.join();
        quit = false;
        mode = endMode;
    }

    bool Play(int from, int to) {
        Halt(kStopped);
        const int length = source->LengthMs();
        if (to < 0 || to > length) to = length;
        if (from < 0 || from > to) return false;
        position = from;
        mode = kPlaying;
        thread = std::thread([this, from, to] { Run(from, to); });
        return true;
    }

    PlaybackStats Stats() const {
        std::lock_guard lock(statsMutex);
        PlaybackStats copy = stats;
        copy.positionMs = position;
        return copy;
    }

    void Run(int from, int to);
};

void MediaControl::Device::Run(int from, int to) {
    MediaSource& media = *source;
    PlaybackStats local;
    std::unique_ptr<AudioOutput> output;
    const AudioFormat& format = media.Audio();
    if (media.HasAudio())
        output = openAudio(PcmFormat{format.samplesPerSecond, format.channels, format.bitsPerSample});
    local.sound = output != nullptr;
    local.audible = output && output->Audible();

    // Sound is fed from one-second blocks, from the byte of `from` on.
    const std::int64_t bytesPerSecond = format.bytesPerSecond;
    const std::int64_t align = std::max(1, format.blockAlign);
    std::int64_t next = bytesPerSecond * from / 1000 / align * align;
    const std::int64_t end = bytesPerSecond * to / 1000 / align * align;
    std::int64_t blockSecond = -1;
    auto feed = [&] {
        std::size_t free = output->FreeBytes();
        while (free >= std::size_t(align) && next < end && !quit) {
            const std::int64_t second = next / bytesPerSecond;
            if (second != blockSecond) {
                media.ReadAudioSecond(int(std::min<std::int64_t>(second * 1000, INT32_MAX)));
                blockSecond = second;
            }
            const std::vector<std::uint8_t>& block = media.AudioBlock();
            const std::int64_t inBlock = next - second * bytesPerSecond;
            std::int64_t n = std::min({bytesPerSecond - inBlock, end - next, std::int64_t(free)});
            n -= n % align;
            if (n <= 0 || inBlock + n > std::int64_t(block.size())) break;
            const std::size_t taken = output->Write(block.data() + inBlock, std::size_t(n));
            if (taken == 0) break;
            next += std::int64_t(taken);
            free -= taken;
        }
    };

    const SteadyClock::time_point started = SteadyClock::now();
    auto clock = [&]() -> int {
        if (output) return from + int(output->PlayedMicroseconds() / 1000);
        return from + int(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - started).count());
    };

    const bool video = media.HasPicture() && window;
    double frameMs = kDefaultFrameMs;
    if (auto* movie = dynamic_cast<FfmpegSource*>(&media); movie && movie->FramesPerSecond() > 0)
        frameMs = 1000.0 / movie->FramesPerSecond();
    std::int64_t shownIndex = -1;

    while (!quit) {
        if (output) feed();
        const int now = std::min(clock(), to);
        position = now;
        if (now >= to) break;
        double untilNextFrame = kLongestSleepMs;
        if (video) {
            const std::int64_t index = std::int64_t(std::floor(now / frameMs));
            if (index != shownIndex) {
                if (shownIndex >= 0 && index > shownIndex + 1) local.framesDropped += int(index - shownIndex - 1);
                const int frameTime = int(std::lround(index * frameMs));
                media.ReadFrame(now);
                window->ShowFrame(media.Picture(), media.Width(), media.Height(), destination);
                local.lastOffsetMs = clock() - frameTime;
                local.maxOffsetMs = std::max(local.maxOffsetMs, local.lastOffsetMs);
                ++local.framesShown;
                shownIndex = index;
            }
            untilNextFrame = (shownIndex + 1) * frameMs - clock();
        }
        {
            std::lock_guard lock(statsMutex);
            stats = local;
        }
        const int sleep = std::clamp(int(std::ceil(untilNextFrame)), 1, kLongestSleepMs);
        std::this_thread::sleep_for(std::chrono::milliseconds(sleep));
    }
    if (output) output->Stop();
    {
        std::lock_guard lock(statsMutex);
        stats = local;
    }
    // A stop from outside leaves its own mode; the end of the clip stops.
    if (!quit) mode = kStopped;
}

MediaControl::MediaControl(MediaControlOptions options) : options_(std::move(options)) {
    if (!options_.open) options_.open = [](const std::string& path) { return OpenMediaSource(path); };
    if (!options_.audio) options_.audio = [](const PcmFormat& format) { return OpenAudioOutput(format); };
}

MediaControl::~MediaControl() = default;

bool MediaControl::Send(const std::string& command, std::string* answer) {
    std::lock_guard lock(mutex_);
    if (record_) sent_.push_back(command);
    std::string result;
    const bool ok = Run(Words(command), result);
    if (answer) *answer = ok ? result : std::string();
    return ok;
}

int MediaControl::AddWindow(VideoWindow* window) {
    if (!window) return 0;
    std::lock_guard lock(mutex_);
    windows_[nextHandle_] = window;
    return nextHandle_++;
}

void MediaControl::RemoveWindow(int handle) {
    std::lock_guard lock(mutex_);
    windows_.erase(handle);
    // A device must never draw into a window that went away.
    for (auto& [alias, device] : devices_)
        if (device->window && !std::any_of(windows_.begin(), windows_.end(),
                                           [&](const auto& w) { return w.second == device->window; }))
            device->Halt(kStopped), device->window = nullptr;
}

std::vector<std::string> MediaControl::Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

PlaybackStats MediaControl::LastClosed() const {
    std::lock_guard lock(mutex_);
    return lastClosed_;
}

MediaControl::Device* MediaControl::Find(const std::string& alias) const {
    const auto it = devices_.find(Lower(alias));
    return it == devices_.end() ? nullptr : it->second.get();
}

bool MediaControl::IsOpen(const std::string& alias) const {
    std::lock_guard lock(mutex_);
    return Find(alias) != nullptr;
}

std::optional<PlaybackStats> MediaControl::Stats(const std::string& alias) const {
    std::lock_guard lock(mutex_);
    if (const Device* device = Find(alias)) return device->Stats();
    return std::nullopt;
}

bool MediaControl::Run(const std::vector<std::string>& w, std::string& answer) {
    if (w.size() < 2) return false;
    const std::string& verb = w[0];
    if (Is(verb, "open")) {
        // open PATH alias NAME
        if (w.size() != 4 || !Is(w[2], "alias") || Find(w[3])) return false;
        std::unique_ptr<MediaSource> source = options_.open(w[1]);
        if (!source || source->Kind() == SourceKind::Still) return false;
        if (!source->HasAudio() && !source->HasPicture()) return false;
        auto device = std::make_unique<Device>();
        device->source = std::move(source);
        device->openAudio = options_.audio;
        devices_[Lower(w[3])] = std::move(device);
        return true;
    }
    Device* device = Find(w[1]);
    if (!device) return false;
    if (Is(verb, "close")) {
        if (w.size() != 2) return false;
        device->Halt(kStopped);
        lastClosed_ = device->Stats();
        devices_.erase(Lower(w[1]));
        return true;
    }
    if (Is(verb, "set")) {
        // Milliseconds are the only time format this device counts in.
        return w.size() == 5 && Is(w[2], "time") && Is(w[3], "format") &&
               (Is(w[4], "milliseconds") || Is(w[4], "ms"));
    }
    if (Is(verb, "window")) {
        if (w.size() != 4 || !Is(w[2], "handle") || !device->source->HasPicture()) return false;
        const std::optional<int> handle = Number(w[3]);
        const auto it = handle ? windows_.find(*handle) : windows_.end();
        if (it == windows_.end() || device->mode == kPlaying) return false;
        device->window = it->second;
        return true;
    }
    if (Is(verb, "put")) {
        if (w.size() != 8 || !Is(w[2], "destination") || !Is(w[3], "at")) return false;
        int v[4];
        for (int i = 0; i < 4; ++i) {
            const std::optional<int> n = Number(w[4 + i]);
            if (!n) return false;
            v[i] = *n;
        }
        if (v[2] < 0 || v[3] < 0 || device->mode == kPlaying) return false;
        device->destination = Rect{v[0], v[1], v[0] + v[2], v[1] + v[3]};
        return true;
    }
    if (Is(verb, "play")) {
        int from = device->position, to = -1;
        for (std::size_t i = 2; i < w.size(); i += 2) {
            if (i + 1 >= w.size()) return false;
            const std::optional<int> n = Number(w[i + 1]);
            if (!n) return false;
            if (Is(w[i], "from"))
                from = *n;
            else if (Is(w[i], "to"))
                to = *n;
            else
                return false;
        }
        return device->Play(from, to);
    }
    if (Is(verb, "stop") || Is(verb, "pause")) {
        if (w.size() != 2) return false;
        device->Halt(Is(verb, "stop") ? kStopped : kPaused);
        return true;
    }
    if (Is(verb, "status")) {
        if (w.size() != 3) return false;
        if (Is(w[2], "mode"))
            answer = kModeNames[device->mode.load()];
        else if (Is(w[2], "position"))
            answer = std::to_string(device->position.load());
        else if (Is(w[2], "length"))
            answer = std::to_string(device->source->LengthMs());
        else
            return false;
        return true;
    }
    return false;
}

}  // namespace vantrel
