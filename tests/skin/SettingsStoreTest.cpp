#include "skin/SettingsStore.h"

#include "items/StringTable.h"
#include "skin/IniFile.h"
#include "tests/skin/SkinTestSupport.h"

namespace vantrel {
namespace {

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kYellow = Rgb(255, 255, 0);

using SkinQueries = SkinStoreTest;

TEST_F(SkinQueries, ColoursComeFromTheNearestAncestorThatSetsThem) {
    EXPECT_EQ(store().Background(599), kYellow);  // "Help Links" from "Help Background Image"
    EXPECT_EQ(store().Foreground(599), Rgb(0, 127, 0));
    ASSERT_TRUE(store().SetForeground(599, kNoColour));  // "Remove Forground Color"
    EXPECT_EQ(store().Foreground(599), kBlack);
    // A button two levels below the root inherits the root's black text.
    EXPECT_EQ(store().Foreground(370), kBlack);
    EXPECT_EQ(store().Background(335), kNoColour);  // nobody on its chain sets one
    EXPECT_EQ(store().Background(444), Rgb(0, 0, 127));
}

TEST_F(SkinQueries, UnknownIdsAnswerLightGreyBackgroundAndNothingElse) {
    for (int id : {0, -1, 2, 1023, 1024, 5000}) {
        EXPECT_EQ(store().Background(id), Rgb(192, 192, 192)) << id;
        EXPECT_EQ(store().Foreground(id), kNoColour) << id;
        EXPECT_EQ(store().ImageElement(id), nullptr) << id;
        EXPECT_FALSE(store().Tile(id)) << id;
        EXPECT_EQ(store().OwnImage(id), "") << id;
        EXPECT_FALSE(store().SetBackground(id, kBlack)) << id;
    }
}

TEST_F(SkinQueries, ImageWalksUpToTheFirstElementWithAPicture) {
    ASSERT_NE(store().ImageElement(598), nullptr);
    EXPECT_EQ(store().ImageElement(598)->id, 593);
    EXPECT_EQ(store().ImageElement(598)->image, PathOf("vanthelp.jpg"));
    EXPECT_EQ(store().ImageElement(617)->id, 555);
    EXPECT_TRUE(store().Tile(555));
    EXPECT_FALSE(store().Tile(556));
    ASSERT_TRUE(store().SetImage(617, "/pictures/button.png"));
    EXPECT_EQ(store().ImageElement(370)->id, 617);
    ASSERT_TRUE(store().SetImage(617, ""));  // "Remove Picture": inherits again
    EXPECT_EQ(store().ImageElement(370)->id, 555);
}

TEST_F(SkinQueries, DefaultsAreBuiltInOrderWithEveryElementEditableFromTheSkinList) {
    const auto& elements = store().Elements();
    ASSERT_EQ(elements.size(), 64u);
    EXPECT_EQ(elements.front()->id, 555);
    EXPECT_EQ(elements.back()->id, 359);
    for (const SkinElement* element : elements) {
        // The element's name is its label in the skin list and the dialog.
        EXPECT_FALSE(Str(element->id).empty()) << "no name for element " << element->id;
        if (element->parentId) {
            const SkinElement* parent = store().Element(element->parentId);
            ASSERT_NE(parent, nullptr) << element->id;
            EXPECT_LT(std::find(elements.begin(), elements.end(), parent) - elements.begin(),
                      std::find(elements.begin(), elements.end(), element) - elements.begin())
                << "parent made first: " << element->id;
        }
    }
    // The skin list: one group per element, then the skinnable texts.
    const auto& skin = store().SkinList().Entries();
    ASSERT_EQ(skin.size(), elements.size() + 1);
    EXPECT_EQ(skin.back().id, 585);
    const SettingsList* editors = skin[2].group;  // "Help Background Image"
    ASSERT_NE(editors, nullptr);
    ASSERT_EQ(editors->Size(), 4u);
    EXPECT_EQ(editors->Entries()[0].kind, SettingKind::FileName);
    EXPECT_EQ(editors->Entries()[0].filter, "*.png;*.jpg;*.gif;*.bmp;*.jpeg;");
    // The entries edit the element itself.
    *editors->Entries()[2].number = Rgb(1, 2, 3);
    EXPECT_EQ(store().Background(599), Rgb(1, 2, 3));
    const auto& root = store().RootList().Entries();
    ASSERT_EQ(root.size(), 3u);
    EXPECT_EQ(root[0].id, 575);
    EXPECT_EQ(root[1].id, 562);
    EXPECT_EQ(root[2].id, 563);
    // Every non-empty text is one skinnable text entry, and it edits the table.
    EXPECT_GT(store().SkinnableTextList().Size(), 300u);
    SettingEntry* text = store().SkinnableTextList().Find(646);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->flags, 4);
    text->SetText("Englisch");
    EXPECT_EQ(Str(646), "Englisch");
}

TEST_F(SkinQueries, RebuildingForgetsChangesButKeepsTheLanguage) {
    store().SetBackground(555, kBlack);
    store().SetText(646, "Anglais");
    store().Prefs().language = SettingsStore::kGerman;
    store().BuildDefaults();
    EXPECT_EQ(store().Background(555), kNoColour);
    EXPECT_EQ(Str(646), "English");
    EXPECT_EQ(store().Language(), SettingsStore::kGerman);
}

TEST(SettingsListCapacity, AFullListRefusesTheNextEntry) {
    SettingsList list(1);
    for (std::size_t i = 0; i < SettingsList::kCapacity; ++i) ASSERT_TRUE(list.Add(SettingEntry{}));
    EXPECT_FALSE(list.Add(SettingEntry{}));
    EXPECT_EQ(list.Size(), 1023u);
}

struct PreferenceRow {
    int id;
    SettingKind kind;
    const char* value;
    int flags;
};

TEST_F(SkinQueries, PreferencesHaveTheirIdsKindsDefaultsAndFlagsInOrder) {
    const PreferenceRow layout[] = {
        {645, SettingKind::Number, "9", 0}, {335, SettingKind::Switch, "0", 0},
        {475, SettingKind::Switch, "1", 0}, {476, SettingKind::Switch, "0", 0},
        {485, SettingKind::Switch, "1", 0}, {486, SettingKind::Switch, "0", 0},
        {90, SettingKind::Switch, "0", 0},  {95, SettingKind::Switch, "0", 0},
        {492, SettingKind::Switch, "1", 0}, {312, SettingKind::Switch, "1", 0},
        {567, SettingKind::Switch, "1", 0},
        // The download limits: every download ends at them.
        {1010, SettingKind::Number, "300", 0}, {1011, SettingKind::Number, "1024", 0},
        // Autosave every minute; the history of edits holds 256 MB.
        {802, SettingKind::Number, "60", 0}, {803, SettingKind::Number, "256", 0},
        {1012, SettingKind::Text, "", 0},  // no member area: pages stay as shipped
    };
    const std::string credit = store().Prefs().copyright;
    const PreferenceRow output[] = {
        {478, SettingKind::Text, "", 0},   {363, SettingKind::Text, credit.c_str(), 0},
        {545, SettingKind::Text, credit.c_str(), 1}, {480, SettingKind::Switch, "1", 1},
        {571, SettingKind::Switch, "1", 1}, {503, SettingKind::Switch, "0", 0},
    };
    EXPECT_FALSE(credit.empty());
    auto check = [](const SettingsList& list, const auto& rows) {
        ASSERT_EQ(list.Size(), std::size(rows));
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const SettingEntry& entry = list.Entries()[i];
            EXPECT_EQ(entry.id, rows[i].id);
            EXPECT_EQ(entry.kind, rows[i].kind) << rows[i].id;
            EXPECT_EQ(entry.ValueText(), rows[i].value) << rows[i].id;
            EXPECT_EQ(entry.flags, rows[i].flags) << rows[i].id;
        }
    };
    check(store().LayoutList(), layout);
    check(store().OutputList(), output);
    // The fixed references are the entries' values.
    store().FindPreference(503)->SetValueText("1");
    EXPECT_EQ(store().Prefs().infoBrowserHelpMode, 1);
    store().FindPreference(335)->SetValueText("-4");  // any non-zero number is on
    EXPECT_EQ(store().Prefs().showStatusMessages, 1);
}

TEST(LanguageFromLocale, OnlyGermanLocalesGiveSevenAndLcAllWins) {
    struct Case { const char *all, *messages, *lang; int expected; } cases[] = {
        {nullptr, nullptr, "fr_FR.UTF-8", 9}, {nullptr, nullptr, "de_DE.UTF-8", 7},
        {nullptr, nullptr, "de", 7},          {nullptr, nullptr, "DE_at", 7},
        {nullptr, nullptr, "dev_XX", 9},      {"", "", "de_CH@euro", 7},
        {"en_GB", nullptr, "de_DE", 9},       {nullptr, "de_AT", "en_US", 7},
        {nullptr, nullptr, nullptr, 9},       {"C", nullptr, "de_DE", 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageFromLocale(c.all, c.messages, c.lang), c.expected)
            << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " " << (c.lang ? c.lang : "-");
}

}  // namespace
}  // namespace vantrel
