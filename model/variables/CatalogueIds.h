#pragma once
#include <array>

namespace vantrel {

// The catalogue's rectangle and group ids that composition, the panels,
// the arrangement and the effects reach by id rather than by name. The
// values are string-table numbers and the catalogue's own rows list them,
// so they never change.
namespace catalogue_ids {

// Left, top, right, bottom in that order, as the panels and the handles
// read them.
using RectangleIds = std::array<int, 4>;

inline constexpr int kSourceLeft = 45, kSourceTop = 46, kSourceRight = 47, kSourceBottom = 48;
inline constexpr int kDestinationLeft = 49, kDestinationTop = 50, kDestinationRight = 51, kDestinationBottom = 52;
inline constexpr int kEffectLeft = 53, kEffectTop = 54, kEffectRight = 55, kEffectBottom = 56;

inline constexpr RectangleIds kSourceRect{kSourceLeft, kSourceTop, kSourceRight, kSourceBottom};
inline constexpr RectangleIds kDestinationRect{kDestinationLeft, kDestinationTop, kDestinationRight,
                                               kDestinationBottom};
inline constexpr RectangleIds kEffectRect{kEffectLeft, kEffectTop, kEffectRight, kEffectBottom};

// The captions of the rectangle groups and of the clip's own variables.
inline constexpr int kSourceRectCaption = 422;
inline constexpr int kDestinationRectCaption = 423;
inline constexpr int kEffectRectCaption = 424;
inline constexpr int kClipVariablesCaption = 425;

}  // namespace catalogue_ids
}  // namespace vantrel
