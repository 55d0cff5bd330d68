#include <gtest/gtest.h>

#include <algorithm>

#include "effects/Effect.h"
#include "platform/TextRenderer.h"
#include "compose/ClipState.h"
#include "compose/Composition.h"
#include "tests/compose/Fixtures.h"

namespace vantrel {
namespace {

using testing::MakeRoot;
using testing::Place;
using testing::SetValue;
using testing::TempFolder;
using testing::WriteBitmap;

constexpr Pixel kRed = MakePixel(0, 0, 255, 0);
constexpr Pixel kBlue = MakePixel(255, 0, 0, 0);
constexpr Pixel kGreen = MakePixel(0, 255, 0, 0);

// The colour bytes of a finished pixel.
Pixel Rgb(Pixel p) { return p & 0x00FFFFFFu; }

class Composition : public ::testing::Test {
protected:
    void SetUp() override { MakeRoot(root); }
    Clip* Still(const char* name, Pixel left, Pixel right, int track) {
        Clip* clip = root.ImportMedia(WriteBitmap(folder, name, 64, 48, left, right));
        EXPECT_NE(clip, nullptr);
        if (clip) Place(*clip, track, 0, 5000);
        return clip;
    }
    Surface& Frame() {
        root.SetTime(1000);
        EXPECT_TRUE(Compose(root, kComposeMake));
        return *FinishedFrame(root);
    }
    TempFolder folder;
    Clip root;
};

TEST_F(Composition, AnEmptyArrangementComposesToAClearedPicture) {
    Surface& frame = Frame();
    EXPECT_EQ(frame.Width(), 320);
    EXPECT_EQ(frame.Height(), 240);
    for (int y = 0; y < frame.Height(); y += 7)
        for (int x = 0; x < frame.Width(); x += 7) ASSERT_EQ(Rgb(frame.At(x, y)), 0u);
    // The root makes every pixel opaque before its master effects.
    EXPECT_EQ(PixelAlpha(frame.At(5, 5)), 255);
}

TEST_F(Composition, TrackZeroLiesOnTopWhateverTheChildOrder) {
    Still("zero.bmp", kRed, kRed, 0);
    Still("one.bmp", kBlue, kBlue, 1);
    EXPECT_EQ(Rgb(Frame().At(100, 100)), Rgb(MakePixel(0, 0, 254, 0)));
    root.ChildAt(0)->SetTrack(1);
    root.ChildAt(1)->SetTrack(0);
    EXPECT_EQ(Rgb(Frame().At(100, 100)), Rgb(MakePixel(254, 0, 0, 0)));
}

TEST_F(Composition, InactiveAndVideoMutedChildrenDrawNothing) {
    Clip* clip = Still("a.bmp", kRed, kRed, 0);
    clip->SetMuteVideo(true);
    EXPECT_EQ(Rgb(Frame().At(10, 10)), 0u);
    clip->SetMuteVideo(false);
    Place(*clip, 0, 2000, 500);  // the frame is at 1000
    EXPECT_EQ(Rgb(Frame().At(10, 10)), 0u);
}

TEST_F(Composition, DestinationRectangleOutOnTheLeftLosesTheLeftOfTheSource) {
    // Left half red, right half blue; the destination hangs out by half its
    // width, so only the blue half remains, on the left half of the frame.
    Clip* clip = Still("halves.bmp", kRed, kBlue, 0);
    SetValue(*clip, 49, -0.5);
    SetValue(*clip, 51, 0.5);
    Surface& frame = Frame();
    EXPECT_EQ(Rgb(frame.At(5, 120)), Rgb(MakePixel(254, 0, 0, 0)));
    EXPECT_EQ(Rgb(frame.At(155, 120)), Rgb(MakePixel(254, 0, 0, 0)));
    EXPECT_EQ(Rgb(frame.At(165, 120)), 0u);
}

TEST_F(Composition, PreEffectOpacityIsAppliedToACopySoRecomposingIsStable) {
    Clip* clip = Still("half.bmp", kGreen, kGreen, 0);
    const int alpha = PixelAlpha(clip->Source()->Picture().At(0, 0));
    SetValue(*clip, 554, -0.25);  // d = -64
    const int blended = std::clamp(alpha - 64, 0, 255);
    const Pixel first = Frame().At(50, 50);
    EXPECT_EQ(PixelGreen(first), (255 * blended) >> 8);
    EXPECT_EQ(Frame().At(50, 50), first);
    EXPECT_EQ(PixelAlpha(clip->Source()->Picture().At(0, 0)), alpha);
}

TEST_F(Composition, ASubArrangementIsComposedOnItsOwnSurfaces) {
    Clip* sub = root.NewChildClip(kSubArrangementType);
    ASSERT_NE(sub, nullptr);
    Place(*sub, 0, 0, 5000);
    Clip* inner = sub->ImportMedia(WriteBitmap(folder, "inner.bmp", 32, 32, kBlue, kBlue));
    ASSERT_NE(inner, nullptr);
    Place(*inner, 0, 0, 5000);
    // Inner clip on the right half of the sub arrangement's frame.
    SetValue(*inner, 49, 0.5);
    Surface& frame = Frame();
    EXPECT_EQ(Rgb(frame.At(10, 10)), 0u);
    // Blue 254 in the sub frame with alpha 254, blended again: (254*254)>>8.
    EXPECT_EQ(PixelBlue(frame.At(300, 10)), (254 * 254) >> 8);
    ASSERT_NE(FinishedFrame(*sub), nullptr);
    EXPECT_EQ(PixelBlue(FinishedFrame(*sub)->At(300, 10)), 254);
}

// What composition keeps for a clip travels with the clip: a sub
// arrangement moved into another root composes from its own surfaces there,
// and forgetting a tree leaves nothing behind on any of its clips.
TEST_F(Composition, CompositionStateLivesAndDiesWithItsClip) {
    Clip* sub = root.NewChildClip(kSubArrangementType);
    ASSERT_NE(sub, nullptr);
    Place(*sub, 0, 0, 5000);
    Clip* inner = sub->ImportMedia(WriteBitmap(folder, "inner.bmp", 32, 32, kBlue, kBlue));
    ASSERT_NE(inner, nullptr);
    Place(*inner, 0, 0, 5000);
    Frame();
    ASSERT_NE(ArrangementStateOf(*sub), nullptr);
    std::unique_ptr<Clip> moved = root.RemoveChild(sub);
    Clip other;
    MakeRoot(other);
    Clip* placed = other.AddChild(std::move(moved));
    ASSERT_NE(placed, nullptr);
    other.SetTime(1000);
    ASSERT_TRUE(Compose(other, kComposeMake));
    EXPECT_EQ(PixelBlue(FinishedFrame(other)->At(10, 10)), (254 * 254) >> 8);
    ForgetStates(other);
    EXPECT_EQ(other.Composition(), nullptr);
    EXPECT_EQ(placed->Composition(), nullptr);
    EXPECT_EQ(placed->ChildAt(0)->Composition(), nullptr);
}

TEST_F(Composition, AGradientClipIsRenderedAtTheFrameSize) {
    Clip* gradient = root.NewChildClip(kGradientType);
    ASSERT_NE(gradient, nullptr);
    Place(*gradient, 0, 0, 5000);
    Surface& frame = Frame();
    // The default corners differ, so the two top corners differ.
    EXPECT_NE(Rgb(frame.At(0, 0)), Rgb(frame.At(319, 0)));
}

TEST_F(Composition, EffectEnableBelowOneHalfSkipsTheEffect) {
    Clip* clip = Still("mirror.bmp", kRed, kBlue, 0);
    VariableOwner* effect = clip->AddEffect(EffectKind::kVideo, 300);  // "Left Side Right"
    ASSERT_NE(effect, nullptr);
    const struct {
        double enable, toggle;
        bool mirrored;
    } cases[] = {{1, 1, true}, {0.5, 0.5, true}, {0.49, 1, false}, {1, 0.49, false}};
    for (const auto& c : cases) {
        SetValue(*effect, 519, c.enable);
        SetValue(*effect, 520, c.toggle);
        Surface& frame = Frame();
        const Pixel left = Rgb(frame.At(5, 120));
        EXPECT_EQ(left, c.mirrored ? Rgb(MakePixel(254, 0, 0, 0)) : Rgb(MakePixel(0, 0, 254, 0)))
            << c.enable << " " << c.toggle;
    }
}

TEST_F(Composition, ExtraOutputBlendsByItsOwnDestinationInsteadOfTheClips) {
    Clip* clip = Still("extra.bmp", kRed, kBlue, 0);
    VariableOwner* extra = clip->AddEffect(EffectKind::kVideo, 182);  // "Extra Output"
    ASSERT_NE(extra, nullptr);
    // Its own destination: the right half of the frame.
    SetValue(*extra, 49, 0.5);
    Surface& frame = Frame();
    EXPECT_EQ(Rgb(frame.At(10, 120)), 0u);  // the clip's own blend is skipped
    EXPECT_NE(Rgb(frame.At(200, 120)), 0u);
    EXPECT_NE(Rgb(frame.At(300, 120)), 0u);
}

// Records the marks drawn on the detail view.
class MarkRecorder final : public TextRenderer {
public:
    struct Mark {
        Rect rect;
        std::string text;
        Colour colour;
    };
    bool DrawLine(Surface&, const Rect& rect, const std::string& text, const TextFont&, Colour colour) override {
        marks.push_back({rect, text, colour});
        return true;
    }
    TextSize Extent(const std::string&, const TextFont&) override { return {}; }
    std::vector<Mark> marks;
};

TEST_F(Composition, TheDetailViewMarksADisabledOrToggledOffCurrentEffect) {
    MarkRecorder recorder;
    TextRenderer* previous = SetTextRenderer(&recorder);
    Clip* clip = Still("marks.bmp", kRed, kBlue, 0);
    VariableOwner* first = clip->AddEffect(EffectKind::kVideo, 300);
    VariableOwner* last = clip->AddEffect(EffectKind::kVideo, 301);
    ASSERT_TRUE(first && last);
    root.SetCurrentChild(clip);
    SetValue(*first, 519, 0);  // disabled, but not the one shown
    SetValue(*last, 520, 0);   // toggled off: no current effect, so the last is shown
    root.SetTime(1000);
    ASSERT_TRUE(Compose(root, kComposePreview));
    ASSERT_EQ(recorder.marks.size(), 1u);
    EXPECT_EQ(recorder.marks[0].text, "Effect Toggle Off");
    EXPECT_EQ(recorder.marks[0].colour, Colour(0x00FF00));
    // The lower half of the fitted 64 x 48 working picture.
    EXPECT_EQ(recorder.marks[0].rect, (Rect{0, 24, 64, 48}));
    SetValue(*last, 520, 1);
    SetValue(*last, 519, 0.2);
    recorder.marks.clear();
    ASSERT_TRUE(Compose(root, kComposePreview));
    ASSERT_EQ(recorder.marks.size(), 1u);
    EXPECT_EQ(recorder.marks[0].text, "Effect Disabled");
    EXPECT_EQ(recorder.marks[0].colour, Colour(0x0000FF));
    EXPECT_EQ(recorder.marks[0].rect, (Rect{0, 0, 64, 24}));
    SetTextRenderer(previous);
}

TEST_F(Composition, TheDetailViewShowsTheCurrentChildOverTheCheckerboard) {
    Clip* clip = Still("detail.bmp", kRed, kRed, 0);
    SetValue(*clip, 554, -1);  // fully transparent: only the board shows
    root.SetCurrentChild(clip);
    root.SetTime(1000);
    ASSERT_TRUE(Compose(root, kComposePreview));
    Surface* detail = DetailView(root);
    ASSERT_NE(detail, nullptr);
    // Beside the fitted 64 x 48 picture the board is untouched.
    EXPECT_EQ(detail->At(80, 0), 0x00FFFFFFu);
    EXPECT_EQ(detail->At(96, 0), 0u);
    // Under a transparent picture: (255 * 255) >> 8.
    EXPECT_EQ(PixelRed(detail->At(16, 0)), 254);
    // A make leaves the detail view alone.
    detail->Clear();
    ASSERT_TRUE(Compose(root, kComposeMake));
    EXPECT_EQ(detail->At(80, 0), 0u);
}

}  // namespace
}  // namespace vantrel
