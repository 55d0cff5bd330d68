#include <gtest/gtest.h>

#include <string_view>

#include "items/StringTable.h"

namespace vantrel {
namespace {

TEST(StringResourcesTest, IdsAreStrictlyIncreasingAndInsideTheTable) {
    auto rows = StringResources();
    ASSERT_FALSE(rows.empty());
    int previous = 0;
    for (const StringResource& row : rows) {
        EXPECT_GT(row.id, previous) << "id " << row.id << " out of order or repeated";
        EXPECT_GE(row.id, 1);
        EXPECT_LT(row.id, StringTable::kEntries);
        previous = row.id;
    }
}

TEST(StringResourcesTest, EveryTextIsNonEmptyAndFitsItsSlot) {
    for (const StringResource& row : StringResources()) {
        EXPECT_FALSE(row.text.empty()) << "id " << row.id;
        // A longer text would be cut when the table loads it.
        EXPECT_LE(row.text.size(), StringTable::kMaxText) << "id " << row.id;
        // A stray zero would end the text early in the skin file and dialogs.
        EXPECT_EQ(row.text.find('\0'), std::string_view::npos) << "id " << row.id;
    }
}

// Texts other code shows or compares by id; a wrong byte here is a visible fault.
TEST(StringResourcesTest, TextsOtherCodeReliesOn) {
    struct Expected {
        int id;
        std::string_view text;
    };
    constexpr Expected kExpected[] = {
        {1, "Import Video Clip"},
        {25, "Open Project"},
        {26, "Save Project"},
        {27, "Save As"},
        {82, "320 / 240"},
        {134, "15 fps"},
        {172, "Text String"},
        {220, "Done!"},
        {302, "Question"},
        {303, "Save Current Project ?"},
        {324, " File Not Found."},
        {331, "Use Mouse Pointer + F1 for Help "},
        {394, "Forground Color"},
        {411, "Unable to run Vantrel Media Compositor. \nExiting Now!"},
        {412, "Sub Arrangement"},
        {514, "4-Band Compressor / Expander"},
        {555, "Application Background Image"},
        {568, "Gradient"},
        {590, "Error"},
        {614, "Next Key Frame"},
        {615, "Previous Key Frame"},
        {620, "Click on Preferences Button, then select Ok, in order to make changes permanent."},
        {691, "Do you want to apply (commit to) all changes made, in order to preceed?"},
        {703, "Variable Set 10"},
    };
    StringTable table;
    table.LoadResources();
    for (const Expected& e : kExpected) EXPECT_EQ(table.Text(e.id), e.text) << "id " << e.id;
}

// Effects are created by the id of their name, so each type needs its name.
TEST(StringResourcesTest, EveryEffectTypeHasItsName) {
    constexpr int kEffectTypes[] = {
        28,  29,  30,  31,  72,  78,  103, 106, 111, 122, 130, 131, 142, 149, 181, 182, 241,
        243, 244, 247, 248, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 266, 282, 288,
        289, 290, 291, 292, 293, 297, 300, 301, 419, 439, 440, 443, 449, 514, 546, 547, 548,
        549, 550, 551, 552, 553, 676, 679,
    };
    StringTable table;
    table.LoadResources();
    for (int type : kEffectTypes) EXPECT_FALSE(table.Text(type).empty()) << "type " << type;
}

TEST(StringResourcesTest, LoadingRestoresReplacedTextsAndLeavesGapsEmpty) {
    StringTable table;
    table.LoadResources();
    ASSERT_TRUE(table.Set(25, "Projekt \xc3\xb6" "ffnen"));
    ASSERT_TRUE(table.Set(2, "not a resource"));
    table.LoadResources();
    EXPECT_EQ(table.Text(25), "Open Project");
    EXPECT_EQ(table.Text(2), "");
    for (const StringResource& row : StringResources())
        EXPECT_EQ(table.Text(row.id), row.text) << "id " << row.id;
}

}  // namespace
}  // namespace vantrel
