#include "model/variables/VariableTable.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "items/Records.h"
#include "values/Stream.h"

namespace vantrel {

namespace {

// Remembers whether a read came up short: after that the data is at its end
// and no further record can arrive, however many the count promised.
class EndWatch final : public InStream {
public:
    explicit EndWatch(InStream& in) : in_(in) {}
    std::size_t Read(void* data, std::size_t size) override {
        const std::size_t n = in_.Read(data, size);
        if (n < size) ended_ = true;
        return n;
    }
    bool Ended() const { return ended_; }

private:
    InStream& in_;
    bool ended_ = false;
};

struct NamedItemName {
    int number;
    std::string_view identifier;
    std::string_view shortName;
    VariableTable::NamedItem item;
};
constexpr NamedItemName kNamedItemNames[] = {
    {191, "IDS_CLICKGROUPS", "CLICKGROUPS", VariableTable::kClickGroups},
    {494, "IDS_PARAMETERS", "PARAMETERS", VariableTable::kParameters},
    {614, "IDS_NEXTKEYFRAME", "NEXTKEYFRAME", VariableTable::kNextKeyFrame},
    {615, "IDS_PREVKEYFRAME", "PREVKEYFRAME", VariableTable::kPreviousKeyFrame},
};

std::int32_t TimeDelta(std::int32_t to, std::int32_t from) {
    const std::int64_t delta = std::int64_t(to) - from;
    return std::int32_t(std::clamp<std::int64_t>(delta, INT32_MIN, INT32_MAX));
}

}  // namespace

VariableTable::VariableTable() = default;
VariableTable::~VariableTable() = default;

int VariableTable::Declare(std::string_view identifier, int stringId, double minimum, double maximum,
                           double initial, Colour curve, Colour second, VariableFlags flags) {
    identifier = identifier.substr(0, VariableBlock::kIdentifierSize - 1);
    if (FindByName(identifier) < 0 && count_ < kMaxVariables) {
        std::unique_ptr<Variable>& slot = slots_[std::size_t(count_)];
        if (!slot) slot = std::make_unique<Variable>();
        slot->Define(identifier, stringId, minimum, maximum, initial);
        // Without a media system (tests, tables built before the window)
        // Attach refuses; the variable still needs its parent and ids.
        slot->SetParent(this);
        slot->SetId(stringId);
        slot->SetStyleId(stringId);
        if (media_ && application_ && stringId) slot->Attach(this, media_, application_, stringId, stringId);
        slot->SetTimeValue(Time());
        ++count_;
    }
    const int index = FindByName(identifier);
    if (index >= 0) At(index).SetLook(curve, second, flags);
    if (!IsUnlisted(flags)) currentId_ = stringId;
    return 1;
}

int VariableTable::Declare(const VariableRow& declared) {
    return Declare(declared.identifier, declared.stringId, declared.minimum, declared.maximum, declared.initial, declared.curve,
                   declared.second, declared.flags);
}

int VariableTable::FindByName(std::string_view identifier) const {
    for (int i = 0; i < count_; ++i)
        if (SameName(At(i).Identifier(), identifier)) return i;
    return -1;
}

int VariableTable::FindById(int stringId) const {
    for (int i = 0; i < count_; ++i)
        if (At(i).StringId() == stringId) return i;
    return -1;
}

Variable* VariableTable::ByName(std::string_view identifier) {
    const int index = FindByName(identifier);
    return index < 0 ? nullptr : &At(index);
}

Variable* VariableTable::ById(int stringId) {
    const int index = FindById(stringId);
    return index < 0 ? nullptr : &At(index);
}

const Variable* VariableTable::ByName(std::string_view identifier) const {
    const int index = FindByName(identifier);
    return index < 0 ? nullptr : &At(index);
}

const Variable* VariableTable::ById(int stringId) const {
    const int index = FindById(stringId);
    return index < 0 ? nullptr : &At(index);
}

double VariableTable::ValueByName(std::string_view identifier, std::int32_t time) const {
    const Variable* variable = ByName(identifier);
    return variable ? variable->ValueAt(time) : 0.0;
}

double VariableTable::ValueById(int stringId, std::int32_t time) const {
    const Variable* variable = ById(stringId);
    return variable ? variable->ValueAt(time) : 0.0;
}

std::optional<ValueRange> VariableTable::ValueAndRangeByName(std::string_view identifier, std::int32_t time) const {
    const Variable* variable = ByName(identifier);
    if (!variable) return std::nullopt;
    return ValueRange{variable->ValueAt(time), variable->Minimum(), variable->Maximum()};
}

std::optional<ValueRange> VariableTable::ValueAndRangeById(int stringId, std::int32_t time) const {
    const Variable* variable = ById(stringId);
    if (!variable) return std::nullopt;
    return ValueRange{variable->ValueAt(time), variable->Minimum(), variable->Maximum()};
}

namespace {
int SetValueOf(Variable* variable, std::int32_t time, double value, int& modified, int& currentId) {
    if (!variable) return 0;
    modified = 1;
    if (variable->DeclaredId() != 0) currentId = variable->DeclaredId();
    variable->SetValueAt(time, value);
    return 1;
}
}  // namespace

int VariableTable::SetValueByName(std::string_view identifier, std::int32_t time, double value) {
    return SetValueOf(ByName(identifier), time, value, modified_, currentId_);
}

int VariableTable::SetValueById(int stringId, std::int32_t time, double value) {
    return SetValueOf(ById(stringId), time, value, modified_, currentId_);
}

int VariableTable::ClearKeysByName(std::string_view identifier) {
    Variable* variable = ByName(identifier);
    return variable ? variable->ClearKeys() : 0;
}

int VariableTable::ClearKeysById(int stringId) {
    Variable* variable = ById(stringId);
    return variable ? variable->ClearKeys() : 0;
}

int VariableTable::Commit() {
    for (int i = 0; i < count_; ++i) At(i).Commit();
    modified_ = 0;
    return 1;
}

int VariableTable::Revert() {
    for (int i = 0; i < count_; ++i) At(i).Revert();
    modified_ = 0;
    return 1;
}

int VariableTable::Clear() {
    for (int i = 0; i < count_; ++i) At(i).ClearKeys();
    count_ = 0;
    modified_ = 0;
    return 1;
}

int VariableTable::GroupCount() const {
    int groups = 0;
    for (int i = 0; i < count_; ++i)
        if (IsGroupEntry(At(i).DeclaredFlags())) ++groups;
    return groups;
}

int VariableTable::Save(OutStream& file) {
    std::array<std::uint8_t, kRecordSize> header{};
    StoreInt32(header.data() + 4, count_);
    if (!WriteRecord(file, header)) return 0;
    for (int i = 0; i < count_; ++i)
        if (!At(i).Save(file)) return 0;
    return 1;
}

int VariableTable::Load(InStream& file) {
    std::array<std::uint8_t, kRecordSize> header;
    if (!ReadRecord(file, header)) return 0;
    const std::int32_t stored = LoadInt32(header.data() + 4);
    EndWatch in(file);
    Variable scratch;
    // Every record consumes at least its length field, so garbage after a
    // refused record ends with the data rather than with the count.
    for (std::int32_t i = 0; i < stored && !in.Ended(); ++i) {
        if (!scratch.Load(in)) continue;
        if (Variable* own = ByName(scratch.Identifier())) own->CopyKeysFrom(scratch);
    }
    Commit();
    return 1;
}

ResultFlags VariableTable::SetTime(std::int32_t parentTime) {
    ResultFlags result = Control::SetTime(parentTime);
    for (int i = 0; i < count_; ++i) result |= At(i).SetTime(Time());
    return result;
}

bool VariableTable::Command(Window* window, int command, ResultFlags& out) {
    if (command != kNextKeyFrameCommand && command != kPreviousKeyFrameCommand)
        return Control::Command(window, command, out);
    const std::int32_t now = Time();
    std::optional<std::int32_t> target;
    for (int i = 0; i < count_; ++i) {
        const Variable& variable = At(i);
        if (IsUnlisted(variable.DeclaredFlags())) continue;
        if (command == kNextKeyFrameCommand) {
            const auto next = variable.NextKeyTime(now);
            if (next && (!target || *next < *target)) target = next;
        } else {
            const auto previous = variable.PreviousKeyTime(now);
            if (previous && (!target || *previous > *target)) target = previous;
        }
    }
    if (!target) {
        out = kRelayout;
        return true;
    }
    MoveGlobalTime(TimeDelta(*target, now));
    out = kRepaint;
    return true;
}

Control* VariableTable::ResolveName(const std::string& name) {
    std::string_view text = name;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '#') digits.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    const bool isNumber = !digits.empty() && error == std::errc{} && end == digits.data() + digits.size();
    for (const NamedItemName& entry : kNamedItemNames) {
        const bool match = isNumber ? number == entry.number
                                    : SameName(text, entry.identifier) || SameName(text, entry.shortName);
        if (match) return named_[std::size_t(entry.item)];
    }
    return nullptr;
}

int SaveEffectRecord(OutStream& file, VariableTable& table, void* block, std::size_t size) {
    if (block && !WriteRecord(file, block, size)) return 0;
    return table.Save(file);
}

int LoadEffectRecord(InStream& file, VariableTable& table, void* block, std::size_t capacity) {
    const bool blockRead = !block || ReadRecord(file, block, capacity);
    const int tableRead = table.Load(file);
    return blockRead && tableRead ? 1 : 0;
}

}  // namespace vantrel
