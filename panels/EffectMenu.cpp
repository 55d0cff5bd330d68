#include "panels/EffectMenu.h"

#include <algorithm>
#include <memory>

#include "app/core/MenuList.h"

namespace vantrel {

std::vector<EffectCategory> VideoEffectCategories() {
    std::vector<EffectCategory> categories = {
        {105, {103, 106, 111, 300, 301}},
        {75, {28, 130, 29, 131, 546, 547, 30, 288, 548, 549, 31, 289, 247, 248, 181, 241, 244, 243}},
        {77, {78, 149, 72}},
        {251, {252, 253, 254, 255, 550, 551, 290, 291, 552, 553, 292, 293, 260, 261, 256, 257, 258, 259}},
        {442, {439, 440, 443, 449}},
        {271, {282, 266, 297, 419}},
    };
    // Keep only types the catalogue makes, and give the rest a place.
    for (EffectCategory& category : categories)
        std::erase_if(category.types, [](int type) { return !FindEffectRow(EffectKind::kVideo, type); });
    for (const EffectRow& row : VideoEffectRows()) {
        const bool listed = std::any_of(categories.begin(), categories.end(), [&](const EffectCategory& c) {
            return std::find(c.types.begin(), c.types.end(), row.type) != c.types.end();
        });
        if (!listed) categories.back().types.push_back(row.type);
    }
    return categories;
}

MenuList VideoEffectMenu() {
    MenuList menu;
    for (const EffectCategory& category : VideoEffectCategories()) {
        auto submenu = std::make_shared<MenuList>();
        for (int type : category.types) submenu->Add(type);
        menu.AddSubmenu(category.captionId, submenu);
    }
    return menu;
}

MenuList AudioEffectMenu() {
    MenuList menu;
    for (const EffectRow& row : AudioEffectRows()) menu.Add(row.type);
    return menu;
}

}  // namespace vantrel
