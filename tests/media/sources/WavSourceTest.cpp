#include <gtest/gtest.h>

#include "media/sources/MediaOpen.h"
#include "media/sources/WavSource.h"
#include "tests/media/sources/MediaFixtures.h"

namespace vantrel {
namespace {

using testing::MakeWav;
using testing::TempFolder;
using testing::WavLayout;
using testing::WriteBytes;

// Sample bytes that tell their own position: byte i holds i mod 251.
std::vector<std::uint8_t> Counting(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = std::uint8_t(i % 251);
    return bytes;
}

class WavReader : public ::testing::Test {
protected:
    std::unique_ptr<WavSource> Open(const WavLayout& layout, const char* name = "sound.wav") {
        const std::string path = folder_ / name;
        EXPECT_TRUE(WriteBytes(path, MakeWav(layout)));
        return WavSource::Open(path);
    }
    TempFolder folder_;
};

TEST_F(WavReader, ReadsFormatLengthAndEachSecondFromTheDataChunk) {
    WavLayout layout;
    layout.rate = 8000;
    layout.bits = 16;
    layout.channels = 1;
    layout.junkBeforeFmt = true;
    layout.data = Counting(16000 * 2 + 4000);  // 2.25 s
    auto wav = Open(layout);
    ASSERT_NE(wav, nullptr);
    EXPECT_EQ(wav->Kind(), SourceKind::Wav);
    EXPECT_EQ(wav->LengthMs(), 2250);
    EXPECT_FALSE(wav->HasPicture());
    EXPECT_EQ(wav->Audio().bytesPerSecond, 16000);
    EXPECT_EQ(wav->AudioSecondBytes(), 16000);

    ASSERT_TRUE(wav->ReadAudioSecond(1999));  // second 1, whatever the ms within it
    std::vector<std::uint8_t> expected(layout.data.begin() + 16000, layout.data.begin() + 32000);
    EXPECT_EQ(wav->AudioBlock(), expected);

    // The last, partial second: the rest is silence.
    ASSERT_TRUE(wav->ReadAudioSecond(2000));
    expected.assign(16000, 0);
    std::copy(layout.data.begin() + 32000, layout.data.end(), expected.begin());
    EXPECT_EQ(wav->AudioBlock(), expected);
}

struct SilenceCase {
    int bits;
    int timeMs;
    std::uint8_t silence;
};
void PrintTo(const SilenceCase& c, std::ostream* out) {
    *out << c.bits << "-bit at " << c.timeMs << " ms";
}

class WavSilence : public WavReader, public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(WavSilence, SecondsBeforeTheStartOrAtAndBeyondTheLengthAreSilent) {
    WavLayout layout;
    layout.bits = GetParam().bits;
    layout.rate = 1000;
    layout.data = std::vector<std::uint8_t>(std::size_t(2 * layout.bits / 8 * 1000), 77);  // exactly 2 s
    auto wav = Open(layout);
    ASSERT_NE(wav, nullptr);
    ASSERT_EQ(wav->LengthMs(), 2000);
    ASSERT_TRUE(wav->ReadAudioSecond(0));  // leave real sound in the block first
    ASSERT_TRUE(wav->ReadAudioSecond(GetParam().timeMs));
    for (std::uint8_t byte : wav->AudioBlock()) ASSERT_EQ(byte, GetParam().silence);
}

INSTANTIATE_TEST_SUITE_P(Edges, WavSilence,
                         ::testing::Values(SilenceCase{8, 2000, 128}, SilenceCase{8, 9000, 128},
                                           SilenceCase{16, 2000, 0}, SilenceCase{16, 2500, 0},
                                           SilenceCase{16, -1, 0}, SilenceCase{8, -1000, 128}));

TEST_F(WavReader, RefusesWhatIsNotPlainPcmWithData) {
    WavLayout empty;  // "data" of size 0
    EXPECT_EQ(Open(empty, "empty.wav"), nullptr);

    WavLayout floating;
    floating.formatTag = 3;
    floating.bits = 32;
    floating.data = Counting(400);
    EXPECT_EQ(Open(floating, "float.wav"), nullptr);

    // A format block asking for a gigantic one-second buffer is not believed.
    WavLayout greedy;
    greedy.data = Counting(400);
    greedy.bytesPerSecond = 0x7FFFFFFF;
    EXPECT_EQ(Open(greedy, "greedy.wav"), nullptr);

    WavLayout silentRate;
    silentRate.data = Counting(400);
    silentRate.rate = 0;
    EXPECT_EQ(Open(silentRate, "zero.wav"), nullptr);

    // Not RIFF at all, and RIFF of another form.
    ASSERT_TRUE(WriteBytes(folder_ / "text.wav", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'a', 'v', 'e', 's', '!'}));
    EXPECT_EQ(WavSource::Open(folder_ / "text.wav"), nullptr);
    std::vector<std::uint8_t> avi = MakeWav(greedy);
    avi[8] = 'A', avi[9] = 'V', avi[10] = 'I', avi[11] = ' ';
    ASSERT_TRUE(WriteBytes(folder_ / "form.wav", avi));
    EXPECT_EQ(WavSource::Open(folder_ / "form.wav"), nullptr);
}

TEST_F(WavReader, ATruncatedFileIsAsLongAsTheDataItHolds) {
    WavLayout layout;
    layout.rate = 1000;
    layout.data = Counting(3000);            // 1.5 s really there
    layout.dataSizeField = 2000 * 10;        // the header promises 10 s
    auto wav = Open(layout);
    ASSERT_NE(wav, nullptr);
    EXPECT_EQ(wav->LengthMs(), 1500);
    ASSERT_TRUE(wav->ReadAudioSecond(1000));
    EXPECT_EQ(wav->AudioBlock()[999], layout.data[2999]);
    EXPECT_EQ(wav->AudioBlock()[1000], 0);
}

TEST_F(WavReader, TheOpenerOrderGivesWavFilesToTheWavReader) {
    WavLayout layout;
    layout.data = Counting(1600);
    ASSERT_TRUE(WriteBytes(folder_ / "a.wav", MakeWav(layout)));
    auto source = OpenMediaSource(folder_ / "a.wav");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), SourceKind::Wav);
}

}  // namespace
}  // namespace vantrel
