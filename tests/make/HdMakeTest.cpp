// Today's sizes and rates: their frame times, their trip through the
// editor's menus and a project file, and the files made at them, read back
// through FFmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "compose/Composition.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "make/Make.h"
#include "make/WorkspaceMake.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "plugins/api/PluginTables.h"
#include "tests/compose/Fixtures.h"
#include "values/Stream.h"

namespace vantrel {
namespace {

using testing::Place;
using testing::SetValue;
using testing::TempFolder;
using testing::WriteBitmap;
using testing::WriteWave;

WholeMake ExactMake(std::int32_t start, std::int32_t duration, int num, int den) {
    WholeMake whole;
    whole.start = start;
    whole.duration = duration;
    whole.rateNum = num;
    whole.rateDen = den;
    whole.frames = ExactFrameCount(num, den, duration);
    return whole;
}

// A minute at each fractional rate (and at a whole one) from a start that
// is not zero: every frame where its exact time says, the spans meeting end
// to end up to the make's end, the audio blocks adding up to the range's
// samples, and chunks cut on the same frames.
TEST(ExactRates, AMinuteOfFramesAtTheirExactTimesWithTheRangesAudio) {
    const struct {
        int num, den, frames;
    } rates[] = {{30000, 1001, 1799}, {24000, 1001, 1439}, {60000, 1001, 3597}, {25, 1, 1500}};
    for (const auto& rate : rates) {
        const WholeMake whole = ExactMake(1000, 60000, rate.num, rate.den);
        ASSERT_EQ(whole.frames, rate.frames) << rate.num;
        std::int64_t bytes = 0;
        for (int i = 0; i < whole.frames; ++i) {
            const FrameSpan span = whole.Span(i);
            ASSERT_EQ(span.t0, 1000 + std::int64_t(i) * 1000 * rate.den / rate.num) << rate.num << " frame " << i;
            if (i + 1 < whole.frames) {
                ASSERT_EQ(span.t1, whole.Span(i + 1).t0);
            }
            bytes += FrameAudioBytes(span.t0, span.t1);
        }
        EXPECT_EQ(whole.Span(whole.frames - 1).t1, 61000) << rate.num;
        EXPECT_EQ(bytes, std::int64_t(60) * 44100 * 4) << rate.num;

        const std::vector<MakeChunk> chunks = SplitMake(whole, 7);
        ASSERT_EQ(chunks.size(), 7u);
        EXPECT_EQ(chunks.back().frames.end, whole.frames);
        for (std::size_t k = 0; k < chunks.size(); ++k) {
            if (k) {
                EXPECT_EQ(chunks[k].frames.first, chunks[k - 1].frames.end);
            }
            const FrameRange again = MakeFramesWithin(whole, chunks[k].fromMs, chunks[k].toMs);
            EXPECT_EQ(again.first, chunks[k].frames.first);
            EXPECT_EQ(again.end, chunks[k].frames.end);
        }
    }
    // One frame time exactly at the end is not inside the range.
    EXPECT_EQ(ExactFrameCount(25, 1, 1000), 25);
    EXPECT_EQ(ExactFrameCount(25, 1, 1001), 26);
    EXPECT_EQ(ExactFrameCount(30000, 1001, 0), 0);
    EXPECT_EQ(ExactFrameCount(30000, 1001, 33), 1);
    EXPECT_EQ(ExactFrameCount(30000, 1001, 34), 2);
}

// What FFmpeg reads back from a made file.
struct MadeFile {
    int width = 0, height = 0;
    AVRational rate{0, 1};
    std::vector<std::int64_t> videoPts;  // in timeBase
    AVRational timeBase{0, 1};
    std::int64_t audioSamples = 0;  // decoded
};

MadeFile Probe(const std::string& path) {
    MadeFile made;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return made;
    avformat_find_stream_info(format, nullptr);
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVCodecContext* decoder = nullptr;
    if (video >= 0) {
        const AVStream* stream = format->streams[video];
        made.width = stream->codecpar->width;
        made.height = stream->codecpar->height;
        made.rate = stream->avg_frame_rate;
        made.timeBase = stream->time_base;
    }
    if (audio >= 0) {
        const AVCodec* codec = avcodec_find_decoder(format->streams[audio]->codecpar->codec_id);
        decoder = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoder, format->streams[audio]->codecpar);
        if (avcodec_open2(decoder, codec, nullptr) < 0) avcodec_free_context(&decoder);
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&] {
        while (avcodec_receive_frame(decoder, frame) >= 0) made.audioSamples += frame->nb_samples;
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == video) made.videoPts.push_back(packet->pts);
        if (packet->stream_index == audio && decoder && avcodec_send_packet(decoder, packet) >= 0) drain();
        av_packet_unref(packet);
    }
    if (decoder && avcodec_send_packet(decoder, nullptr) >= 0) drain();
    std::sort(made.videoPts.begin(), made.videoPts.end());
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return made;
}

