#pragma once
#include <memory>
#include <span>
#include <string_view>

#include "effects/Effect.h"

namespace vantrel {

// The one list of effect types: per type its name's string id (the type),
// its name, its declarations (from the variable catalogue) and its
// processing. An unknown type, or a type of the other kind, makes nothing.
// Type 122 ("Plugin Effects") made here has no plugin until a record naming
// one is loaded into it (or it is made with CreatePlugin*Effect).
std::unique_ptr<VideoEffect> CreateVideoEffect(int type, const EffectContext& context = {});
std::unique_ptr<AudioEffect> CreateAudioEffect(int type, const EffectContext& context = {});

// Every type each kind can make, in the order of the lists' rows (122 included).
std::span<const int> VideoEffectTypes();
std::span<const int> AudioEffectTypes();
// The effect's name as the system spells it; empty for an unknown type.
std::string_view EffectName(Effect::Kind kind, int type);

// A "Plugin Effects" effect over entry `index` of the video or audio plugin
// table: it declares the plugin's parameters and remembers the plugin by
// library name in its saved record. Nothing when the index is out of range
// or the plugin makes no object.
std::unique_ptr<VideoEffect> CreatePluginVideoEffect(const PluginTables& plugins, int index);
std::unique_ptr<AudioEffect> CreatePluginAudioEffect(const PluginTables& plugins, int index);

// "Extra Output": the composition blends the effect's mapped picture into
// the parent by these fractions ("IDS_DST_L", "IDS_DST_T", "IDS_DST_R",
// "IDS_DST_B" at the effect's current time) instead of passing it on.
constexpr int kExtraOutputType = 182;
struct FractionRect {
    double left = 0, top = 0, right = 1, bottom = 1;
};
FractionRect ExtraOutputDestination(Effect& extraOutput);

}  // namespace vantrel
