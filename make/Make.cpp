#include "make/Make.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "items/WorkerThread.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/ProjectFiles.h"
#include "model/clips/Clip.h"
#include "compose/AudioMix.h"
#include "compose/ClipState.h"
#include "compose/Composition.h"
#include "plugins/api/PluginTables.h"
#include "media/sources/PictureExport.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

constexpr std::int64_t kSampleRate = 44100;

struct Pending {
    std::mutex mutex;
    ExportPlugin* plugin = nullptr;
    MakeJob job;
};
Pending& PendingSlot() {
    static Pending pending;
    return pending;
}

void ShowError(Window* owner, const std::string& text) {
    if (Dialogs* dialogs = Platform().dialogs)
        dialogs->MessageBox(owner, {text, Str(kErrorText), BoxIcon::Error, BoxButtons::Ok});
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}


// Every frame allocates and frees buffers of a few hundred kilobytes: the
// packets read from the media files and the packets the encoder writes.
// With the allocator's defaults each of them is mapped and unmapped again,
// and the page faults cost more than filling them. Kept in the heap, up to
// a bound, they are simply reused.
void KeepFrameBuffersInTheHeap() {
#if defined(__GLIBC__)
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, 8 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
    });
#endif
}

// The classic rates hand the plugin whole frames per second only, as they
// always have; the exact ones add the fraction the file must carry.
bool SetRate(ExportPlugin& plugin, int frameRateId) {
    const OutputRate* rate = FindFrameRate(frameRateId);
    if (!rate || !rate->exactTimes) return plugin.SetFramesPerSecond(double(OutputFrameRate(frameRateId)));
    return plugin.SetFramesPerSecond(double(rate->num) / rate->den) && plugin.SetFrameRate(rate->num, rate->den);
}

}  // namespace

std::string PartialName(const std::string& path) {
    const std::filesystem::path target(path);
    // The extension stays last: the plugin picks the format from it.
    return (target.parent_path() / ("." + target.stem().string() + ".partial-" + std::to_string(::getpid()) +
                                    target.extension().string()))
        .string();
}

int MakeFrameCount(int framesPerSecond, std::int32_t durationMs) {
    const double frames = std::trunc(double(framesPerSecond) * double(durationMs) / 1000.0);
    if (!(frames > 0)) return 0;
    return frames > 2e9 ? 2000000000 : int(frames);
}

int ExactFrameCount(std::int64_t num, std::int64_t den, std::int32_t durationMs) {
    if (num <= 0 || den <= 0 || durationMs <= 0) return 0;
    // floor(i * 1000 * den / num) < duration exactly when i * 1000 * den <
    // duration * num: the count is that bound rounded up.
    const std::int64_t step = 1000 * den;
    const std::int64_t frames = (std::int64_t(durationMs) * num + step - 1) / step;
    return frames > 2000000000 ? 2000000000 : int(frames);
}

WholeMake WholeMakeOf(const Clip& root) {
    WholeMake whole;
    whole.start = root.MakeStart();
    whole.duration = std::int32_t(std::clamp<std::int64_t>(std::int64_t(root.MakeEnd()) - whole.start, 0, INT32_MAX));
    if (const OutputRate* rate = FindFrameRate(root.FrameRateId()); rate && rate->exactTimes) {
        whole.rateNum = rate->num;
        whole.rateDen = rate->den;
        whole.frames = ExactFrameCount(rate->num, rate->den, whole.duration);
    } else {
        whole.frames = MakeFrameCount(OutputFrameRate(root.FrameRateId()), whole.duration);
    }
    return whole;
}

FrameSpan MakeFrameSpan(std::int32_t makeStart, std::int32_t durationMs, int frames, int index) {
    if (frames <= 0) return {makeStart, makeStart};
    const std::int64_t t0 = std::int64_t(durationMs) * index / frames + makeStart;
    const std::int64_t t1 = std::int64_t(durationMs) * (index + 1) / frames + makeStart;
    return {std::int32_t(t0), std::int32_t(t1)};
}

FrameSpan WholeMake::Span(int index) const {
    if (rateNum <= 0 || rateDen <= 0) return MakeFrameSpan(start, duration, frames, index);
    if (frames <= 0) return {start, start};
    auto at = [this](std::int64_t i) {
        return std::min<std::int64_t>(i * 1000 * rateDen / rateNum, duration) + start;
    };
    return {std::int32_t(at(index)), std::int32_t(at(std::int64_t(index) + 1))};
}

std::int32_t FrameAudioBytes(std::int32_t t0, std::int32_t t1) {
    const std::int64_t from = std::int64_t(t0) * kSampleRate / 1000;
    const std::int64_t to = std::int64_t(t1) * kSampleRate / 1000;
    return std::int32_t(std::max<std::int64_t>(to - from, 0) * 4);
}

