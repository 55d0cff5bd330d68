#include "model/variables/VariableOwner.h"

#include <algorithm>
#include <climits>

#include "values/TimeMath.h"

namespace vantrel {

VariableOwner::VariableOwner() { table_.SetParent(this); }

VariableOwner::~VariableOwner() = default;

ResultFlags VariableOwner::SetOffset(std::int32_t offset) {
    const std::int32_t delta = SaturatingSub(offset, Offset());
    SetPosition(SaturatingAdd(GetPosition(), delta));
    SetSize(SaturatingSub(GetSize(), delta));
    Item::SetOffset(offset);
    MoveGlobalTime(0);
    return kChanged;
}

std::int32_t VariableOwner::GetOffset() const { return Offset(); }

std::optional<ValueRange> VariableOwner::ValueAndRangeById(int stringId) {
    return table_.ValueAndRangeById(stringId, table_.Time());
}

double VariableOwner::ValueByIdAt(std::int32_t time, int stringId) { return table_.ValueById(stringId, time); }

double VariableOwner::ValueById(int stringId) { return table_.ValueById(stringId, table_.Time()); }

bool VariableOwner::HasKeyNow(int stringId) {
    const Variable* variable = table_.ById(stringId);
    return variable && variable->HasKeyAt(table_.Time());
}

ResultFlags VariableOwner::DeleteKeyNow(int stringId) {
    Variable* variable = table_.ById(stringId);
    if (!variable || !variable->DeleteKeyAt(table_.Time())) return 0;
    return FinishInput(kChanged);
}

ResultFlags VariableOwner::DeletePreviousValues(int stringId) {
    Variable* variable = table_.ById(stringId);
    if (!variable || !variable->HasKeyAt(table_.Time())) return 0;
    variable->DeletePreviousValues(table_.Time());
    return FinishInput(kChanged);
}

ResultFlags VariableOwner::DeleteFollowingValues(int stringId) {
    Variable* variable = table_.ById(stringId);
    if (!variable || !variable->HasKeyAt(table_.Time())) return 0;
    variable->DeleteFollowingValues(table_.Time());
    return FinishInput(kChanged);
}

namespace {
std::int32_t TimeDelta(std::int32_t to, std::int32_t from) {
    const std::int64_t delta = std::int64_t(to) - from;
    return std::int32_t(std::clamp<std::int64_t>(delta, INT32_MIN, INT32_MAX));
}
}  // namespace

ResultFlags VariableOwner::GotoNextKey(int stringId) {
    const Variable* variable = table_.ById(stringId);
    if (!variable) return 0;
    const std::int32_t now = table_.Time();
    const auto key = variable->NextKeyTime(now);
    return FinishInput(key ? MoveGlobalTime(TimeDelta(*key, now)) : 0);
}

ResultFlags VariableOwner::GotoPreviousKey(int stringId) {
    const Variable* variable = table_.ById(stringId);
    if (!variable) return 0;
    const std::int32_t now = table_.Time();
    const auto key = variable->PreviousKeyTime(now);
    return FinishInput(key ? MoveGlobalTime(TimeDelta(*key, now)) : 0);
}

void VariableOwner::DrawOverlay(DrawContext&, const Rect&) {}

int VariableOwner::CommitAll() {
    for (VariableOwner* member : members_) member->CommitAll();
    return table_.Commit();
}

int VariableOwner::RevertAll() {
    for (VariableOwner* member : members_) member->RevertAll();
    return table_.Revert();
}

int VariableOwner::ClearAll() {
    for (VariableOwner* member : members_) member->ClearAll();
    return table_.Clear();
}

ResultFlags VariableOwner::SetValueNow(int stringId, double value) {
    table_.SetValueById(stringId, table_.Time(), value);
    return kChanged;
}

std::uint32_t VariableOwner::ColourFromVariables(int redId, int greenId, int blueId, int alphaId) {
    auto channel = [this](int id) { return std::uint32_t(std::clamp(ValueById(id), 0.0, 1.0) * 255); };
    return channel(alphaId) << 24 | channel(redId) << 16 | channel(greenId) << 8 | channel(blueId);
}

ResultFlags VariableOwner::SetTime(std::int32_t parentTime) {
    ResultFlags result = Control::SetTime(parentTime);
    return result | table_.SetTime(Time());
}

void VariableOwner::AddMember(VariableOwner* member) {
    if (member && member != this && std::find(members_.begin(), members_.end(), member) == members_.end())
        members_.push_back(member);
}

void VariableOwner::RemoveMember(VariableOwner* member) {
    members_.erase(std::remove(members_.begin(), members_.end(), member), members_.end());
}

}  // namespace vantrel
