#include "compose/Envelope.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "values/TimeMath.h"
#include "model/clips/Clip.h"
#include "compose/AudioMix.h"
#include "compose/ClipState.h"
#include "model/variables/Variable.h"

namespace vantrel {

namespace {

constexpr std::int32_t kEnvelopeStepMs = 15;
constexpr int kEnvelopeStepBytes = 2646;

std::vector<KeyFrame> CopyKeys(const Variable& v) { return {v.Keys().begin(), v.Keys().end()}; }

bool Rescale(const std::vector<KeyFrame>& keys, std::int32_t shift, double low1, double high1, double low2,
             double high2, Variable& into) {
    if (!(high1 > low1) || !(high2 > low2)) return false;
    into.ClearKeys();
    for (const KeyFrame& key : keys) {
        const std::int64_t time = std::int64_t(key.time) + shift;
        if (time < 0 || time > INT32_MAX) continue;
        into.SetValueAt(std::int32_t(time), low2 + (key.value - low1) * (high2 - low2) / (high1 - low1));
    }
    return true;
}

double Clamped(const Variable& v, double value) { return std::clamp(value, v.Minimum(), v.Maximum()); }

}  // namespace

Variable* EnvelopeStrip(const Clip& arrangement) {
    ArrangementState* state = ArrangementStateOf(arrangement);
    if (!state && arrangement.IsArrangement()) {
        Clip& clip = const_cast<Clip&>(arrangement);
        AllocateSurfaces(clip, clip.RootClip()->OutputSizeId());
        state = ArrangementStateOf(arrangement);
    }
    return state ? &state->strip : nullptr;
}

void InvertKeys(Variable& strip) {
    for (const KeyFrame& key : CopyKeys(strip))
        strip.SetValueAt(key.time, strip.Maximum() - (key.value - strip.Minimum()));
}

bool FullRange(Variable& strip) {
    const std::vector<KeyFrame> keys = CopyKeys(strip);
    if (keys.empty()) return false;
    double low = keys[0].value, high = keys[0].value;
    for (const KeyFrame& key : keys) low = std::min(low, key.value), high = std::max(high, key.value);
    if (!(high > low)) return false;
    for (const KeyFrame& key : keys)
        strip.SetValueAt(key.time, strip.Minimum() + (key.value - low) * (strip.Maximum() - strip.Minimum()) / (high - low));
    return true;
}

void ForwardRelease(Variable& strip, double releaseMs) {
    if (!(releaseMs > 0)) return;
    const double range = strip.Maximum() - strip.Minimum();
    for (int i = 1; i < strip.KeyCount(); ++i) {
        const KeyFrame previous = strip.Key(i - 1), key = strip.Key(i);
        const double bound = Clamped(strip, previous.value) - range * (double(key.time) - previous.time) / releaseMs;
        if (Clamped(strip, key.value) < bound) strip.SetValueAt(key.time, bound);
    }
}

void BackwardRelease(Variable& strip, double releaseMs) {
    if (!(releaseMs > 0)) return;
    const double range = strip.Maximum() - strip.Minimum();
    for (int i = strip.KeyCount() - 2; i >= 0; --i) {
        const KeyFrame following = strip.Key(i + 1), key = strip.Key(i);
        const double bound = Clamped(strip, following.value) - range * (double(following.time) - key.time) / releaseMs;
        if (Clamped(strip, key.value) < bound) strip.SetValueAt(key.time, bound);
    }
}

void BidirectionalRelease(Variable& strip, double releaseMs) {
    ForwardRelease(strip, releaseMs);
    BackwardRelease(strip, releaseMs);
}

double ReleaseTime(int distancePx, std::int32_t viewSpanMs, int windowWidthPx) {
    if (windowWidthPx <= 0) return 0;
    return double(std::abs(distancePx)) * viewSpanMs / windowWidthPx;
}

bool ToClipStrip(const Clip& arrangement, const Clip& child, const Variable& variable, Variable& strip) {
    const std::int32_t d = SaturatingSub(arrangement.Time(), child.Time());
    return Rescale(CopyKeys(variable), d, variable.Minimum(), variable.Maximum(), strip.Minimum(), strip.Maximum(),
                   strip);
}

bool FromClipStrip(const Clip& arrangement, const Clip& child, const Variable& strip, Variable& variable) {
    const std::int32_t d = SaturatingSub(arrangement.Time(), child.Time());
    return Rescale(CopyKeys(strip), -d, strip.Minimum(), strip.Maximum(), variable.Minimum(), variable.Maximum(),
                   variable);
}

bool GetAudioEnvelope(Clip& arrangement, Clip& child, Variable& target) {
    if (!child.HasAudio()) return false;
    MixBuffers buffers;
    target.ClearKeys();
    const std::int64_t begin = child.GetPosition(), end = begin + child.Length();
    const double range = target.Maximum() - target.Minimum();
    for (std::int64_t t = begin; t < end; t += kEnvelopeStepMs) {
        child.SetTime(std::int32_t(t));
        const std::int16_t* mix = MixStep(arrangement, buffers, kEnvelopeStepMs, kEnvelopeStepBytes, 0);
        int peak = 0;
        for (int i = 0; i < kEnvelopeStepBytes / 2; ++i) peak = std::max(peak, std::abs(int(mix[i])));
        target.SetValueAt(std::int32_t(t), peak / 32768.0 * range + target.Minimum());
    }
    child.SetTime(arrangement.Time());
    return true;
}

}  // namespace vantrel
