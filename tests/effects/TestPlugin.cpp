// Effects that report what the host handed them: the video effect writes
// its gain parameter (times 1000) into the first pixel of the rectangle,
// the audio effect scales every sample by the gain.
#include <cstring>

#include "plugins/api/PluginApi.h"

using namespace vantrel;

namespace {
[[maybe_unused]] PluginParameter videoParameters[] = {
    {900, PluginParameter::kGroupHeaderBit, "IDS_TEST_GROUP", 0, 0, 0, 0},
    {901, 0, "IDS_TEST_GAIN", 0, 4, 2, 0},
    {902, PluginParameter::kSwitchBit, nullptr, 0, 1, 0, 0},
};
[[maybe_unused]] PluginParameter audioParameters[] = {
    {901, 0, "IDS_TEST_GAIN", 0, 4, 2, 0},
};

struct Video final : VideoPlugin {
    Video() {
        displayName = "Test Video";
        parameterCount = 3;
        parameters = videoParameters;
    }
    void release() override { delete this; }
    bool process(const LockedFrame& source, LockedFrame& destination, const PluginRect& rect) override {
        if (rect.left >= rect.right || rect.top >= rect.bottom) return false;
        std::uint32_t* out = destination.pixels + std::ptrdiff_t(rect.top) * destination.pitch + rect.left;
        *out = std::uint32_t(videoParameters[1].current * 1000) ^ (source.pixels[0] & 0);
        return true;
    }
};

struct Audio final : AudioPlugin {
    Audio() {
        displayName = "Test Audio";
        parameterCount = 1;
        parameters = audioParameters;
    }
    void release() override { delete this; }
    bool process(const void* input, void* output, std::int32_t bytes) override {
        const auto* in = static_cast<const std::int16_t*>(input);
        auto* out = static_cast<std::int16_t*>(output);
        for (std::int32_t i = 0; i < bytes / 2; ++i) out[i] = std::int16_t(in[i] * audioParameters[0].current);
        return true;
    }
};
}  // namespace

extern "C" {
#ifdef TEST_VIDEO
__attribute__((visibility("default"))) VideoPlugin* VantrelVideoPlugin() { return new Video; }
#endif
#ifdef TEST_AUDIO
__attribute__((visibility("default"))) AudioPlugin* VantrelAudioPlugin() { return new Audio; }
#endif
}
