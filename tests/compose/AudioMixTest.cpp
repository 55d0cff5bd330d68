#include <gtest/gtest.h>

#include "compose/AudioMix.h"
#include "compose/ClipState.h"
#include "compose/Envelope.h"
#include "tests/compose/Fixtures.h"

namespace vantrel {
namespace {

using testing::MakeRoot;
using testing::Place;
using testing::SetValue;
using testing::TempFolder;
using testing::WriteWave;
using testing::WriteWaveWith;

class AudioMix : public ::testing::Test {
protected:
    void SetUp() override { MakeRoot(root); }
    Clip* Wave(const std::string& name, int rate, int bits, int channels, int seconds, int value, int track) {
        Clip* clip = root.ImportMedia(WriteWave(folder, name, rate, bits, channels, rate * seconds, value));
        EXPECT_NE(clip, nullptr);
        if (clip) Place(*clip, track, 0, seconds * 1000);
        return clip;
    }
    // The mix of `ms` at root time t.
    std::vector<std::int16_t> Mix(std::int32_t t, std::int32_t ms) {
        root.SetTime(t);
        const int bytes = ms * 44100 / 1000 * 4;
        const std::int16_t* out = MixStep(root, buffers, ms, bytes, 2);
        return {out, out + bytes / 2};
    }
    TempFolder folder;
    Clip root;
    MixBuffers buffers;
};

TEST_F(AudioMix, LoudClipsSaturateOnceInsteadOfWrapping) {
    Wave("a.wav", 44100, 16, 2, 2, 30000, 0);
    Wave("b.wav", 44100, 16, 2, 2, 30000, 1);
    Wave("c.wav", 44100, 16, 2, 2, -30000, 2);
    // 30000 + 30000 - 30000 summed wide is 30000, whatever the order.
    for (std::int16_t s : Mix(500, 100)) ASSERT_EQ(s, 30000);
    root.ChildAt(2)->SetMuteAudio(true);
    for (std::int16_t s : Mix(500, 100)) ASSERT_EQ(s, 32767);
}

TEST_F(AudioMix, AClipBeforeItsStartReadsSilenceForTheNegativeSecond) {
    Clip* clip = Wave("late.wav", 44100, 16, 2, 3, 1000, 0);
    // Local time -500: the clip starts 500 ms before the material does.
    clip->RestoreTimes(0, 3000, -500);
    root.SetTime(0);
    ASSERT_EQ(clip->Time(), -500);
    ASSERT_TRUE(ReadAudioWalk(root, 0));
    const AudioBlockCache& cache = MediaState(*clip).audio;
    EXPECT_EQ(cache.WindowStart(), -1000);
    EXPECT_EQ(cache.BlockStart(cache.Window()[0]), -1000);
    ASSERT_EQ(cache.Window().size(), 6u);
    // The first 500 ms are silent, the next come from the file.
    const std::vector<std::int16_t> mix = Mix(0, 1000);
    EXPECT_EQ(mix[0], 0);
    EXPECT_EQ(mix[2 * 22049], 0);
    EXPECT_EQ(mix[2 * 22051], 1000);
}

TEST_F(AudioMix, TheWindowReusesBlocksFromFrameToFrame) {
    Clip* clip = Wave("long.wav", 44100, 16, 2, 12, 5, 0);
    for (int t = 0; t < 2000; t += 66) Mix(t, 66);
    const AudioBlockCache& cache = MediaState(*clip).audio;
    // Seconds 0 ... 6 were read once each, never again.
    EXPECT_EQ(cache.SourceReads(), 7);
    Mix(9000, 66);
    EXPECT_EQ(cache.WindowStart(), 9000);
    EXPECT_LE(cache.SourceReads(), 7 + 6);
}

TEST_F(AudioMix, EightBitMonoIsUpSampledIntoBothChannels) {
    static int (*ramp)(int, int) = [](int frame, int) { return frame % 256; };
    Clip* clip = root.ImportMedia(WriteWaveWith(folder, "ramp.wav", 22050, 8, 1, 22050 * 2, ramp));
    ASSERT_NE(clip, nullptr);
    Place(*clip, 0, 0, 2000);
    const std::vector<std::int16_t> mix = Mix(0, 100);
    for (int i = 0; i < 40; ++i) {
        const int source = i / 2;  // each source sample about twice
        EXPECT_EQ(mix[2 * i], source * 255 - 32640) << i;
        EXPECT_EQ(mix[2 * i + 1], mix[2 * i]) << i;
    }
}

TEST(AudioConversion, EightBitTableAndNearestLowerPick) {
    EXPECT_EQ(EightBitSample(0), -32640);
    EXPECT_EQ(EightBitSample(128), 0);
    EXPECT_EQ(EightBitSample(255), 32385);
    AudioFormat stereo16{1, 2, 11025, 16, 4, 44100};
    const std::int16_t in[] = {100, -100, 200, -200, 300, -300};
    std::int16_t out[2 * 12];
    ConvertAudio(stereo16, reinterpret_cast<const std::uint8_t*>(in), sizeof in, out, sizeof out);
    // 3 source frames over 12 output frames: j = 3 * i / 12.
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(out[2 * i], in[2 * (i / 4)]) << i;
        EXPECT_EQ(out[2 * i + 1], in[2 * (i / 4) + 1]) << i;
    }
    AudioFormat unsupported{1, 6, 44100, 16, 12, 529200};
    EXPECT_FALSE(IsMixableLayout(unsupported));
}

TEST_F(AudioMix, AMutedAudioMasterSilencesTheArrangement) {
    Wave("music.wav", 44100, 16, 2, 2, 4000, 0);
    Clip* master = Wave("voice.wav", 44100, 16, 1, 2, 1234, 1);
    ASSERT_TRUE(root.MakeAudioMaster(master));
    for (std::int16_t s : Mix(100, 50)) ASSERT_EQ(s, 1234);
    master->SetMuteAudio(true);
    for (std::int16_t s : Mix(100, 50)) ASSERT_EQ(s, 0);
    root.RemoveAudioMaster();
    for (std::int16_t s : Mix(100, 50)) ASSERT_EQ(s, 4000);
}

TEST_F(AudioMix, AudioEffectsRunInListOrder) {
    Clip* clip = Wave("vol.wav", 44100, 16, 2, 2, 10000, 0);
    VariableOwner* volume = clip->AddEffect(EffectKind::kAudio, 142);
    ASSERT_NE(volume, nullptr);
    SetValue(*volume, 123, 0.5);
    const std::vector<std::int16_t> mix = Mix(100, 50);
    EXPECT_NEAR(mix[100], 5000, 2);
}

TEST_F(AudioMix, TheEnvelopeFollowsThePeaks) {
    static int (*loudThenQuiet)(int, int) = [](int frame, int) { return frame < 44100 ? 16384 : 0; };
    Clip* clip = root.ImportMedia(WriteWaveWith(folder, "env.wav", 44100, 16, 2, 88200, loudThenQuiet));
    ASSERT_NE(clip, nullptr);
    Place(*clip, 0, 0, 2000);
    Variable* strip = EnvelopeStrip(root);
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(GetAudioEnvelope(root, *clip, *strip));
    EXPECT_EQ(strip->KeyCount(), (2000 + 14) / 15);
    EXPECT_NEAR(strip->ValueAt(300), 0.5, 1e-3);
    EXPECT_NEAR(strip->ValueAt(1500), 0.0, 1e-3);
}

TEST(EnvelopeStrip, KeysMoveBetweenTheStripAndAClipVariableShiftedAndRescaled) {
    Clip root;
    MakeRoot(root);
    Clip* sub = root.NewChildClip(kSubArrangementType);
    ASSERT_NE(sub, nullptr);
    sub->RestoreTimes(1000, 5000, 0);  // local = root time - 1000
    root.SetTime(1500);
    ASSERT_EQ(root.Time() - sub->Time(), 1000);
    Variable volume;
    volume.Define("IDS_TEST_VOLUME", 0, -1, 1, 0);
    volume.SetValueAt(0, -1);
    volume.SetValueAt(200, 0);
    volume.SetValueAt(400, 1);
    Variable strip;
    strip.Define("IDS_TEST_STRIP", 0, 0, 10, 0);
    ASSERT_TRUE(ToClipStrip(root, *sub, volume, strip));
    ASSERT_EQ(strip.KeyCount(), 3);
    EXPECT_EQ(strip.Key(0).time, 1000);
    EXPECT_DOUBLE_EQ(strip.Key(1).value, 5);
    EXPECT_DOUBLE_EQ(strip.Key(2).value, 10);
    // Back again, with the key before 0 dropped.
    strip.SetValueAt(500, 2);
    Variable back;
    back.Define("IDS_TEST_BACK", 0, -1, 1, 0);
    ASSERT_TRUE(FromClipStrip(root, *sub, strip, back));
    ASSERT_EQ(back.KeyCount(), 3);
    EXPECT_EQ(back.Key(0).time, 0);
    EXPECT_DOUBLE_EQ(back.Key(0).value, -1);
    EXPECT_EQ(back.Key(2).time, 400);
    Variable empty;
    empty.Define("IDS_TEST_EMPTY", 0, 1, 1, 1);
    EXPECT_FALSE(ToClipStrip(root, *sub, volume, empty));
}

TEST(EnvelopeStrip, InvertFullRangeAndReleases) {
    Variable strip;
    strip.Define("IDS_TEST_STRIP", 0, 0, 1, 0);
    strip.SetValueAt(0, 0.2);
    strip.SetValueAt(100, 0.6);
    strip.SetValueAt(200, 0.4);
    InvertKeys(strip);
    EXPECT_NEAR(strip.Key(0).value, 0.8, 1e-12);
    EXPECT_NEAR(strip.Key(1).value, 0.4, 1e-12);
    ASSERT_TRUE(FullRange(strip));
    EXPECT_NEAR(strip.Key(0).value, 1.0, 1e-12);
    EXPECT_NEAR(strip.Key(1).value, 0.0, 1e-12);
    EXPECT_NEAR(strip.Key(2).value, 0.5, 1e-12);
    // Falling at most the whole range per 400 ms: key 1 may be 0.75 at the least.
    ForwardRelease(strip, 400);
    EXPECT_NEAR(strip.Key(1).value, 0.75, 1e-12);
    EXPECT_NEAR(strip.Key(2).value, 0.5, 1e-12);

    Variable flat;
    flat.Define("IDS_TEST_FLAT", 0, 0, 1, 0);
    flat.SetValueAt(0, 0.3);
    flat.SetValueAt(50, 0.3);
    EXPECT_FALSE(FullRange(flat));

    Variable rising;
    rising.Define("IDS_TEST_RISING", 0, 0, 1, 0);
    rising.SetValueAt(0, 0);
    rising.SetValueAt(100, 1);
    BackwardRelease(rising, 200);
    EXPECT_NEAR(rising.Key(0).value, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(ReleaseTime(50, 10000, 500), 1000);
}

}  // namespace
}  // namespace vantrel
