#pragma once
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Menus.h"

namespace vantrel {

class Window;

// Menus built from string ids: the id is both the caption and the command.
class MenuList {
public:
    static constexpr int kMaxEntries = 256;
    static constexpr int kSeparator = -1;
    static constexpr int kCaptionedSubmenu = -2;

    void Clear();
    bool Add(int id);
    bool AddSeparator();
    // The caption is the text of id; the entries are the submenu's.
    bool AddSubmenu(int id, std::shared_ptr<MenuList> submenu);
    int Count() const { return int(ids_.size()); }
    int IdAt(int i) const { return ids_[std::size_t(i)]; }

    // The platform menu, or nothing when no command or submenu survives.
    std::optional<std::vector<MenuEntry>> Build() const;
    // The chosen id, 0 when dismissed or when there is no menu.
    int Show(Window* owner) const;

private:
    bool Append(int id, std::shared_ptr<MenuList> submenu, std::optional<std::string> caption);

    std::vector<int> ids_;
    std::vector<std::shared_ptr<MenuList>> submenus_;
    std::vector<std::optional<std::string>> captions_;
};

// Entries from ids ended by 0; -1 is a separator.
int ShowIdMenu(Window* owner, std::span<const int> ids);
// Entry i carries command i + 1; the answer is the chosen index.
std::optional<int> ShowTextMenu(Window* owner, std::span<const std::string> texts);

}  // namespace vantrel
