#include "editor/panels/ValueClipboard.h"

#include "model/variables/Variable.h"

namespace vantrel {

ValueClipboard& ValueClipboard::Instance() {
    static ValueClipboard clipboard;
    return clipboard;
}

std::string ValueClipboard::KeyOf(const Variable& variable) {
    // Ids and names cannot meet: identifiers never begin with "#".
    if (variable.DeclaredId() != 0) return "#" + std::to_string(variable.DeclaredId());
    return std::string(variable.Identifier());
}

std::optional<double> ValueClipboard::Find(const Variable& variable) const {
    const auto found = values_.find(KeyOf(variable));
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

}  // namespace vantrel