namespace {
// The whole make's own frame times, so that whatever defines them defines
// the chunks' edges too; index == frames gives the make's end.
std::int64_t FrameStart(const WholeMake& whole, int index) {
    return index >= whole.frames ? std::int64_t(whole.start) + whole.duration : whole.Span(index).t0;
}
// The first frame index in [0, frames] whose start is at or after timeMs;
// frames (whose "start" is the make's end) when none is.
int FirstFrameFrom(const WholeMake& whole, std::int64_t timeMs) {
    int low = 0, high = whole.frames;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (FrameStart(whole, middle) >= timeMs)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
WholeMake EvenMake(std::int32_t makeStart, std::int32_t durationMs, int frames) {
    WholeMake whole;
    whole.start = makeStart;
    whole.duration = durationMs;
    whole.frames = frames;
    return whole;
}
}  // namespace

FrameRange MakeFramesWithin(const WholeMake& whole, std::int64_t fromMs, std::int64_t toMs) {
    if (whole.frames <= 0 || toMs <= fromMs) return {};
    const int first = FirstFrameFrom(whole, fromMs);
    const int end = FirstFrameFrom(whole, toMs);
    return {first, std::max(first, end)};
}

FrameRange MakeFramesWithin(std::int32_t makeStart, std::int32_t durationMs, int frames, std::int64_t fromMs,
                            std::int64_t toMs) {
    return MakeFramesWithin(EvenMake(makeStart, durationMs, frames), fromMs, toMs);
}

std::vector<MakeChunk> SplitMake(std::int32_t makeStart, std::int32_t durationMs, int frames, int wanted) {
    return SplitMake(EvenMake(makeStart, durationMs, frames), wanted);
}

std::vector<MakeChunk> SplitMake(const WholeMake& whole, int wanted) {
    std::vector<MakeChunk> chunks;
    const int frames = whole.frames;
    if (frames <= 0) return chunks;
    for (int n = std::clamp(wanted, 1, frames); n >= 1; --n) {
        chunks.clear();
        const int each = frames / n, longer = frames % n;
        bool longEnough = true;
        for (int k = 0; k < n; ++k) {
            MakeChunk chunk;
            chunk.frames.first = k * each + std::min(k, longer);
            chunk.frames.end = chunk.frames.first + each + (k < longer ? 1 : 0);
            chunk.fromMs = std::int32_t(FrameStart(whole, chunk.frames.first));
            chunk.toMs = std::int32_t(FrameStart(whole, chunk.frames.end));
            longEnough = longEnough && chunk.toMs - chunk.fromMs >= 1000;
            chunks.push_back(chunk);
        }
        if (longEnough) break;
    }
    return chunks;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot >= nameStart) return path.substr(0, dot) + extension;
    return path + extension;
}

