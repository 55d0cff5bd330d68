#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "editor/arrangement/ClipPictures.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::TempFolder;

TEST(ClipPicturesTest, SoundIsOutlinedOnceInTheBackgroundAndSaysWhenReady) {
    TempFolder folder;
    const std::string wav = folder.File("sound.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 1000));
    std::atomic<int> ready{0};
    ClipPictures pictures([&] { ++ready; });
    EXPECT_EQ(pictures.Get(wav), nullptr);  // asked, not waited for
    pictures.WaitIdle();
    const auto picture = pictures.Get(wav);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->peaks.size(), std::size_t(1000 / ClipPicture::kPeakMs));
    EXPECT_GT(*std::max_element(picture->peaks.begin(), picture->peaks.end()), 0);
    EXPECT_TRUE(picture->thumbnail.IsEmpty());
    pictures.Get(wav);
    pictures.WaitIdle();
    EXPECT_EQ(ready.load(), 1);
}

}  // namespace
}  // namespace vantrel
