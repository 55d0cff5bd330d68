#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "items/Version.h"
#include "plugins/api/PluginTables.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// What the program does for one make, reduced to the calls the plugin sees:
// frame i covers [t0, t1) with t0 = duration * i / frames + start, and its
// audio block runs from the sample position of t0 to that of t1 (each
// t * 44100 / 1000), so the blocks meet without a gap.
struct MakeRun {
    int width = 160, height = 120;
    int fps = 15;
    int startMs = 0, durationMs = 2000;
    bool video = true, audio = true;
    std::vector<int> skippedFrames;  // as when locking the surface fails
};

std::uint32_t PatternPixel(int x, int y, int frame) {
    const int b = (x * 3 + frame) & 255, g = (y * 5) & 255, r = (x < 80 ? 200 : 30);
    return std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16 | 0xFFu << 24;
}

// The program's audio as a function of the sample's place in the output.
std::int16_t Saw(std::int64_t n, int channel) { return std::int16_t((n * 37 + channel * 1000) % 20000 - 10000); }

void Drive(ExportPlugin& plugin, const MakeRun& run) {
    const int frames = int(double(run.fps) * run.durationMs / 1000.0);
    std::vector<std::uint32_t> pixels;
    const int pitch = run.width + 8;  // pitch wider than the picture on purpose
    for (int i = 0; i < frames; ++i) {
        const int t0 = run.durationMs * i / frames + run.startMs;
        const int t1 = run.durationMs * (i + 1) / frames + run.startMs;
        const bool skip = std::find(run.skippedFrames.begin(), run.skippedFrames.end(), i) != run.skippedFrames.end();
        if (run.video && !skip) {
            pixels.assign(std::size_t(pitch) * run.height, 0xDEADBEEF);
            for (int y = 0; y < run.height; ++y)
                for (int x = 0; x < run.width; ++x) pixels[std::size_t(y) * pitch + x] = PatternPixel(x, y, i);
            plugin.writeVideo(t0, LockedFrame{run.width, run.height, pitch, pixels.data()});
        }
        if (run.audio) {
            const std::int64_t first = std::int64_t(t0 - run.startMs) * 44100 / 1000;
            const int bytes = int(std::int64_t(t1 - run.startMs) * 44100 / 1000 - first) * 4;
            std::vector<std::int16_t> block(std::size_t(bytes / 2));
            for (std::size_t k = 0; k < block.size() / 2; ++k)
                for (int c = 0; c < 2; ++c) block[k * 2 + c] = Saw(first + std::int64_t(k), c);
            plugin.writeAudio(t0, block.data(), bytes);
        }
    }
}

std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        std::size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
        pclose(pipe);
    }
    return out;
}

// key=value lines of ffprobe for one stream kind ("v" or "a").
std::map<std::string, std::string> Probe(const fs::path& file, const char* stream) {
    const std::string text = Run("ffprobe -v error -count_frames -select_streams " + std::string(stream) +
                                 " -show_entries stream=codec_name,width,height,r_frame_rate,nb_read_frames,"
                                 "pix_fmt,sample_rate,channels,duration -show_entries format=format_name"
                                 " -of default=nw=1 '" + file.string() + "'");
    std::map<std::string, std::string> values;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return values;
}

std::vector<std::int16_t> DecodedAudio(const fs::path& file) {
    const std::string bytes =
        Run("ffmpeg -v error -i '" + file.string() + "' -map 0:a -f s16le -ac 2 -ar 44100 -");
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::string DecodedFrame(const fs::path& file, int index) {
    return Run("ffmpeg -v error -i '" + file.string() + "' -map 0:v -vf 'select=eq(n\\," + std::to_string(index) +
               ")' -frames:v 1 -f rawvideo -pix_fmt bgra -");
}

std::vector<double> FrameTimes(const fs::path& file) {
    const std::string text = Run("ffprobe -v error -select_streams v -show_entries frame=pts_time -of csv=p=0 '" +
                                 file.string() + "'");
    std::vector<double> times;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        if (end > at) times.push_back(std::strtod(text.substr(at, end - at).c_str(), nullptr));
        at = end + 1;
    }
    return times;
}

class BasaltTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vantrel-basalt-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        ASSERT_TRUE(tables_.Load(std::string(VANTREL_PROGRAM_DIR) + "/plugins/basalt.so"));
        plugin_ = tables_.FirstExportPlugin();
        ASSERT_NE(plugin_, nullptr);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The settings in the order the program hands them, then begin.
    bool Begin(const fs::path& file, const MakeRun& run) {
        return plugin_->SetOutputFile(file.string()) && plugin_->SetMakeVideo(run.video) &&
               plugin_->SetFrameWidth(run.width) && plugin_->SetFrameHeight(run.height) &&
               plugin_->SetFramesPerSecond(run.fps) && plugin_->SetMakeAudio(run.audio) &&
               plugin_->SetTitle(VANTREL_PRODUCT_VERSION) && plugin_->begin(nullptr);
    }
    bool Make(const fs::path& file, const MakeRun& run) {
        if (!Begin(file, run)) return false;
        Drive(*plugin_, run);
        plugin_->end();
        return true;
    }

    fs::path folder_;
    PluginTables tables_;
    ExportPlugin* plugin_ = nullptr;
};

TEST_F(BasaltTest, EachFormatHoldsEveryFrameAtItsRateAndExactlyTheAudioOfTheRange) {
    struct Case {
        const char* name;
        const char* videoCodec;
        const char* audioCodec;
        const char* pixelFormat;
        int startMs;
    };
    const Case cases[] = {
        {"out.mp4", "h264", "aac", "yuv420p", 0},
        {"out.avi", "rawvideo", "pcm_s16le", "bgra", 0},
        {"out.mkv", "ffv1", "flac", "bgr0", 0},
        // A range that starts later still starts the file at zero.
        {"late.mkv", "ffv1", "flac", "bgr0", 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = folder_ / c.name;
        MakeRun run;
        run.startMs = c.startMs;
        ASSERT_TRUE(Make(file, run));
        auto video = Probe(file, "v");
        EXPECT_EQ(video["codec_name"], c.videoCodec);
        EXPECT_EQ(video["pix_fmt"], c.pixelFormat);
        EXPECT_EQ(video["width"], "160");
        EXPECT_EQ(video["height"], "120");
        EXPECT_EQ(video["r_frame_rate"], "15/1");
        EXPECT_EQ(video["nb_read_frames"], "30");
        auto audio = Probe(file, "a");
        EXPECT_EQ(audio["codec_name"], c.audioCodec);
        EXPECT_EQ(audio["sample_rate"], "44100");
        EXPECT_EQ(audio["channels"], "2");
        // AAC decodes in whole frames of 1024; the container's length is
        // what players honour.
        const std::size_t decoded = DecodedAudio(file).size() / 2;
        if (std::string(c.audioCodec) == "aac") {
            EXPECT_EQ(audio["duration"], "2.000000");
            EXPECT_GE(decoded, 88200u);
            EXPECT_LT(decoded, 88200u + 1024u);
        } else {
            EXPECT_EQ(decoded, 88200u);
        }
        if (std::string(c.videoCodec) == "h264") {
            // Lossy, but the colours must come out as they went in: a swapped
            // channel or a wrong range shows as a large mean error.
            const std::string frame = DecodedFrame(file, 7);
            ASSERT_EQ(frame.size(), std::size_t(160 * 120 * 4));
            double error[3] = {0, 0, 0};
            for (int y = 0; y < 120; ++y)
                for (int x = 0; x < 160; ++x) {
                    const std::uint32_t want = PatternPixel(x, y, 7);
                    const auto* got = reinterpret_cast<const std::uint8_t*>(frame.data()) + (y * 160 + x) * 4;
                    for (int k = 0; k < 3; ++k) error[k] += std::abs(int(got[k]) - int((want >> (8 * k)) & 255));
                }
            for (double e : error) EXPECT_LT(e / (160 * 120), 6.0);
        }
        const std::vector<double> times = FrameTimes(file);
        ASSERT_EQ(times.size(), 30u);
        EXPECT_NEAR(times[0], 0.0, 1e-3);
        EXPECT_NEAR(times[29] - times[0], 29.0 / 15, 2e-3);
    }
}

TEST_F(BasaltTest, LosslessFormatsGiveBackTheSamplesAndPixelsHandedIn) {
    for (const char* name : {"out.avi", "out.mkv", "out.wav"}) {
        SCOPED_TRACE(name);
        const fs::path file = folder_ / name;
        MakeRun run;
        ASSERT_TRUE(Make(file, run));
        const std::vector<std::int16_t> samples = DecodedAudio(file);
        ASSERT_EQ(samples.size(), std::size_t(88200 * 2));
        // Every sample sits exactly where its time says.
        int misplaced = 0;
        for (std::size_t n = 0; n < samples.size() / 2; ++n)
            misplaced += samples[n * 2] != Saw(std::int64_t(n), 0) || samples[n * 2 + 1] != Saw(std::int64_t(n), 1);
        EXPECT_EQ(misplaced, 0);
        if (std::string(name) == "out.wav") continue;

        const std::string frame = DecodedFrame(file, 7);
        ASSERT_EQ(frame.size(), std::size_t(160 * 120 * 4));
        int wrong = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                const std::uint32_t want = PatternPixel(x, y, 7);
                const auto* got = reinterpret_cast<const std::uint8_t*>(frame.data()) + (y * 160 + x) * 4;
                if (got[0] != (want & 255) || got[1] != ((want >> 8) & 255) || got[2] != ((want >> 16) & 255))
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }
}

// A made file holds the samples of the range and nothing more: the sum of
// the frames' blocks, floor(duration * 44100 / 1000) from a start at zero,
// also when the last frame's span is not a whole number of milliseconds of
// samples. AAC adds its own priming and padding, so only its decoded length
// is allowed to reach into one more AAC frame.
TEST_F(BasaltTest, NoFormatAppendsSamplesAfterTheLastBlock) {
    for (const char* name : {"out.wav", "out.avi", "out.mkv", "out.mp4"})
        for (int durationMs : {1000, 2000, 1001, 999})
            for (int fps : {1, 10, 15}) {
                SCOPED_TRACE(std::string(name) + " " + std::to_string(durationMs) + " ms at " +
                             std::to_string(fps) + " fps");
                // 999 ms at 1 fps is no frame at all: the program reports a failed make.
                const int frames = int(double(fps) * durationMs / 1000.0);
                if (frames == 0) continue;
                MakeRun run;
                run.width = 32;
                run.height = 24;
                run.fps = fps;
                run.durationMs = durationMs;
                run.video = std::string(name) != "out.wav";
                const fs::path file = folder_ / name;
                ASSERT_TRUE(Make(file, run));
                const std::size_t expected = std::size_t(std::int64_t(durationMs) * 44100 / 1000);
                const std::size_t decoded = DecodedAudio(file).size() / 2;
                if (std::string(name) == "out.mp4") {
                    EXPECT_GE(decoded, expected);
                    EXPECT_LT(decoded, expected + 1024);
                } else {
                    EXPECT_EQ(decoded, expected);
                }
                fs::remove(file);
            }
}

TEST_F(BasaltTest, AudioAloneIsWaveOfTheWholeRange) {
    EXPECT_STREQ(plugin_->fileExtension(false, true), ".wav");
    EXPECT_STREQ(plugin_->fileExtension(true, true), ".mp4");
    EXPECT_STREQ(plugin_->fileExtension(true, false), ".mp4");
    // An odd range: 1234 ms at 15 fps is 18 frames of 68 or 69 ms.
    MakeRun run;
    run.video = false;
    run.durationMs = 1234;
    const fs::path file = folder_ / "sound.wav";
    ASSERT_TRUE(Make(file, run));
    EXPECT_EQ(Probe(file, "a")["codec_name"], "pcm_s16le");
    EXPECT_TRUE(Probe(file, "v").count("codec_name") == 0);
    EXPECT_EQ(DecodedAudio(file).size(), std::size_t(1234 * 441 / 10 * 2));
}

// With more than one core the plugin encodes on a thread of its own; pinned
// to one core it encodes as each call comes. Both write the same pictures
// and samples, and a gap left by missing frames stays where it was (H.264
// is left out: x264's own threads change its choices).
TEST_F(BasaltTest, EncodingOnItsOwnThreadWritesWhatEncodingInLineWrites) {
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    if (CPU_COUNT(&all) < 2) GTEST_SKIP() << "one core: only the in-line encoding can run here";
    MakeRun run;
    run.skippedFrames = {3, 17};
    for (const char* name : {"out.mkv", "out.avi"}) {
        SCOPED_TRACE(name);
        const fs::path threaded = folder_ / (std::string("threaded-") + name);
        ASSERT_TRUE(Make(threaded, run));
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &all)) {
                CPU_SET(cpu, &one);
                break;
            }
        ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
        const fs::path inLine = folder_ / (std::string("inline-") + name);
        const bool made = Make(inLine, run);
        ASSERT_EQ(sched_setaffinity(0, sizeof all, &all), 0);
        ASSERT_TRUE(made);

        EXPECT_EQ(DecodedAudio(threaded), DecodedAudio(inLine));
        const auto pictures = [](const fs::path& file) {
            return vantrel::Run("ffmpeg -v error -i '" + file.string() + "' -map 0:v -f rawvideo -pix_fmt bgr24 -");
        };
        const std::string a = pictures(threaded), b = pictures(inLine);
        // The decoder repeats a picture over each gap: 30 frames' worth.
        EXPECT_EQ(a.size(), std::size_t(30 * 160 * 120 * 3));
        EXPECT_TRUE(a == b);
        EXPECT_EQ(FrameTimes(threaded), FrameTimes(inLine));
    }
}

