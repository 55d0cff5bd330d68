#include "script/ScriptNames.h"

#include <algorithm>
#include <cmath>

#include "items/ProgramContext.h"
#include "script/Text.h"

namespace vantrel {

namespace {

constexpr std::size_t kMaxCommandWords = 64;
constexpr std::size_t kMaxSearchedChildren = 256;
constexpr std::array<int, 4> kTimeGridIds = {336, 337, 338, 339};

PageRequestRecorder& StandInBrowser() {
    static PageRequestRecorder recorder;
    return recorder;
}

bool IsAnyOf(std::string_view name, std::initializer_list<std::string_view> choices) {
    for (std::string_view choice : choices)
        if (EqualsNoCase(name, choice)) return true;
    return false;
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

void SetScriptPreferences(Control* preferences) { Context().preferences = preferences; }
Control* ScriptPreferences() { return Context().preferences; }
void SetScriptHelp(Control* help) { Context().infoBrowser = help; }
Control* ScriptHelp() { return Context().infoBrowser ? Context().infoBrowser : &StandInBrowser(); }

PageReference ParsePageReference(std::string_view text) {
    PageReference page;
    const std::string_view digits = !text.empty() && text.front() == '#' ? text.substr(1) : text;
    if (IsAllDigits(digits)) {
        long long number = 0;
        for (char c : digits) number = std::min<long long>(number * 10 + (c - '0'), 2147483647LL);
        page.numbered = true;
        page.number = int(number);
        return page;
    }
    page.name = std::string(text);
    return page;
}

bool PageRequestRecorder::RunCommand(const std::string& command, std::string&) {
    pages.push_back(ParsePageReference(command));
    return true;
}

Control* ResolveTimeGridName(std::string_view rest, const std::array<Control*, 4>& controls) {
    const auto number = ReadWholeNumber(rest, true);
    if (!number) return nullptr;
    for (std::size_t i = 0; i < kTimeGridIds.size(); ++i)
        if (*number == kTimeGridIds[i]) return controls[i];
    return nullptr;
}

Control* ResolveOwnerName(std::string_view name, const OwnerNames& owner) {
    if (name.empty()) return nullptr;
    if (name == ".") return owner.self;
    if (owner.timeGrid) {
        if (EqualsNoCase(name, "mt")) return owner.timeGrid;
        if (name.size() > 3 && StartsWithNoCase(name, "mt.")) return owner.timeGrid->ResolveName(std::string(name.substr(3)));
    }
    if (IsAnyOf(name, {"prefs", ".prefs", "*.prefs"})) return ScriptPreferences();
    if (IsAnyOf(name, {"help", ".help", "*.help"})) return ScriptHelp();
    if (const auto id = ReadWholeNumber(name, true); id && owner.child) {
        const std::size_t count = std::min(owner.childCount, kMaxSearchedChildren);
        for (std::size_t i = 0; i < count; ++i) {
            Control* c = owner.child(i);
            if (c && c->GetId() == *id) return c;
        }
    }
    if (owner.variable) {
        for (std::size_t i = 0; i < owner.variableCount; ++i) {
            const NamedVariable v = owner.variable(i);
            if (EqualsNoCase(name, v.identifier)) return v.item;
            if (StartsWithNoCase(v.identifier, "IDS_") && EqualsNoCase(name, v.identifier.substr(4))) return v.item;
        }
        if (const auto stringId = ReadWholeNumber(name, false)) {
            for (std::size_t i = 0; i < owner.variableCount; ++i) {
                const NamedVariable v = owner.variable(i);
                if (v.stringId == *stringId) return v.item;
            }
        }
    }
    return owner.table ? owner.table(name) : nullptr;
}

Control* ResolveRootName(std::string_view name, const RootNames& root, const OwnerNames& common) {
    if (name == "*") return root.self;
    if (EqualsNoCase(name, "ne")) return root.ne;
    if (EqualsNoCase(name, "se")) return root.se;
    if (EqualsNoCase(name, "nw")) return root.nw;
    if (EqualsNoCase(name, "sw")) return root.sw;
    const struct {
        std::string_view prefix;
        Control* target;
    } prefixed[] = {{"cc.", root.currentClip},
                    {"cv.", root.currentVideoEffect},
                    {"ca.", root.currentAudioEffect},
                    {"r1.", root.firstRectanglePanel},
                    {"r2.", root.secondRectanglePanel}};
    for (const auto& p : prefixed)
        if (p.target && StartsWithNoCase(name, p.prefix)) return p.target->ResolveName(std::string(name.substr(3)));
    return ResolveOwnerName(name, common);
}

Control* ResolveRectanglePanelName(std::string_view rest, const RectanglePanelNames& panel) {
    if (const auto number = ReadWholeNumber(rest, true)) {
        if (*number == 375) return panel.options;
        if (*number == 612) return panel.nextKeyFrame;
        if (*number == 613) return panel.previousKeyFrame;
    }
    const std::initializer_list<std::string_view> edges[] = {{"l", "left"}, {"t", "top"}, {"r", "right"}, {"b", "bottom"}};
    for (std::size_t i = 0; i < 4; ++i)
        if (IsAnyOf(rest, edges[i])) return panel.edges[i];
    const std::initializer_list<std::string_view> points[] = {{"n", "north"}, {"s", "south"}, {"e", "east"}, {"w", "west"}};
    for (std::size_t i = 0; i < 4; ++i)
        if (IsAnyOf(rest, points[i])) return panel.points[i];
    constexpr std::string_view corners[] = {"ne", "nw", "se", "sw"};
    for (std::size_t i = 0; i < 4; ++i)
        if (EqualsNoCase(rest, corners[i])) return panel.corners[i];
    return panel.panel;
}

std::string SecondsText(std::int32_t milliseconds) { return FormatFloat(double(milliseconds) / 1000.0); }

bool RunOwnerTimeCommand(Item& item, std::int32_t ownerOffset, const std::string& command, std::string& answer) {
    const std::vector<std::string_view> w = SplitWords(command, kMaxCommandWords);
    if (w.size() == 1) {
        if (EqualsNoCase(w[0], "GetTime")) return answer = SecondsText(item.Time()), true;
        if (EqualsNoCase(w[0], "GetPosition")) return answer = SecondsText(item.GetPosition()), true;
        if (EqualsNoCase(w[0], "GetSize")) return answer = SecondsText(item.GetSize()), true;
        if (EqualsNoCase(w[0], "GetOffset")) return answer = SecondsText(ownerOffset), true;
    } else if (w.size() == 2 && EqualsNoCase(w[0], "SetTime")) {
        const auto seconds = ReadFloat(w[1]);
        if (seconds) {
            // Saturate: a time beyond the 32-bit range has no millisecond.
            const double ms = std::trunc(double(*seconds) * 1000.0);
            long long target = std::isnan(ms) ? 0 : ms >= 2147483647.0 ? 2147483647LL
                                                   : ms <= -2147483648.0 ? -2147483648LL
                                                                         : (long long)ms;
            for (Item* i = &item; i && i->Parent(); i = i->Parent()) target += i->GetPosition();
            target = std::clamp<long long>(target, -2147483648LL, 2147483647LL);
            answer = SecondsText(item.Time());
            item.SetGlobalTime(std::int32_t(target));
            return true;
        }
    }
    answer.clear();
    return false;
}

bool RunStatusMessagesCommand(const std::string& command, bool& showStatusMessages, std::string& answer) {
    answer.clear();
    const std::vector<std::string_view> w = SplitWords(command, kMaxCommandWords);
    if (w.size() < 2 || !EqualsNoCase(w[1], "ShowStatusMessages")) return false;
    bool set = false;
    if (w.size() == 2) {
        if (!EqualsNoCase(w[0], "get")) return false;
    } else if (w.size() == 3) {
        if (!EqualsNoCase(w[0], "set")) return false;
        set = true;
    } else {
        if (EqualsNoCase(w[0], "set")) set = true;
        else if (!EqualsNoCase(w[0], "get")) return false;
    }
    answer.assign(1, showStatusMessages ? '1' : '0');
    if (set) showStatusMessages = IsAnyOf(w[2], {"true", "yes", "1"});
    return true;
}

}  // namespace vantrel
