#pragma once
#include <array>
#include <span>

namespace vantrel {

// The video effects' categories in menu order: each caption's string id and
// the types it holds. The effect menu and the help's topic lists read the
// same table, so a type moved between categories moves in both.
struct EffectCategoryList {
    int captionId;
    std::span<const int> types;
};

namespace effect_category_members {
inline constexpr int kBasicEffects[] = {103, 106, 111, 300, 301};
inline constexpr int kKeyEffects[] = {28, 130, 29, 131, 546, 547, 30, 288, 548, 549, 31, 289, 247, 248, 181, 241, 244, 243};
inline constexpr int kConvolutionFilters[] = {78, 149, 72};
inline constexpr int kAdjustWith[] = {252, 253, 254, 255, 550, 551, 290, 291, 552, 553, 292, 293, 260, 261, 256, 257, 258, 259};
inline constexpr int kPatternsAndLoops[] = {439, 440, 443, 449};
inline constexpr int kOthers[] = {282, 266, 297, 419};
}  // namespace effect_category_members

inline constexpr std::array<EffectCategoryList, 6> kVideoEffectCategories = {{
    {105, effect_category_members::kBasicEffects},
    {75, effect_category_members::kKeyEffects},
    {77, effect_category_members::kConvolutionFilters},
    {251, effect_category_members::kAdjustWith},
    {442, effect_category_members::kPatternsAndLoops},
    {271, effect_category_members::kOthers},
}};

}  // namespace vantrel
