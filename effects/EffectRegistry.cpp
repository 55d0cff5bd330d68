#include "effects/EffectRegistry.h"

#include "effects/Families.h"
#include "model/variables/Catalogue.h"

namespace vantrel {

namespace {

struct VideoRow {
    int type;
    VideoMaker make;
};
struct AudioRow {
    int type;
    AudioMaker make;
};

// The one list of video effect types. Declarations come from the variable
// catalogue by the same type, names too.
constexpr VideoRow kVideoEffects[] = {
    {28, MakeColourKey},       {130, MakeColourKey},      {29, MakeColourKey},       {131, MakeColourKey},
    {30, MakeColourKey},       {288, MakeColourKey},      {546, MakeColourKey},      {547, MakeColourKey},
    {548, MakeColourKey},      {549, MakeColourKey},      {31, MakeColourKey},       {289, MakeColourKey},
    {181, MakeShapeMask},      {241, MakeShapeMask},      {243, MakeShapeMask},      {244, MakeShapeMask},
    {247, MakeShapeMask},      {248, MakeShapeMask},      {252, MakeMaskedAdjuster}, {253, MakeMaskedAdjuster},
    {254, MakeMaskedAdjuster}, {255, MakeMaskedAdjuster}, {290, MakeMaskedAdjuster}, {291, MakeMaskedAdjuster},
    {550, MakeMaskedAdjuster}, {551, MakeMaskedAdjuster}, {552, MakeMaskedAdjuster}, {553, MakeMaskedAdjuster},
    {292, MakeMaskedAdjuster}, {293, MakeMaskedAdjuster}, {256, MakeMaskedAdjuster}, {257, MakeMaskedAdjuster},
    {258, MakeMaskedAdjuster}, {259, MakeMaskedAdjuster}, {260, MakeMaskedAdjuster}, {261, MakeMaskedAdjuster},
    {103, MakeOpacity},        {106, MakeAdjuster},       {111, MakeMapper},         {182, MakeMapper},
    {300, MakeMirror},         {301, MakeMirror},         {266, MakeRotator},        {297, MakeSquareRoot},
    {439, MakeBlendLoop},      {440, MakeBlendLoop},      {443, MakeRotateAxis},     {449, MakeRotateAxis},
    {419, MakeBubble},         {149, MakeMatrixFilter},   {72, MakeMatrixFilter},    {78, MakeMatrixFilter},
    {679, MakeFrameStyle},     {676, MakeSinkShadow},     {282, MakeWipe},           {kPluginEffectType, MakePluginVideo},
};

constexpr AudioRow kAudioEffects[] = {
    {142, MakeVolumePan},
    {514, MakeCompressor},
    {kPluginEffectType, MakePluginAudio},
};

template <std::size_t N, class Row>
constexpr std::array<int, N> TypesOf(const Row (&rows)[N]) {
    std::array<int, N> types{};
    for (std::size_t i = 0; i < N; ++i) types[i] = rows[i].type;
    return types;
}
constexpr auto kVideoTypes = TypesOf(kVideoEffects);
constexpr auto kAudioTypes = TypesOf(kAudioEffects);

template <class Effect, class Rows>
std::unique_ptr<Effect> Create(const Rows& rows, EffectKind kind, int type, const EffectContext& context) {
    if (!FindEffectRow(kind, type)) return nullptr;
    for (const auto& row : rows) {
        if (row.type != type) continue;
        std::unique_ptr<Effect> effect = row.make(type, context);
        if (effect) DeclareEffect(effect->Table(), kind, type);
        return effect;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<VideoEffect> CreateVideoEffect(int type, const EffectContext& context) {
    return Create<VideoEffect>(kVideoEffects, EffectKind::kVideo, type, context);
}

std::unique_ptr<AudioEffect> CreateAudioEffect(int type, const EffectContext& context) {
    return Create<AudioEffect>(kAudioEffects, EffectKind::kAudio, type, context);
}

std::span<const int> VideoEffectTypes() { return kVideoTypes; }
std::span<const int> AudioEffectTypes() { return kAudioTypes; }

std::string_view EffectName(Effect::Kind kind, int type) {
    const EffectRow* entry = FindEffectRow(kind == Effect::Kind::kVideo ? EffectKind::kVideo : EffectKind::kAudio, type);
    return entry ? entry->name : std::string_view{};
}

std::unique_ptr<VideoEffect> CreatePluginVideoEffect(const PluginTables& plugins, int index) {
    auto effect = CreateVideoEffect(kPluginEffectType, EffectContext{&plugins});
    if (!effect || !BindPluginEffect(*effect, index)) return nullptr;
    return effect;
}

std::unique_ptr<AudioEffect> CreatePluginAudioEffect(const PluginTables& plugins, int index) {
    auto effect = CreateAudioEffect(kPluginEffectType, EffectContext{&plugins});
    if (!effect || !BindPluginEffect(*effect, index)) return nullptr;
    return effect;
}

}  // namespace vantrel