MakeReport RunMake(Clip& root, ExportPlugin& plugin, const MakeJob& job) {
    MakeReport report;
    KeepFrameBuffersInTheHeap();
    // A tree without a worker (a batch make) has nobody to keep out, but
    // the flags still tell the loop's story.
    RootState unshared;
    RootState& state = root.State() ? *root.State() : unshared;
    state.AddActivity(kActivityMake);
    std::unique_ptr<MixBuffers> mix;
    if (job.makeAudio) mix = std::make_unique<MixBuffers>();

    const WholeMake whole = WholeMakeOf(root);
    report.frames = whole.frames;
    report.made = {0, report.frames};
    if (job.frames)
        report.made = {std::clamp(job.frames->first, 0, report.frames),
                       std::clamp(job.frames->end, 0, report.frames)};
    const FrameSize size = OutputFrameSize(root.OutputSizeId());

    // The file appears under its name only once it is whole: a make that
    // fails, makes nothing or is killed leaves no partial or empty file, and
    // a file already there keeps what it held.
    const std::string partial = PartialName(job.outputFile);
    const bool accepted = plugin.SetOutputFile(partial) && plugin.SetMakeVideo(job.makeVideo) &&
                          plugin.SetFrameWidth(size.width) && plugin.SetFrameHeight(size.height) &&
                          SetRate(plugin, root.FrameRateId()) && plugin.SetMakeAudio(job.makeAudio);
    if (!accepted) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        state.EndActivity(kActivityMake);
        report.result = MakeResult::kRefused;
        return report;
    }
    plugin.SetTitle(kMakeTitle);
    // A tag too long for the plugin is left out rather than failing the make.
    plugin.ClearTags();
    plugin.SetAuthor(job.tags.author);
    plugin.SetCopyright(job.tags.copyright);
    plugin.SetComment(job.tags.comment);

    if (plugin.begin(job.window)) {
        // A chunk's progress counts its own frames.
        const int first = report.made.first, count = report.made.Count();
        for (int i = first; i < first + count && !state.StopRequested(); ++i) {
            const FrameSpan span = whole.Span(i);
            // The tree is held only while it is read, so that the editor
            // can repaint and take "Stop" between frames; the plugin gets
            // the make's own surface and buffers, which nobody else touches.
            Surface* out = nullptr;
            {
                TreeLockGuard hold(&state.lock);
                root.SetTime(span.t0);
                if (job.makeVideo) {
                    Compose(root, kComposeMake);
                    Surface* finished = FinishedFrame(root);
                    out = CompositionSurface(root, 3);
                    if (finished && out) out->CopyFrom(*finished, finished->Bounds(), 0, 0);
                }
            }
            if (job.makeVideo) {
                if (out) {
                    LockedFrame frame{out->Width(), out->Height(), out->Pitch(), out->Row(0)};
                    plugin.writeVideo(span.t0, frame);
                } else {
                    state.SetStopRequest(true);
                }
            }
            if (job.frameDone) job.frameDone(i - first, count, span.t0);
            if (mix) {
                const std::int32_t bytes = FrameAudioBytes(span.t0, span.t1);
                const std::int16_t* samples = nullptr;
                {
                    TreeLockGuard hold(&state.lock);
                    samples = MixStep(root, *mix, span.t1 - span.t0, bytes, kComposeMake);
                }
                plugin.writeAudio(span.t0, samples, bytes);
            }
            ++report.framesMade;
        }
        plugin.end();
        if (report.framesMade > 0)
            report.madeMs = whole.Span(first + report.framesMade - 1).t1 - whole.Span(first).t0;
    }
    mix.reset();
    // A plugin that keeps its output to itself leaves nothing to rename.
    std::error_code error;
    if (report.framesMade > 0 && std::filesystem::exists(partial, error))
        std::filesystem::rename(partial, job.outputFile, error);
    const bool placed = report.framesMade > 0 && !error;
    report.outputFile = job.outputFile;
    if (!placed) std::filesystem::remove(partial, error);
    state.EndActivity(kActivityMake);

    if (!placed) {
        report.result = MakeResult::kFailed;
        if (job.showMessage) job.showMessage(kMakeFailed);
    } else {
        report.result = MakeResult::kMade;
        if (job.openWhenMade) {
            if (job.openMadeFile)
                job.openMadeFile(job.outputFile);
            else if (Shell* shell = Platform().shell)
                shell->Open(job.outputFile);
        }
    }
    return report;
}

bool PrepareMake(Clip& root, ExportPlugin* plugin, Window* owner, PluginWindow pluginWindow, bool openWhenMade,
                 MakeJob& job) {
    RootState* state = root.State();
    if (!plugin || !state || !state->Worker() || state->ChangeCounter() > 0) return false;
    job = MakeJob{};
    job.makeAudio = root.HasAudio();
    job.makeVideo = root.HasVideo();
    if (!job.makeAudio && !job.makeVideo) {
        root.SetStatusText(kNothingToMake);
        ShowError(owner, kNothingToMake);
        return false;
    }
    const char* extension = plugin->fileExtension(job.makeVideo, job.makeAudio);
    const std::string ext = extension ? extension : "";
    FileDialogRequest request;
    const char* description = plugin->FileTypeDescription();
    request.filters.push_back({description ? description : "", "*" + ext});
    request.filters.push_back({"All Files (*.*)", "*.*"});
    request.askBeforeReplace = true;
    Dialogs* dialogs = Platform().dialogs;
    if (!dialogs) return false;
    const std::optional<std::string> chosen = dialogs->SaveFile(owner, request);
    if (!chosen || chosen->empty()) return false;
    job.outputFile = WithExtension(*chosen, ext);
    job.window = pluginWindow;
    job.openWhenMade = openWhenMade;
    job.showMessage = [owner](const std::string& text) { ShowError(owner, text); };
    return plugin->configure(pluginWindow);
}

void SetPendingMake(ExportPlugin* plugin, const MakeJob& job) {
    Pending& pending = PendingSlot();
    std::lock_guard lock(pending.mutex);
    pending.plugin = plugin;
    pending.job = job;
}

MakeReport MakeCommand(Clip& root) {
    Pending& pending = PendingSlot();
    ExportPlugin* plugin;
    MakeJob job;
    {
        std::lock_guard lock(pending.mutex);
        plugin = pending.plugin;
        job = pending.job;
        pending.plugin = nullptr;
    }
    if (!plugin) {
        if (RootState* state = root.State()) state->EndActivity(kActivityMake);
        return {};
    }
    return RunMake(root, *plugin, job);
}

