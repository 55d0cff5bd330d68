#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "media/sources/FfmpegSource.h"
#include "media/sources/MediaOpen.h"
#include "tests/media/sources/MediaFixtures.h"

namespace vantrel {
namespace {

using testing::Ffmpeg;
using testing::FrameNumberOf;
using testing::NumberedVideoInput;
using testing::TempFolder;

constexpr int kFps = 30;
constexpr int kFrames = 60;

struct NumberedFile {
    const char* name;
    const char* encoding;
    SourceKind kind;
    // Matroska stamps frames in whole milliseconds: frame 4 starts at 133,
    // not 133.3. The file's own stamps decide.
    bool millisecondStamps = false;
    int lengthToleranceMs = 40;
};

void PrintTo(const NumberedFile& file, std::ostream* out) { *out << file.name; }

// The first whole millisecond of frame n as the file stamps it.
int FrameStartMs(int frame, bool millisecondStamps) {
    return millisecondStamps ? (frame * 1000 + kFps / 2) / kFps : (frame * 1000 + kFps - 1) / kFps;
}

// The frame whose presentation interval holds ms.
int ExpectedFrame(int ms, bool millisecondStamps = false) {
    int frame = 0;
    while (frame + 1 < kFrames && FrameStartMs(frame + 1, millisecondStamps) <= ms) ++frame;
    return frame;
}

// Containers and codecs with different seeking behaviour: AVI with an index,
// MP4 with B-frames and frame reordering, Matroska, MPEG program stream
// without an index, and HEVC, VP9 and AV1.
constexpr NumberedFile kNumberedFiles[] = {
    {"numbered.avi", "-c:v mpeg4 -q:v 2 -g 10 -bf 0", SourceKind::Avi},
    {"numbered.mp4", "-c:v libx264 -g 10 -bf 2 -pix_fmt yuv420p", SourceKind::Movie},
    {"numbered.mkv", "-c:v libx264 -g 12 -bf 3 -pix_fmt yuv420p", SourceKind::Movie, true},
    // The program stream's own duration is an estimate from a few packets.
    {"numbered.mpg", "-c:v mpeg2video -q:v 2 -g 9 -bf 2", SourceKind::Movie, false, 1000},
    // Today's codecs, each seeking through its own kind of key frames.
    {"numbered_hevc.mp4", "-c:v libx265 -x265-params log-level=error -g 10 -bf 2 -pix_fmt yuv420p", SourceKind::Movie},
    {"numbered_vp9.webm", "-c:v libvpx-vp9 -g 10 -deadline realtime -cpu-used 8 -crf 20 -b:v 0 -pix_fmt yuv420p",
     SourceKind::Movie, true},
    {"numbered_av1.mkv", "-c:v libaom-av1 -g 10 -cpu-used 8 -crf 20 -pix_fmt yuv420p", SourceKind::Movie, true},
};

class NumberedVideo : public ::testing::TestWithParam<NumberedFile> {
protected:
    // CTest runs each case in its own process: make only the file it needs.
    static void SetUpTestSuite() { folder_ = new TempFolder; }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    std::unique_ptr<MediaSource> Open() {
        const NumberedFile& file = GetParam();
        if (!std::filesystem::exists(*folder_ / file.name)) {
            EXPECT_TRUE(Ffmpeg(NumberedVideoInput(kFps, kFrames / double(kFps)) + " " + file.encoding + " " +
                               (*folder_ / file.name)));
        }
        auto source = OpenMediaSource(*folder_ / GetParam().name);
        EXPECT_NE(source, nullptr) << GetParam().name;
        return source;
    }
    static int Expected(int ms) { return ExpectedFrame(ms, GetParam().millisecondStamps); }
    int FrameAt(MediaSource& source, int ms) {
        EXPECT_TRUE(source.ReadFrame(ms)) << ms;
        return FrameNumberOf(source.Picture());
    }
    static TempFolder* folder_;
};
TempFolder* NumberedVideo::folder_ = nullptr;

TEST_P(NumberedVideo, OpensAsTheRightKindWithTrueSizeAndLength) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), GetParam().kind);
    EXPECT_EQ(source->Width(), 64);
    EXPECT_EQ(source->Height(), 48);
    EXPECT_NEAR(source->LengthMs(), 2000, GetParam().lengthToleranceMs);
    EXPECT_FALSE(source->HasAudio());
    // Opening shows the first frame.
    EXPECT_EQ(FrameNumberOf(source->Picture()), 0);
}

