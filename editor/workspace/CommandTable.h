#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "items/ResultFlags.h"
#include "editor/workspace/EditorIds.h"

namespace vantrel {

class Window;
class Workspace;

// One row per command of the root. The command number is also the string
// id of its caption, so a skin or a language replaces the caption of the
// button, the menu entry and the hover text at once. A button's click, a
// menu choice, a key and a script's "Command" all come here.
struct CommandRow {
    int id;
    // The page F1 opens over the command's control; 0: the page of the id.
    int helpTopic;
    // Whether the command is offered now; null: always.
    bool (*offered)(const Workspace& root);
    ResultFlags (*run)(Workspace& root, Window* window);
    // The keys that run it (a virtual key with the kKeyWith... bits of its
    // modifiers); 0: none.
    std::uint32_t key = 0, otherKey = 0;
    // Its menu in the menu bar (a BarMenu; 0: none) and its place there;
    // places in different tens have a separator between them.
    int barMenu = 0, barPlace = 0;
};

// A key let go while K is held: K+J and K+L step a frame.
constexpr std::uint32_t kKeyWhileKHeld = 0x40000;

std::span<const CommandRow> RootCommandRows();
// Null when the root has no such command.
const CommandRow* FindRootCommand(int id);
int HelpTopicOf(const CommandRow& row);
// The caption from the skinnable texts.
const std::string& CaptionOf(const CommandRow& row);
bool IsOffered(const CommandRow& row, const Workspace& root);
// The row a key runs (with its modifier bits); null: none.
const CommandRow* FindKeyCommand(std::uint32_t key);
// "Ctrl+Shift+S", "Space", "K+L"; empty for 0.
std::string KeyName(std::uint32_t key);

}  // namespace vantrel