void PreviewCommand(Clip& root, Surface* preview) {
    Compose(root, kComposePreview);
    if (preview && !preview->IsEmpty())
        if (const Surface* frame = FinishedFrame(root)) preview->StretchFrom(*frame, frame->Bounds(), preview->Bounds());
    root.SetStatusText(Str(kDoneText));
}

int MakeBatchWith(const PluginTables& plugins, const std::string& projectPath, const std::string& outputPath,
                  std::string& message, std::FILE* progress,
                  const std::function<void(int index, int frames, std::int32_t t0)>& frameDone,
                  std::optional<TimeRange> range, FrameRange* made, const MakeTags& tags) {
    InstallCompositionParts(&plugins);
    const std::string project = Absolute(projectPath), output = Absolute(outputPath);
    ExportPlugin* plugin = plugins.FirstExportPlugin();
    if (!plugin) {
        message = "no export plugin is loaded";
        return 1;
    }
    Clip root;
    if (!LoadProjectQuietly(root, project, message)) return 1;
    MakeJob job;
    job.outputFile = output;
    job.makeVideo = root.HasVideo();
    job.makeAudio = root.HasAudio();
    job.tags = tags;
    if (!job.makeVideo && !job.makeAudio) {
        message = kNothingToMake;
        return 1;
    }
    if (range) {
        const WholeMake whole = WholeMakeOf(root);
        const std::int32_t start = whole.start;
        job.frames = MakeFramesWithin(whole, range->fromMs, range->toMs);
        if (made) *made = *job.frames;
        if (job.frames->Count() == 0) {
            message = "no frame of the make range " + std::to_string(start) + "-" + std::to_string(root.MakeEnd()) +
                      " ms starts within " + std::to_string(range->fromMs) + "-" + std::to_string(range->toMs) +
                      " ms";
            return 1;
        }
    }
    if (!plugin->configure(nullptr)) {
        message = "the export plugin refused its options";
        return 1;
    }
    using Clock = std::chrono::steady_clock;
    Clock::time_point last{};
    bool first = true;
    job.frameDone = [&](int index, int frames, std::int32_t t0) {
        const Clock::time_point now = Clock::now();
        if (!progress || (!first && now - last < std::chrono::milliseconds(500))) return;
        first = false;
        last = now;
        std::fprintf(progress, "Processing: frame %d of %d (%d ms)\n", index + 1, frames, int(t0));
        std::fflush(progress);
    };
    if (frameDone) job.frameDone = frameDone;
    // A chunk, like every make, appears under its name only once it is
    // whole: a task killed on a cluster node leaves no chunk that a join
    // could take for done.
    const MakeReport report = RunMake(root, *plugin, job);
    if (made) *made = report.made;
    switch (report.result) {
        case MakeResult::kMade: return 0;
        case MakeResult::kFailed: message = kMakeFailed; return 1;
        case MakeResult::kRefused: message = "the export plugin refused the settings for " + output; return 1;
    }
    return 1;
}

bool PlanChunks(const std::string& projectPath, int wanted, std::vector<MakeChunk>& chunks, std::string& message) {
    InstallCompositionParts(nullptr);
    Clip root;
    if (!LoadProjectQuietly(root, Absolute(projectPath), message)) return false;
    const bool nothing = !root.HasVideo() && !root.HasAudio();
    const WholeMake whole = WholeMakeOf(root);
    chunks = SplitMake(whole, wanted);
    if (nothing) {
        message = kNothingToMake;
        return false;
    }
    if (chunks.empty()) {
        message = kMakeFailed;
        return false;
    }
    return true;
}

int MakeBatch(const std::string& project, const std::string& output, std::string& message) {
    PluginTables plugins;
    if (!plugins.LoadDefault()) {
        message = std::string("cannot load the export plugin ") + ProgramFolder() + PluginTables::kDefaultLibrary;
        return 1;
    }
    return MakeBatchWith(plugins, project, output, message, stderr);
}

int PictureBatch(const std::string& projectPath, int timeMs, const std::string& bmpPath, std::string& message,
                 const PluginTables* plugins) {
    InstallCompositionParts(plugins);
    const std::string project = Absolute(projectPath), bmp = Absolute(bmpPath);
    Clip root;
    if (!LoadProjectQuietly(root, project, message)) return 1;
    root.SetTime(timeMs);
    int status = 0;
    if (!Compose(root, kComposeMake) || !FinishedFrame(root)) {
        message = "cannot compose the picture";
        status = 1;
    } else {
        const Surface& frame = *FinishedFrame(root);
        if (!SaveBitmapFile(frame, frame.Width(), frame.Height(), bmp)) {
            message = "cannot write " + bmp;
            status = 1;
        }
    }
    return status;
}

}  // namespace vantrel
