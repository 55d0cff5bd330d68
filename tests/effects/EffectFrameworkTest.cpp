#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "EffectTestSupport.h"
#include "values/Stream.h"
#include "platform/DrawContext.h"
#include "model/variables/Catalogue.h"
#include "tests/support/RecordingDrawContext.h"

namespace vantrel {
namespace {

using test::Random;
using test::Apply;

class EveryVideoEffect : public ::testing::TestWithParam<int> {};

TEST_P(EveryVideoEffect, BuildsAnEffectWhoseIdIsItsTypeWithItsDeclarations) {
    auto effect = CreateVideoEffect(GetParam());
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetId(), GetParam());
    EXPECT_FALSE(EffectName(Effect::Kind::kVideo, GetParam()).empty());
    // Every video effect has the effect rectangle and the switches.
    EXPECT_NE(effect->Table().ByName("IDS_EFF_R"), nullptr);
    EXPECT_NE(effect->Table().ByName("IDS_EFFECT_TOGGLE"), nullptr);
    std::string answer = "x";
    EXPECT_FALSE(effect->RunCommand("GetID", answer));
    EXPECT_TRUE(answer.empty());
}

// The Rotator alone starts from a cleared surface: outside its rectangle
// everything is transparent black instead of the picture.
TEST_P(EveryVideoEffect, LeavesEveryPixelOutsideItsRectangleAlone) {
    auto effect = CreateVideoEffect(GetParam());
    ASSERT_NE(effect, nullptr);
    const bool clearsTheSurface = GetParam() == 266;
    const Surface picture = Random(37, 29, 7u + unsigned(GetParam()));
    for (const Rect rect : {Rect{5, 4, 30, 21}, Rect{0, 0, 12, 29}, Rect{20, 10, 37, 11}}) {
        const Surface out = Apply(*effect, picture, rect);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                if (!rect.Contains(x, y)) {
                    ASSERT_EQ(out.At(x, y), clearsTheSurface ? Pixel(0) : picture.At(x, y)) << x << "," << y;
                }
            }
    }
}