TEST_P(NumberedVideo, SequentialReadsGiveEveryFrameWithoutSeeking) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    auto* movie = dynamic_cast<FfmpegSource*>(source.get());
    ASSERT_NE(movie, nullptr);
    const int seeksBefore = movie->VideoSeeks();
    for (int ms = 0; ms < 2000; ms += 7) ASSERT_EQ(FrameAt(*source, ms), Expected(ms)) << "at " << ms;
    EXPECT_EQ(movie->VideoSeeks(), seeksBefore);
}

TEST_P(NumberedVideo, BackwardReadsGiveTheFrameOfEachTime) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    for (int ms = 1999; ms >= 0; ms -= 23) ASSERT_EQ(FrameAt(*source, ms), Expected(ms)) << "at " << ms;
    // Frame boundaries themselves, going back one frame at a time.
    for (int frame = kFrames - 1; frame > 0; --frame) {
        const int start = FrameStartMs(frame, GetParam().millisecondStamps);
        ASSERT_EQ(FrameAt(*source, start), frame);
        ASSERT_EQ(FrameAt(*source, start - 1), frame - 1);
    }
}

// A scrub back and forth between two far times decodes each once: after
// that the two pictures take turns without a seek, and a third time still
// decodes its own frame.
TEST_P(NumberedVideo, ScrubbingBetweenTwoTimesReusesBothPictures) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    auto* movie = dynamic_cast<FfmpegSource*>(source.get());
    ASSERT_NE(movie, nullptr);
    ASSERT_EQ(FrameAt(*source, 1500), Expected(1500));
    ASSERT_EQ(FrameAt(*source, 210), Expected(210));
    const int seeks = movie->VideoSeeks();
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(FrameAt(*source, 1500 + i % 3), Expected(1500)) << i;
        ASSERT_EQ(FrameAt(*source, 210), Expected(210)) << i;
    }
    EXPECT_EQ(movie->VideoSeeks(), seeks);
    EXPECT_EQ(FrameAt(*source, 900), Expected(900));
    EXPECT_EQ(FrameAt(*source, 1500), Expected(1500));
    EXPECT_EQ(FrameAt(*source, 903), Expected(903));
}

TEST_P(NumberedVideo, RandomReadsGiveTheFrameOfEachTime) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> time(0, 1999);
    for (int i = 0; i < 150; ++i) {
        const int ms = time(random);
        ASSERT_EQ(FrameAt(*source, ms), Expected(ms)) << "read " << i << " at " << ms;
    }
}

TEST_P(NumberedVideo, TimesOutsideTheFileShowTheFirstAndLastFrame) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(FrameAt(*source, 5000), kFrames - 1);
    EXPECT_EQ(FrameAt(*source, 6000), kFrames - 1);
    EXPECT_EQ(FrameAt(*source, -500), 0);
    EXPECT_EQ(FrameAt(*source, 1000), 30);
}

TEST_P(NumberedVideo, DecodedPixelsHaveAlphaZeroAndThePaddingStaysClear) {
    auto source = Open();
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(source->ReadFrame(500));
    const Surface& picture = source->Picture();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) ASSERT_EQ(PixelAlpha(picture.At(x, y)), 0);
}

INSTANTIATE_TEST_SUITE_P(Containers, NumberedVideo, ::testing::ValuesIn(kNumberedFiles),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

class FfmpegAudio : public ::testing::Test {
protected:
    TempFolder folder_;
};

std::vector<std::uint8_t> ReadSeconds(MediaSource& source, int from, int count) {
    std::vector<std::uint8_t> all;
    for (int s = from; s < from + count; ++s) {
        EXPECT_TRUE(source.ReadAudioSecond(s * 1000));
        all.insert(all.end(), source.AudioBlock().begin(), source.AudioBlock().end());
    }
    return all;
}

int MaxDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, std::size_t from,
                  std::size_t bytes) {
    int worst = 0;
    for (std::size_t i = from; i + 1 < from + bytes && i + 1 < a.size() && i + 1 < b.size(); i += 2) {
        const int x = std::int16_t(a[i] | a[i + 1] << 8), y = std::int16_t(b[i] | b[i + 1] << 8);
        worst = std::max(worst, std::abs(x - y));
    }
    return worst;
}