TEST_F(BasaltTest, FramesAreTimedByTheirTimesNotByTheirCount) {
    MakeRun run;
    run.skippedFrames = {10, 11, 12, 13, 14};
    const fs::path file = folder_ / "gap.mkv";
    ASSERT_TRUE(Make(file, run));
    const std::vector<double> times = FrameTimes(file);
    ASSERT_EQ(times.size(), 25u);
    EXPECT_NEAR(times[9], 9.0 / 15, 2e-3);
    EXPECT_NEAR(times[10], 15.0 / 15, 2e-3);
    EXPECT_EQ(DecodedAudio(file).size(), std::size_t(88200 * 2));
}

TEST_F(BasaltTest, ExtensionOfTheOutputNamePicksTheFormat) {
    struct Case {
        const char* name;
        const char* container;
        const char* videoCodec;
    };
    const Case cases[] = {
        {"upper.MKV", "matroska", "ffv1"},
        {"x.avi", "avi", "rawvideo"},
        {"unknown.xyz", "mov", "h264"},  // the remembered choice: MP4 at first
        {"dotted.dir.mp4", "mov", "h264"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeRun run;
        run.durationMs = 400;
        const fs::path file = folder_ / c.name;
        ASSERT_TRUE(Make(file, run));
        auto video = Probe(file, "v");
        EXPECT_EQ(video["format_name"].substr(0, std::string(c.container).size()), c.container);
        EXPECT_EQ(video["codec_name"], c.videoCodec);
        EXPECT_EQ(video["nb_read_frames"], "6");
    }
    // Video handed to a wave file is left out; the sound is still written.
    MakeRun run;
    const fs::path wave = folder_ / "both.wav";
    ASSERT_TRUE(Make(wave, run));
    EXPECT_EQ(DecodedAudio(wave).size(), std::size_t(88200 * 2));
}

TEST_F(BasaltTest, BeginRefusesSettingsItCannotWrite) {
    struct Case {
        const char* what;
        MakeRun run;
        fs::path file;
    };
    MakeRun none;
    none.video = none.audio = false;
    MakeRun noWidth;
    noWidth.width = 0;
    MakeRun noRate;
    noRate.fps = 0;
    MakeRun huge;
    huge.height = 1 << 20;
    MakeRun videoOnlyWave;
    videoOnlyWave.audio = false;
    const Case cases[] = {
        {"nothing to make", none, folder_ / "a.mp4"},
        {"no width", noWidth, folder_ / "b.mp4"},
        {"no rate", noRate, folder_ / "c.mp4"},
        {"absurd height", huge, folder_ / "d.mkv"},
        {"video only into a wave file", videoOnlyWave, folder_ / "e.wav"},
        {"missing folder", MakeRun{}, folder_ / "no" / "such" / "f.mp4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Begin(c.file, c.run));
        plugin_->end();  // the program calls end only after a good begin; harmless anyway
        EXPECT_FALSE(fs::exists(c.file));
    }
    // Calls that come without an open output are ignored.
    std::uint32_t pixel = 0;
    plugin_->writeVideo(0, LockedFrame{1, 1, 1, &pixel});
    std::int16_t sound[4] = {};
    plugin_->writeAudio(0, sound, 8);
}

TEST_F(BasaltTest, BrokenFramesAndBlocksAreSkippedNotFollowed) {
    MakeRun run;
    run.durationMs = 400;
    const fs::path file = folder_ / "robust.mkv";
    ASSERT_TRUE(Begin(file, run));
    plugin_->writeVideo(0, LockedFrame{160, 120, 100, nullptr});   // no pixels
    std::vector<std::uint32_t> small(16, 0xFF00FF00);
    plugin_->writeVideo(0, LockedFrame{4, 4, 2, small.data()});     // pitch below width
    plugin_->writeVideo(0, LockedFrame{4, 4, 4, small.data()});     // another size: scaled
    plugin_->writeAudio(0, nullptr, 4000);
    plugin_->writeAudio(0, small.data(), -4);
    plugin_->writeAudio(0, small.data(), 6);  // one and a half sample frames
    plugin_->end();
    auto video = Probe(file, "v");
    EXPECT_EQ(video["nb_read_frames"], "1");
    EXPECT_EQ(video["width"], "160");
}

// Needs a QApplication: the dialog is the plugin's own Qt widget.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "plugins_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

// Answers the next modal dialog by picking a format and pressing OK or
// Cancel, from inside the dialog's own event loop.
void AnswerDialog(int formatIndex, bool accept) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* format = dialog->findChild<QComboBox*>("format");
        ASSERT_NE(format, nullptr);
        format->setCurrentIndex(formatIndex);
        accept ? dialog->accept() : dialog->reject();
    });
}

