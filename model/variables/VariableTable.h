#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "values/Colour.h"
#include "items/Control.h"
#include "model/variables/Variable.h"

namespace vantrel {

// One declaration: the arguments of VariableTable::Declare as a row.
struct VariableRow {
    std::string_view identifier;
    int stringId = 0;
    double minimum = 0, maximum = 0, initial = 0;
    Colour curve = kNoColour, second = kNoColour;
    VariableFlags flags = 0;
};

struct ValueRange {
    double value = 0;
    double minimum = 0;
    double maximum = 0;
};

// The variables of one owner, in declaration order (which is panel order;
// project files find variables by identifier). Slots are created on first
// use and kept for the table's life, so a Variable& stays valid.
class VariableTable : public Control {
public:
    static constexpr int kMaxVariables = 128;
    static constexpr int kRecordSize = 8;
    static constexpr int kNextKeyFrameCommand = 614;
    static constexpr int kPreviousKeyFrameCommand = 615;

    // The panel items a script reaches by name through the table.
    enum NamedItem { kClickGroups = 0, kParameters, kNextKeyFrame, kPreviousKeyFrame, kNamedItems };

    VariableTable();
    ~VariableTable() override;

    // Adds the variable unless its identifier exists or the table is full;
    // either way an existing variable of that name takes the colours and
    // flags (never the range or default). Always answers 1.
    int Declare(std::string_view identifier, int stringId, double minimum, double maximum, double initial,
                Colour curve = kNoColour, Colour second = kNoColour, VariableFlags flags = 0);
    int Declare(const VariableRow& entry);

    int Count() const { return count_; }
    Variable& At(int index) { return *slots_[std::size_t(index)]; }
    const Variable& At(int index) const { return *slots_[std::size_t(index)]; }

    int FindByName(std::string_view identifier) const;  // -1 when none; case-insensitive
    int FindById(int stringId) const;                   // by saved string id; -1 when none
    Variable* ByName(std::string_view identifier);
    Variable* ById(int stringId);
    const Variable* ByName(std::string_view identifier) const;
    const Variable* ById(int stringId) const;

    // 0.0 when not found.
    double ValueByName(std::string_view identifier, std::int32_t time) const;
    double ValueById(int stringId, std::int32_t time) const;
    std::optional<ValueRange> ValueAndRangeByName(std::string_view identifier, std::int32_t time) const;
    std::optional<ValueRange> ValueAndRangeById(int stringId, std::int32_t time) const;
    // Mark the table modified and the variable current, then set the value
    // at the time. 1 when the variable exists, 0 when not.
    int SetValueByName(std::string_view identifier, std::int32_t time, double value);
    int SetValueById(int stringId, std::int32_t time, double value);
    int ClearKeysByName(std::string_view identifier);
    int ClearKeysById(int stringId);

    int Commit();
    int Revert();
    int Clear();  // every variable's keys and the count; the slots stay
    int GroupCount() const;

    bool IsModified() const { return modified_ != 0; }
    int CurrentId() const { return currentId_; }
    void SetCurrentId(int stringId) { currentId_ = stringId; }
    int SelectedGroup() const { return selectedGroup_; }
    void SetSelectedGroup(int stringId) { selectedGroup_ = stringId; }
    void SetNamedItem(NamedItem which, Control* item) { named_[std::size_t(which)] = item; }

    // The count record, then each variable's record in declaration order.
    int Save(OutStream& file) override;
    // Replaces the keys of declared variables named in the file; everything
    // else in the file (ranges, flags, undeclared names) is ignored.
    int Load(InStream& file) override;
    // Also sets every variable's time; answers the union of the results.
    ResultFlags SetTime(std::int32_t parentTime) override;
    // 614 and 615 move to the nearest key of any listed variable.
    bool Command(Window* window, int command, ResultFlags& out) override;
    // "191", "#191", "IDS_CLICKGROUPS", "CLICKGROUPS" and the like.
    Control* ResolveName(const std::string& name) override;

private:
    std::array<std::unique_ptr<Variable>, kMaxVariables> slots_;
    int count_ = 0;
    int modified_ = 0;
    int currentId_ = 0;
    int selectedGroup_ = 0;
    std::array<Control*, kNamedItems> named_{};
};

// An effect's record: its private parameter block, framed, when the effect
// has one (block null otherwise), then its table. Loading still reads the
// table after a refused block, and succeeds only when both did.
int SaveEffectRecord(OutStream& file, VariableTable& table, void* block, std::size_t size);
int LoadEffectRecord(InStream& file, VariableTable& table, void* block, std::size_t capacity);

}  // namespace vantrel
