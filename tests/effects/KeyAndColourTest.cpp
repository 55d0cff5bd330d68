#include <algorithm>
#include <cstdlib>
#include <vector>

#include "EffectTestSupport.h"
#include "effects/Pixels.h"

namespace vantrel {
namespace {

using test::Apply;
using test::Filled;
using test::Rgba;
using test::Set;

struct Setting {
    int id;
    double value;
};
struct KeyCase {
    const char* what;
    int type;
    std::vector<Setting> settings;
    Pixel pixel;
    int alphaAfter;
};

class KeyCases : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCases, KeysOutExactlyThePixelsInItsWindow) {
    const KeyCase& c = GetParam();
    auto effect = test::Video(c.type);
    for (const Setting& s : c.settings) Set(*effect, s.id, s.value);
    const Surface out = Apply(*effect, Filled(2, 2, c.pixel));
    EXPECT_EQ(PixelAlpha(out.At(1, 1)), c.alphaAfter) << c.what;
    EXPECT_EQ(out.At(1, 1) & 0xFFFFFF, c.pixel & 0xFFFFFF) << "keys change alpha only";
}

const std::vector<Setting> kRedKey = {{38, 1}, {39, 0}, {40, 0}, {42, 0.1}, {43, 0.1}, {44, 0.1}};
const std::vector<Setting> kAnyBrightness = {{286, 0}, {287, 1}};

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCases,
    ::testing::Values(
        KeyCase{"rgb key inside all windows", 28, kRedKey, Rgba(255, 20, 25), 0},
        KeyCase{"green 26 lies outside 25", 28, kRedKey, Rgba(255, 26, 0), 255},
        KeyCase{"inverted keeps the key colour", 130, kRedKey, Rgba(255, 20, 25), 255},
        KeyCase{"inverted removes the rest", 130, kRedKey, Rgba(255, 26, 0), 0},
        KeyCase{"transparent pixel untouched", 130, kRedKey, Rgba(0, 200, 0, 0), 0},
        KeyCase{"chroma key of its own colour", 29, {{38, 0}, {39, 1}, {40, 0}}, Rgba(0, 255, 0), 0},
        KeyCase{"chroma key far colour", 29, {{38, 0}, {39, 1}, {40, 0}}, Rgba(255, 0, 255), 255},
        KeyCase{"chroma inverted far colour", 131, {{38, 0}, {39, 1}, {40, 0}}, Rgba(255, 0, 255), 0},
        KeyCase{"green key takes grey (ties match)", 30, kAnyBrightness, Rgba(128, 128, 128), 0},
        KeyCase{"green key leaves red", 30, kAnyBrightness, Rgba(200, 100, 100), 255},
        KeyCase{"green inverted removes red", 288, kAnyBrightness, Rgba(200, 100, 100), 0},
        KeyCase{"red key takes red", 546, kAnyBrightness, Rgba(200, 100, 100), 0},
        KeyCase{"blue key leaves red", 548, kAnyBrightness, Rgba(200, 100, 100), 255},
        KeyCase{"blue inverted removes red", 549, kAnyBrightness, Rgba(200, 100, 100), 0},
        KeyCase{"green key outside brightness window", 30, {{286, 0.9}, {287, 1}}, Rgba(0, 100, 0), 255},
        KeyCase{"brightness window either order", 31, {{286, 0.5}, {287, 0.2}}, Rgba(80, 80, 80), 0},
        KeyCase{"brightness key outside", 31, {{286, 0.5}, {287, 0.2}}, Rgba(200, 200, 200), 255},
        KeyCase{"brightness inverted outside", 289, {{286, 0.5}, {287, 0.2}}, Rgba(200, 200, 200), 0}));

TEST(ChromaKey, ConvertsWithTruncatingIntegerDivisions) {
    // 17*255/64 = 67, 255/2 = 127, 3*255/32 = 23: Y = 233; the exact
    // fractions would round to 235.
    const YCC white = ToYCC(255, 255, 255);
    EXPECT_EQ(white.y, 233);
    EXPECT_EQ(white.cb, -5 * 255 / 32 - 9 * 255 / 32 + 7 * 255 / 16 + 128);
    const YCC black = ToYCC(0, 0, 0);
    EXPECT_EQ(black.y, 16);
    EXPECT_EQ(black.cb, 128);
    EXPECT_EQ(black.cr, 128);
}

TEST(Conversions, TruncateAndLimit) {
    struct Case {
        double v;
        int byte, offset;
    } cases[] = {{0.1, 25, 25}, {-0.5, 0, -127}, {1.5, 255, 255}, {-2, 0, -255}, {0.999, 254, 254}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToByte(c.v), c.byte) << c.v;
        EXPECT_EQ(ToOffset(c.v), c.offset) << c.v;
    }
    EXPECT_EQ(Luma(Rgba(10, 20, 31)), (10 + 40 + 31) >> 2);
}

