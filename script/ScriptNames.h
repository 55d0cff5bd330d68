#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "items/Control.h"

namespace vantrel {

// Scripts find objects by name through their host's ResolveName and act on
// them through RunCommand. The objects implement both; the shared parts of
// their rules live here so that every owner resolves and answers alike.

// The process-wide objects every owner can name: "prefs" and "help".
void SetScriptPreferences(Control* preferences);
Control* ScriptPreferences();
// Until the info browser installs itself, "help" reaches a recorder of the
// pages it was asked to show (PageRequestRecorder below).
void SetScriptHelp(Control* help);
Control* ScriptHelp();

// A page reference of the info browser's command: digits only, or "#" and
// digits, name a numbered page; anything else names a page file.
struct PageReference {
    bool numbered = false;
    int number = 0;
    std::string name;
    bool operator==(const PageReference&) const = default;
};
PageReference ParsePageReference(std::string_view text);

// Stands in for the info browser: answers its page command by writing down
// which page it would show.
class PageRequestRecorder final : public Control {
public:
    std::vector<PageReference> pages;
    bool RunCommand(const std::string& command, std::string& answer) override;
};

struct NamedVariable {
    std::string_view identifier;  // "IDS_SRC_L"
    int stringId = 0;
    Control* item = nullptr;
};

// What an owner of variables (a clip, the root, an effect) offers to the
// common resolution. Missing callbacks count as empty lists.
struct OwnerNames {
    Control* self = nullptr;
    Control* timeGrid = nullptr;  // "mt"; "mt.<rest>" asks its ResolveName
    std::size_t childCount = 0;
    std::function<Control*(std::size_t index)> child;
    std::size_t variableCount = 0;  // in declaration order
    std::function<NamedVariable(std::size_t index)> variable;
    std::function<Control*(std::string_view name)> table;  // the table's own items
};
// ".", "mt", "mt.", prefs, help, a child by id (with or without "#"), a
// variable by identifier, by identifier without "IDS_" or by string id, then
// the table.
Control* ResolveOwnerName(std::string_view name, const OwnerNames& owner);

// The root's names before the common ones. Missing objects let the name fall
// through to the common resolution.
struct RootNames {
    Control* self = nullptr;
    Control* ne = nullptr;
    Control* se = nullptr;
    Control* nw = nullptr;
    Control* sw = nullptr;
    Control* currentClip = nullptr;         // "cc."
    Control* currentVideoEffect = nullptr;  // "cv."
    Control* currentAudioEffect = nullptr;  // "ca."
    Control* firstRectanglePanel = nullptr;  // "r1.", only while active
    Control* secondRectanglePanel = nullptr; // "r2.", only while active
};
Control* ResolveRootName(std::string_view name, const RootNames& root, const OwnerNames& common);

// The time grid's own resolution: 336 .. 339, with or without "#", in
// that order in controls.
Control* ResolveTimeGridName(std::string_view rest, const std::array<Control*, 4>& controls);

struct RectanglePanelNames {
    Control* panel = nullptr;
    Control* options = nullptr;        // 375
    Control* nextKeyFrame = nullptr;   // 612
    Control* previousKeyFrame = nullptr;  // 613
    std::array<Control*, 4> edges{};   // l/left, t/top, r/right, b/bottom
    std::array<Control*, 4> points{};  // n/north, s/south, e/east, w/west
    std::array<Control*, 4> corners{}; // ne, nw, se, sw
};
// Anything unknown names the panel itself.
Control* ResolveRectanglePanelName(std::string_view rest, const RectanglePanelNames& panel);

// The time commands of every owner: GetTime, GetPosition, GetSize, GetOffset
// (one word each) and SetTime SECONDS, in seconds "%f". SetTime hands the
// item's SetGlobalTime the milliseconds plus the positions of the item and
// its ancestors below the root, and answers the time before.
bool RunOwnerTimeCommand(Item& item, std::int32_t ownerOffset, const std::string& command, std::string& answer);

// The preferences object's command: "get ShowStatusMessages" or
// "set ShowStatusMessages WORD"; answers the state before as "1" or "0".
bool RunStatusMessagesCommand(const std::string& command, bool& showStatusMessages, std::string& answer);

// Milliseconds shown to scripts as seconds.
std::string SecondsText(std::int32_t milliseconds);

}  // namespace vantrel