TEST_F(BasaltTest, OptionsChosenInTheDialogAreRememberedAndCancelStopsTheMake) {
    Application();
    int window = 0;  // any non-null handle stands for the main window
    EXPECT_TRUE(plugin_->configure(nullptr));
    EXPECT_STREQ(plugin_->fileExtension(true, true), ".mp4");

    AnswerDialog(2, true);  // MKV
    EXPECT_TRUE(plugin_->configure(&window));
    EXPECT_STREQ(plugin_->fileExtension(true, true), ".mkv");
    EXPECT_STREQ(plugin_->fileExtension(false, true), ".wav");

    AnswerDialog(1, false);  // AVI, then Cancel: nothing changes
    EXPECT_FALSE(plugin_->configure(&window));
    EXPECT_STREQ(plugin_->fileExtension(true, true), ".mkv");
    EXPECT_TRUE(plugin_->configure(nullptr));
    EXPECT_STREQ(plugin_->fileExtension(true, true), ".mkv");

    // A name without one of our extensions now gets the remembered format.
    MakeRun run;
    run.durationMs = 400;
    const fs::path file = folder_ / "chosen.out";
    ASSERT_TRUE(Make(file, run));
    EXPECT_EQ(Probe(file, "v")["codec_name"], "ffv1");
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// x264 writes its settings into the stream: "subme=7" is its thorough
// preset, "subme=2" its fast one.
std::string X264Effort(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.find("subme=7") != std::string::npos) return "thorough";
    if (bytes.find("subme=2") != std::string::npos) return "fast";
    return "unknown";
}

