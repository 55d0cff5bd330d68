#include "model/clips/Clip.h"

namespace vantrel {

OwnerNames Clip::ScriptNames() {
    OwnerNames names;
    names.self = this;
    names.timeGrid = &grid_;
    names.childCount = children_.size();
    names.child = [this](std::size_t index) -> Control* { return children_[index].get(); };
    names.variableCount = std::size_t(table_.Count());
    names.variable = [this](std::size_t index) {
        Variable& variable = table_.At(int(index));
        return NamedVariable{variable.Identifier(), variable.DeclaredId(), &variable};
    };
    names.table = [this](std::string_view name) { return table_.ResolveName(std::string(name)); };
    return names;
}

Control* Clip::ResolveName(const std::string& name) { return ResolveOwnerName(name, ScriptNames()); }

bool Clip::RunCommand(const std::string& command, std::string& answer) {
    if (RunOwnerTimeCommand(*this, offset_, command, answer)) return true;
    return VariableOwner::RunCommand(command, answer);
}

}  // namespace vantrel
