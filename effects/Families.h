#pragma once
// The makers of each effect family, for the registry's table. Each family
// lives in its own file and picks its mode from the type it is handed.
#include <memory>

#include "effects/Effect.h"

namespace vantrel {

using VideoMaker = std::unique_ptr<VideoEffect> (*)(int type, const EffectContext& context);
using AudioMaker = std::unique_ptr<AudioEffect> (*)(int type, const EffectContext& context);

std::unique_ptr<VideoEffect> MakeColourKey(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeShapeMask(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeMaskedAdjuster(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeOpacity(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeAdjuster(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeMapper(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeMirror(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeRotator(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeSquareRoot(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeBlendLoop(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeRotateAxis(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeBubble(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeMatrixFilter(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeFrameStyle(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeSinkShadow(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakeWipe(int type, const EffectContext&);
std::unique_ptr<VideoEffect> MakePluginVideo(int type, const EffectContext&);

std::unique_ptr<AudioEffect> MakeVolumePan(int type, const EffectContext&);
std::unique_ptr<AudioEffect> MakeCompressor(int type, const EffectContext&);
std::unique_ptr<AudioEffect> MakePluginAudio(int type, const EffectContext&);

// Binds a plugin effect made by MakePlugin* to entry `index` of its table
// and declares the plugin's parameters; false when there is no such entry.
bool BindPluginEffect(Effect& effect, int index);

}  // namespace vantrel
