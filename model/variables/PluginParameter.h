#pragma once
#include <cstdint>

namespace vantrel {

// One parameter a plugin effect describes. The plugin owns the array and
// the identifier text; the host writes `current` before every apply.
struct PluginParameter {
    static constexpr std::int32_t kGroupHeaderBit = 0x01;
    static constexpr std::int32_t kSwitchBit = 0x02;
    std::int32_t stringId;
    std::int32_t flags;
    const char* identifier;  // zero-terminated
    double minimum;
    double maximum;
    double initial;
    double current;
};
static_assert(sizeof(PluginParameter) == 48);

}  // namespace vantrel
