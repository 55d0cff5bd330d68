#include "effects/Effect.h"

#include <charconv>
#include <vector>

#include "items/Records.h"
#include "items/ResultFlags.h"
#include "effects/Pixels.h"

namespace vantrel {

namespace {
constexpr int kRedId = 38, kGreenId = 39, kBlueId = 40;
}

Effect::Effect(int type, Kind kind) : kind_(kind) { SetId(type); }

Effect::~Effect() = default;

bool Effect::HasKeyColourPicker() const { return false; }

Colour Effect::KeyColour() {
    if (!HasKeyColourPicker()) return kNoColour;
    return Rgb(ToByte(Value(kRedId)), ToByte(Value(kGreenId)), ToByte(Value(kBlueId)));
}

ResultFlags Effect::SetKeyColour(Colour colour) {
    if (!HasKeyColourPicker() || colour == kNoColour) return 0;
    SetValueNow(kRedId, RedOf(colour) / 255.0);
    SetValueNow(kGreenId, GreenOf(colour) / 255.0);
    SetValueNow(kBlueId, BlueOf(colour) / 255.0);
    return kChanged | kRepaint;
}

bool Effect::RunCommand(const std::string&, std::string& answer) {
    answer.clear();
    return false;
}

Control* Effect::ResolveName(const std::string& name) {
    if (Control* found = VariableOwner::ResolveName(name)) return found;
    if (name.empty()) return nullptr;
    if (name == ".") return this;
    for (int i = 0; i < table_.Count(); ++i) {
        Variable& variable = table_.At(i);
        const std::string_view id = variable.Identifier();
        if (SameName(name, id)) return &variable;
        if (id.size() > 4 && SameName(id.substr(0, 4), "IDS_") && SameName(name, id.substr(4))) return &variable;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc{} && end == name.data() + name.size() && number != 0)
        if (Variable* variable = table_.ById(number)) return variable;
    return table_.ResolveName(name);
}

std::span<std::uint8_t> Effect::PrivateBlock() { return {}; }

void Effect::PrivateBlockLoaded() {}

int Effect::Save(OutStream& file) {
    const std::span<std::uint8_t> block = PrivateBlock();
    if (!block.empty() && !WriteRecord(file, block.data(), block.size())) return 0;
    return table_.Save(file);
}

int Effect::Load(InStream& file) {
    bool ok = true;
    const std::span<std::uint8_t> block = PrivateBlock();
    if (!block.empty()) {
        ok = ReadRecord(file, block.data(), block.size());
        if (ok) PrivateBlockLoaded();
    }
    const int table = table_.Load(file);
    return ok && table ? 1 : 0;
}

double Effect::Value(int stringId) {
    const double v = ValueById(stringId);
    return v == v ? v : 0.0;
}

int VideoEffect::Process(Surface& source, Surface& destination, const Rect& rect) {
    if (source.IsEmpty() || destination.IsEmpty()) return 0;
    const Rect r = rect.Intersect(source.Bounds()).Intersect(destination.Bounds());
    if (r.IsEmpty()) return 0;
    if (&source == &destination && !WorksInPlace()) {
        // The source must stay as it was while the destination changes.
        if (scratch_.Width() != source.Width() || scratch_.Height() != source.Height())
            if (!scratch_.Allocate(source.Width(), source.Height())) return 0;
        scratch_.CopyFrom(source, source.Bounds(), 0, 0);
        return Apply(scratch_, destination, r);
    }
    return Apply(source, destination, r);
}

}  // namespace vantrel
