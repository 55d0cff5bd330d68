#include <cmath>
#include <limits>
#include <memory>

#include "EffectTestSupport.h"
#include "effects/generators/Generators.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTextRenderer.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

class Clip final : public VariableOwner {
public:
    explicit Clip(ClipKind kind) { DeclareAll(Table(), ClipDeclarations(kind)); }
};

TEST(Gradient, EqualCornersGiveAUniformPicture) {
    Clip clip(ClipKind::kGradient);
    for (int id : {656, 671, 661, 666}) clip.SetValueNow(id, 0.2);          // red of each corner
    for (int id : {659, 674, 664, 669}) clip.SetValueNow(id, 0.6);          // alpha
    for (int id : {657, 658, 672, 673, 662, 663, 667, 668}) clip.SetValueNow(id, 1);
    GradientGenerator gradient(clip);
    Surface picture(13, 7);
    ASSERT_TRUE(gradient.Render(picture, 0));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(picture.At(x, y), test::Rgba(51, 255, 255, 153)) << x << "," << y;
}

TEST(Gradient, DefaultsBlendWhiteRedGreenBlueWithIntegerDivisions) {
    Clip clip(ClipKind::kGradient);
    GradientGenerator gradient(clip);
    const Surface* picture = gradient.Picture(4, 4);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->At(0, 0), test::Rgba(255, 255, 255));
    // Row 3: left = (white + 3 red) / 4 = (255, 63, 63); right = (green + 3 blue) / 4 = (0, 63, 191).
    // Pixel 3 = (left + 3 right) / 4.
    const int r = (255 + 0 * 3) / 4, g = (63 + 63 * 3) / 4, b = (63 + 191 * 3) / 4;
    EXPECT_EQ(picture->At(3, 3), test::Rgba(r, g, b, 255));
    EXPECT_EQ(gradient.Information(0), "Clip Type: Gradient\n");
}

TEST(TextFont, WeightSizeAndSwitchesFollowTheVariables) {
    struct Case {
        double weight;
        int expected;
    } weights[] = {{0.5, 499}, {0, 1}, {1, 999}, {0.001, 1}, {0.9999, 998}};
    for (const Case& c : weights) EXPECT_EQ(FontWeightFrom(c.weight), c.expected) << c.weight;
    EXPECT_EQ(FontWeightFrom(std::numeric_limits<double>::quiet_NaN()), 1);

    Clip clip(ClipKind::kTextString);
    TextGenerator text(clip);
    TextFont font = text.FontAt(0);
    EXPECT_EQ(font.heightPx, 43);  // 32 points at 96 per inch, rounded
    EXPECT_EQ(font.weight, 499);
    EXPECT_FALSE(font.italic);
    EXPECT_EQ(font.typeface, "System");
    clip.SetValueNow(388, 0.5);
    clip.SetValueNow(389, 0.49);
    clip.SetValueNow(280, 5.9);
    font = text.FontAt(0);
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.underline);
    EXPECT_EQ(font.heightPx, 7);  // trunc(5.9) = 5 -> 6.67
}

TEST(TextPicture, EmptyTextIsTransparentUnlessBackgroundEqualsForeground) {
    Clip clip(ClipKind::kTextString);
    TextGenerator text(clip);
    text.SetText("");
    Surface picture(8, 5);
    ASSERT_TRUE(text.Render(picture, 0));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelAlpha(picture.At(x, y)), 0);
    for (int id : {395, 396, 397}) clip.SetValueNow(id, 1);  // white like the foreground
    ASSERT_TRUE(text.Render(picture, 0));
    EXPECT_EQ(picture.At(3, 3), test::Rgba(255, 255, 255, 255));
}

TEST(TextPicture, InformationListsTypefaceSizeWeightAndSwitchesAboveNineTenths) {
    Clip clip(ClipKind::kTextString);
    TextGenerator text(clip);
    EXPECT_EQ(text.Text(), "Text String");
    text.SetTypeface("Serif");
    EXPECT_EQ(text.Information(0),
              "Clip Type: Text String\nTypeface: \"Serif\"\n\t- Size 32 (at current)\n\t- Weight 499 (at current)\n");
    clip.SetValueNow(389, 1);
    clip.SetValueNow(388, 0.9);
    EXPECT_EQ(text.Information(0).substr(text.Information(0).rfind("\t-")), "\t- Underlined (at current)\n");
}

class DrawnText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "effects_tests";
        static char* argv[] = {name, nullptr};
        static QtPlatform platform(argc, argv, QtPlatform::Mode::Batch);
        InstallQtTextRenderer();
    }
    static void TearDownTestSuite() { SetTextRenderer(nullptr); }
};

TEST_F(DrawnText, OnlyExactForegroundPixelsShowAndTheLineIsCentred) {
    Clip clip(ClipKind::kTextString);
    clip.SetValueNow(400, 0);  // foreground red
    clip.SetValueNow(401, 0);
    clip.SetValueNow(280, 20);
    TextGenerator text(clip);
    text.SetText("HH");
    Surface picture(120, 60);
    ASSERT_TRUE(text.Render(picture, 0));
    int shown = 0, minX = 999, maxX = -1, minY = 999, maxY = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            const Pixel p = picture.At(x, y);
            if (PixelAlpha(p) == 0) continue;
            ASSERT_EQ(p, test::Rgba(255, 0, 0, 255)) << x << "," << y;
            ++shown;
            minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    ASSERT_GT(shown, 20);
    EXPECT_NEAR((minX + maxX) / 2.0, 60, 4);
    EXPECT_NEAR((minY + maxY) / 2.0, 30, 6);
    // A heavier weight covers more pixels.
    clip.SetValueNow(281, 1);
    ASSERT_TRUE(text.Render(picture, 0));
    int bold = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) bold += PixelAlpha(picture.At(x, y)) != 0;
    EXPECT_GT(bold, shown);
}

}  // namespace
}  // namespace vantrel