TEST(Opacity, AddsItsOffsetToEveryAlpha) {
    struct Case {
        double opacity;
        int before, after;
    } cases[] = {{-1, 200, 0}, {1, 0, 255}, {0, 77, 77}, {0.5, 100, 227}, {-0.1, 10, 0}};
    for (const Case& c : cases) {
        auto effect = test::Video(103);
        Set(*effect, 104, c.opacity);
        EXPECT_EQ(PixelAlpha(Apply(*effect, Filled(3, 3, Rgba(1, 2, 3, c.before))).At(2, 2)), c.after) << c.opacity;
    }
}

TEST(Adjuster, SaturationOneKeepsColoursAndZeroTurnsGrey) {
    auto effect = test::Video(106);
    const Pixel colour = Rgba(200, 100, 40, 90);
    EXPECT_EQ(Apply(*effect, Filled(2, 2, colour)).At(0, 0), colour);
    Set(*effect, 240, 0);
    const int g = Luma(colour), grey = (g * 255) >> 8;
    EXPECT_EQ(Apply(*effect, Filled(2, 2, colour)).At(0, 0), Rgba(grey, grey, grey, 90));
}

TEST(Adjuster, OffsetsClampBeforeTheGreyStepAndMoveAlpha) {
    auto effect = test::Video(106);
    Set(*effect, 107, 0.5);   // +127
    Set(*effect, 108, -1);    // -255
    Set(*effect, 110, -0.2);  // alpha -51
    EXPECT_EQ(Apply(*effect, Filled(1, 1, Rgba(200, 30, 9, 50))).At(0, 0), Rgba(255, 0, 9, 0));
}

TEST(MaskedAdjuster, AdjustsWhatTheKeyLeavesAndKeepsDestinationAlpha) {
    // "RGB Key Color": the key colour is removed from the mask, so it stays
    // unadjusted; everything else turns grey.
    auto effect = test::Video(252);
    for (const Setting& s : kRedKey) Set(*effect, s.id, s.value);
    Set(*effect, 240, 0);
    Surface picture(3, 1);
    picture.At(0, 0) = Rgba(255, 20, 25, 255);  // key colour
    picture.At(1, 0) = Rgba(0, 0, 200, 180);    // adjusted
    picture.At(2, 0) = Rgba(0, 0, 200, 0);      // transparent: never changed
    const Surface out = Apply(*effect, picture);
    EXPECT_EQ(out.At(0, 0), picture.At(0, 0));
    const int grey = (Luma(picture.At(1, 0)) * 255) >> 8;  // 50 -> 49
    const int m = 180;
    auto mix = [&](int adjusted, int old) { return (adjusted * m + old * (255 - m)) >> 8; };
    EXPECT_EQ(out.At(1, 0), Rgba(mix(grey, 0), mix(grey, 0), mix(grey, 200), 180));
    EXPECT_EQ(out.At(2, 0), picture.At(2, 0));
}

TEST(MaskedAdjuster, ExcludedVariantsAdjustTheComplement) {
    struct Case {
        int type;
        bool keyColourAdjusted;
    } cases[] = {{252, false}, {253, true}, {254, false}, {255, true}};
    for (const Case& c : cases) {
        auto effect = test::Video(c.type);
        Set(*effect, 38, 1);
        Set(*effect, 39, 0);
        Set(*effect, 40, 0);
        Set(*effect, 107, -1);
        const Surface out = Apply(*effect, Filled(1, 1, Rgba(255, 0, 0)));
        EXPECT_EQ(PixelRed(out.At(0, 0)) != 255, c.keyColourAdjusted) << c.type;
    }
}

TEST(ShapeMask, CircleWithBothRadiiOneHasNoSoftBand) {
    auto effect = test::Video(181);
    Set(*effect, 187, 1);
    Set(*effect, 188, 1);
    const Surface out = Apply(*effect, Filled(100, 100, Rgba(9, 9, 9, 200)));
    EXPECT_EQ(PixelAlpha(out.At(0, 0)), 0);     // d = 5000 >= 4608
    EXPECT_EQ(PixelAlpha(out.At(10, 10)), 200);  // d = 3200
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const int a = PixelAlpha(out.At(x, y));
            const int d = (x - 50) * (x - 50) + (y - 50) * (y - 50);
            ASSERT_EQ(a, d >= 4608 ? 0 : 200) << x << "," << y;
        }
}

