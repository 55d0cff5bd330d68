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
#include "model/variables/KeyFrame.h"

namespace vantrel {

// Flag bits of a variable. Declared and saved flags hold the same value.
using VariableFlags = std::uint32_t;
constexpr VariableFlags kGroupHeader = 7;     // heads the variables up to the next header
constexpr VariableFlags kHidden = 3;          // holds a value but has no slider
constexpr VariableFlags kSwitch = 0x08;       // on/off; on means value >= 0.5
constexpr VariableFlags kSingleValue = 0x20;  // not animatable: one key at most
constexpr VariableFlags kStep = 0x40;         // no interpolation between keys

// Hidden variables and group headers: no slider, no key navigation, never
// the current variable.
constexpr bool IsUnlisted(VariableFlags flags) { return (flags & 0x03) != 0; }
// Group headers and hidden variables both count as group entries.
constexpr bool IsGroupEntry(VariableFlags flags) { return (flags & 0x07) != 0; }

// The block a variable saves, in its record order (368 bytes on file; the
// record codec writes each field little-endian at its fixed offset).
struct VariableBlock {
    static constexpr std::size_t kIdentifierSize = 256;
    std::int32_t recordSize = 0;
    std::int32_t keyCount = 0;
    double minimum = 0;
    double maximum = 0;
    double initial = 0;  // the value without keys ("Default")
    std::array<char, kIdentifierSize> identifier{};
    std::int32_t flags = 0;
    std::int32_t reserved1 = 0;
    std::int32_t reserved2 = 0;
    std::int32_t stringId = 0;
    std::array<double, 8> reserved3{};
};

// A named, keyed number with a range. Reads clamp to [minimum, maximum];
// stored key values never do. Edits are a transaction: Commit keeps them,
// Revert undoes value changes and additions.
class Variable : public Control {
public:
    static constexpr int kRecordSize = 368;
    static constexpr int kGrowthStep = 100;
    static constexpr Colour kUndeclaredSecondColour = 0xC0C0C0;
    static constexpr int kNextKeyValueCommand = 610;
    static constexpr int kPreviousKeyValueCommand = 611;

    Variable();
    ~Variable() override;

    // Fills an empty slot: name (cut to 255 characters), ids, range and
    // default; keys emptied; display text from the string table, or the
    // identifier when that text is empty. Used by VariableTable::Declare.
    void Define(std::string_view identifier, int stringId, double minimum, double maximum, double initial);
    // What a repeated declaration may change.
    void SetLook(Colour curve, Colour second, VariableFlags flags);

    std::string_view Identifier() const;
    int StringId() const { return block_.stringId; }  // as saved
    int DeclaredId() const { return declaredId_; }
    VariableFlags Flags() const { return VariableFlags(block_.flags); }  // as saved
    VariableFlags DeclaredFlags() const { return declaredFlags_; }
    double Minimum() const { return block_.minimum; }
    double Maximum() const { return block_.maximum; }
    double Default() const { return block_.initial; }
    void SetDefault(double value) { block_.initial = value; }
    Colour CurveColour() const { return curveColour_; }
    Colour SecondColour() const { return secondColour_; }
    // The string table's text of the declared id, read when shown so that a
    // language change or "Change Text" reaches variables made before it; the
    // identifier when the id has no text.
    const std::string& DisplayText() const;
    const VariableBlock& Block() const { return block_; }

    // Keys, sorted by time.
    int KeyCount() const { return count_; }
    int KeyCapacity() const { return capacity_; }
    std::span<const KeyFrame> Keys() const { return {keys_.get(), std::size_t(count_)}; }
    const KeyFrame& Key(int index) const { return keys_[std::size_t(index)]; }
    bool KeysChanged() const { return keysChanged_ != 0; }
    // The curve view records where it drew each key.
    void SetKeyMark(int index, const Rect& mark, int x, int y);
    // Time window of the curve view.
    std::int32_t ViewStart() const { return viewStart_; }
    std::int32_t ViewEnd() const { return viewEnd_; }
    void SetView(std::int32_t start, std::int32_t end) { viewStart_ = start, viewEnd_ = end; }

    KeySearch FindKey(std::int32_t time) const;
    double ValueAt(std::int32_t time) const;
    // 1 when stored, 0 when not: a single-value variable that already has a
    // key changes it and answers 0, and a failed growth changes nothing.
    int SetValueAt(std::int32_t time, double value);
    bool HasKeyAt(std::int32_t time) const;
    bool DeleteKeyAt(std::int32_t time);
    std::optional<std::int32_t> NextKeyTime(std::int32_t time) const;      // strictly later
    std::optional<std::int32_t> PreviousKeyTime(std::int32_t time) const;  // strictly earlier
    // Need a key exactly at the time; answer FinishInput(kRepaint) or 0.
    ResultFlags DeletePreviousValues(std::int32_t time);
    ResultFlags DeleteFollowingValues(std::int32_t time);
    int ClearKeys();
    int CopyKeysFrom(const Variable& other);
    int Commit();
    int Revert();

    // The variable record and its keys.
    int Save(OutStream& file) override;
    int Load(InStream& file) override;
    // 610 and 611 move the time to the next or previous key.
    bool Command(Window* window, int command, ResultFlags& out) override;
    // "GetValue", "SetValue <number|Default|dft|Minimum|min|Maximum|max>".
    bool RunCommand(const std::string& command, std::string& answer) override;

private:
    bool MakeRoom();
    void InsertAt(int index, const KeyFrame& key);
    void RemoveRange(int first, int last);  // [first, last)
    static void ChangeValue(KeyFrame& key, double value);
    double Clamp(double value) const;

    VariableBlock block_;
    int declaredId_ = 0;
    VariableFlags declaredFlags_ = 0;
    Colour curveColour_ = kNoColour;
    Colour secondColour_ = kUndeclaredSecondColour;
    std::string identifierText_;
    std::int32_t viewStart_ = 0;
    std::int32_t viewEnd_ = 10000;
    int keysChanged_ = 0;
    int count_ = 0;
    int capacity_ = 0;
    std::unique_ptr<KeyFrame[]> keys_;
    // The key times again, packed: searching a long curve then touches a
    // few cache lines instead of one key each.
    std::unique_ptr<std::int32_t[]> times_;
};

// Compares names the way the system does: only A to Z fold.
bool SameName(std::string_view a, std::string_view b);

// Formats like "%f" in the "C" locale, whatever the user's locale is.
std::string FormatFixed(double value);

}  // namespace vantrel
