#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {

class Window;

// A platform-neutral popup menu: the caller builds it, the platform shows it
// at the pointer and answers the chosen command (0 when dismissed).
struct MenuEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    int command = 0;
    std::string caption;
    std::vector<MenuEntry> entries;  // of a submenu
    bool enabled = true;             // a greyed command cannot be chosen
};

inline MenuEntry MenuCommand(int command, std::string caption) {
    return {MenuEntry::Kind::Command, command, std::move(caption), {}, true};
}
inline MenuEntry MenuCommand(int command, std::string caption, bool enabled) {
    return {MenuEntry::Kind::Command, command, std::move(caption), {}, enabled};
}
inline MenuEntry MenuSeparator() { return {MenuEntry::Kind::Separator, 0, {}, {}, true}; }
inline MenuEntry MenuSubmenu(std::string caption, std::vector<MenuEntry> entries) {
    return {MenuEntry::Kind::Submenu, 0, std::move(caption), std::move(entries), true};
}

// The main window's menu bar: a Submenu entry per menu. The window asks for
// the entries whenever it opens a menu, so that captions and greying are
// those of the moment, and hands the chosen command to `chosen`.
class MenuBar {
public:
    virtual ~MenuBar() = default;
    // Empty functions take the bar away.
    virtual void SetMenuBar(std::function<std::vector<MenuEntry>()> entries, std::function<void(int command)> chosen) = 0;
    // The menus' own titles again from the entries (a language change);
    // their contents are read as they open anyway.
    virtual void RefreshMenuTitles() {}
};

class Menus {
public:
    virtual ~Menus() = default;
    virtual int ShowPopup(Window* owner, const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace vantrel