TEST(ShapeMask, SoftBandsFallLinearlyAndInsideVariantsKeepTheOutside) {
    struct Case {
        int type;
        Point at;
        int alpha;
    } cases[] = {
        // 100 x 100, defaults 0.5 and 0.25: outer 2304, inner 1152, band 1152.
        {181, {50, 50}, 255},
        {181, {50 + 40, 50}, (2304 - 1600) * 255 / 1152},
        {181, {50 + 48, 50}, 0},
        {241, {50, 50}, 0},
        {241, {50 + 40, 50}, (1600 - 1152) * 255 / 1152},
        {241, {50 + 48, 50}, 255},
        // Rectangle sizes 1 and 0.5: outer 50, inner 25 on |x - cx|.
        {247, {50 + 30, 50}, (50 - 30) * 255 / 25},
        {247, {50 + 10, 50}, 255},
        {248, {50 + 10, 50}, 0},
        {248, {0, 0}, 255},
        // Oval keeps inside like the circle, radius from the width.
        {244, {50, 50}, 255},
        {243, {50, 50}, 0},
    };
    for (const Case& c : cases) {
        auto effect = test::Video(c.type);
        const Surface out = Apply(*effect, Filled(100, 100, Rgba(1, 1, 1)));
        EXPECT_EQ(PixelAlpha(out.At(c.at.x, c.at.y)), c.alpha) << c.type << " at " << c.at.x << "," << c.at.y;
    }
}

// On a wide rectangle away from the origin the vertical distance is scaled
// by W / H, so the oval and the rectangle mask follow the rectangle's shape.
TEST(ShapeMask, WideRectanglesScaleTheVerticalDistance) {
    const Rect r{3, 2, 43, 22};  // 40 x 20, centre (23, 12)
    const Surface picture = Filled(48, 26, Rgba(1, 2, 3, 240));
    for (const int type : {244, 247}) {
        auto effect = test::Video(type);
        const bool oval = type == 244;
        Set(*effect, oval ? 187 : 249, 0.9);
        Set(*effect, oval ? 188 : 250, 0.5);
        const Surface out = Apply(*effect, picture, r);
        const long big = 2L * 18 * 18;  // r = 40 / 2 - 2
        const long outer = oval ? long(big * 0.9) : long(20 * 0.9), inner = oval ? long(big * 0.5) : long(20 * 0.5);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const long dx = std::abs(x - 23), dy = std::abs((y - 12) * 40 / 20);
                const long d = oval ? dx * dx + dy * dy : std::max(dx, dy);
                const long alpha = d >= outer ? 0 : d > inner ? std::min(240L, (outer - d) * 255 / (outer - inner)) : 240;
                ASSERT_EQ(PixelAlpha(out.At(x, y)), alpha) << type << " at " << x << "," << y;
            }
    }
}

TEST(Mapper, DefaultsScaleBy255Over256AndEndsMapLinearly) {
    auto mapper = test::Video(111);
    const Surface out = Apply(*mapper, Filled(1, 1, Rgba(255, 128, 0, 255)));
    EXPECT_EQ(out.At(0, 0), Rgba(254, 127, 0, 254));
    Set(*mapper, 112, 1);  // red 0 -> 255 ... 1 -> 255: flat
    Set(*mapper, 118, 1);  // opacity 1 ... 0: inverted
    Set(*mapper, 119, 0);
    const Surface flat = Apply(*mapper, Filled(1, 1, Rgba(10, 10, 10, 0)));
    EXPECT_EQ(PixelRed(flat.At(0, 0)), 255);
    EXPECT_EQ(PixelAlpha(flat.At(0, 0)), 255);
    EXPECT_EQ(PixelAlpha(Apply(*mapper, Filled(1, 1, Rgba(0, 0, 0, 255))).At(0, 0)), (0 - 255) * 255 / 256 + 255);
}

TEST(ExtraOutput, MapsTheDestinationAndAnswersItsOwnRectangle) {
    auto extra = test::Video(kExtraOutputType);
    Set(*extra, 49, 0.25);
    Set(*extra, 52, 0.5);
    const FractionRect r = ExtraOutputDestination(*extra);
    EXPECT_DOUBLE_EQ(r.left, 0.25);
    EXPECT_DOUBLE_EQ(r.top, 0);
    EXPECT_DOUBLE_EQ(r.right, 1);
    EXPECT_DOUBLE_EQ(r.bottom, 0.5);
    Surface source = Filled(1, 1, Rgba(255, 255, 255)), destination = source;
    extra->Process(source, destination, source.Bounds());
    EXPECT_EQ(destination.At(0, 0), Rgba(254, 254, 254, 254));
    EXPECT_EQ(source.At(0, 0), Rgba(255, 255, 255));
}

}  // namespace
}  // namespace vantrel
