#pragma once
#include <functional>
#include <memory>
#include <string>

#include "model/variables/Catalogue.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

class Clip;
class Surface;

// An effect of a clip's lists is a VariableOwner whose GetId() is its type
// (the string id of its name) and whose Save/Load write and read its whole
// record. The effects library installs the real maker; until then (and in
// tests) every catalogued type gets a plain effect holding only its
// variables. A null answer means the type names no effect.
using EffectMaker = std::function<std::unique_ptr<VariableOwner>(EffectKind kind, int type)>;
void SetEffectMaker(EffectMaker maker);  // empty: back to the plain effects
std::unique_ptr<VariableOwner> MakeEffect(EffectKind kind, int type);

// The plain effect: the declared variables of its type and nothing else;
// its record is its table record.
class PlainEffect final : public VariableOwner {
public:
    static std::unique_ptr<PlainEffect> Create(EffectKind kind, int type);
    int Save(OutStream& file) override { return table_.Save(file); }
    int Load(InStream& file) override { return table_.Load(file); }
};

// What draws the picture of a "Text String" (172) or "Gradient" (568) clip.
class ClipGenerator {
public:
    virtual ~ClipGenerator() = default;
    virtual int Type() const = 0;
    // Draws the clip's picture at its current time; false without one.
    virtual bool Render(Clip& /*clip*/) { return false; }
    virtual Surface* Picture() { return nullptr; }
    // Lines the "Clip Info" box adds after the type.
    virtual std::string InfoLines(const Clip& /*clip*/) const { return {}; }
};

constexpr int kTextStringType = 172;
constexpr int kGradientType = 568;
constexpr int kSubArrangementType = 412;
// A text clip's typeface until the user chooses one.
inline constexpr const char* kDefaultTypeface = "System";

// Installed by the generators' library; until then a generator that only
// knows its type is attached. Null: the generator could not be made.
using GeneratorMaker = std::function<std::unique_ptr<ClipGenerator>(int type, Clip& clip)>;
void SetGeneratorMaker(GeneratorMaker maker);
std::unique_ptr<ClipGenerator> MakeGenerator(int type, Clip& clip);

// Composition surfaces of an arrangement belong to the composition library;
// it installs these. Null members do nothing.
struct ArrangementSurfaceHooks {
    std::function<bool(Clip& clip, int outputSizeId)> allocate;
    std::function<void(Clip& clip)> release;
};
void SetArrangementSurfaceHooks(ArrangementSurfaceHooks hooks);
const ArrangementSurfaceHooks& ArrangementSurfaces();

}  // namespace vantrel
