#include <gtest/gtest.h>

#include "values/Surface.h"
#include "shell/ProgramParts.h"
#include "media/display/MediaSystem.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {
namespace {

TEST(ProgramPartsTest, TheDarkBackgroundIsTheBackgroundAtHalfBrightness) {
    MediaSystem media;
    ASSERT_TRUE(media.Start({}));
    auto light = std::make_unique<Surface>(4, 2);
    light->Fill(light->Bounds(), MakePixel(200, 101, 7, 255));
    ASSERT_TRUE(media.StorePicture(555, std::move(light), 3, 2));
    DeriveDarkBackground(media);
    const Surface* dark = media.Picture(560);
    ASSERT_NE(dark, nullptr);
    EXPECT_EQ(dark->At(0, 0), MakePixel(100, 50, 3, 255));
    EXPECT_EQ(media.PictureRect(560), media.PictureRect(555));
}

TEST(ProgramPartsTest, NoBackgroundMeansNoDarkOne) {
    MediaSystem media;
    ASSERT_TRUE(media.Start({}));
    DeriveDarkBackground(media);
    EXPECT_FALSE(media.HasPicture(560));
}

TEST(ProgramPartsTest, TheEditorAsksBeforeAProjectDownloadsAndNamesTheAddress) {
    ScriptedPlatform platform;
    const std::string address = "http://media.example.invalid/clips/beach.avi";
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    EXPECT_TRUE(AskToDownloadMedia(address, nullptr));
    // Nobody there to answer: the default is not to download.
    EXPECT_FALSE(AskToDownloadMedia(address, nullptr));
    ASSERT_EQ(platform.dialogs.boxes.size(), 2u);
    for (const MessageBoxRequest& box : platform.dialogs.boxes) {
        EXPECT_NE(box.text.find(address), std::string::npos) << box.text;
        EXPECT_EQ(box.buttons, BoxButtons::YesNo);
        EXPECT_EQ(box.defaultButton, BoxAnswer::No);
    }
}

}  // namespace
}  // namespace vantrel
