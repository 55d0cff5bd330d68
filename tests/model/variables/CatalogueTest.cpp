#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "items/StringTable.h"
#include "model/variables/Catalogue.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {
namespace {

std::vector<std::string> Identifiers(const VariableTable& table) {
    std::vector<std::string> names;
    for (int i = 0; i < table.Count(); ++i) names.emplace_back(table.At(i).Identifier());
    return names;
}

using Names = std::vector<std::string>;
const Names kSrc = {"IDS_SRC_RECT", "IDS_SRC_L", "IDS_SRC_T", "IDS_SRC_R", "IDS_SRC_B"};
const Names kDst = {"IDS_DST_RECT", "IDS_DST_L", "IDS_DST_T", "IDS_DST_R", "IDS_DST_B"};
const Names kEff = {"IDS_EFF_RECT", "IDS_EFF_L", "IDS_EFF_T", "IDS_EFF_R", "IDS_EFF_B"};
const Names kSwitches = {"IDS_EFFECT_SWITCHES", "IDS_EFFECT_ENABLE", "IDS_EFFECT_TOGGLE"};
const Names kAdjust = {"IDS_ADJVARS_01", "IDS_ADJ_RED", "IDS_ADJ_GREEN", "IDS_ADJ_BLUE", "IDS_ADJ_SATURATION",
                       "IDS_ADJ_OPACITY"};

Names Join(std::initializer_list<Names> parts) {
    Names all;
    for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(Catalogue, HasTwentyFiveGroupsEachHeadedByAHeader) {
    const auto groups = catalogue::Groups();
    ASSERT_EQ(groups.size(), 25u);
    std::set<std::string> headers;
    for (const auto group : groups) {
        ASSERT_FALSE(group.empty());
        const VariableRow& header = group.front();
        EXPECT_EQ(header.flags, kGroupHeader) << header.identifier;
        headers.emplace(header.identifier);
        const bool compressor = header.identifier == "IDS_COMPRESS4";
        EXPECT_EQ(header.minimum, 0) << header.identifier;
        EXPECT_EQ(header.maximum, compressor ? 1 : 0) << header.identifier;
        EXPECT_EQ(header.initial, compressor ? 1 : 0) << header.identifier;
        for (const VariableRow& row : group.subspan(1)) {
            EXPECT_EQ(row.identifier.substr(0, 4), "IDS_");
            EXPECT_FALSE(IsGroupEntry(row.flags) && row.flags != kHidden) << row.identifier;
            EXPECT_LE(row.minimum, row.initial) << row.identifier;
            EXPECT_LE(row.initial, row.maximum) << row.identifier;
            EXPECT_GT(row.stringId, 0) << row.identifier;
        }
    }
    EXPECT_EQ(headers.size(), 25u);
}

TEST(Catalogue, IdentifiersAndStringIdsAgreeAcrossGroups) {
    std::map<std::string, int> idOf;
    std::map<int, std::string> nameOf;
    for (const auto group : catalogue::Groups())
        for (const VariableRow& row : group) {
            const std::string name(row.identifier);
            if (idOf.count(name)) {
                EXPECT_EQ(idOf[name], row.stringId) << name;
            }
            if (nameOf.count(row.stringId)) {
                EXPECT_EQ(nameOf[row.stringId], name) << row.stringId;
            }
            idOf[name] = row.stringId;
            nameOf[row.stringId] = name;
        }
    ASSERT_NE(catalogue::FindRow("ids_red"), nullptr);
    EXPECT_EQ(catalogue::FindRow("IDS_RED")->flags, 0u) << "the plain key colour comes first";
    EXPECT_EQ(catalogue::FindRow("IDS_NOPE"), nullptr);
}

TEST(Catalogue, EveryRowShowsTheResourceTextOfItsStringId) {
    for (const auto group : catalogue::Groups())
        for (const VariableRow& row : group) {
            VariableTable table;
            table.Declare(row);
            EXPECT_FALSE(Str(row.stringId).empty()) << row.identifier;
            EXPECT_EQ(table.At(0).DisplayText(), Str(row.stringId)) << row.identifier;
        }
}

TEST(ClipDeclarationOrder, EachClipKindDeclaresItsGroupsInOrder) {
    const Names fg = {"IDS_COLOR_FG", "IDS_COLOR_FG_R", "IDS_COLOR_FG_G", "IDS_COLOR_FG_B", "IDS_COLOR_FG_A"};
    const Names bg = {"IDS_COLOR_BG", "IDS_COLOR_BG_R", "IDS_COLOR_BG_G", "IDS_COLOR_BG_B", "IDS_COLOR_BG_A"};
    const Names font = {"IDS_STR_FONTVARS", "IDS_STR_FONTSIZE", "IDS_STR_FONTWEIGHT", "IDS_STR_ITALIC",
                        "IDS_STR_UNDERLINE"};
    const Names shadow = {"IDS_STR_SHADOWVARS", "IDS_STR_SDIST", "IDS_STR_SANG", "IDS_STR_SINS"};
    auto corner = [](const std::string& c) {
        return Names{"IDS_COLOR_" + c, "IDS_COLOR_" + c + "_R", "IDS_COLOR_" + c + "_G", "IDS_COLOR_" + c + "_B",
                     "IDS_COLOR_" + c + "_A"};
    };
    struct Case { ClipKind kind; Names names; };
    const Case cases[] = {
        {ClipKind::kMediaWithVideo,
         Join({kSrc, kDst, {"IDS_CLIP_VARS", "IDS_CLIPTIMEMAPPER", "IDS_START_OPACITY"}})},
        {ClipKind::kMediaWithoutVideo, Join({kSrc, kDst, {"IDS_CLIP_VARS", "IDS_START_OPACITY"}})},
        {ClipKind::kSubArrangement, Join({kSrc, kDst, {"IDS_CLIP_VARS", "IDS_CLIPTIMEMAPPER"}})},
        {ClipKind::kTextString,
         Join({kSrc, kDst, {"IDS_CLIP_VARS", "IDS_START_OPACITY"}, shadow, fg, bg, font})},
        {ClipKind::kGradient, Join({kSrc, kDst, corner("LT"), corner("LB"), corner("RT"), corner("RB")})},
    };
    for (const Case& c : cases) {
        VariableTable table;
        DeclareAll(table, ClipDeclarations(c.kind));
        EXPECT_EQ(Identifiers(table), c.names) << int(c.kind);
    }
}

TEST(ClipDeclarationOrder, NewClipsShowTheirWholeSourceAndOpacityDependsOnTheKind) {
    VariableTable media, text;
    DeclareAll(media, ClipDeclarations(ClipKind::kMediaWithVideo));
    DeclareAll(text, ClipDeclarations(ClipKind::kTextString));
    EXPECT_DOUBLE_EQ(media.ValueByName("IDS_START_OPACITY", 0), 1);
    EXPECT_DOUBLE_EQ(text.ValueByName("IDS_START_OPACITY", 0), 0);
    EXPECT_DOUBLE_EQ(media.ValueById(47, 0), 1);
    EXPECT_DOUBLE_EQ(media.ValueById(48, 0), 1);
    EXPECT_DOUBLE_EQ(media.ValueById(45, 0), 0);
    const auto destination = media.ValueAndRangeById(49, 0);
    ASSERT_TRUE(destination);
    EXPECT_DOUBLE_EQ(destination->minimum, -20);
    EXPECT_DOUBLE_EQ(destination->maximum, 20);
}

TEST(EffectDeclarations, EveryTypeDeclaresItsCommonGroupsFirst) {
    std::set<int> seen;
    for (const EffectRow& entry : VideoEffectRows()) {
        EXPECT_TRUE(seen.insert(entry.type).second) << "duplicate video type " << entry.type;
        VariableTable table;
        ASSERT_TRUE(DeclareEffect(table, EffectKind::kVideo, entry.type));
        const Names names = Identifiers(table);
        ASSERT_GE(names.size(), 8u) << entry.type;
        EXPECT_EQ(Names(names.begin(), names.begin() + 5), kEff) << entry.type;
        const bool matrix = entry.type == 72 || entry.type == 78 || entry.type == 149;
        const std::size_t switchesAt = matrix ? 8 : 5;
        EXPECT_EQ(names[switchesAt], "IDS_EFFECT_SWITCHES") << entry.type;
        EXPECT_LE(table.Count(), VariableTable::kMaxVariables);
    }
    EXPECT_EQ(seen.size(), 56u);
    for (const EffectRow& entry : AudioEffectRows()) {
        VariableTable table;
        ASSERT_TRUE(DeclareEffect(table, EffectKind::kAudio, entry.type));
        EXPECT_EQ(Identifiers(table).front(), "IDS_EFFECT_SWITCHES") << entry.type;
        EXPECT_EQ(table.FindByName("IDS_EFF_RECT"), -1) << entry.type;
    }
    EXPECT_EQ(AudioEffectRows().size(), 3u);
}

TEST(EffectDeclarations, OwnVariablesFollowInOrder) {
    struct Case { EffectKind kind; int type; Names own; };
    const Case cases[] = {
        {EffectKind::kVideo, 252,
         Join({{"IDS_RGBKEYVARS", "IDS_RED", "IDS_GREEN", "IDS_BLUE", "IDS_RED_TOLERANCE", "IDS_GREEN_TOLERANCE",
                "IDS_BLUE_TOLERANCE"}, kAdjust})},
        {EffectKind::kVideo, 131,
         {"IDS_YUVKEYVARS", "IDS_RED", "IDS_GREEN", "IDS_BLUE", "IDS_CHROMA_TOLERANCE", "IDS_LUMA_TOLERANCE"}},
        {EffectKind::kVideo, 182,
         Join({{"IDS_MAPVARS_01", "IDS_MAP_RED_1", "IDS_MAP_RED_0", "IDS_MAP_GREEN_1", "IDS_MAP_GREEN_0",
                "IDS_MAP_BLUE_1", "IDS_MAP_BLUE_0", "IDS_MAP_OPACITY_1", "IDS_MAP_OPACITY_0"}, kDst})},
        {EffectKind::kVideo, 679,
         {"IDS_COLOR_FRAME", "IDS_COLOR_FRAME_R", "IDS_COLOR_FRAME_G", "IDS_COLOR_FRAME_B", "IDS_COLOR_FRAME_A",
          "IDS_EFFECT_VARS", "IDS_FRAME_SIZE", "IDS_FRAME_SHADING"}},
        {EffectKind::kVideo, kPluginEffectType, {}},
        {EffectKind::kAudio, 142, {"IDS_EFFECT_VARS", "IDS_VOLUME", "IDS_PAN"}},
        {EffectKind::kAudio, 514, {"IDS_COMPRESS4", "IDS_COMP4", "IDS_COMP3", "IDS_COMP2", "IDS_COMP1"}},
    };
    for (const Case& c : cases) {
        VariableTable table;
        ASSERT_TRUE(DeclareEffect(table, c.kind, c.type)) << c.type;
        const Names common = c.kind == EffectKind::kVideo ? Join({kEff, kSwitches}) : kSwitches;
        EXPECT_EQ(Identifiers(table), Join({common, c.own})) << c.type;
    }
    VariableTable matrix;
    DeclareEffect(matrix, EffectKind::kVideo, 149);
    EXPECT_EQ(Identifiers(matrix), Join({kEff, {"IDS_MATRIXVARS_01", "IDS_MATRIX_SIZE", "IDS_EFFECT_LEVEL"}, kSwitches}));
}

TEST(EffectDeclarations, UnknownTypesDeclareNothing) {
    VariableTable table;
    EXPECT_FALSE(DeclareEffect(table, EffectKind::kVideo, 142)) << "an audio type is no video effect";
    EXPECT_FALSE(DeclareEffect(table, EffectKind::kAudio, 28));
    EXPECT_FALSE(DeclareEffect(table, EffectKind::kVideo, 0));
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(FindEffectRow(EffectKind::kVideo, 9999), nullptr);
    ASSERT_NE(FindEffectRow(EffectKind::kAudio, 514), nullptr);
    EXPECT_EQ(FindEffectRow(EffectKind::kAudio, 514)->name, "4-Band Compressor / Expander");
}

TEST(EffectDeclarations, ChromaKeyColourIsHiddenFromSlidersAndNavigation) {
    VariableOwner effect;
    DeclareEffect(effect.Table(), EffectKind::kVideo, 29);
    const Variable& red = *effect.Table().ByName("IDS_RED");
    EXPECT_TRUE(IsUnlisted(red.DeclaredFlags()));
    EXPECT_EQ(effect.Table().CurrentId(), 246) << "the last listed variable is current";
    effect.Table().ByName("IDS_RED")->SetValueAt(500, 1);
    ResultFlags out = 0;
    ASSERT_TRUE(effect.Table().Command(nullptr, VariableTable::kNextKeyFrameCommand, out));
    EXPECT_EQ(out, kRelayout);
    EXPECT_EQ(effect.Table().Time(), 0);
}

TEST(EffectDeclarations, MatrixSizeReadsWithinItsRange) {
    VariableTable table;
    DeclareEffect(table, EffectKind::kVideo, 72);
    Variable& size = *table.ByName("IDS_MATRIX_SIZE");
    size.SetValueAt(0, 1);
    size.SetValueAt(1000, 99);
    EXPECT_DOUBLE_EQ(size.ValueAt(0), 3);
    EXPECT_DOUBLE_EQ(size.ValueAt(1000), 32);
}

TEST(PluginParameters, EntriesDeclareInOrderWithTheirFlags) {
    PluginParameter entries[] = {
        {600, 1, "IDS_PLUG_GROUP", 0, 0, 0, 0},
        {601, 0, "IDS_PLUG_LEVEL", -2, 2, 0.5, 0},
        {602, 2, "IDS_PLUG_ON", 0, 1, 1, 0},
        {603, 3, "IDS_PLUG_BOTH", 0, 1, 0, 0},
        {604, 0, nullptr, 0, 1, 0, 0},
        {605, 0, "IDS_PLUG_MISSING_LATER", 0, 1, 0.25, 0},
        {606, 0, "IDS_PLUG_NAN", std::nan(""), 1, std::nan(""), 0},
    };
    VariableOwner effect;
    DeclareEffect(effect.Table(), EffectKind::kAudio, kPluginEffectType);
    EXPECT_EQ(DeclarePluginParameters(effect.Table(), entries), 6);
    EXPECT_EQ(Identifiers(effect.Table()),
              Join({kSwitches, {"IDS_PLUG_GROUP", "IDS_PLUG_LEVEL", "IDS_PLUG_ON", "IDS_PLUG_BOTH",
                                "IDS_PLUG_MISSING_LATER", "IDS_PLUG_NAN"}}));
    EXPECT_DOUBLE_EQ(effect.Table().ValueByName("IDS_PLUG_NAN", 0), 0) << "a NaN from the plugin reads 0";
    const VariableTable& table = effect.Table();
    EXPECT_EQ(table.ByName("IDS_PLUG_GROUP")->DeclaredFlags(), kGroupHeader);
    EXPECT_EQ(table.ByName("IDS_PLUG_LEVEL")->DeclaredFlags(), 0u);
    EXPECT_EQ(table.ByName("IDS_PLUG_ON")->DeclaredFlags(), kSwitch);
    EXPECT_EQ(table.ByName("IDS_PLUG_BOTH")->DeclaredFlags(), kGroupHeader | kSwitch);
    EXPECT_EQ(table.ByName("IDS_PLUG_LEVEL")->CurveColour(), kNoColour);
    EXPECT_EQ(table.ByName("IDS_PLUG_LEVEL")->SecondColour(), kNoColour);

    effect.Table().ByName("IDS_PLUG_LEVEL")->SetValueAt(0, 5);
    entries[5].identifier = "IDS_PLUG_NOT_DECLARED";
    WritePluginValues(effect.Table(), 0, entries);
    EXPECT_DOUBLE_EQ(entries[1].current, 2) << "the clamped value";
    EXPECT_DOUBLE_EQ(entries[2].current, 1);
    EXPECT_DOUBLE_EQ(entries[4].current, 0) << "no identifier: the default";
    EXPECT_DOUBLE_EQ(entries[5].current, 0.25) << "no such variable: the default";
}

}  // namespace
}  // namespace vantrel