// Values far outside their ranges, infinities, and rectangles reaching past
// the surfaces must neither crash nor touch memory outside the surfaces
// (run under the sanitizers to see the latter).
TEST_P(EveryVideoEffect, SurvivesHostileValuesAndRectangles) {
    auto effect = CreateVideoEffect(GetParam());
    ASSERT_NE(effect, nullptr);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value : {1e300, -1e300, inf, -inf, 0.0, 1e-300, 4.5e9}) {
        VariableTable& table = effect->Table();
        for (int i = 0; i < table.Count(); ++i) table.At(i).SetValueAt(0, value);
        for (const Rect rect : {Rect{-5, -5, 50, 50}, Rect{3, 2, 4, 3}, Rect{8, 8, 2, 2}, Rect{-100, 0, -50, 9}}) {
            Surface source = Random(9, 7, 3), destination = source;
            effect->Process(source, destination, rect);
            Surface one = Random(1, 1, 4), same = one;
            effect->Process(one, one, rect);
            effect->Process(same, one, rect);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryVideoEffect, ::testing::ValuesIn(VideoEffectTypes()));

TEST(EffectRegistry, ListsEveryCatalogueTypeOfEachKindAndNothingElse) {
    EXPECT_EQ(VideoEffectTypes().size(), VideoEffectRows().size());
    EXPECT_EQ(AudioEffectTypes().size(), AudioEffectRows().size());
    for (const EffectRow& entry : VideoEffectRows()) EXPECT_NE(CreateVideoEffect(entry.type), nullptr) << entry.type;
    for (const EffectRow& entry : AudioEffectRows()) {
        auto effect = CreateAudioEffect(entry.type);
        ASSERT_NE(effect, nullptr) << entry.type;
        EXPECT_EQ(effect->GetId(), entry.type);
        EXPECT_EQ(effect->Table().ByName("IDS_EFF_L"), nullptr) << "audio effects have no rectangle";
    }
}

TEST(EffectRegistry, UnknownTypesAndTypesOfTheOtherKindMakeNothing) {
    for (int type : {0, -1, 27, 142 + 1000, 514 * 2}) EXPECT_EQ(CreateVideoEffect(type), nullptr) << type;
    EXPECT_EQ(CreateVideoEffect(142), nullptr);
    EXPECT_EQ(CreateAudioEffect(28), nullptr);
    EXPECT_EQ(CreateAudioEffect(1), nullptr);
    EXPECT_TRUE(EffectName(Effect::Kind::kAudio, 28).empty());
}

TEST(EffectPanel, OnlyKeyColourFamiliesAndTheBubbleHaveAPicker) {
    const int pickers[] = {28, 130, 29, 131, 252, 253, 254, 255, 419};
    for (int type : VideoEffectTypes()) {
        auto effect = CreateVideoEffect(type);
        const bool expected = std::find(std::begin(pickers), std::end(pickers), type) != std::end(pickers);
        EXPECT_EQ(effect->HasKeyColourPicker(), expected) << type;
        if (!expected) {
            EXPECT_EQ(effect->KeyColour(), kNoColour);
            EXPECT_EQ(effect->SetKeyColour(Rgb(1, 2, 3)), 0);
        }
    }
    auto key = CreateVideoEffect(29);
    EXPECT_NE(key->SetKeyColour(Rgb(255, 51, 0)), 0);
    EXPECT_EQ(key->KeyColour(), Rgb(255, 51, 0));
    EXPECT_DOUBLE_EQ(key->ValueById(39), 0.2);
}

TEST(EffectRecord, SavedKeysComeBackInAFreshEffectOfTheSameType) {
    auto effect = CreateVideoEffect(266);
    effect->Table().ById(267)->SetValueAt(0, 45);
    effect->Table().ById(267)->SetValueAt(1000, 90);
    MemoryOutStream out;
    ASSERT_EQ(effect->Save(out), 1);
    auto loaded = CreateVideoEffect(266);
    MemoryInStream in(out.bytes);
    ASSERT_EQ(loaded->Load(in), 1);
    EXPECT_DOUBLE_EQ(loaded->ValueByIdAt(500, 267), effect->ValueByIdAt(500, 267));
    EXPECT_DOUBLE_EQ(loaded->ValueByIdAt(1000, 267), 90);
    EXPECT_EQ(in.Position(), out.bytes.size());

    MemoryInStream truncated(out.bytes.data(), 3);
    EXPECT_EQ(CreateVideoEffect(266)->Load(truncated), 0);
}

TEST(EffectProcess, EmptySurfacesAreRefusedAndInPlaceCallsReadTheOldPicture) {
    auto blur = CreateVideoEffect(149);
    Surface empty, picture = Random(8, 8, 1);
    EXPECT_EQ(blur->Process(empty, picture, picture.Bounds()), 0);
    EXPECT_EQ(blur->Process(picture, empty, picture.Bounds()), 0);

    // One surface as source and destination gives what two copies give.
    auto mirror = CreateVideoEffect(266);
    test::Set(*mirror, 267, 90);
    const Surface expected = Apply(*mirror, picture);
    Surface same = picture;
    EXPECT_EQ(mirror->Process(same, same, same.Bounds()), 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(same.At(x, y), expected.At(x, y));
}

TEST(EffectScripts, NamesReachTheVariablesWhileTheEffectRefusesCommands) {
    auto rotator = CreateVideoEffect(266);
    Control* angle = rotator->Table().ByName("IDS_ANGLE");
    ASSERT_NE(angle, nullptr);
    struct Case {
        const char* name;
        Control* expected;
    } cases[] = {{"IDS_ANGLE", angle}, {"angle", angle}, {"267", angle}, {".", rotator.get()},
                 {"#267", nullptr}, {"", nullptr}, {"IDS_", nullptr}, {"nothing", nullptr}, {"0", nullptr}};
    for (const Case& c : cases) EXPECT_EQ(rotator->ResolveName(c.name), c.expected) << c.name;
    std::string answer;
    EXPECT_TRUE(angle->RunCommand("SetValue 45", answer));
    EXPECT_DOUBLE_EQ(rotator->ValueById(267), 45);
    EXPECT_FALSE(rotator->RunCommand("GetTime", answer));
}

TEST(RotatorOverlay, ThreeDiscsAtTheCentreOfTheRectangle) {
    auto rotator = CreateVideoEffect(266);
    rotator->SetValueNow(269, 0.25);
    testing::RecordingDrawContext dc;
    dc.recordPixels = true;
    rotator->DrawOverlay(dc, {100, 50, 140, 90});
    const Colour black = Rgb(0, 0, 0), white = Rgb(255, 255, 255);
    // Centre (110, 70): black core of radius 2, white ring to 4, black to 6.
    EXPECT_EQ(dc.pixels.at({110, 70}), black);
    EXPECT_EQ(dc.pixels.at({112, 70}), black);
    EXPECT_EQ(dc.pixels.at({113, 70}), white);
    EXPECT_EQ(dc.pixels.at({110, 74}), white);
    EXPECT_EQ(dc.pixels.at({116, 70}), black);
    EXPECT_EQ(dc.pixels.count({117, 70}), 0u);
    EXPECT_EQ(dc.pixels.count({115, 75}), 0u);  // outside radius 6
}

}  // namespace
}  // namespace vantrel
