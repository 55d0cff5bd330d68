#pragma once
#include <cstdint>
#include <span>

#include "values/Colour.h"
#include "values/Rect.h"
#include "values/Surface.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

class PluginTables;

// What an effect is attached to when it is made. Only plugin effects need
// anything from it today: the loaded plugin libraries.
struct EffectContext {
    const PluginTables* plugins = nullptr;
};

// The base of every video and audio effect: a variable owner whose table
// holds the type's declarations and whose item id is its type (the string
// id of the effect's name).
class Effect : public VariableOwner {
public:
    enum class Kind { kVideo, kAudio };

    Effect(int type, Kind kind);
    ~Effect() override;

    Kind EffectKindOf() const { return kind_; }
    int Type() const { return GetId(); }

    // The three operations of the effect's own panel, after the owner's.
    // Only the key-colour families and the Bubble answer: the panel shows a
    // colour picker strip for them.
    virtual bool HasKeyColourPicker() const;
    // The key colour as ToByte of red, green and blue; kNoColour when none.
    virtual Colour KeyColour();
    // Sets red, green and blue at the current time to the colour's channels
    // divided by 255; answers kChanged | kRepaint, or 0 without a picker.
    virtual ResultFlags SetKeyColour(Colour colour);

    // Scripts reach an effect's variables by name but never the effect
    // itself: every command is refused.
    bool RunCommand(const std::string& command, std::string& answer) override;
    // "." is the effect; then its variables by identifier, by identifier
    // without "IDS_", or by string id; then the table's own named items.
    Control* ResolveName(const std::string& name) override;

    // A value at the table's current time, with a NaN read as 0 so that no
    // pixel conversion ever meets one.
    double Value(int stringId);

    // The private block (when the effect has one) as a length-prefixed
    // record, then the table record. Load answers success only when both
    // read; a failed private block still lets the table be read.
    int Save(OutStream& file) override;
    int Load(InStream& file) override;

protected:
    // Plugin effects keep which plugin they wrap here. Empty: no block.
    virtual std::span<std::uint8_t> PrivateBlock();
    // Called after the private block was read successfully, before the
    // table record: the plugin effect declares its plugin's variables here.
    virtual void PrivateBlockLoaded();

private:
    Kind kind_;
};

class VideoEffect : public Effect {
public:
    explicit VideoEffect(int type) : Effect(type, Kind::kVideo) {}

    // Runs the effect over the rectangle (pixels, right and bottom
    // exclusive), which is first limited to both surfaces. The composition
    // hands both surfaces holding the same picture; source and destination
    // may also be the same surface. Pixels outside the rectangle are never
    // changed. Answers non-zero when done; 0 with nothing changed when a
    // surface is empty or the effect refuses the rectangle.
    int Process(Surface& source, Surface& destination, const Rect& rect);

protected:
    // The rectangle is non-empty and inside both surfaces here, and source
    // and destination are distinct unless the effect works in place.
    virtual int Apply(Surface& source, Surface& destination, const Rect& rect) = 0;
    // Effects that change only the destination pixel they look at can run
    // on one surface; the others get a copy of the source for in-place calls.
    virtual bool WorksInPlace() const { return false; }

private:
    Surface scratch_;  // the source copy for in-place calls, kept between frames
};

class AudioEffect : public Effect {
public:
    explicit AudioEffect(int type) : Effect(type, Kind::kAudio) {}

    // 16-bit signed stereo frames at 44100 Hz, 4 bytes each; input and
    // output may be the same buffer. Variables are read at the current time
    // and again every 441 frames (10 ms) further on.
    virtual int Process(const void* input, void* output, std::int32_t byteCount) = 0;
};

}  // namespace vantrel
