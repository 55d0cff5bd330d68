#pragma once
#include <optional>
#include <string>
#include <vector>

#include "items/Control.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// The list of effects shown for a clip, one row each: a box showing
// whether the effect is enabled (a click there turns it over) and its
// name; the current row is highlighted. A click on a name chooses the row.
class EffectListView : public Control {
public:
    static constexpr int kEffectEnable = 519;

    struct Entry {
        std::string caption;
        VariableOwner* owner = nullptr;  // null: a row without an effect (the clip itself)
        bool current = false;
    };

    void SetEntries(std::vector<Entry> entries) { entries_ = std::move(entries); }
    const std::vector<Entry>& Entries() const { return entries_; }
    // The row a click chose, taken once by the caller.
    std::optional<int> TakeChosen();

    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;

    Rect RowRect(int index) const;
    Rect EnableBox(int index) const;
    static bool IsEnabled(VariableOwner& owner);

private:
    std::vector<Entry> entries_;
    std::optional<int> chosen_;
};

}  // namespace vantrel
