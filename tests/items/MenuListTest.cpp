#include <gtest/gtest.h>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {
namespace {

TEST(MenuListTest, SeparatorNeverLeadsOrRepeats) {
    MenuList list;
    EXPECT_FALSE(list.AddSeparator());
    list.Add(25);
    EXPECT_TRUE(list.AddSeparator());
    EXPECT_FALSE(list.AddSeparator());
    EXPECT_EQ(list.Count(), 2);
}

TEST(MenuListTest, The257thEntryIsIgnored) {
    MenuList list;
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(list.Add(i + 1));
    EXPECT_FALSE(list.Add(999));
    EXPECT_EQ(list.Count(), 256);
}

TEST(MenuListTest, ASubmenuOfSeparatorsIsLeftOut) {
    auto empty = std::make_shared<MenuList>();
    auto sub = std::make_shared<MenuList>();
    sub->Add(26);
    MenuList list;
    list.Add(25);
    list.AddSubmenu(27, empty);
    list.AddSubmenu(27, sub);
    auto built = list.Build();
    ASSERT_TRUE(built);
    ASSERT_EQ(built->size(), 2u);
    EXPECT_EQ((*built)[1].kind, MenuEntry::Kind::Submenu);
    EXPECT_EQ((*built)[1].caption, Str(27));
    EXPECT_EQ((*built)[1].entries[0].command, 26);
}

TEST(MenuListTest, OnlySeparatorsGiveNoMenuAndNothingChosen) {
    ScriptedPlatform platform;
    MenuList list;
    EXPECT_FALSE(list.Build());
    EXPECT_EQ(list.Show(nullptr), 0);
    EXPECT_TRUE(platform.menus.shown.empty());
}

TEST(MenuListTest, ShowAnswersTheChosenIdAndZeroWhenDismissed) {
    ScriptedPlatform platform;
    MenuList list;
    list.Add(25);
    list.Add(26);
    platform.menus.answers.push_back(26);
    EXPECT_EQ(list.Show(nullptr), 26);
    EXPECT_EQ(list.Show(nullptr), 0);
    ASSERT_EQ(platform.menus.shown.size(), 2u);
    EXPECT_EQ(platform.menus.shown[0][0].caption, "Open Project");
}

TEST(MenuListTest, TextMenuAnswersTheIndex) {
    ScriptedPlatform platform;
    const std::string texts[] = {"a", "b", "c"};
    platform.menus.answers.push_back(3);
    EXPECT_EQ(ShowTextMenu(nullptr, texts), 2);
    EXPECT_FALSE(ShowTextMenu(nullptr, texts));
    const int ids[] = {25, -1, 26, 0, 27};
    platform.menus.answers.push_back(26);
    EXPECT_EQ(ShowIdMenu(nullptr, ids), 26);
    EXPECT_EQ(platform.menus.shown.back().size(), 3u);
}

}  // namespace
}  // namespace vantrel
