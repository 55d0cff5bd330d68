#pragma once
#include <string>
#include <vector>

#include "platform/Menus.h"

namespace vantrel {

// What an entry of the arrangement's right-click menu stands for. The same
// number means different things by kind (a clip command, a root command,
// a locator index), so the kind travels with it instead of in high bits.
struct MenuAnswer {
    enum class Kind { None, RootCommand, ClipEntry, EnvelopeEntry, SetLocator, GotoLocator };
    Kind kind = Kind::None;
    int value = 0;  // the command id, or the locator's index
    friend bool operator==(const MenuAnswer&, const MenuAnswer&) = default;
};

// Builds a popup's entries and reads its choice back. Each entry gets the
// next command number from 1 (0 is the dismissed menu's answer), and the
// number only indexes the answers kept here.
class MenuAnswers {
public:
    MenuEntry Entry(MenuAnswer answer, std::string caption) {
        answers_.push_back(answer);
        return MenuCommand(int(answers_.size()), std::move(caption));
    }
    // Kind::None for a dismissed menu or a number this menu did not give.
    MenuAnswer Answer(int chosen) const {
        if (chosen < 1 || std::size_t(chosen) > answers_.size()) return {};
        return answers_[std::size_t(chosen) - 1];
    }

private:
    std::vector<MenuAnswer> answers_;
};

}  // namespace vantrel
