#include "editor/panels/EffectMenu.h"

#include <algorithm>
#include <memory>

#include "items/MenuList.h"
#include "model/variables/EffectCategories.h"

namespace vantrel {

std::vector<EffectCategory> VideoEffectCategories() {
    std::vector<EffectCategory> categories;
    for (const EffectCategoryList& list : kVideoEffectCategories)
        categories.push_back({list.captionId, {list.types.begin(), list.types.end()}});
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
