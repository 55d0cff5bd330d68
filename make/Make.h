#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "items/Version.h"
#include "plugins/api/PluginApi.h"

namespace vantrel {

class Clip;
class PluginTables;
class Surface;
class Window;

inline constexpr const char* kNothingToMake = "No Audio and no Video available for making.";
inline constexpr const char* kMakeFailed = "The Vantrel make operation failed....";
inline constexpr const char* kMakeTitle = VANTREL_PRODUCT_VERSION;

// trunc(fps * duration / 1000.0); never negative.
int MakeFrameCount(int framesPerSecond, std::int32_t durationMs);
// At an exact rate of num / den frames per second: the frames whose times
// floor(i * 1000 * den / num) fall below the duration; never negative.
int ExactFrameCount(std::int64_t num, std::int64_t den, std::int32_t durationMs);
// Frame i runs from t0 to t1: duration * i / frames + start (products first).
struct FrameSpan {
    std::int32_t t0 = 0, t1 = 0;
};
FrameSpan MakeFrameSpan(std::int32_t makeStart, std::int32_t durationMs, int frames, int index);
// The bytes of 44100 Hz stereo 16-bit audio between the absolute sample
// positions of t0 and t1, so that frames never drift from the video:
// (t1 * 44100 / 1000 - t0 * 44100 / 1000) * 4.
std::int32_t FrameAudioBytes(std::int32_t t0, std::int32_t t1);

// The root's make range and its frame count: with MakeFrameSpan, the one
// place the frame times of a make (and of its chunks) come from.
struct WholeMake {
    std::int32_t start = 0, duration = 0;
    int frames = 0;
    // An exact rate (rateNum > 0) puts frame i at floor(i * 1000 * rateDen /
    // rateNum) ms after the start, the last frame running to the make's
    // end; otherwise the frames are spread evenly as MakeFrameSpan does.
    std::int64_t rateNum = 0, rateDen = 1;

