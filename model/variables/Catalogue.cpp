#include "model/variables/Catalogue.h"

#include <cmath>
#include <cstring>

namespace vantrel {

namespace catalogue {
namespace {

using Rows = std::span<const VariableRow>;

// Members of the effect variables group, by position in kEffectVars; each
// effect takes a run of consecutive ones.
constexpr Rows EffectVars(std::size_t first, std::size_t count) { return Rows(kEffectVars).subspan(first, count); }
constexpr Rows kOpacityVar = EffectVars(0, 1);
constexpr Rows kShadowSize = EffectVars(1, 1);
constexpr Rows kFrameVars = EffectVars(2, 2);
constexpr Rows kWipeVars = EffectVars(4, 3);
constexpr Rows kRotatorVars = EffectVars(7, 4);
constexpr Rows kDistortVars = EffectVars(11, 2);
constexpr Rows kPatternDisplacement = EffectVars(13, 1);
constexpr Rows kBrightnessVars = EffectVars(14, 2);
constexpr Rows kVolumePanVars = EffectVars(16, 2);
// The Bubble takes the plain key colour channels.
constexpr Rows kBubbleColour = Rows(kRgbKeyVars).subspan(1, 3);

// The full group of effect variables for the list of groups.
constexpr VariableRow kEffectVarsGroup[] = {
    kEffectVarsHeader[0], kEffectVars[0],  kEffectVars[1],  kEffectVars[2],  kEffectVars[3],
    kEffectVars[4],       kEffectVars[5],  kEffectVars[6],  kEffectVars[7],  kEffectVars[8],
    kEffectVars[9],       kEffectVars[10], kEffectVars[11], kEffectVars[12], kEffectVars[13],
    kEffectVars[14],      kEffectVars[15], kEffectVars[16], kEffectVars[17],
};
constexpr VariableRow kClipVarsGroup[] = {kClipVarsHeader[0], kClipTimeMapper[0], kStartOpacity[0]};

constexpr Rows kGroups[] = {
    kSourceRect,    kDestinationRect,  kClipVarsGroup,    kForegroundColour, kBackgroundColour,
    kFontVars,      kShadowVars,       kLeftTopColour,    kLeftBottomColour, kRightTopColour,
    kRightBottomColour, kEffectRect,   kEffectSwitches,   kEffectVarsGroup,  kAdjusterVars,
    kMapperVars,    kRadii,            kSizes,            kFrameColour,      kRotateX,
    kRotateY,       kRgbKeyVars,       kChromaKeyVars,    kMatrixVars,       kCompressorVars,
};
static_assert(std::size(kGroups) == 25);

}  // namespace

std::span<const std::span<const VariableRow>> Groups() { return kGroups; }

const VariableRow* FindRow(std::string_view identifier) {
    for (Rows group : kGroups)
        for (const VariableRow& row : group)
            if (SameName(row.identifier, identifier)) return &row;
    return nullptr;
}

}  // namespace catalogue

namespace {

using namespace catalogue;
using Rows = std::span<const VariableRow>;

constexpr Rows kMediaWithVideo[] = {kSourceRect, kDestinationRect, kClipVarsHeader, kClipTimeMapper, kStartOpacity};
constexpr Rows kMediaWithoutVideo[] = {kSourceRect, kDestinationRect, kClipVarsHeader, kStartOpacity};
constexpr Rows kSubArrangement[] = {kSourceRect, kDestinationRect, kClipVarsHeader, kClipTimeMapper};
constexpr Rows kTextString[] = {kSourceRect,       kDestinationRect,  kClipVarsHeader, kTextStartOpacity,
                                kShadowVars,       kForegroundColour, kBackgroundColour, kFontVars};
constexpr Rows kGradient[] = {kSourceRect,       kDestinationRect, kLeftTopColour,
                              kLeftBottomColour, kRightTopColour,  kRightBottomColour};

// Video effects: the effect rectangle, the switches, then their own.
constexpr Rows kRgbKey[] = {kEffectRect, kEffectSwitches, kRgbKeyVars};
constexpr Rows kRgbKeyColour[] = {kEffectRect, kEffectSwitches, kRgbKeyVars, kAdjusterVars};
constexpr Rows kChromaKey[] = {kEffectRect, kEffectSwitches, kChromaKeyVars};
constexpr Rows kChromaKeyColour[] = {kEffectRect, kEffectSwitches, kChromaKeyVars, kAdjusterVars};
constexpr Rows kLumaKey[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kBrightnessVars};
constexpr Rows kLumaKeyColour[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kBrightnessVars, kAdjusterVars};
constexpr Rows kRadiiKey[] = {kEffectRect, kEffectSwitches, kRadii};
constexpr Rows kSizesKey[] = {kEffectRect, kEffectSwitches, kSizes};
constexpr Rows kRadiiAdjust[] = {kEffectRect, kEffectSwitches, kRadii, kAdjusterVars};
constexpr Rows kSizesAdjust[] = {kEffectRect, kEffectSwitches, kSizes, kAdjusterVars};
constexpr Rows kOpacity[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kOpacityVar};
constexpr Rows kAdjuster[] = {kEffectRect, kEffectSwitches, kAdjusterVars};
constexpr Rows kMapper[] = {kEffectRect, kEffectSwitches, kMapperVars};
constexpr Rows kExtraOutput[] = {kEffectRect, kEffectSwitches, kMapperVars, kDestinationRect};
// The matrix filters put their own group before the switches.
constexpr Rows kMatrix[] = {kEffectRect, kMatrixVars, kEffectSwitches};
constexpr Rows kRotator[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kRotatorVars};
constexpr Rows kWipe[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kWipeVars};
constexpr Rows kSquareRoot[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kDistortVars};
constexpr Rows kCommonVideo[] = {kEffectRect, kEffectSwitches};
constexpr Rows kBubble[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kBubbleColour};
constexpr Rows kBlendLoop[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kPatternDisplacement};
constexpr Rows kRotateXList[] = {kEffectRect, kEffectSwitches, kRotateX};
constexpr Rows kRotateYList[] = {kEffectRect, kEffectSwitches, kRotateY};
constexpr Rows kSinkShadow[] = {kEffectRect, kEffectSwitches, kEffectVarsHeader, kShadowSize};
constexpr Rows kFrameStyle[] = {kEffectRect, kEffectSwitches, kFrameColour, kEffectVarsHeader, kFrameVars};

// Audio effects have no rectangle.
constexpr Rows kVolumePan[] = {kEffectSwitches, kEffectVarsHeader, kVolumePanVars};
constexpr Rows kCompressor[] = {kEffectSwitches, kCompressorVars};
constexpr Rows kCommonAudio[] = {kEffectSwitches};

constexpr EffectRow kVideoEffects[] = {
    {28, "RGB Key", kRgbKey},
    {130, "RGB Key Inverted", kRgbKey},
    {252, "RGB Key Color", kRgbKeyColour},
    {253, "RGB Key Color Excluded", kRgbKeyColour},
    {29, "Chroma Key", kChromaKey},
    {131, "Chroma Key Inverted", kChromaKey},
    {254, "Chroma Key Color", kChromaKeyColour},
    {255, "Chroma Key Color Excluded", kChromaKeyColour},
    {30, "Green Key", kLumaKey},
    {288, "Green Key Inverted", kLumaKey},
    {546, "Red Key", kLumaKey},
    {547, "Red Key Inverted", kLumaKey},
    {548, "Blue Key", kLumaKey},
    {549, "Blue Key Inverted", kLumaKey},
    {31, "Brightness Key", kLumaKey},
    {289, "Brightness Key Inverted", kLumaKey},
    {290, "Green Color Key", kLumaKeyColour},
    {291, "Green Color Excluded", kLumaKeyColour},
    {550, "Red Color Key", kLumaKeyColour},
    {551, "Red Color Excluded Key", kLumaKeyColour},
    {552, "Blue Color Key", kLumaKeyColour},
    {553, "Blue Color Excluded Key", kLumaKeyColour},
    {292, "Brightness Key", kLumaKeyColour},
    {293, "Brightness Key Inverted", kLumaKeyColour},
    {181, "Circle Key", kRadiiKey},
    {241, "Circle Key Inside", kRadiiKey},
    {243, "Oval Key Inside", kRadiiKey},
    {244, "Oval Key Outside", kRadiiKey},
    {247, "Rectangle Key Outside", kSizesKey},
    {248, "Rectangle Key Inside", kSizesKey},
    {256, "Circle Inside", kRadiiAdjust},
    {257, "Circle Outside", kRadiiAdjust},
    {258, "Oval Inside", kRadiiAdjust},
    {259, "Oval Outside", kRadiiAdjust},
    {260, "Rectangle Inside", kSizesAdjust},
    {261, "Rectangle Outside", kSizesAdjust},
    {103, "Opacity", kOpacity},
    {106, "Adjuster", kAdjuster},
    {111, "Mapper", kMapper},
    {182, "Extra Output", kExtraOutput},
    {72, "Edge Detect", kMatrix},
    {78, "Key Smoother", kMatrix},
    {149, "Blur", kMatrix},
    {266, "Rotator", kRotator},
    {282, "Wipe", kWipe},
    {297, "Square Root", kSquareRoot},
    {300, "Left Side Right", kCommonVideo},
    {301, "Up Side Down", kCommonVideo},
    {419, "Bubble", kBubble},
    {439, "Blend Loop Horizontal", kBlendLoop},
    {440, "Blend Loop Vertical", kBlendLoop},
    {443, "Rotate X", kRotateXList},
    {449, "Rotate Y", kRotateYList},
    {676, "Top-Left Sink Shadow", kSinkShadow},
    {679, "Frame Style 1", kFrameStyle},
    {kPluginEffectType, "Plugin Effects", kCommonVideo},
};

constexpr EffectRow kAudioEffects[] = {
    {142, "Volume/Pan", kVolumePan},
    {514, "4-Band Compressor / Expander", kCompressor},
    {kPluginEffectType, "Plugin Effects", kCommonAudio},
};

}  // namespace

int DeclareGroup(VariableTable& table, std::span<const VariableRow> rows) {
    for (const VariableRow& row : rows) table.Declare(row);
    return 1;
}

int DeclareAll(VariableTable& table, DeclarationList list) {
    for (Rows rows : list) DeclareGroup(table, rows);
    return 1;
}

DeclarationList ClipDeclarations(ClipKind kind) {
    switch (kind) {
        case ClipKind::kMediaWithVideo: return kMediaWithVideo;
        case ClipKind::kMediaWithoutVideo: return kMediaWithoutVideo;
        case ClipKind::kSubArrangement: return kSubArrangement;
        case ClipKind::kTextString: return kTextString;
        case ClipKind::kGradient: return kGradient;
    }
    return {};
}

std::span<const EffectRow> VideoEffectRows() { return kVideoEffects; }
std::span<const EffectRow> AudioEffectRows() { return kAudioEffects; }

const EffectRow* FindEffectRow(EffectKind kind, int type) {
    for (const EffectRow& entry : kind == EffectKind::kVideo ? VideoEffectRows() : AudioEffectRows())
        if (entry.type == type) return &entry;
    return nullptr;
}

bool DeclareEffect(VariableTable& table, EffectKind kind, int type) {
    const EffectRow* entry = FindEffectRow(kind, type);
    if (!entry) return false;
    DeclareAll(table, entry->declarations);
    return true;
}

int DeclarePluginParameters(VariableTable& table, std::span<const PluginParameter> parameters) {
    int declared = 0;
    for (const PluginParameter& parameter : parameters) {
        if (!parameter.identifier) continue;
        const std::string_view identifier(parameter.identifier,
                                          strnlen(parameter.identifier, VariableBlock::kIdentifierSize - 1));
        VariableFlags flags = 0;
        if (parameter.flags & PluginParameter::kGroupHeaderBit) flags = kGroupHeader;
        if (parameter.flags & PluginParameter::kSwitchBit) flags |= kSwitch;
        // The numbers come from outside the program: a NaN would pass every
        // clamp and reach the effect's arithmetic.
        auto number = [](double value) { return std::isnan(value) ? 0.0 : value; };
        table.Declare(identifier, parameter.stringId, number(parameter.minimum), number(parameter.maximum),
                      number(parameter.initial), kNoColour, kNoColour, flags);
        ++declared;
    }
    return declared;
}

void WritePluginValues(const VariableTable& table, std::int32_t time, std::span<PluginParameter> parameters) {
    for (PluginParameter& parameter : parameters) {
        const Variable* variable = nullptr;
        if (parameter.identifier)
            variable = table.ByName(
                std::string_view(parameter.identifier, strnlen(parameter.identifier, VariableBlock::kIdentifierSize - 1)));
        parameter.current = variable ? variable->ValueAt(time) : parameter.initial;
    }
}

}  // namespace vantrel
