#pragma once
// A small tree of scriptable objects built the way the editor's owners use
// the shared resolution: a root with clips, variables, a preferences object
// and a recording target.
#include <memory>
#include <string>
#include <vector>

#include "items/Control.h"
#include "script/ScriptNames.h"
#include "script/Text.h"

namespace vantrel::test {

// A keyed value answering GetValue and SetValue NUMBER (old value back).
class FakeVariable final : public Control {
public:
    FakeVariable(std::string identifier, int stringId, double value)
        : identifier(std::move(identifier)), stringId(stringId), value(value) {}
    bool RunCommand(const std::string& command, std::string& answer) override {
        if (Control::RunCommand(command, answer)) return true;
        const auto w = SplitWords(command, 16);
        if (w.size() == 1 && EqualsNoCase(w[0], "GetValue")) return answer = FormatFloat(value), true;
        if (w.size() == 2 && EqualsNoCase(w[0], "SetValue")) {
            const auto number = ReadFloat(w[1]);
            if (!number) return false;
            answer = FormatFloat(value);
            value = *number;
            return true;
        }
        return false;
    }
    std::string identifier;
    int stringId;
    double value;
};

// Takes every command and answers from a script of replies; records them.
class RecordingTarget final : public Control {
public:
    bool RunCommand(const std::string& command, std::string& answer) override {
        commands.push_back(command);
        answer = reply;
        return accept;
    }
    std::vector<std::string> commands;
    std::string reply = "ok";
    bool accept = true;
};

class FakePreferences final : public Control {
public:
    bool RunCommand(const std::string& command, std::string& answer) override {
        return RunStatusMessagesCommand(command, showStatusMessages, answer);
    }
    bool showStatusMessages = true;
};

class FakeClip : public Control {
public:
    FakeClip* AddClip(int id, std::int32_t position) {
        auto clip = std::make_unique<FakeClip>();
        clip->SetId(id);
        clip->SetParent(this);
        clip->SetPosition(position);
        FakeClip* raw = clip.get();
        children.push_back(std::move(clip));
        return raw;
    }
    template <class T>
    T* Add(std::unique_ptr<T> child) {
        child->SetParent(this);
        T* raw = child.get();
        children.push_back(std::move(child));
        return raw;
    }
    FakeVariable* AddVariable(std::string identifier, int stringId, double value) {
        variables.push_back(std::make_unique<FakeVariable>(std::move(identifier), stringId, value));
        variables.back()->SetParent(this);
        return variables.back().get();
    }

    OwnerNames Names() {
        OwnerNames names;
        names.self = this;
        names.childCount = children.size();
        names.child = [this](std::size_t i) { return children[i].get(); };
        names.variableCount = variables.size();
        names.variable = [this](std::size_t i) {
            return NamedVariable{variables[i]->identifier, variables[i]->stringId, variables[i].get()};
        };
        return names;
    }
    Control* ResolveName(const std::string& name) override { return ResolveOwnerName(name, Names()); }
    bool RunCommand(const std::string& command, std::string& answer) override {
        return RunOwnerTimeCommand(*this, Offset(), command, answer) || Control::RunCommand(command, answer);
    }
    ResultFlags SetTime(std::int32_t parentTime) override {
        Item::SetTime(parentTime);
        for (auto& child : children) child->SetTime(time_);
        return kRepaint;
    }

    std::vector<std::unique_ptr<Control>> children;
    std::vector<std::unique_ptr<FakeVariable>> variables;
};

class FakeRoot final : public FakeClip {
public:
    Control* ResolveName(const std::string& name) override {
        RootNames root;
        root.self = this;
        root.currentClip = currentClip;
        return ResolveRootName(name, root, Names());
    }
    FakeClip* currentClip = nullptr;
};

}  // namespace vantrel::test