    FrameSpan Span(int index) const;
};
WholeMake WholeMakeOf(const Clip& root);

// Frames [first, end) of a whole make.
struct FrameRange {
    int first = 0, end = 0;
    int Count() const { return end > first ? end - first : 0; }
};
// The frames of the whole make whose start times fall in [fromMs, toMs):
// a chunk's edges are the whole make's frame times, wherever the asked
// edges fall between them.
FrameRange MakeFramesWithin(std::int32_t makeStart, std::int32_t durationMs, int frames, std::int64_t fromMs,
                            std::int64_t toMs);
FrameRange MakeFramesWithin(const WholeMake& whole, std::int64_t fromMs, std::int64_t toMs);
// One chunk of a make cut into pieces: its frames and the times that
// select exactly them with MakeFramesWithin (the end is the next frame's
// start, or the make's end after the last frame).
struct MakeChunk {
    FrameRange frames;
    std::int32_t fromMs = 0, toMs = 0;
};
// Cuts the make into at most `wanted` chunks of equal numbers of whole
// frames (the first ones one frame longer where they do not divide), fewer
// where a chunk would span less than one second; one chunk when the whole
// make is that short. None when the make has no frame.
std::vector<MakeChunk> SplitMake(std::int32_t makeStart, std::int32_t durationMs, int frames, int wanted);
std::vector<MakeChunk> SplitMake(const WholeMake& whole, int wanted);

// What a make writes into the file's metadata (the preferences "Author",
// "Copyright" and "Clip Comments" while "Write tags during make
// operations." is on); an empty tag is left out.
struct MakeTags {
    std::string author, copyright, comment;
};

// One make as the worker runs it.
struct MakeJob {
    std::string outputFile;
    bool makeVideo = false;
    bool makeAudio = false;
    PluginWindow window = nullptr;
    // Batch runs never open the made file.
    bool openWhenMade = false;
    MakeTags tags;
    // A chunk: only these frames of the whole make, at the whole make's
    // frame times. Empty, every frame.
    std::optional<FrameRange> frames;
    // Step after each frame: the editor re-lays out and redraws; the batch
    // verb reports progress. May be empty.
    std::function<void(int index, int frames, std::int32_t t0)> frameDone;
    // Failure messages; the editor shows them in a box on its own thread.
    std::function<void(const std::string&)> showMessage;
    // Opens the made file; empty, the platform's shell opens it from the
    // worker. The editor hands the opening to its main thread.
    std::function<void(const std::string&)> openMadeFile;
};

enum class MakeResult {
    kMade,      // at least one frame
    kFailed,    // begin failed or no frame in the range: the failure message
    kRefused,   // the plugin refused a setting: ends quietly
};
struct MakeReport {
    MakeResult result = MakeResult::kFailed;
    int frames = 0;      // frames in the make range
    FrameRange made;     // the frames the job asked for, within those
    int framesMade = 0;  // frames the loop ran
    std::string outputFile;  // where the frames went
    std::int32_t madeMs = 0; // the time the frames made cover
};

// The frame loop on the worker thread for the root's make range: settings
// to the plugin, begin, per frame the root's time, the composed frame and
// the frame's mixed audio, end; the making flag is held meanwhile and the
// stop flag is looked at between frames.
MakeReport RunMake(Clip& root, ExportPlugin& plugin, const MakeJob& job);

// What "Make" does on the main thread before the worker takes over: the
// checks, the plugin's extension, the save dialog, the plugin's options.
// Answers the job to hand to the worker, or false when it stopped (having
// shown "No Audio and no Video available for making." when there is
// nothing to make). openWhenMade is the preference "Output file opens when
// made.".
bool PrepareMake(Clip& root, ExportPlugin* plugin, Window* owner, PluginWindow pluginWindow, bool openWhenMade,
                 MakeJob& job);
// The output name with the extension in place of whatever follows the last
// "." of the last path component, or appended when there is none.
std::string WithExtension(const std::string& path, const std::string& extension);
// A hidden name beside path, unique to this process, with path's
// extension: what a file is written as before it is renamed into place.
std::string PartialName(const std::string& path);

// The worker's commands for the root, for the workspace's hooks. The make
// command takes the job PrepareMake filled and the first export plugin
// given to SetMakePlugin.
void PreviewCommand(Clip& root, Surface* preview);
void SetPendingMake(ExportPlugin* plugin, const MakeJob& job);
MakeReport MakeCommand(Clip& root);

// The batch verbs. Each answers 0 on success and 1 on failure with the
// reason in `message`. --make picks the format from OUTPUT's extension and
// writes "Processing" status lines to stderr at most every half second.
int MakeBatch(const std::string& project, const std::string& output, std::string& message);
// Plugin effects of the project need the plugins; without them they pass the picture on.
int PictureBatch(const std::string& project, int timeMs, const std::string& bmp, std::string& message,
                 const PluginTables* plugins = nullptr);
// The same with the plugins given (tests) and the progress stream chosen;
// a frameDone given reports each frame instead of the status lines. With
// a range (ms of the project's time line, end excluded) only the frames
// whose times fall in it are made, as MakeFramesWithin picks them; made,
// when given, learns which frames those were.
struct TimeRange {
    std::int64_t fromMs = 0, toMs = 0;
};
int MakeBatchWith(const PluginTables& plugins, const std::string& project, const std::string& output,
                  std::string& message, std::FILE* progress,
                  const std::function<void(int index, int frames, std::int32_t t0)>& frameDone = {},
                  std::optional<TimeRange> range = std::nullopt, FrameRange* made = nullptr,
                  const MakeTags& tags = {});
// The chunks --cluster hands out: the project read and SplitMake applied to
// its make range and rate. False with the reason when the project cannot
// be read or has nothing to make.
bool PlanChunks(const std::string& project, int wanted, std::vector<MakeChunk>& chunks, std::string& message);

}  // namespace vantrel
