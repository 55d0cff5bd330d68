#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

class Window;

// One setting as the preferences dialog edits it: a copy of the value,
// handed back changed when the user confirms.
struct SettingNode {
    enum class Kind : std::int32_t { Group = 1, Switch = 2, Number = 3, Colour = 4, Text = 6, FileName = 7 };
    Kind kind = Kind::Group;
    int id = 0;                // string id of the label
    std::string label;
    std::string filter;        // file names: "*.png;*.jpg;"
    int flags = 0;             // 1: emphasised; 4: labelled by its id (one of many texts)
    std::int32_t number = 0;   // switch 0/1, number, colour (-1: none)
    std::string text;          // text, file name
    std::vector<SettingNode> children;  // group
};

// The settings dialog, installed by the windowing side. Edit answers true
// when the user confirmed; only then are the nodes' values meant.
class SettingsEditor {
public:
    virtual ~SettingsEditor() = default;
    virtual bool Edit(Window* owner, const std::string& title, std::vector<SettingNode>& nodes) = 0;
};

}  // namespace vantrel
