#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "items/Control.h"
#include "items/PushButton.h"

namespace vantrel {

// The kinds of control the root holds; each row of the root's table names one.
enum class RootControlKind { Button, CheckButton, MenuButton, TimeField, ValueControl, StatusLine, Region, Setting };

struct RootControlRow {
    int id;  // caption, help topic and command number at once
    int styleId;
    RootControlKind kind;
};

std::span<const RootControlRow> RootControlRows();
// Every control and region in the order the pointer tests them.
std::span<const int> RootHitOrder();
std::unique_ptr<Control> MakeRootControl(const RootControlRow& row);

// A time shown in seconds. A double click asks for a new one as "%0.3f"
// seconds; the answer is read with "%f" and kept as whole milliseconds
// (truncated).
class TimeField final : public Control {
public:
    using Getter = std::function<std::int32_t()>;
    using Setter = std::function<ResultFlags(std::int32_t)>;
    void Bind(Getter get, Setter set) { get_ = std::move(get), set_ = std::move(set); }
    void DrawContent(DrawContext& dc) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;

    static std::string FormatSeconds(std::int32_t ms);
    // Milliseconds from what the user typed; nothing when it is no number
    // or out of range.
    static std::optional<std::int32_t> ParseSeconds(const std::string& text);

private:
    Getter get_;
    Setter set_;
};

// Shows the root's last status text.
class StatusLine final : public Control {
public:
    void Bind(std::function<std::string()> text) { text_ = std::move(text); }
    void DrawContent(DrawContext& dc) override;

private:
    std::function<std::string()> text_;
};

// A button that shows a setting's current value; the click asks for a new
// one through the parent's command.
class SettingButton final : public PushButton {
public:
    void Bind(std::function<std::string()> text) { text_ = std::move(text); }
    void DrawContent(DrawContext& dc) override;

private:
    std::function<std::string()> text_;
};

// A button that stays pressed while its state is on (the mutes); the
// click toggles the state through the parent's command.
class CheckButton final : public PushButton {
public:
    void SetChecked(bool on) { checked_ = on; }
    bool Checked() const { return checked_; }
    void DrawContent(DrawContext& dc) override;

private:
    bool checked_ = false;
};

}  // namespace vantrel
