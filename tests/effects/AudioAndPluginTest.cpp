#include <vector>

#include "EffectTestSupport.h"
#include "values/Stream.h"
#include "plugins/api/PluginTables.h"

namespace vantrel {
namespace {

std::vector<std::int16_t> Frames(std::initializer_list<std::int16_t> samples) { return samples; }

std::vector<std::int16_t> RunAudio(AudioEffect& effect, const std::vector<std::int16_t>& in) {
    std::vector<std::int16_t> out(in.size(), 0x5555);
    EXPECT_EQ(effect.Process(in.data(), out.data(), std::int32_t(in.size() * 2)), 1);
    return out;
}

TEST(VolumePan, PanSilencesOneSideAndDefaultsPassSamplesThrough) {
    struct Case {
        double volume, pan;
        std::int16_t left, right;  // from 1000, -2000
    } cases[] = {{1, 0, 1000, -2000}, {1, -1, 1000, 0}, {1, 1, 0, -2000}, {0.5, -0.5, 500, -500}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        auto effect = CreateAudioEffect(142);
        test::Set(*effect, 123, c.volume);
        test::Set(*effect, 150, c.pan);
        const auto out = RunAudio(*effect, Frames({1000, -2000}));
        EXPECT_EQ(out[0], c.left) << c.volume << " " << c.pan;
        EXPECT_EQ(out[1], c.right) << c.volume << " " << c.pan;
    }
    // Unit gain leaves even the extremes of the range alone.
    EXPECT_EQ(RunAudio(*CreateAudioEffect(142), Frames({-32768, 32767})), Frames({-32768, 32767}));
}

TEST(Compressor, DefaultsAreCloseToButNotTheIdentity) {
    struct Case {
        std::int16_t in, out;
    } cases[] = {{100, 99}, {16384, 16383}, {32767, 32767}, {-32768, -32767}, {0, 0}, {-100, -99}, {8192, 8191}};
    auto effect = CreateAudioEffect(514);
    for (const Case& c : cases) {
        const auto out = RunAudio(*effect, Frames({c.in, c.in}));
        EXPECT_EQ(out[0], c.out) << c.in;
        EXPECT_EQ(out[1], c.out) << c.in;
    }
    test::Set(*effect, 518, 1);  // low band at full: 4096 -> 16383.5
    EXPECT_EQ(RunAudio(*effect, Frames({4096, 0}))[0], 16383);
}

// The values are read at the start, again right after frame 0 (10 ms on),
// and every 441 frames after that.
TEST(AudioEffect, ReadsVariablesAgainEveryTenMilliseconds) {
    auto effect = CreateAudioEffect(142);
    Variable& volume = *effect->Table().ById(123);
    volume.SetValueAt(0, 0);
    volume.SetValueAt(9, 0);
    volume.SetValueAt(10, 1);  // a step: 0 until 9 ms, 1 from 10 ms
    volume.SetValueAt(19, 1);
    volume.SetValueAt(20, 0);
    effect->SetTime(0);
    std::vector<std::int16_t> in(2 * 900, 1000);
    const auto out = RunAudio(*effect, in);
    EXPECT_EQ(out[0], 0);          // frame 0 at 0 ms
    EXPECT_EQ(out[2 * 1], 1000);   // frames 1 .. 441 at 10 ms
    EXPECT_EQ(out[2 * 441], 1000);
    EXPECT_EQ(out[2 * 442], 0);    // from frame 442 at 20 ms
    EXPECT_EQ(out[2 * 899 + 1], 0);
}

TEST(AudioEffect, RefusesMissingBuffersAndIgnoresATrailingPartialFrame) {
    auto effect = CreateAudioEffect(142);
    std::int16_t samples[3] = {1, 2, 3};
    EXPECT_EQ(effect->Process(nullptr, samples, 4), 0);
    EXPECT_EQ(effect->Process(samples, samples, -4), 0);
    EXPECT_EQ(effect->Process(samples, samples, 6), 1);
    EXPECT_EQ(samples[2], 3);
}

class PluginEffects : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tables_.Load(EFFECTS_TEST_PLUGINS "effects_test_video.so"));
        ASSERT_TRUE(tables_.Load(EFFECTS_TEST_PLUGINS "effects_test_audio.so"));
    }
    PluginTables tables_;
};

TEST_F(PluginEffects, DeclareTheParametersAfterTheCommonGroupsAndWriteValuesBeforeEveryProcess) {
    auto effect = CreatePluginVideoEffect(tables_, 0);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetId(), 122);
    const VariableTable& table = effect->Table();
    ASSERT_GE(table.Count(), 2);
    EXPECT_EQ(table.At(table.Count() - 1).Identifier(), "IDS_TEST_GAIN");
    EXPECT_LT(table.FindByName("IDS_EFFECT_TOGGLE"), table.FindByName("IDS_TEST_GROUP"));

    Surface picture = test::Filled(4, 4, 0);
    EXPECT_EQ(test::Apply(*effect, picture, {1, 1, 3, 3}).At(1, 1), 2000u);  // the default
    test::Set(*effect, 901, 3.5);
    EXPECT_EQ(test::Apply(*effect, picture, {1, 1, 3, 3}).At(1, 1), 3500u);
}

TEST_F(PluginEffects, ARecordFindsItsPluginAgainByLibraryName) {
    auto effect = CreatePluginVideoEffect(tables_, 0);
    effect->Table().ById(901)->SetValueAt(0, 1.25);
    MemoryOutStream out;
    ASSERT_EQ(effect->Save(out), 1);

    auto loaded = CreateVideoEffect(122, EffectContext{&tables_});
    MemoryInStream in(out.bytes);
    ASSERT_EQ(loaded->Load(in), 1);
    EXPECT_DOUBLE_EQ(loaded->ValueByIdAt(0, 901), 1.25);
    EXPECT_EQ(test::Apply(*loaded, test::Filled(2, 2, 0)).At(0, 0), 1250u);

    // Without the plugin tables the effect loads but has nothing to run.
    auto orphan = CreateVideoEffect(122);
    MemoryInStream again(out.bytes);
    EXPECT_EQ(orphan->Load(again), 1);
    Surface a = test::Filled(2, 2, 7), b = a;
    EXPECT_EQ(orphan->Process(a, b, a.Bounds()), 0);
    EXPECT_EQ(b.At(0, 0), 7u);
}

TEST_F(PluginEffects, AudioPluginsScaleByTheirParameter) {
    auto effect = CreatePluginAudioEffect(tables_, 0);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(RunAudio(*effect, Frames({100, -7}))[0], 200);
    EXPECT_EQ(CreatePluginAudioEffect(tables_, 1), nullptr);
    EXPECT_EQ(CreatePluginVideoEffect(tables_, -1), nullptr);
}

}  // namespace
}  // namespace vantrel
