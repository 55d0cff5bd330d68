// "Volume/Pan" and "4-Band Compressor / Expander".
#include <algorithm>
#include <cmath>
#include <cstring>

#include "effects/Families.h"

namespace vantrel {

namespace {
constexpr int kVolumeId = 123, kPanId = 150;
constexpr int kBandIds[4] = {518, 517, 516, 515};  // low band first
constexpr int kRefreshFrames = 441;                 // 10 ms at 44100 Hz
constexpr std::int32_t kRefreshMs = 10;

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

// The compressor's output is limited to +-32767; a plain gain keeps the
// whole 16-bit range, so that unit gain changes no sample.
std::int16_t Limit(double v, double lowest = -32767.0) {
    if (!(v == v)) return 0;
    return std::int16_t(std::clamp(v, lowest, 32767.0));
}

// Reads the variables at the current time, then after frame 0 and every
// 441 frames reads them again 10 ms later: parameters follow their keys
// within a block without a read per sample.
template <class Read, class Frame>
int RunFrames(const void* input, void* output, std::int32_t byteCount, std::int32_t time, Read read, Frame frame) {
    if (!input || !output || byteCount < 0) return 0;
    const std::int32_t frames = byteCount / 4;
    const auto* in = static_cast<const std::uint8_t*>(input);
    auto* out = static_cast<std::uint8_t*>(output);
    read(time);
    for (std::int32_t i = 0; i < frames; ++i) {
        std::int16_t s[2];
        std::memcpy(s, in + 4 * std::size_t(i), 4);
        frame(s);
        std::memcpy(out + 4 * std::size_t(i), s, 4);
        if (i % kRefreshFrames == 0) {
            time += kRefreshMs;
            read(time);
        }
    }
    return 1;
}

class VolumePan final : public AudioEffect {
public:
    using AudioEffect::AudioEffect;
    int Process(const void* input, void* output, std::int32_t byteCount) override {
        double left = 1, right = 1;
        return RunFrames(
            input, output, byteCount, Table().Time(),
            [&](std::int32_t t) {
                const double v = Finite(ValueByIdAt(t, kVolumeId)), p = Finite(ValueByIdAt(t, kPanId));
                left = v * (1 - std::max(p, 0.0));
                right = v * (1 - std::max(-p, 0.0));
            },
            [&](std::int16_t* s) {
                s[0] = Limit(std::trunc(s[0] * left), -32768.0);
                s[1] = Limit(std::trunc(s[1] * right), -32768.0);
            });
    }
};

class Compressor final : public AudioEffect {
public:
    using AudioEffect::AudioEffect;
    int Process(const void* input, void* output, std::int32_t byteCount) override {
        double level[5] = {0, 0, 0, 0, 0};  // output magnitude at 0, 8192, 16384, 24576, 32767
        return RunFrames(
            input, output, byteCount, Table().Time(),
            [&](std::int32_t t) {
                for (int b = 0; b < 4; ++b) level[b + 1] = Finite(ValueByIdAt(t, kBandIds[b])) * 32767;
            },
            [&](std::int16_t* s) {
                for (int c = 0; c < 2; ++c) s[c] = Shape(s[c], level);
            });
    }

private:
    static std::int16_t Shape(std::int16_t sample, const double* level) {
        static constexpr int kPoints[5] = {0, 8192, 16384, 24576, 32767};
        const int x = std::min(std::abs(int(sample)), 32767);
        const int seg = x < 8192 ? 0 : x < 16384 ? 1 : x < 24576 ? 2 : 3;
        const double y = level[seg] + (x - kPoints[seg]) * (level[seg + 1] - level[seg]) /
                                          double(kPoints[seg + 1] - kPoints[seg]);
        return Limit(std::trunc(sample < 0 ? -y : y));
    }
};

}  // namespace

std::unique_ptr<AudioEffect> MakeVolumePan(int type, const EffectContext&) { return std::make_unique<VolumePan>(type); }
std::unique_ptr<AudioEffect> MakeCompressor(int type, const EffectContext&) { return std::make_unique<Compressor>(type); }

}  // namespace vantrel
