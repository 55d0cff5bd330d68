#include <algorithm>
#include <regex>
#include <sstream>
#include <vector>

#include "skin/IniFile.h"
#include "tests/skin/SkinTestSupport.h"

namespace vantrel {
namespace {

// The shipped program folder, so that choosing German reads the file the
// program ships, as a German start does.
class GermanTexts : public SkinStoreTest {
protected:
    void SetUp() override {
        SkinStoreTest::SetUp();
        SetProgramFolder(VANTREL_SOURCE_DIR "/data/program");
    }
};

std::vector<std::string> Specifiers(const std::string& text) {
    static const std::regex specifier(R"(%(%|\d+|[-+ #0]*\d*(\.\d+)?[hlLqjzt]*[diouxXeEfgGcspn]))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), specifier); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

TEST_F(GermanTexts, EveryTextHasGermanThatKeepsWhatTheProgramFillsInOrJoins) {
    IniFile file;
    ASSERT_TRUE(file.Load(VANTREL_SOURCE_DIR "/data/program/7/default.skn"));
    store().ApplyLanguage(SettingsStore::kGerman);
    EXPECT_EQ(store().Language(), SettingsStore::kGerman);

    // New texts need their German in scripts/lang/de_strings.py: all of
    // them are named at once.
    std::ostringstream missing;
    for (const StringResource& resource : StringResources()) {
        const std::string english(resource.text);
        if (english.empty()) continue;
        const auto stored = file.Get("Translation", std::to_string(resource.id));
        if (!stored || stored->empty()) {
            missing << ' ' << resource.id;
            continue;
        }
        const std::string& german = Str(resource.id);
        // A plain value must arrive as it stands; escaped ones are judged
        // by their breaks and blanks below.
        if (stored->find_first_of("\\\"'") == std::string::npos) {
            EXPECT_EQ(german, *stored) << resource.id;
        }
        EXPECT_EQ(Specifiers(german), Specifiers(english)) << resource.id << ": " << german;
        EXPECT_EQ(std::count(german.begin(), german.end(), '\n'), std::count(english.begin(), english.end(), '\n'))
            << resource.id;
        EXPECT_EQ(IsBlank(german.front()), IsBlank(english.front())) << resource.id << ": '" << german << "'";
        EXPECT_EQ(IsBlank(german.back()), IsBlank(english.back())) << resource.id << ": '" << german << "'";
    }
    EXPECT_EQ(missing.str(), "") << "ids without German";
}

TEST_F(GermanTexts, SwitchingLanguagesSwapsTheWholeTableBothWays) {
    store().ApplyLanguage(SettingsStore::kGerman);
    EXPECT_EQ(Str(590), "Fehler");
    EXPECT_EQ(Str(220), "Fertig!");
    EXPECT_EQ(Str(324), " – Datei nicht gefunden.");
    EXPECT_EQ(Str(411), "Vantrel Media Compositor kann nicht gestartet werden. \nDas Programm wird beendet!");
    EXPECT_EQ(Str(804), "Die ungespeicherten Änderungen an %s vom %s wiederherstellen?");
    EXPECT_EQ(store().Prefs().author, "Erstellt mit Vantrel Media Compositor");
    // Both languages' shipped files turn the status line on.
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
    store().ApplyLanguage(SettingsStore::kEnglish);
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
    EXPECT_EQ(Str(590), "Error");
    EXPECT_EQ(Str(324), " File Not Found.");
    EXPECT_NE(store().Prefs().author, "Erstellt mit Vantrel Media Compositor");
}

}  // namespace
}  // namespace vantrel
