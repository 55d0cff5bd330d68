#include <fstream>

#include "items/StringTable.h"
#include "controls/SkinServices.h"
#include "skin/IniFile.h"
#include "tests/controls/ControlTestSupport.h"

namespace vantrel {
namespace {

class SkinCommandTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        Place(control_, 599, 599, {0, 0, 10, 10});  // "Help Links"
    }
    ResultFlags Run(int command, bool expectHandled = true) {
        ResultFlags out = 0;
        EXPECT_EQ(control_.Command(&window_, command, out), expectHandled) << command;
        return out;
    }
    static SettingsStore& store() { return SettingsStore::Instance(); }
    const std::string reminder_ = Str(620);
    Control control_;
};

TEST_F(SkinCommandTest, RemovingTheForegroundInheritsTheParentsBlackAndReminds) {
    EXPECT_EQ(store().Background(599), Rgb(255, 255, 0));
    EXPECT_EQ(Run(558), kRepaint);
    EXPECT_EQ(store().Foreground(599), Rgb(0, 0, 0));
    Run(559);
    Run(557);
    EXPECT_EQ(status_, (std::vector<std::string>{reminder_, reminder_, reminder_}));
    EXPECT_NE(reminder_, "");
}

TEST_F(SkinCommandTest, ChangesRemindOnlyWhenSomethingChanged) {
    platform_.dialogs.textAnswers = {std::nullopt, std::string("Links")};
    platform_.dialogs.colourAnswers = {std::nullopt, Rgb(1, 2, 3), Rgb(4, 5, 6)};
    Run(608);  // cancelled
    Run(618);  // cancelled
    EXPECT_TRUE(status_.empty());
    Run(608);
    EXPECT_EQ(Str(599), "Links");
    EXPECT_EQ(platform_.dialogs.textPrompts.back(), "Help Links");
    Run(618);
    Run(619);
    EXPECT_EQ(store().Foreground(599), Rgb(1, 2, 3));
    EXPECT_EQ(store().Background(599), Rgb(4, 5, 6));
    EXPECT_EQ(status_.size(), 3u);
}

TEST_F(SkinCommandTest, ChangePictureKeepsAPathThatWillNotLoadButSaysNothing) {
    platform_.dialogs.fileAnswers = {std::string("/pics/broken.png"), std::string("/pics/links.png")};
    Run(609);
    const FileDialogRequest& request = platform_.dialogs.openRequests.back();
    EXPECT_EQ(request.title, "Change Picture");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].patterns, "*.png;*.jpg;*.gif;*.bmp;*.jpeg;");
    EXPECT_EQ(request.fileName, "vanthelp.jpg") << "starts at the effective image";
    EXPECT_EQ(store().OwnImage(599), "/pics/broken.png");
    EXPECT_TRUE(status_.empty());
    EXPECT_TRUE(loaded_.empty());
    EXPECT_FALSE(control_.HasOwnImage());
    Run(609);
    EXPECT_EQ(store().OwnImage(599), "/pics/links.png");
    EXPECT_TRUE(pictures_.HasPicture(599));
    EXPECT_TRUE(control_.HasOwnImage());
    EXPECT_EQ(status_.size(), 1u);
    EXPECT_EQ(loaded_, (std::vector<int>{599}));
}

TEST_F(SkinCommandTest, SaveSkinAsForcesTheSknExtensionInTheLanguageFolder) {
    platform_.dialogs.fileAnswers = {PathOf("my.txt")};
    Run(570);
    EXPECT_EQ(platform_.dialogs.saveRequests.back().folder, UserPath("9/"));
    EXPECT_EQ(platform_.dialogs.saveRequests.back().filters[0].patterns, "*.skn");
    EXPECT_TRUE(std::filesystem::exists(PathOf("my.skn")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("my.txt")));
    EXPECT_TRUE(status_.empty());
}

