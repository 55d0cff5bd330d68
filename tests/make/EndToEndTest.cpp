// The batch verbs through the real export plugin: the frames of a lossless
// make equal the pictures composed at the frame times, and a made WAV holds
// exactly the mix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "values/Stream.h"
#include "compose/AudioMix.h"
#include "make/Make.h"
#include "plugins/api/PluginTables.h"
#include "tests/compose/Fixtures.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace vantrel {
namespace {

using testing::MakeRoot;
using testing::Place;
using testing::SetValue;
using testing::TempFolder;
using testing::WriteBitmap;
using testing::WriteWaveWith;

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The length of a wave file's "data" chunk, and where its bytes begin.
std::size_t DataChunkBytes(const std::vector<std::uint8_t>& wave, std::size_t* dataAt = nullptr) {
    std::size_t at = 12;
    while (at + 8 <= wave.size()) {
        const std::size_t size = wave[at + 4] | wave[at + 5] << 8 | wave[at + 6] << 16 | std::size_t(wave[at + 7]) << 24;
        if (std::equal(wave.begin() + at, wave.begin() + at + 4, "data")) {
            if (dataAt) *dataAt = at + 8;
            return size;
        }
        at += 8 + size + (size & 1);
    }
    return 0;
}

int Saw(int frame, int channel) { return ((frame * (channel ? 7 : 3)) % 20000) - 10000; }
int Square(int frame, int) { return (frame / 100) % 2 ? 12000 : -12000; }

// Two media clips, a gradient, a sub arrangement holding a sound and a
// picture, video and audio effects; 1200 ms at 10 fps.
std::string WriteProject(const TempFolder& folder) {
    Clip root;
    MakeRoot(root, 489, 133);  // 176 x 144, 10 fps
    Clip* gradient = root.NewChildClip(kGradientType);
    Place(*gradient, 2, 0, 5000);
    Clip* still = root.ImportMedia(WriteBitmap(folder, "still.bmp", 40, 30, MakePixel(0, 0, 255, 0),
                                               MakePixel(255, 255, 0, 0)));
    Place(*still, 0, 200, 3000);
    SetValue(*still, 49, 0.1);
    SetValue(*still, 51, 0.6);
    still->AddEffect(EffectKind::kVideo, 300);  // "Left Side Right"
    SetValue(*still, 554, -0.3);
    Clip* sound = root.ImportMedia(WriteWaveWith(folder, "saw.wav", 44100, 16, 2, 44100 * 2, &Saw));
    Place(*sound, 3, 0, 2000);
    SetValue(*sound->AddEffect(EffectKind::kAudio, 142), 123, 0.7);  // "Volume/Pan"

    Clip* sub = root.NewChildClip(kSubArrangementType);
    Place(*sub, 1, 0, 5000);
    Clip* inner = sub->ImportMedia(WriteBitmap(folder, "inner.bmp", 16, 16, MakePixel(0, 255, 0, 0), 0));
    Place(*inner, 0, 0, 5000);
    SetValue(*inner, 50, 0.5);
    inner->AddEffect(EffectKind::kVideo, 149);  // "Blur"
    Clip* beat = sub->ImportMedia(WriteWaveWith(folder, "beat.wav", 22050, 16, 1, 22050 * 2, &Square));
    Place(*beat, 1, 100, 1500);
    root.SetMakeRange(0, 1200);
    const std::string path = folder.File("project.kwp");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FileOutStream out(file);
    EXPECT_NE(root.Save(out), 0);
    std::fclose(file);
    return path;
}

class Batch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plugins.Load(std::string(VANTREL_PROGRAM_DIR) + "/plugins/basalt.so"));
        project = WriteProject(folder);
    }
    // The written project read into a root of the composition's own.
    void LoadProject(Clip& root) const {
        MakeRoot(root);
        std::FILE* file = std::fopen(project.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        FileInStream in(file);
        const int loaded = root.Load(in);
        std::fclose(file);
        ASSERT_NE(loaded, 0);
    }
    TempFolder folder;
    PluginTables plugins;
    std::string project;
};

TEST_F(Batch, LosslessFramesEqualThePicturesAtTheFrameTimes) {
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg command line";
    const std::string made = folder.File("made.mkv");
    std::string message;
    ASSERT_EQ(MakeBatchWith(plugins, project, made, message, nullptr), 0) << message;
    const std::string raw = folder.File("frames.bgr");
    const std::string command =
        "ffmpeg -v error -y -i '" + made + "' -f rawvideo -pix_fmt bgr24 '" + raw + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<std::uint8_t> frames = ReadAll(raw);
    const std::size_t frameBytes = 176 * 144 * 3;
    ASSERT_EQ(frames.size(), 12 * frameBytes);
    // The frames show something: the gradient covers the whole picture.
    EXPECT_GT(std::count_if(frames.begin(), frames.end(), [](std::uint8_t b) { return b > 16; }),
              std::ptrdiff_t(frames.size() / 4));
    for (int i = 0; i < 12; ++i) {
        const int t0 = 1200 * i / 12;
        const std::string bmp = folder.File("frame" + std::to_string(i) + ".bmp");
        ASSERT_EQ(PictureBatch(project, t0, bmp, message), 0) << message;
        const std::vector<std::uint8_t> picture = ReadAll(bmp);
        ASSERT_EQ(picture.size(), 54 + frameBytes);  // rows of 528 bytes need no padding
        int differing = 0;
        for (int y = 0; y < 144; ++y) {
            const std::uint8_t* bmpRow = picture.data() + 54 + std::size_t(143 - y) * 176 * 3;
            const std::uint8_t* madeRow = frames.data() + i * frameBytes + std::size_t(y) * 176 * 3;
            for (int x = 0; x < 176 * 3; ++x) differing += bmpRow[x] != madeRow[x];
        }
        EXPECT_EQ(differing, 0) << "frame " << i;
    }
}

