#pragma once
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "items/Control.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// The editor of one owner's table: the shown group's variables as rows
// (a slider or a switch between the row's two key buttons), a bar with
// the table's key navigation around the group selector, and for key
// effects a colour picker strip on top.
class ParameterPanel : public Control {
public:
    static constexpr int kGroupSelector = 191;
    static constexpr int kParameters = 494;
    static constexpr int kHoverGroupSelector = 689;
    static constexpr int kClickGroupSelector = 690;
    static constexpr int kFirstVariableSet = 694, kLastVariableSet = 703;
    static constexpr int kColourPicker = 616;

    struct Row {
        int index;  // in the table
        Rect previous, value, next;
    };

    ParameterPanel();

    // Null shows nothing. The picker strip shows only when asked for.
    void SetTarget(VariableOwner* owner, bool keyColourPicker = false);
    VariableOwner* Target() const { return owner_; }
    // Told when F1 asks for a variable's page, before the page is shown:
    // the info browser takes the variable's figures from here.
    void SetVariableHelpSink(std::function<void(const Variable&)> sink) { helpSink_ = std::move(sink); }

    Rect Arrange(int left, int top, int right, int bottom) override;
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    // 614 / 615 (the table's key navigation), 690 (the group menu), 689,
    // and 359, which marks the panel for a moment.
    bool Command(Window* window, int command, ResultFlags& out) override;

    // -- the rules, reachable without a window --------------------------------
    // Index of the entry heading the shown group, -1 when the rows start
    // at the table's first variable.
    int ShownGroupEntry() const;
    // Table indices of the rows shown, in order.
    std::vector<int> ShownRows() const;
    // The group menu's ids: the first group entry's (or the table's own id
    // when the first variable is no group entry), then every further one.
    std::vector<int> GroupIds() const;
    const std::vector<Row>& Rows() const { return rows_; }
    const Rect& Bar() const { return bar_; }
    const Rect& PickerStrip() const { return picker_; }
    // A row's right-click choice (221, 222, 36, 233, 234, 225, 125-127).
    ResultFlags RunRowChoice(Variable& variable, int choice);
    // The ids the row menu offers: the "Edit" submenu's, then the rest.
    std::vector<int> RowEditChoices(const Variable& variable) const;
    // A group menu choice: a group id, 284 or 285.
    ResultFlags RunGroupChoice(int choice);
    // The value dialog's answer for a variable: limited to the range.
    ResultFlags SetTypedValue(Variable& variable, const std::string& text);

private:
    int TableId() const;
    std::int32_t Now() const;
    ResultFlags SetNow(Variable& variable, double value);
    const Row* RowAt(int x, int y) const;
    ResultFlags RowInput(Window* window, std::uint32_t message, const Row& row, int x, std::uintptr_t keyFlags);
    ResultFlags PickerInput(Window* window, std::uint32_t message, int x, int y);
    ResultFlags RowMenu(Window* window, Variable& variable);
    ResultFlags GroupMenu(Window* window);
    ResultFlags HelpKey(int x, int y);
    void PaintRow(DrawContext& dc, const Row& row);
    void PaintBar(DrawContext& dc);
    void PaintPicker(DrawContext& dc);

    VariableOwner* owner_ = nullptr;
    // The bar's three parts as controls, so that scripts and the help can
    // name them through the table: 615, 191, 614.
    std::array<std::unique_ptr<Control>, 3> barParts_;
    bool picking_ = false;  // the picker strip is wanted
    std::vector<Row> rows_;
    Rect bar_{}, previousKey_{}, selector_{}, nextKey_{}, picker_{};
    int hoveredId_ = 0;
    int capturedRow_ = -1;  // table index of the dragged row
    bool pickerCaptured_ = false;
    std::function<void(const Variable&)> helpSink_;
};

// "%01.3f" whatever the locale is.
std::string FormatThreeDecimals(double value);
// What "%f" reads at the start of the text (single precision); nothing
// when no number begins it.
std::optional<double> ReadSingle(const std::string& text);

}  // namespace vantrel
