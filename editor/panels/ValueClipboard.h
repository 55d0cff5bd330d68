#pragma once
#include <map>
#include <optional>
#include <string>

namespace vantrel {

class Variable;

// Copied values, one per variable key, shared by every panel of the
// program: a value copied on one clip pastes onto the same variable of any
// other clip or effect.
class ValueClipboard {
public:
    static ValueClipboard& Instance();

    // The declared string id, or the identifier when the variable has none.
    static std::string KeyOf(const Variable& variable);

    void Store(const Variable& variable, double value) { values_[KeyOf(variable)] = value; }
    std::optional<double> Find(const Variable& variable) const;
    bool Holds(const Variable& variable) const { return Find(variable).has_value(); }
    void Clear() { values_.clear(); }

private:
    std::map<std::string, double> values_;
};

}  // namespace vantrel
