#include "items/StringTable.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "skin/IniFile.h"
#include "skin/SettingsStore.h"
#include "skin/SkinActions.h"
#include "tests/skin/SkinTestSupport.h"

namespace vantrel {
namespace {

using SkinFile = SkinStoreTest;
using Language = SkinStoreTest;

TEST_F(SkinFile, SavingWritesEveryIdInOrderWithEffectiveColours) {
    ASSERT_TRUE(store().SaveSkin(PathOf("all.skn")));
    IniFile ini;
    ASSERT_TRUE(ini.Load(PathOf("all.skn")));
    const auto sections = ini.Sections();
    ASSERT_GE(sections.size(), 4u);
    EXPECT_EQ(sections[0], "Translation");
    EXPECT_EQ(sections[1], "S_1");  // element 1 comes before any preference id
    EXPECT_EQ(ini.Keys("S_599"), (std::vector<std::string>{"image", "fg", "bg", "tile"}));
    EXPECT_EQ(ini.ReadString("S_599", "image", "?"), "");
    EXPECT_EQ(ini.ReadInt("S_599", "bg", 0), Rgb(255, 255, 0));  // inherited, written as its own
    EXPECT_EQ(ini.ReadInt("S_335", "bg", 0), -1);
    EXPECT_EQ(ini.ReadString("S_555", "tile", ""), "1");
    EXPECT_EQ(ini.ReadString("S_555", "image", ""), PathOf("vantpat.jpg"));
    EXPECT_EQ(ini.ReadString("Translation", "646", ""), "English");
    EXPECT_FALSE(ini.Get("Translation", "2").has_value()) << "no empty texts";
    EXPECT_EQ(ini.ReadString("Layout", "645", ""), "9");
    EXPECT_EQ(ini.ReadString("Output", "480", ""), "1");
    // Keys ascend within every section.
    const auto translation = ini.Keys("Translation");
    for (std::size_t i = 1; i < translation.size(); ++i)
        EXPECT_LT(std::stoi(translation[i - 1]), std::stoi(translation[i]));
}

TEST_F(SkinFile, SaveThenLoadTurnsInheritedColoursIntoOwnOnes) {
    ASSERT_TRUE(store().SaveSkin(PathOf("round.skn")));
    store().BuildDefaults();
    EXPECT_EQ(store().Element(599)->background, kNoColour);
    ASSERT_TRUE(store().LoadSkin(PathOf("round.skn")));
    EXPECT_EQ(store().Element(599)->background, Rgb(255, 255, 0));
    // Now the child no longer follows its parent.
    store().SetBackground(593, Rgb(1, 1, 1));
    EXPECT_EQ(store().Background(599), Rgb(255, 255, 0));
}

// Reading a value trims its blanks and one pair of quotes and stops at the
// line end, so texts with any of those must still come back whole.
TEST_F(SkinFile, TextsWithBreaksBlanksBackslashesAndQuotesReadBackAsWritten) {
    const std::string texts[] = {
        Str(411),  // the start-up failure message breaks its line
        " File Not Found.",
        "Use Mouse Pointer + F1 for Help ",
        "C:\\new\\name",
        "\"quoted\"",
        "line one\nline two\\n",
    };
    ASSERT_NE(texts[0].find('\n'), std::string::npos);
    int id = 600;
    for (const std::string& text : texts) ASSERT_TRUE(store().SetText(id++, text));
    ASSERT_TRUE(store().SaveSkin(PathOf("texts.skn")));
    store().BuildDefaults();
    ASSERT_TRUE(store().LoadSkin(PathOf("texts.skn")));
    id = 600;
    for (const std::string& text : texts) EXPECT_EQ(Str(id++), text);
    // Still one key per line: nothing of a text spills onto a line of its own.
    IniFile ini;
    ASSERT_TRUE(ini.Load(PathOf("texts.skn")));
    for (const std::string& key : ini.Keys("Translation")) EXPECT_GT(std::stoi(key), 0) << key;
    const std::string file = ReadFile("texts.skn");
    EXPECT_EQ(file.find("\nExiting"), std::string::npos);
    EXPECT_EQ(file.find("\nline two"), std::string::npos);
}

TEST_F(SkinFile, SavingTruncatesAnOlderLongerFile) {
    WriteFile("old.skn", "[Junk]\n" + std::string(100000, 'x') + "\n");
    ASSERT_TRUE(store().SaveSkin(PathOf("old.skn")));
    EXPECT_EQ(ReadFile("old.skn").find("Junk"), std::string::npos);
    EXPECT_FALSE(store().SaveSkin(PathOf("missing/folder/x.skn")));
}

TEST_F(SkinFile, ATranslationOnlyFileReplacesTextsAndLeavesColours) {
    store().SetForeground(598, Rgb(9, 9, 9));
    WriteFile("texts.skn", "[Translation]\n646=Englisch\n647=Deutsch\n648=\n");
    ASSERT_TRUE(store().LoadSkin(PathOf("texts.skn")));
    EXPECT_EQ(Str(646), "Englisch");
    EXPECT_EQ(Str(647), "Deutsch");
    EXPECT_EQ(store().Foreground(598), Rgb(9, 9, 9));
    EXPECT_EQ(store().Background(599), Rgb(255, 255, 0));
}

TEST_F(SkinFile, AnElementSectionWithoutTileChangesNothingAndMissingColoursReadAsZero) {
    WriteFile("part.skn", "[S_598]\nfg=255\n[S_599]\ntile=0\nbg=65535\n");
    ASSERT_TRUE(store().LoadSkin(PathOf("part.skn")));
    EXPECT_EQ(store().Foreground(598), Rgb(0, 0, 255));  // untouched
    const SkinElement* links = store().Element(599);
    EXPECT_EQ(links->foreground, 0);  // missing fg reads as 0: black, not inherit
    EXPECT_EQ(links->background, Rgb(255, 255, 0));
    EXPECT_EQ(links->tile, 0);
}

TEST_F(SkinFile, AMissingFileChangesNothing) {
    store().SetBackground(555, Rgb(4, 5, 6));
    EXPECT_FALSE(store().LoadSkin(PathOf("none.skn")));
    EXPECT_EQ(store().Background(555), Rgb(4, 5, 6));
}

TEST_F(SkinFile, AHandEditedFileReadsBack) {
    ASSERT_TRUE(store().SaveSkin(PathOf("edit.skn")));
    std::string text = ReadFile("edit.skn");
    // What a text editor on another system might make of it.
    std::string edited;
    for (char c : text) {
        if (c == '\n') edited += "\r\n\r\n";
        else edited += c;
    }
    auto replace = [&edited](const std::string& from, const std::string& to) {
        const auto at = edited.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        edited.replace(at, from.size(), to);
    };
    replace("[S_599]\r\n\r\nimage=\r\n\r\nfg=32512", "[s_599]\r\n  IMAGE = \r\n\r\n Fg =  255 ");
    replace("[Layout]", "[My Notes]\r\nanything=goes\r\n[layout]");
    replace("335=0", "335 = 1");
    WriteFile("edit.skn", edited);
    store().BuildDefaults();
    ASSERT_TRUE(store().LoadSkin(PathOf("edit.skn")));
    EXPECT_EQ(store().Foreground(599), Rgb(255, 0, 0));
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
    EXPECT_EQ(Str(646), "English");
}

TEST_F(SkinFile, LongTextsAreCutAndUnknownIdsIgnored) {
    WriteFile("long.skn", "[Translation]\n608=" + std::string(1500, 'a') +
                              "\n2000=x\n[Layout]\n9999=1\n[S_2]\ntile=1\n[Output]\n478=" +
                              std::string(1200, 'c') + "\n");
    ASSERT_TRUE(store().LoadSkin(PathOf("long.skn")));
    EXPECT_EQ(Str(608).size(), 1023u);
    EXPECT_EQ(store().Prefs().clipComments.size(), 1023u);
    EXPECT_EQ(store().Element(2), nullptr);
}

TEST_F(Language, AFrenchUserStartsInEnglishAndReadsFolderNine) {
    WriteFile("9/default.skn", "[Translation]\n646=English (folder 9)\n");
    WriteFile("7/default.skn", "[Translation]\n646=Englisch\n");
    store().ApplyLanguage(LanguageFromLocale(nullptr, nullptr, "fr_FR.UTF-8"));
    EXPECT_EQ(store().Language(), 9);
    EXPECT_EQ(Str(646), "English (folder 9)");
    EXPECT_EQ(store().DefaultSkinPath(), UserPath("9/default.skn"));
}

TEST_F(Language, ADefaultFileMayNameAnotherLanguageForLaterFolders) {
    WriteFile("9/default.skn", "[Layout]\n645=7\n");
    store().ApplyLanguage(9);
    EXPECT_EQ(store().Language(), 7);
    EXPECT_EQ(store().SkinFolder(), UserPath("7/"));
    WriteFile("9/default.skn", "[Layout]\n645=3\n");  // no such language
    store().ApplyLanguage(9);
    EXPECT_EQ(store().Language(), 9);
}

TEST_F(Language, GermanWithoutItsFileKeepsDefaultsAndResourceTexts) {
    store().SetText(646, "changed");
    store().SetBackground(555, 1);
    EXPECT_TRUE(LanguageCommand(647));
    EXPECT_EQ(store().Language(), 7);
    EXPECT_EQ(Str(646), "English");
    EXPECT_EQ(store().Background(555), kNoColour);
    EXPECT_TRUE(LanguageCommand(646));
    EXPECT_EQ(store().Language(), 9);
    EXPECT_FALSE(LanguageCommand(648));
    store().ApplyLanguage(12);
    EXPECT_EQ(store().Language(), 9);
}

TEST_F(Language, ResetDropsUnsavedChangesAndReloadsTheDefaultFile) {
    WriteFile("9/default.skn", "[S_555]\nimage=\nfg=0\nbg=255\ntile=0\n");
    store().Reset();
    EXPECT_EQ(store().Background(617), Rgb(255, 0, 0));
    store().SetBackground(555, Rgb(0, 0, 255));
    store().Reset();
    EXPECT_EQ(store().Background(617), Rgb(255, 0, 0));
    EXPECT_EQ(store().ImageElement(617), nullptr);
}

// The locale at start: German chooses German, any other language English,
// each with its own default skin file.
TEST_F(Language, TheLocaleAtStartChoosesTheLanguageAndItsFile) {
    WriteFile("7/default.skn", "[Translation]\n360=Erstellen\n");
    ScopedVariable all("LC_ALL");
    all.Set("de_DE.UTF-8");
    StartSettings();
    EXPECT_EQ(store().Language(), 7);
    EXPECT_EQ(Str(360), "Erstellen");
    all.Set("fr_FR.UTF-8");
    StartSettings();
    EXPECT_EQ(store().Language(), 9);
    EXPECT_EQ(Str(360), "Make");
    all.Restore();
}

// A language change rebuilds everything, so unsaved skin and preference
// changes would be lost: only then is the user asked, and Cancel keeps both
// the language and the changes.
TEST_F(Language, AChangeThatWouldLoseEditsAsksFirst) {
    ScriptedPlatform platform;
    WriteFile("7/default.skn", "[Translation]\n360=Erstellen\n");
    EXPECT_FALSE(store().HasUnsavedChanges());
    EXPECT_EQ(ChooseLanguage(nullptr, 647), LanguageChoice::Applied);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_EQ(Str(360), "Erstellen");
    EXPECT_EQ(ChooseLanguage(nullptr, 360), LanguageChoice::NotALanguage);

    store().Prefs().showStatusMessages = 1;
    EXPECT_TRUE(store().HasUnsavedChanges());
    platform.dialogs.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_EQ(ChooseLanguage(nullptr, 646), LanguageChoice::Kept);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].text, Str(920));
    EXPECT_EQ(platform.dialogs.boxes[0].buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(store().Language(), 7);
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);

