#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "items/Control.h"
#include "model/variables/VariableTable.h"

namespace vantrel {

class DrawContext;

// The base of the workspace, every clip and every effect: one table of
// variables, a time offset and a list of member owners that commit, revert
// and clear with it. Variables are addressed by string id at the table's
// current time unless a time is given.
class VariableOwner : public Control {
public:
    VariableOwner();
    ~VariableOwner() override;

    // Slots after the control level, in order.
    // Moves the start and keeps the end: position + d, size - d.
    virtual ResultFlags SetOffset(std::int32_t offset);
    virtual std::int32_t GetOffset() const;
    virtual std::optional<ValueRange> ValueAndRangeById(int stringId);
    virtual double ValueByIdAt(std::int32_t time, int stringId);
    virtual double ValueById(int stringId);
    virtual bool HasKeyNow(int stringId);
    virtual ResultFlags DeleteKeyNow(int stringId);
    virtual ResultFlags DeletePreviousValues(int stringId);
    virtual ResultFlags DeleteFollowingValues(int stringId);
    virtual ResultFlags GotoNextKey(int stringId);
    virtual ResultFlags GotoPreviousKey(int stringId);
    virtual void DrawOverlay(DrawContext& dc, const Rect& rect);
    virtual int CommitAll();
    virtual int RevertAll();
    virtual int ClearAll();

    // Sets the value at the table's current time; answers kChanged.
    ResultFlags SetValueNow(int stringId, double value);
    // alpha << 24 | red << 16 | green << 8 | blue, each trunc(clamp(v, 0, 1) * 255).
    std::uint32_t ColourFromVariables(int redId, int greenId, int blueId, int alphaId);

    // Passes the new local time on to the table.
    ResultFlags SetTime(std::int32_t parentTime) override;

    VariableTable& Table() { return table_; }
    const VariableTable& Table() const { return table_; }

    // Members are not owned; each must outlive its listing or be removed.
    void AddMember(VariableOwner* member);
    void RemoveMember(VariableOwner* member);
    const std::vector<VariableOwner*>& Members() const { return members_; }

protected:
    VariableTable table_;
    std::vector<VariableOwner*> members_;
};

}  // namespace vantrel