// Skins are the user's: offered, saved and found again in the user's own
// folder, which exists for the dialog to start in, and the edits the
// skin menu made reach the default file there.
TEST_F(SkinCommandTest, SkinsAreSavedAndFoundInTheUsersFolder) {
    platform_.dialogs.textAnswers = {std::string("Links")};
    Run(608);
    platform_.dialogs.fileAnswers = {UserPath("9/mine")};
    Run(570);
    EXPECT_TRUE(std::filesystem::is_directory(UserPath("9")));
    ASSERT_TRUE(std::filesystem::exists(UserPath("9/mine.skn")));
    EXPECT_EQ(ReadProfileString(UserPath("9/mine.skn"), "Translation", "599", ""), "Links");

    Run(482);  // back to the defaults
    EXPECT_NE(Str(599), "Links");
    platform_.dialogs.fileAnswers = {UserPath("9/mine.skn")};
    Run(572);
    EXPECT_EQ(platform_.dialogs.openRequests.back().folder, UserPath("9/"));
    EXPECT_EQ(Str(599), "Links");
    EXPECT_FALSE(std::filesystem::exists(PathOf("9"))) << "nothing in the program folder";
}

TEST_F(SkinCommandTest, LoadSkinAndResetBringTheirPicturesOnScreen) {
    {
        std::ofstream(PathOf("blue.skn")) << "[S_593]\nimage=/pics/help.png\nfg=0\nbg=16711680\ntile=1\n";
    }
    platform_.dialogs.fileAnswers = {PathOf("blue.skn")};
    Run(572);
    EXPECT_EQ(platform_.dialogs.openRequests.back().title, "Load Skin");
    EXPECT_EQ(store().Background(599), Rgb(0, 0, 255));
    EXPECT_EQ(pictures_.Picture(593) != nullptr, true);
    EXPECT_TRUE(status_.empty()) << "loading needs no reminder";
    EXPECT_NE(std::find(loaded_.begin(), loaded_.end(), 593), loaded_.end());
    EXPECT_NE(std::find(loaded_.begin(), loaded_.end(), 555), loaded_.end()) << "the dark background follows";
    Run(482);
    EXPECT_EQ(store().Background(599), Rgb(255, 255, 0));
    EXPECT_EQ(pictures_.loads.back().second, PathOf("vanthelp.jpg"));
    EXPECT_EQ(status_.size(), 1u);
}

TEST_F(SkinCommandTest, PicturesGoToTheClipboardAndToBitmapFiles) {
    Run(637);
    EXPECT_EQ(platform_.clipboard.images, 0) << "nothing to copy yet";
    pictures_.LoadPicture(593, "/pics/help.png");  // the style's picture
    Run(637);
    EXPECT_EQ(platform_.clipboard.images, 1);
    EXPECT_EQ(platform_.clipboard.lastWidth, 3);
    platform_.dialogs.fileAnswers = {PathOf("shot.bmp")};
    Run(89);
    std::ifstream in(PathOf("shot.bmp"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // two rows of 9 bytes padded to 12
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(std::uint8_t(bytes[54]), 10);  // blue first
    EXPECT_EQ(std::uint8_t(bytes[56]), 30);
}

TEST_F(SkinCommandTest, TheMenuOffersEveryCommandAndOthersAreNotOurs) {
    platform_.menus.answers = {558};
    EXPECT_EQ(control_.Input(&window_, kRightButtonUp, 5, 5, kControlHeld), kRepaint);
    EXPECT_EQ(store().Foreground(599), Rgb(0, 0, 0));
    ASSERT_EQ(platform_.menus.shown.size(), 1u);
    std::vector<int> commands;
    for (const MenuEntry& entry : platform_.menus.shown[0]) {
        if (entry.kind == MenuEntry::Kind::Command) commands.push_back(entry.command);
        for (const MenuEntry& inner : entry.entries) commands.push_back(inner.command);
    }
    EXPECT_EQ(commands, (std::vector<int>{608, 609, 618, 619, 557, 558, 559, 637, 89, 572, 570, 482}));
    EXPECT_EQ(platform_.menus.shown[0].back().caption, "Skin");
    Run(477, false);
    Run(620, false);
}

TEST_F(SkinCommandTest, AControlWithoutAnElementChangesNothing) {
    Control stranger;
    Place(stranger, 12, 12, {0, 0, 10, 10});
    ResultFlags out = 0;
    EXPECT_TRUE(stranger.Command(&window_, 559, out));
    EXPECT_TRUE(status_.empty());
    EXPECT_EQ(store().Background(12), Rgb(192, 192, 192));
}

}  // namespace
}  // namespace vantrel
