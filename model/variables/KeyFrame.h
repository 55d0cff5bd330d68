#pragma once
#include <cstdint>

#include "values/Rect.h"

namespace vantrel {

// Where a key stands in the edit transaction.
enum KeyState : std::int32_t {
    kKeyCommitted = 0,
    kKeyChanged = 1,  // value differs from previousValue since the last commit
    kKeyAdded = 2,    // inserted since the last commit; a revert removes it
};

// One key of a variable: a time and a value. A variable keeps its keys sorted
// by time with no two at the same time; values are stored unclamped.
struct KeyFrame {
    std::int32_t time = 0;
    double value = 0;
    double previousValue = 0;
    std::int32_t state = kKeyCommitted;
    // Where the curve view drew the key; never saved.
    Rect mark{};
    std::int32_t markX = 0;
    std::int32_t markY = 0;
};

// The result of searching a time among the keys: the last key at or before
// the time, or key 0 when the time is before every key. `index` is -1 when
// there are no keys at all.
struct KeySearch {
    int index = -1;
    bool exact = false;
};

// Size of a key in a variable record: int32 time, 4 reserved bytes, double.
constexpr int kKeyRecordSize = 16;

}  // namespace vantrel
