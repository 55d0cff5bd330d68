#include <gtest/gtest.h>

#include "compose/Composition.h"
#include "tests/compose/Fixtures.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

// A video source that paints the frame number it was asked for and counts
// the decodes.
class CountingVideo final : public MediaSource {
public:
    CountingVideo() {
        AllocatePictureSurface(picture_, 16, 16);
        width_ = height_ = 16;
    }
    SourceKind Kind() const override { return SourceKind::Avi; }
    int LengthMs() const override { return 10000; }
    bool ReadFrame(int mediaTimeMs) override {
        ++decodes;
        lastTime = mediaTimeMs;
        picture_.Fill(picture_.Bounds(), MakePixel(mediaTimeMs / 100, 0, 0, 255));
        return true;
    }
    int decodes = 0;
    int lastTime = -1;
};

class VideoClip final : public Clip {
public:
    CountingVideo* Attach() {
        auto source = std::make_unique<CountingVideo>();
        CountingVideo* raw = source.get();
        media_ = std::move(source);
        DeclareAll(table_, ClipDeclarations(ClipKind::kMediaWithVideo));
        return raw;
    }
};

TEST(FrameFetch, AVideoFrameIsDecodedOnlyWhenTheMappedTimeChanges) {
    Clip root;
    testing::MakeRoot(root);
    auto owned = std::make_unique<VideoClip>();
    CountingVideo* video = owned->Attach();
    Clip* clip = root.AddChild(std::move(owned));
    ASSERT_NE(clip, nullptr);
    testing::Place(*clip, 0, 0, 10000);
    // The mapper slows the clip to half speed: media time = 10000 * t / 20000.
    Variable* mapper = clip->Table().ByName("IDS_CLIPTIMEMAPPER");
    ASSERT_NE(mapper, nullptr);
    mapper->ClearKeys();
    mapper->SetValueAt(0, 0.0);
    mapper->SetValueAt(20000, 1.0);

    const struct {
        std::int32_t time;
        int decodes;
        int mediaTime;
    } steps[] = {{1000, 1, 500}, {1000, 1, 500}, {1001, 1, 500}, {1002, 2, 501}, {4000, 3, 2000}, {4000, 3, 2000}};
    for (const auto& step : steps) {
        root.SetTime(step.time);
        ASSERT_TRUE(Compose(root, kComposeMake));
        EXPECT_EQ(video->decodes, step.decodes) << step.time;
        EXPECT_EQ(video->lastTime, step.mediaTime) << step.time;
    }
    // The picture decoded last is what the frame shows.
    EXPECT_EQ(PixelBlue(FinishedFrame(root)->At(100, 100)), (20 * 255) >> 8);
}

}  // namespace
}  // namespace vantrel
