#include "items/MenuList.h"

#include "items/StringTable.h"
#include "platform/Platform.h"

namespace vantrel {

void MenuList::Clear() {
    ids_.clear();
    submenus_.clear();
    captions_.clear();
}

bool MenuList::Append(int id, std::shared_ptr<MenuList> submenu, std::optional<std::string> caption) {
    if (Count() >= kMaxEntries) return false;
    ids_.push_back(id);
    submenus_.push_back(std::move(submenu));
    captions_.push_back(std::move(caption));
    return true;
}

bool MenuList::Add(int id) { return Append(id, nullptr, std::nullopt); }

bool MenuList::AddSeparator() {
    if (ids_.empty() || ids_.back() == kSeparator) return false;
    return Append(kSeparator, nullptr, std::nullopt);
}

bool MenuList::AddSubmenu(int id, std::shared_ptr<MenuList> submenu) {
    return Append(kCaptionedSubmenu, std::move(submenu), Str(id));
}

std::optional<std::vector<MenuEntry>> MenuList::Build() const {
    if (ids_.empty()) return std::nullopt;
    std::vector<MenuEntry> entries;
    bool anyItem = false;
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        const int id = ids_[i];
        if (submenus_[i]) {
            auto sub = submenus_[i]->Build();
            if (!sub) continue;  // a submenu with nothing in it is left out
            entries.push_back(MenuSubmenu(id == kCaptionedSubmenu && captions_[i] ? *captions_[i] : Str(id), std::move(*sub)));
            anyItem = true;
        } else if (id == kSeparator) {
            entries.push_back(MenuSeparator());
        } else if (id != kCaptionedSubmenu) {
            entries.push_back(MenuCommand(id, Str(id)));
            anyItem = true;
        }
    }
    if (!anyItem) return std::nullopt;
    return entries;
}

int MenuList::Show(Window* owner) const {
    auto entries = Build();
    if (!entries) return 0;
    return Platform().menus->ShowPopup(owner, *entries);
}

int ShowIdMenu(Window* owner, std::span<const int> ids) {
    MenuList list;
    for (int id : ids) {
        if (id == 0) break;
        const bool added = id == MenuList::kSeparator ? (list.AddSeparator(), true) : list.Add(id);
        if (!added) return 0;
    }
    return list.Show(owner);
}

std::optional<int> ShowTextMenu(Window* owner, std::span<const std::string> texts) {
    std::vector<MenuEntry> entries;
    for (std::size_t i = 0; i < texts.size(); ++i)
        entries.push_back(MenuCommand(int(i) + 1, texts[i]));
    if (entries.empty()) return std::nullopt;
    const int chosen = Platform().menus->ShowPopup(owner, entries);
    if (chosen <= 0) return std::nullopt;
    return chosen - 1;
}

}  // namespace vantrel