// A file's container tags as FFmpeg reads them back; "?" for a missing one.
std::vector<std::string> TagsOf(const std::string& path) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return {"unreadable"};
    std::vector<std::string> tags;
    for (const char* key : {"artist", "copyright", "comment"}) {
        const AVDictionaryEntry* entry = av_dict_get(format->metadata, key, nullptr, 0);
        tags.push_back(entry ? entry->value : "?");
    }
    avformat_close_input(&format);
    return tags;
}

TEST_F(Batch, TagsGoIntoTheMadeFileOnlyWhenGiven) {
    const MakeTags tags{"Ada Lovelace", "(c) 2026 Ada", "first cut, \"quoted\""};
    for (const char* extension : {".mkv", ".wav", ".avi"}) {
        const std::string tagged = folder.File(std::string("tagged") + extension);
        const std::string plain = folder.File(std::string("plain") + extension);
        std::string message;
        ASSERT_EQ(MakeBatchWith(plugins, project, tagged, message, nullptr, {}, std::nullopt, nullptr, tags), 0)
            << message;
        EXPECT_EQ(TagsOf(tagged), (std::vector<std::string>{tags.author, tags.copyright, tags.comment})) << extension;
        // The plugin is the same object: the last make's tags must not stay.
        ASSERT_EQ(MakeBatchWith(plugins, project, plain, message, nullptr), 0) << message;
        EXPECT_EQ(TagsOf(plain), (std::vector<std::string>{"?", "?", "?"})) << extension;
    }
}

TEST_F(Batch, AMadeWaveHoldsExactlyTheMix) {
    const std::string made = folder.File("made.wav");
    std::string message;
    ASSERT_EQ(MakeBatchWith(plugins, project, made, message, nullptr), 0) << message;
    const std::vector<std::uint8_t> wave = ReadAll(made);
    std::size_t dataAt = 0;
    const std::size_t dataBytes = DataChunkBytes(wave, &dataAt);
    ASSERT_GT(dataAt, 0u);
    ASSERT_EQ(dataBytes, 1200u * 441 / 10 * 4);

    Clip root;
    ASSERT_NO_FATAL_FAILURE(LoadProject(root));
    MixBuffers buffers;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 12; ++i) {
        const FrameSpan span = MakeFrameSpan(0, 1200, 12, i);
        root.SetTime(span.t0);
        const int bytes = FrameAudioBytes(span.t0, span.t1);
        const auto* mix = reinterpret_cast<const std::uint8_t*>(MixStep(root, buffers, span.t1 - span.t0, bytes, 2));
        expected.insert(expected.end(), mix, mix + bytes);
    }
    ASSERT_EQ(expected.size(), dataBytes);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), wave.begin() + std::ptrdiff_t(dataAt)));
    // Something was mixed at all.
    EXPECT_NE(std::count(expected.begin(), expected.end(), 0), std::ptrdiff_t(expected.size()));
}

// 1000 ms at 15 fps: the last frame runs from 933 to 1000 ms, 2955 samples
// that are not a whole number of milliseconds. The file still ends at
// sample 44100, not at 1001 ms.
TEST_F(Batch, AMadeFileEndsAtTheLastSampleOfTheRange) {
    Clip root;
    ASSERT_NO_FATAL_FAILURE(LoadProject(root));
    ASSERT_TRUE(root.SetFrameRateId(134));
    root.SetMakeRange(0, 1000);
    const std::string shorter = folder.File("shorter.kwp");
    std::FILE* file = std::fopen(shorter.c_str(), "wb");
    FileOutStream out(file);
    ASSERT_NE(root.Save(out), 0);
    std::fclose(file);

    const std::string made = folder.File("made.wav");
    std::string message;
    ASSERT_EQ(MakeBatchWith(plugins, shorter, made, message, nullptr), 0) << message;
    EXPECT_EQ(DataChunkBytes(ReadAll(made)), 44100u * 4);
}

TEST_F(Batch, ABrokenProjectOrNothingToMakeFails) {
    std::string message;
    EXPECT_EQ(MakeBatchWith(plugins, folder.File("missing.kwp"), folder.File("x.mkv"), message, nullptr), 1);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(PictureBatch(folder.File("missing.kwp"), 0, folder.File("x.bmp"), message), 1);

    Clip empty;
    MakeRoot(empty);
    const std::string path = folder.File("empty.kwp");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FileOutStream out(file);
    ASSERT_NE(empty.Save(out), 0);
    std::fclose(file);
    EXPECT_EQ(MakeBatchWith(plugins, path, folder.File("x.mkv"), message, nullptr), 1);
    EXPECT_EQ(message, "No Audio and no Video available for making.");
}

}  // namespace
}  // namespace vantrel
