#pragma once
#include <array>
#include <cstdint>

#include "items/Control.h"

namespace vantrel {

// The quantize modes of a time grid, as stored in project files.
enum QuantizeMode : std::int32_t {
    kQuantizeOff = 0,
    kQuantizeSec100,
    kQuantizeSec10,
    kQuantizeSecond,
    kQuantizeSec15,
    kQuantizeSec20,
    kQuantizeSec24,
    kQuantizeSec25,
    kQuantizeSec30,
    kQuantizeBar,
    kQuantizeHalf,
    kQuantizeQuarter,
    kQuantizeEighth,
    kQuantizeSixteenth,
    kQuantizeThirtySecond,
    kQuantizeSixtyFourth,
    kQuantizeModeCount
};
const char* QuantizeModeName(std::int32_t mode);  // "Quantize Off" ...; null outside the list

struct TimeGridSettings {
    double beatsPerMinute = 60;
    std::int32_t unitSize = 4;
    std::int32_t unitsPerBar = 4;
    std::int32_t quantizeMode = kQuantizeOff;
    std::int32_t reserved = 0;  // held for the file, no meaning
    bool operator==(const TimeGridSettings&) const = default;
};

// A clip's musical time grid ("Music Time Change", id 636): the unit that
// the time steps of the editor use and that every edited time snaps to.
class TimeGrid : public Control {
public:
    static constexpr int kId = 636;
    static constexpr int kRecordSize = 24;

    TimeGrid() { SetId(kId); }

    const TimeGridSettings& Settings() const { return settings_; }
    void SetSettings(const TimeGridSettings& settings) { settings_ = settings; }
    void SetQuantizeMode(std::int32_t mode) { settings_.quantizeMode = mode; }
    void Reset() { settings_ = committed_ = TimeGridSettings{}; }

    // The unit in ms; 0 with quantizing off.
    double Unit() const;
    // u * trunc((t + 0.499999 u) / u). A unit that is not a positive finite
    // number (a zero tempo read from a file) leaves the time unchanged.
    std::int32_t Quantize(std::int32_t time) const;

    void Commit() { committed_ = settings_; }
    void Revert() { settings_ = committed_; }

    void Store(std::uint8_t* bytes) const;  // 24 bytes
    void LoadFrom(const std::uint8_t* bytes);

private:
    TimeGridSettings settings_;
    TimeGridSettings committed_;
};

// Objects besides clips that follow their clip's grid (effects may).
class TimeGridUser {
public:
    virtual ~TimeGridUser() = default;
    virtual void SetTimeGrid(const TimeGridSettings& settings) = 0;
};

}  // namespace vantrel