    // No: the change is gone and nothing was written.
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    EXPECT_EQ(ChooseLanguage(nullptr, 646), LanguageChoice::Applied);
    EXPECT_EQ(store().Language(), 9);
    EXPECT_EQ(store().Prefs().showStatusMessages, 0);
    EXPECT_EQ(Str(360), "Make");
    EXPECT_FALSE(std::filesystem::exists(UserPath("7/default.skn")));

    // Yes: saved in the language being left, and found there on return.
    store().SetBackground(555, Rgb(1, 2, 3));
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    EXPECT_EQ(ChooseLanguage(nullptr, 647), LanguageChoice::Applied);
    EXPECT_EQ(ReadProfileInt(UserPath("9/default.skn"), "S_555", "bg", 0), Rgb(1, 2, 3));
    EXPECT_EQ(store().Background(555), kNoColour);
    EXPECT_EQ(ChooseLanguage(nullptr, 646), LanguageChoice::Applied);
    EXPECT_EQ(platform.dialogs.boxes.size(), 3u);
    EXPECT_EQ(store().Background(555), Rgb(1, 2, 3));

    // Texts are changes too; whatever is in a file is not.
    store().SetText(360, "Build");
    EXPECT_TRUE(store().HasUnsavedChanges());
    store().MarkSaved();
    EXPECT_FALSE(store().HasUnsavedChanges());
}

}  // namespace
}  // namespace vantrel
