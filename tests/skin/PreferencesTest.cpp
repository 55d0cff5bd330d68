#include "platform/SettingsEditor.h"
#include "items/StringTable.h"
#include "skin/IniFile.h"
#include "skin/PreferencesObject.h"
#include "skin/SkinActions.h"
#include "tests/skin/SkinTestSupport.h"

namespace vantrel {
namespace {

using PrefsObject = SkinStoreTest;

TEST_F(PrefsObject, GetAndSetAnswerThePreviousState) {
    struct Step { const char* command; bool ok; const char* answer; int after; } steps[] = {
        {"get ShowStatusMessages", true, "0", 0},
        {"set ShowStatusMessages true", true, "0", 1},
        {"GET showstatusmessages", true, "1", 1},
        {"set ShowStatusMessages no", true, "1", 0},
        {"set ShowStatusMessages YES", true, "0", 1},
        {"set ShowStatusMessages 2", true, "1", 0},  // only "1" counts as a number
        {"set ShowStatusMessages 1 and more", true, "0", 1},
        {"get ShowStatusMessages 0 ignored", true, "1", 1},
        {"get ShowStatusMessages 0", false, "", 1},  // three words must be "set"
        {"set ShowStatusMessages", false, "", 1},    // two words must be "get"
        {"get ShowHints", false, "", 1},
        {"get", false, "", 1},
        {"", false, "", 1},
    };
    for (const Step& step : steps) {
        std::string answer = "stale";
        EXPECT_EQ(PreferencesItem().RunCommand(step.command, answer), step.ok) << step.command;
        EXPECT_EQ(answer, step.answer) << step.command;
        EXPECT_EQ(store().Prefs().showStatusMessages, step.after) << step.command;
    }
    EXPECT_TRUE(IsPreferencesName("prefs"));
    EXPECT_TRUE(IsPreferencesName("*.Prefs"));
    EXPECT_TRUE(IsPreferencesName(".prefs"));
    EXPECT_FALSE(IsPreferencesName("pref"));
}

// Ticks the first switch of the "Layout" group and answers as told.
class FakeEditor : public SettingsEditor {
public:
    explicit FakeEditor(bool confirm) : confirm_(confirm) {}
    bool Edit(Window*, const std::string& title, std::vector<SettingNode>& nodes) override {
        title_ = title;
        shape_ = nodes.size();
        for (SettingNode& group : nodes)
            if (group.id == 562)
                for (SettingNode& node : group.children)
                    if (node.id == 335) node.number = 1;
        nodes[0].children[0].children[2].number = Rgb(7, 7, 7);  // background of element 555
        return confirm_;
    }
    std::string title_;
    std::size_t shape_ = 0;

private:
    bool confirm_;
};

TEST_F(PrefsObject, TheDialogsOkKeepsItsEditsAndSavesTheDefaultFile) {
    FakeEditor editor(true);
    SetSettingsEditor(&editor);
    EXPECT_TRUE(RunSettingsDialog(nullptr));
    SetSettingsEditor(nullptr);
    EXPECT_EQ(editor.title_, "Preferences");
    EXPECT_EQ(editor.shape_, 3u);
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
    EXPECT_EQ(store().Background(617), Rgb(7, 7, 7));
    // The folder of the language did not exist; it does now, in the user's
    // configuration folder.
    EXPECT_EQ(ReadProfileInt(UserPath("9/default.skn"), "Layout", "335", 0), 1);
    EXPECT_EQ(ReadProfileInt(UserPath("9/default.skn"), "S_617", "bg", 0), Rgb(7, 7, 7));
    EXPECT_FALSE(std::filesystem::exists(PathOf("9/default.skn")));
}

// The program folder is shared and may be read-only: the shipped default
// file is read until the user saves, and never written.
TEST_F(PrefsObject, SavedPreferencesLiveInTheUsersFolderAndWinOverTheShippedFile) {
    const std::string shipped = "[Layout]\n312=0\n[Translation]\n646=Shipped English\n";
    WriteFile("9/default.skn", shipped);
    store().ApplyLanguage(9);
    EXPECT_EQ(store().Prefs().useToolTips, 0) << "the shipped file is read while the user has none";
    FakeEditor editor(true);
    SetSettingsEditor(&editor);
    EXPECT_TRUE(RunSettingsDialog(nullptr));
    SetSettingsEditor(nullptr);
    EXPECT_EQ(ReadFile("9/default.skn"), shipped);
    ASSERT_TRUE(std::filesystem::exists(UserPath("9/default.skn")));

    // The next start: defaults, then the user's file, not the shipped one.
    store().BuildDefaults();
    EXPECT_EQ(store().Prefs().showStatusMessages, 0);
    store().ApplyLanguage(9);
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
    EXPECT_EQ(store().Background(617), Rgb(7, 7, 7));
    EXPECT_EQ(Str(646), "Shipped English") << "what the user saved included the shipped texts";

    // A read-only program folder costs nothing either.
    std::filesystem::permissions(folder_ / "9", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    SetSettingsEditor(&editor);
    EXPECT_TRUE(RunSettingsDialog(nullptr));
    SetSettingsEditor(nullptr);
    std::filesystem::permissions(folder_ / "9", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(ReadFile("9/default.skn"), shipped);
}

TEST_F(PrefsObject, TheDialogsCancelChangesNothing) {
    FakeEditor editor(false);
    SetSettingsEditor(&editor);
    EXPECT_FALSE(RunSettingsDialog(nullptr));
    SetSettingsEditor(nullptr);
    EXPECT_EQ(store().Prefs().showStatusMessages, 0);
    EXPECT_EQ(store().Background(617), kNoColour);
    EXPECT_FALSE(std::filesystem::exists(PathOf("9/default.skn")));
    EXPECT_FALSE(std::filesystem::exists(UserPath("9/default.skn")));
    EXPECT_FALSE(RunSettingsDialog(nullptr)) << "no dialog installed";
}

}  // namespace
}  // namespace vantrel