TEST_F(FfmpegAudio, Mp4AacDecodesToTheSamePcmAsFfmpeg) {
    const std::string mp4 = folder_ / "tone.mp4", pcm = folder_ / "tone.raw";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"sine=frequency=440:sample_rate=44100:duration=3.5\" -f lavfi -i "
                       "\"sine=frequency=660:sample_rate=44100:duration=3.5\" -filter_complex amerge=inputs=2 "
                       "-c:a aac -b:a 128k " + mp4));
    ASSERT_TRUE(Ffmpeg("-i " + mp4 + " -f s16le -acodec pcm_s16le " + pcm));
    const std::vector<std::uint8_t> reference = testing::ReadBytes(pcm);
    ASSERT_GT(reference.size(), 3u * 176400u);

    auto source = OpenMediaSource(mp4);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), SourceKind::Movie);
    EXPECT_FALSE(source->HasPicture());
    ASSERT_TRUE(source->HasAudio());
    EXPECT_EQ(source->Audio().samplesPerSecond, 44100);
    EXPECT_EQ(source->Audio().channels, 2);
    EXPECT_EQ(source->Audio().bitsPerSample, 16);
    EXPECT_EQ(source->AudioSecondBytes(), 176400);

    const std::vector<std::uint8_t> ours = ReadSeconds(*source, 0, 4);
    ASSERT_EQ(ours.size(), 4u * 176400u);
    EXPECT_LE(MaxDifference(ours, reference, 0, reference.size()), 1);
    // Past the end of the sound: silence.
    for (std::size_t i = reference.size() + 4096; i < ours.size(); ++i) ASSERT_EQ(ours[i], 0) << i;

    // Going back seeks; the second read again matches once the decoder has
    // settled (a seek restarts it a little before the second).
    ASSERT_TRUE(source->ReadAudioSecond(1000));
    const std::vector<std::uint8_t> again(source->AudioBlock());
    EXPECT_LE(MaxDifference(again, std::vector<std::uint8_t>(reference.begin() + 176400, reference.end()), 0,
                            176400),
              1);
}

TEST_F(FfmpegAudio, SequentialSecondsDoNotSeek) {
    const std::string mkv = folder_ / "long.mkv";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"sine=frequency=300:sample_rate=22050:duration=6\" -c:a flac " + mkv));
    auto source = OpenMediaSource(mkv);
    ASSERT_NE(source, nullptr);
    auto* movie = dynamic_cast<FfmpegSource*>(source.get());
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(source->Audio().channels, 1);
    const int seeks = movie->AudioSeeks();
    ReadSeconds(*source, 0, 6);
    EXPECT_EQ(movie->AudioSeeks(), seeks);
    EXPECT_NEAR(source->LengthMs(), 6000, 50);
}

TEST_F(FfmpegAudio, SurroundIsMixedDownToTwoChannelsAndEightBitWidensToSixteen) {
    const std::string surround = folder_ / "surround.mkv", narrow = folder_ / "narrow.avi";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"sine=sample_rate=48000:duration=1\" -ac 6 -c:a pcm_s16le " + surround));
    ASSERT_TRUE(Ffmpeg(NumberedVideoInput(kFps, 1) + " -f lavfi -i \"sine=sample_rate=11025:duration=1\" "
                       "-c:v mpeg4 -c:a pcm_u8 -shortest " + narrow));
    auto six = OpenMediaSource(surround);
    ASSERT_NE(six, nullptr);
    EXPECT_EQ(six->Audio().channels, 2);
    EXPECT_EQ(six->Audio().bytesPerSecond, 48000 * 4);

    auto avi = OpenMediaSource(narrow);
    ASSERT_NE(avi, nullptr);
    EXPECT_EQ(avi->Kind(), SourceKind::Avi);
    ASSERT_TRUE(avi->HasAudio());
    EXPECT_EQ(avi->Audio().bitsPerSample, 16);
    EXPECT_EQ(avi->Audio().samplesPerSecond, 11025);
    ASSERT_TRUE(avi->ReadAudioSecond(0));
    // A sine of 1/8 full scale: not silent, not clipped.
    int peak = 0;
    const auto& block = avi->AudioBlock();
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        peak = std::max(peak, std::abs(int(std::int16_t(block[i] | block[i + 1] << 8))));
    EXPECT_GT(peak, 2000);
    EXPECT_LT(peak, 8000);
}

