#include "model/clips/TimeGrid.h"

#include <cmath>

#include "items/Records.h"

namespace vantrel {

namespace {
constexpr const char* kModeNames[kQuantizeModeCount] = {
    "Quantize Off",    "Quantize Sec/100", "Quantize Sec/10", "Quantize Second",
    "Quantize Sec/15", "Quantize Sec/20",  "Quantize Sec/24", "Quantize Sec/25",
    "Quantize Sec/30", "Quantize Bar",     "Quantize 1/2",    "Quantize 1/4",
    "Quantize 1/8",    "Quantize 1/16",    "Quantize 1/32",   "Quantize 1/64",
};
}  // namespace

const char* QuantizeModeName(std::int32_t mode) {
    return mode >= 0 && mode < kQuantizeModeCount ? kModeNames[mode] : nullptr;
}

double TimeGrid::Unit() const {
    const double beat = 60000.0 / settings_.beatsPerMinute;
    switch (settings_.quantizeMode) {
        case kQuantizeOff: return 0;
        case kQuantizeSec100: return 10;
        case kQuantizeSec10: return 100;
        case kQuantizeSecond: return 1000;
        case kQuantizeSec15: return 1000.0 / 15;
        case kQuantizeSec20: return 50;
        case kQuantizeSec24: return 1000.0 / 24;
        case kQuantizeSec25: return 40;
        case kQuantizeSec30: return 1000.0 / 30;
        case kQuantizeBar: return beat * (settings_.unitsPerBar * 4.0 / settings_.unitSize);
        case kQuantizeHalf: return beat * 2;
        case kQuantizeQuarter: return beat;
        case kQuantizeEighth: return beat * 0.5;
        case kQuantizeSixteenth: return beat * 0.25;
        case kQuantizeThirtySecond: return beat * 0.125;
        case kQuantizeSixtyFourth: return beat * 0.0625;
        default: return 100;
    }
}

std::int32_t TimeGrid::Quantize(std::int32_t time) const {
    const double u = Unit();
    if (!(u > 0) || !std::isfinite(u)) return time;
    const double snapped = u * std::trunc((time + 0.499999 * u) / u);
    if (!(snapped >= INT32_MIN && snapped <= INT32_MAX)) return time;
    return std::int32_t(snapped);
}

void TimeGrid::Store(std::uint8_t* bytes) const {
    StoreDouble(bytes, settings_.beatsPerMinute);
    StoreInt32(bytes + 8, settings_.unitSize);
    StoreInt32(bytes + 12, settings_.unitsPerBar);
    StoreInt32(bytes + 16, settings_.quantizeMode);
    StoreInt32(bytes + 20, settings_.reserved);
}

void TimeGrid::LoadFrom(const std::uint8_t* bytes) {
    settings_.beatsPerMinute = LoadDouble(bytes);
    settings_.unitSize = LoadInt32(bytes + 8);
    settings_.unitsPerBar = LoadInt32(bytes + 12);
    settings_.quantizeMode = LoadInt32(bytes + 16);
    settings_.reserved = LoadInt32(bytes + 20);
}

}  // namespace vantrel
