#pragma once
#include <string>
#include <string_view>

#include "items/Control.h"

namespace vantrel {

// What scripts reach under the name "prefs": one command that reads or
// sets whether status messages are shown.
class PreferencesObject : public Control {
public:
    // "get ShowStatusMessages" or "set ShowStatusMessages <on>": answers the
    // state before the command, "1" or "0".
    bool RunCommand(const std::string& command, std::string& answer) override;
};

// The process-wide preferences object.
PreferencesObject& PreferencesItem();
// "prefs", ".prefs" and "*.prefs", in any case.
bool IsPreferencesName(std::string_view name);

}  // namespace vantrel
