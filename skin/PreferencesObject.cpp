#include "skin/PreferencesObject.h"

#include <vector>

#include "skin/IniFile.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    const char* spaces = " \t\r\n\f\v";
    std::size_t pos = text.find_first_not_of(spaces);
    while (pos != std::string_view::npos) {
        std::size_t end = text.find_first_of(spaces, pos);
        words.push_back(text.substr(pos, end == std::string_view::npos ? text.npos : end - pos));
        pos = end == std::string_view::npos ? end : text.find_first_not_of(spaces, end);
    }
    return words;
}

}  // namespace

bool PreferencesObject::RunCommand(const std::string& command, std::string& answer) {
    answer.clear();
    const auto words = Words(command);
    if (words.size() < 2 || !EqualsNoCase(words[1], "ShowStatusMessages")) return false;
    const bool get = EqualsNoCase(words[0], "get"), set = EqualsNoCase(words[0], "set");
    if (words.size() == 2 ? !get : words.size() == 3 ? !set : !(get || set)) return false;
    std::uint8_t& shown = SettingsStore::Instance().Prefs().showStatusMessages;
    answer.assign(1, shown ? '1' : '0');
    if (set) {
        const std::string_view value = words[2];
        shown = EqualsNoCase(value, "true") || EqualsNoCase(value, "yes") || value == "1";
    }
    return true;
}

PreferencesObject& PreferencesItem() {
    static PreferencesObject prefs;
    return prefs;
}

bool IsPreferencesName(std::string_view name) {
    return EqualsNoCase(name, "prefs") || EqualsNoCase(name, ".prefs") || EqualsNoCase(name, "*.prefs");
}

}  // namespace vantrel