TEST(FfmpegFrames, OddWidthsDecodeIntoARoundedSurfaceWhosePaddingStaysClear) {
    TempFolder folder;
    const std::string path = folder / "odd.avi";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i color=white:s=30x22:r=10:d=1 -c:v rawvideo -pix_fmt bgr24 " + path));
    auto source = OpenMediaSource(path);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Width(), 30);
    EXPECT_EQ(source->Height(), 22);
    const Surface& picture = source->Picture();
    ASSERT_EQ(picture.Width(), 32);
    for (int ms : {0, 450, 900}) {
        ASSERT_TRUE(source->ReadFrame(ms));
        for (int y = 0; y < 22; ++y) {
            ASSERT_EQ(picture.At(29, y), MakePixel(255, 255, 255, 0)) << y;
            ASSERT_EQ(picture.At(30, y), 0u) << y;
            ASSERT_EQ(picture.At(31, y), 0u) << y;
        }
    }
}

// Uncompressed AVIs (bottom-up BGR rows, packed BGRA) are copied into the
// picture directly: every pixel equals ffmpeg's own decoding with alpha 0,
// for a width that is a multiple of four and one that leaves a tail.
TEST(FfmpegFrames, UncompressedFramesArriveExactlyWithAlphaZero) {
    TempFolder folder;
    for (const char* layout : {"bgr24", "bgra"})
        for (const int width : {32, 33}) {
            SCOPED_TRACE(std::string(layout) + " " + std::to_string(width));
            const std::string size = std::to_string(width) + "x20";
            const std::string path = folder / ("raw-" + std::string(layout) + size + ".avi");
            const std::string raw = folder / ("raw-" + std::string(layout) + size + ".bgra");
            // The pattern comes in even sizes only; the crop makes the odd one.
            ASSERT_TRUE(Ffmpeg("-f lavfi -i testsrc2=s=40x20:r=10:d=1 -vf format=bgra,crop=" + std::to_string(width) +
                               ":20:0:0 -c:v rawvideo -pix_fmt " + layout + " " + path));
            ASSERT_TRUE(Ffmpeg("-i " + path + " -vf 'select=eq(n\\,4)' -frames:v 1 -f rawvideo -pix_fmt bgra " + raw));
            const std::vector<std::uint8_t> want = testing::ReadBytes(raw);
            ASSERT_EQ(want.size(), std::size_t(width) * 20 * 4);
            auto source = OpenMediaSource(path);
            ASSERT_NE(source, nullptr);
            ASSERT_TRUE(source->ReadFrame(450));
            int wrong = 0;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* p = want.data() + (std::size_t(y) * width + x) * 4;
                    wrong += source->Picture().At(x, y) != MakePixel(p[0], p[1], p[2], 0);
                }
            EXPECT_EQ(wrong, 0);
        }
}

TEST(FfmpegOpeners, AviWithoutVideoIsLeftToTheMovieOpener) {
    TempFolder folder;
    const std::string path = folder / "sound.avi";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"sine=sample_rate=8000:duration=1\" -c:a pcm_s16le " + path));
    EXPECT_EQ(FfmpegSource::OpenAvi(path), nullptr);
    auto source = OpenMediaSource(path);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), SourceKind::Movie);
    EXPECT_FALSE(source->HasPicture());
    EXPECT_TRUE(source->HasAudio());
}

TEST(FfmpegOpeners, NeitherOpenerTakesStillPicturesOrWav) {
    TempFolder folder;
    const std::string png = folder / "still.png", wav = folder / "plain.wav";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i color=red:s=16x8 -frames:v 1 " + png));
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"sine=sample_rate=8000:duration=1\" " + wav));
    EXPECT_EQ(FfmpegSource::OpenAvi(png), nullptr);
    EXPECT_EQ(FfmpegSource::OpenMovie(png), nullptr);
    EXPECT_EQ(FfmpegSource::OpenAvi(wav), nullptr);
    auto still = OpenMediaSource(png);
    auto sound = OpenMediaSource(wav);
    ASSERT_NE(still, nullptr);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(still->Kind(), SourceKind::Still);
    EXPECT_EQ(sound->Kind(), SourceKind::Wav);
}

}  // namespace
}  // namespace vantrel