class HdMake : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plugins.Load(std::string(VANTREL_PROGRAM_DIR) + "/plugins/basalt.so"));
        InstallCompositionParts(&plugins);
    }
    std::unique_ptr<Workspace> Editor() {
        WorkspaceOptions options;
        options.startWorker = false;
        options.hooks = CompositionWorkerHooks();
        auto root = std::make_unique<Workspace>(nullptr, &window, nullptr, options);
        root->State()->SetAsksForMissingMedia(false);
        return root;
    }
    ResultFlags Choose(Workspace& root, int command, int answer) {
        platform.menus.answers = {answer};
        ResultFlags out = 0;
        root.Command(&window, command, out);
        return out;
    }
    ScriptedPlatform platform;
    ScriptedWindow window;
    TempFolder folder;
    PluginTables plugins;
};

// Every new size and rate: offered after the classic entries, chosen there,
// saved at the header's places, loaded, made; the file says the size and
// the exact rate, and holds one frame per frame time below the end.
TEST_F(HdMake, EveryNewSizeAndRateIsChosenSavedLoadedAndMade) {
    const struct {
        int size, width, height, rate, num, den;
    } rows[] = {
        {820, 640, 480, 830, 24000, 1001},   {821, 720, 576, 831, 24, 1},       {822, 1280, 720, 832, 25, 1},
        {823, 1920, 1080, 833, 30000, 1001}, {824, 3840, 2160, 834, 30, 1},     {825, 1080, 1920, 835, 50, 1},
        {826, 1080, 1080, 836, 60000, 1001}, {827, 720, 1280, 837, 60, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        const std::string project = folder.File("p" + std::to_string(row.size) + ".kwp");
        {
            auto root = Editor();
            Choose(*root, kVideoFormatCommand, row.size);
            Choose(*root, kFramesPerSecondCommand, row.rate);
            ASSERT_EQ(root->OutputSizeId(), row.size);
            ASSERT_EQ(root->FrameRateId(), row.rate);
            Clip* gradient = root->NewChildClip(kGradientType);
            ASSERT_NE(gradient, nullptr);
            Place(*gradient, 0, 0, 5000);
            root->SetMakeRange(0, 70);
            ASSERT_TRUE(SaveProjectFile(*root, project));
        }
        auto loaded = Editor();
        ASSERT_TRUE(OpenProjectFile(*loaded, project));
        EXPECT_EQ(loaded->OutputSizeId(), row.size);
        EXPECT_EQ(loaded->FrameRateId(), row.rate);
        loaded.reset();

        // MP4 keeps the rate as the fraction it is; Matroska only as whole
        // nanoseconds per frame.
        const std::string made = folder.File("m" + std::to_string(row.size) + ".mp4");
        std::string message;
        ASSERT_EQ(MakeBatchWith(plugins, project, made, message, nullptr), 0) << message;
        const MadeFile file = Probe(made);
        EXPECT_EQ(file.width, row.width);
        EXPECT_EQ(file.height, row.height);
        EXPECT_EQ(av_cmp_q(file.rate, AVRational{row.num, row.den}), 0) << file.rate.num << "/" << file.rate.den;
        EXPECT_EQ(int(file.videoPts.size()), ExactFrameCount(row.num, row.den, 70));
    }
    // The classic entries come first, in their order, the new ones after.
    ASSERT_GE(platform.menus.shown.size(), 2u);
    std::vector<int> sizes, rates;
    for (const MenuEntry& entry : platform.menus.shown[0]) sizes.push_back(entry.command);
    for (const MenuEntry& entry : platform.menus.shown[1]) rates.push_back(entry.command);
    EXPECT_EQ(sizes, (std::vector<int>{80, 488, 489, 81, 82, 639, 640, 820, 821, 822, 823, 824, 825, 826, 827}));
    EXPECT_EQ(rates, (std::vector<int>{128, 129, 132, 133, 134, 830, 831, 832, 833, 834, 835, 836, 837}));
}

// Two seconds at 29.97 fps with sound: the MP4 carries frame i at exactly
// i * 1001 / 30000 s, the lossless file holds exactly the range's samples.
TEST_F(HdMake, NtscFramesSitAtTheirExactTimesAndTheSoundFillsTheRange) {
    Clip root;
    testing::MakeRoot(root, 82, 833);
    Clip* picture = root.ImportMedia(WriteBitmap(folder, "p.bmp", 32, 32, MakePixel(10, 200, 30, 0), 0));
    Clip* sound = root.ImportMedia(WriteWave(folder, "s.wav", 44100, 16, 2, 44100 * 3, 1000));
    ASSERT_TRUE(picture && sound);
    Place(*picture, 0, 0, 5000);
    Place(*sound, 1, 0, 5000);
    root.SetMakeRange(0, 2000);
    const std::string project = folder.File("ntsc.kwp");
    {
        std::FILE* file = std::fopen(project.c_str(), "wb");
        FileOutStream out(file);
        ASSERT_NE(root.Save(out), 0);
        std::fclose(file);
    }
    const int frames = ExactFrameCount(30000, 1001, 2000);
    ASSERT_EQ(frames, 60);
    std::string message;
    const std::string mp4 = folder.File("ntsc.mp4"), mkv = folder.File("ntsc.mkv");
    ASSERT_EQ(MakeBatchWith(plugins, project, mp4, message, nullptr), 0) << message;
    ASSERT_EQ(MakeBatchWith(plugins, project, mkv, message, nullptr), 0) << message;

    const MadeFile exact = Probe(mp4);
    ASSERT_EQ(int(exact.videoPts.size()), frames);
    EXPECT_EQ(av_cmp_q(exact.rate, AVRational{30000, 1001}), 0);
    for (int i = 0; i < frames; ++i)
        EXPECT_EQ(exact.videoPts[i] * exact.timeBase.num * 30000, std::int64_t(i) * 1001 * exact.timeBase.den)
            << "frame " << i;

    const MadeFile lossless = Probe(mkv);
    EXPECT_EQ(int(lossless.videoPts.size()), frames);
    EXPECT_EQ(lossless.audioSamples, 2 * 44100);
    // Matroska keeps milliseconds: each frame within half of one.
    for (int i = 0; i < int(lossless.videoPts.size()); ++i)
        EXPECT_LE(std::abs(double(lossless.videoPts[i]) * av_q2d(lossless.timeBase) - i * 1001.0 / 30000), 0.0005 + 1e-9)
            << i;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Full HD at 25 fps, lossless: every made frame equals the picture composed
// at its time, through layers that are scaled, blended, keyed and blurred.
TEST_F(HdMake, LosslessFullHdFramesEqualThePicturesAtTheirTimes) {
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg command line";
    Clip root;
    testing::MakeRoot(root, 823, 832);
    Clip* gradient = root.NewChildClip(kGradientType);
    Place(*gradient, 3, 0, 5000);
    Clip* still = root.ImportMedia(WriteBitmap(folder, "still.bmp", 200, 120, MakePixel(0, 0, 255, 0),
                                               MakePixel(255, 255, 0, 0)));
    Place(*still, 0, 0, 5000);
    SetValue(*still, 49, 0.1);
    SetValue(*still, 51, 0.7);
    still->AddEffect(EffectKind::kVideo, 300);  // "Left Side Right"
    SetValue(*still, 554, -0.3);
    Clip* sub = root.NewChildClip(kSubArrangementType);
    Place(*sub, 1, 0, 5000);
    Clip* inner = sub->ImportMedia(WriteBitmap(folder, "inner.bmp", 64, 64, MakePixel(0, 255, 0, 0), 0));
    Place(*inner, 0, 0, 5000);
    SetValue(*inner, 50, 0.5);
    inner->AddEffect(EffectKind::kVideo, 149);  // "Blur"
    root.SetMakeRange(0, 160);
    const std::string project = folder.File("hd.kwp");
    {
        std::FILE* file = std::fopen(project.c_str(), "wb");
        FileOutStream out(file);
        ASSERT_NE(root.Save(out), 0);
        std::fclose(file);
    }
    const std::string made = folder.File("hd.mkv"), raw = folder.File("hd.bgr");
    std::string message;
    ASSERT_EQ(MakeBatchWith(plugins, project, made, message, nullptr), 0) << message;
    const std::string command = "ffmpeg -v error -y -i '" + made + "' -f rawvideo -pix_fmt bgr24 '" + raw + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<std::uint8_t> frames = ReadAll(raw);
    const std::size_t rowBytes = 1920 * 3, frameBytes = rowBytes * 1080;
    ASSERT_EQ(frames.size(), 4 * frameBytes);
    for (int i = 0; i < 4; ++i) {
        const std::string bmp = folder.File("f" + std::to_string(i) + ".bmp");
        ASSERT_EQ(PictureBatch(project, i * 40, bmp, message, &plugins), 0) << message;
        const std::vector<std::uint8_t> picture = ReadAll(bmp);
        ASSERT_EQ(picture.size(), 54 + frameBytes);
        std::size_t differing = 0;
        for (int y = 0; y < 1080; ++y) {
            const std::uint8_t* bmpRow = picture.data() + 54 + std::size_t(1079 - y) * rowBytes;
            const std::uint8_t* madeRow = frames.data() + i * frameBytes + std::size_t(y) * rowBytes;
            for (std::size_t x = 0; x < rowBytes; ++x) differing += bmpRow[x] != madeRow[x];
        }
        EXPECT_EQ(differing, 0u) << "frame " << i;
    }
}

}  // namespace
}  // namespace vantrel
