#pragma once
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
};

std::span<const CommandRow> RootCommandRows();
// Null when the root has no such command.
const CommandRow* FindRootCommand(int id);
int HelpTopicOf(const CommandRow& row);
// The caption from the skinnable texts.
const std::string& CaptionOf(const CommandRow& row);
bool IsOffered(const CommandRow& row, const Workspace& root);

}  // namespace vantrel
