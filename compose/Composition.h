#pragma once
#include <cstdint>

#include "values/Surface.h"

namespace vantrel {

class Clip;
class PluginTables;

// Flags of a compose: the preview marks the current child's path with bit 0
// (it also fills the detail view), Make composes with 2.
constexpr int kComposePreview = 1;
constexpr int kComposeMake = 2;

// Composes the arrangement at its current time into its surface 0. The
// arrangement's surfaces are made at its output size when missing. False
// when the clip is no arrangement or its surfaces cannot be made.
bool Compose(Clip& arrangement, int flags);

// Surface 0 (the finished frame) and surface 1 (the detail view of the
// current child) of an arrangement; null before its surfaces exist.
Surface* FinishedFrame(const Clip& arrangement);
Surface* DetailView(const Clip& arrangement);
// Any of the six, for Make and tests.
Surface* CompositionSurface(const Clip& arrangement, int index);

// Installs what the clip tree needs from this library: the arrangement
// surface hooks, the effect maker (the effect registry, with plugin effects
// from `plugins` when given) and the picture generators of text and
// gradient clips.
void InstallCompositionParts(const PluginTables* plugins = nullptr);

}  // namespace vantrel
