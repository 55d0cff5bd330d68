#pragma once
#include <span>
#include <string_view>

#include "model/variables/PluginParameter.h"
#include "model/variables/VariableTable.h"

namespace vantrel {

// Every variable the system declares, as rows of Declare's arguments. The
// identifiers are what scripts and project files use, so they stay spelled
// exactly so. Declaration order is panel order.
namespace catalogue {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kNone = kNoColour;

inline constexpr VariableRow kSourceRect[] = {
    {"IDS_SRC_RECT", 422, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_SRC_L", 45, 0, 1, 0},
    {"IDS_SRC_T", 46, 0, 1, 0},
    {"IDS_SRC_R", 47, 0, 1, 1},
    {"IDS_SRC_B", 48, 0, 1, 1},
};
inline constexpr VariableRow kDestinationRect[] = {
    {"IDS_DST_RECT", 423, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_DST_L", 49, -20, 20, 0},
    {"IDS_DST_T", 50, -20, 20, 0},
    {"IDS_DST_R", 51, -20, 20, 1},
    {"IDS_DST_B", 52, -20, 20, 1},
};
// The clip variables group is declared piecewise: which members a clip has
// depends on its kind.
inline constexpr VariableRow kClipVarsHeader[] = {
    {"IDS_CLIP_VARS", 425, 0, 0, 0, kNone, kNone, kGroupHeader},
};
inline constexpr VariableRow kClipTimeMapper[] = {
    {"IDS_CLIPTIMEMAPPER", 231, 0, 1, 0},
};
inline constexpr VariableRow kStartOpacity[] = {
    {"IDS_START_OPACITY", 554, -1, 1, 1},
};
// A text clip starts transparent until a key is set.
inline constexpr VariableRow kTextStartOpacity[] = {
    {"IDS_START_OPACITY", 554, -1, 1, 0},
};
inline constexpr VariableRow kForegroundColour[] = {
    {"IDS_COLOR_FG", 394, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_FG_R", 399, 0, 1, 1, kRed},
    {"IDS_COLOR_FG_G", 400, 0, 1, 1, kGreen},
    {"IDS_COLOR_FG_B", 401, 0, 1, 1, kBlue},
    {"IDS_COLOR_FG_A", 402, 0, 1, 1},
};
inline constexpr VariableRow kBackgroundColour[] = {
    {"IDS_COLOR_BG", 393, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_BG_R", 395, 0, 1, 0, kRed},
    {"IDS_COLOR_BG_G", 396, 0, 1, 0, kGreen},
    {"IDS_COLOR_BG_B", 397, 0, 1, 0, kBlue},
    {"IDS_COLOR_BG_A", 398, 0, 1, 0},
};
inline constexpr VariableRow kFontVars[] = {
    {"IDS_STR_FONTVARS", 426, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_STR_FONTSIZE", 280, 5, 500, 32},
    {"IDS_STR_FONTWEIGHT", 281, 0, 1, 0.5},
    {"IDS_STR_ITALIC", 388, 0, 1, 0, kNone, kNone, kStep | kSwitch},
    {"IDS_STR_UNDERLINE", 389, 0, 1, 0, kNone, kNone, kStep | kSwitch},
};
inline constexpr VariableRow kShadowVars[] = {
    {"IDS_STR_SHADOWVARS", 427, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_STR_SDIST", 390, 0, 1, 0.02},
    {"IDS_STR_SANG", 391, -1, 1, 0},
    {"IDS_STR_SINS", 392, 0, 1, 0},
};
inline constexpr VariableRow kLeftTopColour[] = {
    {"IDS_COLOR_LT", 655, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_LT_R", 656, 0, 1, 1, kRed},
    {"IDS_COLOR_LT_G", 657, 0, 1, 1, kGreen},
    {"IDS_COLOR_LT_B", 658, 0, 1, 1, kBlue},
    {"IDS_COLOR_LT_A", 659, 0, 1, 1},
};
inline constexpr VariableRow kLeftBottomColour[] = {
    {"IDS_COLOR_LB", 670, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_LB_R", 671, 0, 1, 1, kRed},
    {"IDS_COLOR_LB_G", 672, 0, 1, 0, kGreen},
    {"IDS_COLOR_LB_B", 673, 0, 1, 0, kBlue},
    {"IDS_COLOR_LB_A", 674, 0, 1, 1},
};
inline constexpr VariableRow kRightTopColour[] = {
    {"IDS_COLOR_RT", 660, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_RT_R", 661, 0, 1, 0, kRed},
    {"IDS_COLOR_RT_G", 662, 0, 1, 1, kGreen},
    {"IDS_COLOR_RT_B", 663, 0, 1, 0, kBlue},
    {"IDS_COLOR_RT_A", 664, 0, 1, 1},
};
inline constexpr VariableRow kRightBottomColour[] = {
    {"IDS_COLOR_RB", 665, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_RB_R", 666, 0, 1, 0, kRed},
    {"IDS_COLOR_RB_G", 667, 0, 1, 0, kGreen},
    {"IDS_COLOR_RB_B", 668, 0, 1, 1, kBlue},
    {"IDS_COLOR_RB_A", 669, 0, 1, 1},
};
inline constexpr VariableRow kEffectRect[] = {
    {"IDS_EFF_RECT", 424, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_EFF_L", 53, 0, 1, 0},
    {"IDS_EFF_T", 54, 0, 1, 0},
    {"IDS_EFF_R", 55, 0, 1, 1},
    {"IDS_EFF_B", 56, 0, 1, 1},
};
inline constexpr VariableRow kEffectSwitches[] = {
    {"IDS_EFFECT_SWITCHES", 521, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_EFFECT_ENABLE", 519, 0, 1, 1, kNone, kNone, kStep | kSingleValue | kSwitch},
    {"IDS_EFFECT_TOGGLE", 520, 0, 1, 1, kNone, kNone, kStep | kSwitch},
};
// The effect variables group heads different members in different effects;
// each effect declares the header and then its own choice of these.
inline constexpr VariableRow kEffectVarsHeader[] = {
    {"IDS_EFFECT_VARS", 428, 0, 0, 0, kNone, kNone, kGroupHeader},
};
inline constexpr VariableRow kEffectVars[] = {
    {"IDS_OPACITY", 104, -1, 1, 0},
    {"IDS_SHADOW_SIZE", 678, 0, 1, 0.25},
    {"IDS_FRAME_SIZE", 685, 0, 0.25, 0.1},
    {"IDS_FRAME_SHADING", 686, -1, 1, 0},
    {"IDS_WIPEANGLE", 283, 0, 360, 0},
    {"IDS_PROGRESS", 276, -1, 1, 0},
    {"IDS_SMOOTHING", 277, 0.7, 0.99, 0.7},
    {"IDS_ANGLE", 267, -360, 360, 0},
    {"IDS_ROTATIONS", 268, -100, 100, 0},
    {"IDS_CENTERX", 269, 0, 1, 0.5},
    {"IDS_CENTERY", 270, 0, 1, 0.5},
    {"IDS_DISTORTX", 298, -1, 1, 0},
    {"IDS_DISTORTY", 299, -1, 1, 0},
    {"IDS_EFF_PATDIS", 441, 0, 100, 0},
    {"IDS_BRIGHTNESS1", 286, 0, 1, 0},
    {"IDS_BRIGHTNESS2", 287, 0, 1, 1},
    {"IDS_VOLUME", 123, 0, 1, 1},
    {"IDS_PAN", 150, -1, 1, 0},
};
inline constexpr VariableRow kAdjusterVars[] = {
    {"IDS_ADJVARS_01", 430, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_ADJ_RED", 107, -1, 1, 0},
    {"IDS_ADJ_GREEN", 108, -1, 1, 0},
    {"IDS_ADJ_BLUE", 109, -1, 1, 0},
    {"IDS_ADJ_SATURATION", 240, 0, 1, 1},
    {"IDS_ADJ_OPACITY", 110, -1, 1, 0},
};
inline constexpr VariableRow kMapperVars[] = {
    {"IDS_MAPVARS_01", 431, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_MAP_RED_1", 113, 0, 1, 1, kRed},
    {"IDS_MAP_RED_0", 112, 0, 1, 0, kRed},
    {"IDS_MAP_GREEN_1", 115, 0, 1, 1, kGreen},
    {"IDS_MAP_GREEN_0", 114, 0, 1, 0, kGreen},
    {"IDS_MAP_BLUE_1", 117, 0, 1, 1, kBlue},
    {"IDS_MAP_BLUE_0", 116, 0, 1, 0, kBlue},
    {"IDS_MAP_OPACITY_1", 119, 0, 1, 1},
    {"IDS_MAP_OPACITY_0", 118, 0, 1, 0},
};
inline constexpr VariableRow kRadii[] = {
    {"IDS_RADII_01", 432, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_RADIUS_1", 187, 0, 1, 0.5},
    {"IDS_RADIUS_2", 188, 0, 1, 0.25},
};
inline constexpr VariableRow kSizes[] = {
    {"IDS_SIZE_01", 433, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_SIZE1", 249, 0, 1, 1},
    {"IDS_SIZE2", 250, 0, 1, 0.5},
};
inline constexpr VariableRow kFrameColour[] = {
    {"IDS_COLOR_FRAME", 680, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_COLOR_FRAME_R", 681, 0, 1, 0.5, kRed},
    {"IDS_COLOR_FRAME_G", 682, 0, 1, 0.5, kGreen},
    {"IDS_COLOR_FRAME_B", 683, 0, 1, 0.5, kBlue},
    {"IDS_COLOR_FRAME_A", 684, 0, 1, 1},
};
inline constexpr VariableRow kRotateX[] = {
    {"IDS_EFF_ROTX", 443, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_ROTX_TOP_POS", 445, -10, 10, 0},
    {"IDS_ROTX_TOP_FREQ", 448, 0.1, 10, 1},
    {"IDS_ROTX_BOT_POS", 447, -10, 10, 0},
    {"IDS_ROTX_BOT_FREQ", 455, 0.1, 10, 1},
};
inline constexpr VariableRow kRotateY[] = {
    {"IDS_EFF_ROTY", 449, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_ROTY_LEF_POS", 451, -10, 10, 0},
    {"IDS_ROTY_LEF_FREQ", 454, 0.1, 10, 1},
    {"IDS_ROTY_RIT_POS", 453, -10, 10, 0},
    {"IDS_ROTY_RIT_FREQ", 456, 0.1, 10, 1},
};
inline constexpr VariableRow kRgbKeyVars[] = {
    {"IDS_RGBKEYVARS", 436, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_RED", 38, 0, 1, 0, kRed},
    {"IDS_GREEN", 39, 0, 1, 0, kGreen},
    {"IDS_BLUE", 40, 0, 1, 0, kBlue},
    {"IDS_RED_TOLERANCE", 42, 0, 1, 0.1, kRed},
    {"IDS_GREEN_TOLERANCE", 43, 0, 1, 0.1, kGreen},
    {"IDS_BLUE_TOLERANCE", 44, 0, 1, 0.1, kBlue},
};
// The chroma keys pick their colour with a colour picker, so the three
// channels hold values but never show as sliders.
inline constexpr VariableRow kChromaKeyVars[] = {
    {"IDS_YUVKEYVARS", 437, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_RED", 38, 0, 1, 0, kRed, kNone, kHidden},
    {"IDS_GREEN", 39, 0, 1, 0, kGreen, kNone, kHidden},
    {"IDS_BLUE", 40, 0, 1, 0, kBlue, kNone, kHidden},
    {"IDS_CHROMA_TOLERANCE", 242, 0, 1, 0.1, kRed, kBlue},
    {"IDS_LUMA_TOLERANCE", 246, 0, 1, 0.1},
};
inline constexpr VariableRow kMatrixVars[] = {
    {"IDS_MATRIXVARS_01", 438, 0, 0, 0, kNone, kNone, kGroupHeader},
    {"IDS_MATRIX_SIZE", 73, 3, 32, 3},
    {"IDS_EFFECT_LEVEL", 74, 0, 1, 1},
};
// The one header declared with a range and default of its own. Low band first.
inline constexpr VariableRow kCompressorVars[] = {
    {"IDS_COMPRESS4", 514, 0, 1, 1, kNone, kNone, kGroupHeader},
    {"IDS_COMP4", 518, 0, 1, 0.25},
    {"IDS_COMP3", 517, 0, 1, 0.5},
    {"IDS_COMP2", 516, 0, 1, 0.75},
    {"IDS_COMP1", 515, 0, 1, 1},
};

// The 25 groups with every member they can have.
std::span<const std::span<const VariableRow>> Groups();
// The first catalogue row with this identifier (the plain one for the key
// colour channels); null when there is none.
const VariableRow* FindRow(std::string_view identifier);

}  // namespace catalogue

// A declaration list: pieces of rows, declared in order.
using DeclarationList = std::span<const std::span<const VariableRow>>;

int DeclareGroup(VariableTable& table, std::span<const VariableRow> rows);
int DeclareAll(VariableTable& table, DeclarationList list);

enum class ClipKind {
    kMediaWithVideo,     // a video or streamed source: has the time mapper
    kMediaWithoutVideo,  // audio only or a still picture
    kSubArrangement,     // 412
    kTextString,         // 172
    kGradient,           // 568
};
DeclarationList ClipDeclarations(ClipKind kind);

enum class EffectKind { kVideo, kAudio };
struct EffectRow {
    int type;  // the string id of the effect's name; also its item id
    std::string_view name;
    DeclarationList declarations;  // complete, common groups included
};
// Type 122 ("Plugin Effects") is listed for both kinds; its own variables
// come from the plugin (DeclarePluginParameters) after the common groups.
constexpr int kPluginEffectType = 122;
std::span<const EffectRow> VideoEffectRows();
std::span<const EffectRow> AudioEffectRows();
const EffectRow* FindEffectRow(EffectKind kind, int type);  // null: no such type
// Declares an effect type's whole list; false (and nothing declared) for an
// unknown type.
bool DeclareEffect(VariableTable& table, EffectKind kind, int type);

// One variable per entry, in array order: bit 0 declares a group header,
// bit 1 adds the switch flag; no colours. Entries without an identifier are
// skipped. Answers the number of entries declared.
int DeclarePluginParameters(VariableTable& table, std::span<const PluginParameter> parameters);
// Before every apply: each entry's current value from the variable of its
// identifier at the time, or its default when there is none.
void WritePluginValues(const VariableTable& table, std::int32_t time, std::span<PluginParameter> parameters);

}  // namespace vantrel
