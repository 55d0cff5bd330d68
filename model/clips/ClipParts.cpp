#include "model/clips/ClipParts.h"

namespace vantrel {

namespace {
EffectMaker& EffectMakerSlot() {
    static EffectMaker maker;
    return maker;
}
GeneratorMaker& GeneratorMakerSlot() {
    static GeneratorMaker maker;
    return maker;
}
ArrangementSurfaceHooks& SurfaceHookSlot() {
    static ArrangementSurfaceHooks hooks;
    return hooks;
}

class TypeOnlyGenerator final : public ClipGenerator {
public:
    explicit TypeOnlyGenerator(int type) : type_(type) {}
    int Type() const override { return type_; }

private:
    int type_;
};
}  // namespace

void SetEffectMaker(EffectMaker maker) { EffectMakerSlot() = std::move(maker); }

std::unique_ptr<VariableOwner> MakeEffect(EffectKind kind, int type) {
    if (EffectMakerSlot()) return EffectMakerSlot()(kind, type);
    return PlainEffect::Create(kind, type);
}

std::unique_ptr<PlainEffect> PlainEffect::Create(EffectKind kind, int type) {
    if (!FindEffectRow(kind, type)) return nullptr;
    auto effect = std::make_unique<PlainEffect>();
    effect->SetId(type);
    DeclareEffect(effect->Table(), kind, type);
    return effect;
}

void SetGeneratorMaker(GeneratorMaker maker) { GeneratorMakerSlot() = std::move(maker); }

std::unique_ptr<ClipGenerator> MakeGenerator(int type, Clip& clip) {
    if (type != kTextStringType && type != kGradientType) return nullptr;
    if (GeneratorMakerSlot()) return GeneratorMakerSlot()(type, clip);
    return std::make_unique<TypeOnlyGenerator>(type);
}

void SetArrangementSurfaceHooks(ArrangementSurfaceHooks hooks) { SurfaceHookSlot() = std::move(hooks); }
const ArrangementSurfaceHooks& ArrangementSurfaces() { return SurfaceHookSlot(); }

}  // namespace vantrel