void AnswerSpeed(int speedIndex) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* speed = dialog->findChild<QComboBox*>("speed");
        ASSERT_NE(speed, nullptr);
        speed->setCurrentIndex(speedIndex);
        dialog->accept();
    });
}

// Left to itself H.264 works as thoroughly as ever at the classic sizes and
// fast from VGA up; the dialog's choice holds at any size.
TEST_F(BasaltTest, H264EffortFollowsTheSizeUnlessChosen) {
    MakeRun small, large;
    small.durationMs = large.durationMs = 200;
    large.width = 640, large.height = 480;
    ASSERT_TRUE(Make(folder_ / "small.mp4", small));
    if (X264Effort(folder_ / "small.mp4") == "unknown") GTEST_SKIP() << "no x264";
    ASSERT_TRUE(Make(folder_ / "large.mp4", large));
    EXPECT_EQ(X264Effort(folder_ / "small.mp4"), "thorough");
    EXPECT_EQ(X264Effort(folder_ / "large.mp4"), "fast");

    Application();
    int window = 0;
    AnswerSpeed(2);  // "Thorough"
    ASSERT_TRUE(plugin_->configure(&window));
    ASSERT_TRUE(Make(folder_ / "chosen.mp4", large));
    EXPECT_EQ(X264Effort(folder_ / "chosen.mp4"), "thorough");
}

}  // namespace
}  // namespace vantrel
