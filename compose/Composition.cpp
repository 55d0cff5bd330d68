#include "compose/Composition.h"

#include <algorithm>
#include <utility>

#include "items/StringTable.h"
#include "effects/EffectRegistry.h"
#include "effects/generators/Generators.h"
#include "model/clips/Clip.h"
#include "model/variables/CatalogueIds.h"
#include "compose/Blend.h"
#include "compose/ClipState.h"
#include "compose/Status.h"
#include "platform/TextRenderer.h"

namespace vantrel {

namespace {

constexpr int kCheckerPower = 4;  // 16-pixel squares
constexpr int kStartOpacityId = 554;
constexpr int kEffectEnableId = 519;
constexpr int kEffectToggleId = 520;
using catalogue_ids::RectangleIds;
constexpr const RectangleIds& kSourceIds = catalogue_ids::kSourceRect;
constexpr const RectangleIds& kDestinationIds = catalogue_ids::kDestinationRect;
constexpr const RectangleIds& kEffectRectIds = catalogue_ids::kEffectRect;
constexpr Colour kDisabledMark = 0x0000FF;  // red
constexpr Colour kToggledMark = 0x00FF00;   // green

double ValueOr(VariableOwner& owner, int id, double fallback) {
    const std::optional<ValueRange> v = owner.ValueAndRangeById(id);
    return v ? v->value : fallback;
}

Fractions ReadFractions(VariableOwner& owner, const RectangleIds& ids) {
    return {ValueOr(owner, ids[0], 0), ValueOr(owner, ids[1], 0), ValueOr(owner, ids[2], 1),
            ValueOr(owner, ids[3], 1)};
}

bool IsRoot(const Clip& clip) { return clip.ParentClip() == nullptr; }

// The picture of a child for this compose and its true size.
struct ChildPicture {
    const Surface* surface = nullptr;
    int width = 0, height = 0;
    bool addsOpacity = false;  // media and generator clips
};

ChildPicture FetchPicture(Clip& child, int flags) {
    ChildPicture picture;
    if (child.IsArrangement()) {
        if (!Compose(child, flags)) return picture;
        ArrangementState* state = ArrangementStateOf(child);
        if (!state) return picture;
        picture.surface = &state->surfaces[0];
        picture.width = state->width;
        picture.height = state->height;
        return picture;
    }
    if (ClipGenerator* generator = child.Generator()) {
        generator->Render(child);
        const Surface* surface = generator->Picture();
        if (!surface || surface->IsEmpty()) return picture;
        picture = {surface, surface->Width(), surface->Height(), true};
        return picture;
    }
    MediaSource* source = child.Source();
    if (!source || !source->HasPicture()) return picture;
    if (source->Kind() == SourceKind::Avi || source->Kind() == SourceKind::Movie) {
        MediaClipState& state = MediaState(child);
        const std::int32_t m = child.MediaTimeAt(child.Time());
        if (!state.hasFrame || state.frameTime != m) {
            ShowStatus(child, "Processing", "Reading Video Frame", child.Name());
            source->ReadFrame(m);
            state.hasFrame = true;
            state.frameTime = m;
        }
    }
    picture = {&source->Picture(), source->Width(), source->Height(), true};
    return picture;
}

void DrawMark(Surface& surface, const Rect& rect, const char* text, Colour colour) {
    TextRenderer* renderer = InstalledTextRenderer();
    if (!renderer || rect.IsEmpty()) return;
    TextFont font;
    font.heightPx = std::clamp(rect.Height() / 3, 8, 24);
    renderer->DrawLine(surface, rect, text, font, colour);
}

// The detail view: the working picture over the checkerboard, with marks.
void ShowDetail(ArrangementState& parent, Surface& working, Surface& spare, const Rect& area, bool disabled,
                bool toggledOff) {
    FillCheckerboard(spare, spare.Bounds(), kCheckerPower);
    BlendColourOnly(working, spare, area);
    Surface& detail = parent.surfaces[1];
    detail.CopyFrom(spare, spare.Bounds(), 0, 0);
    const int middle = area.top + area.Height() / 2;
    if (disabled) DrawMark(detail, {area.left, area.top, area.right, middle}, "Effect Disabled", kDisabledMark);
    if (toggledOff) DrawMark(detail, {area.left, middle, area.right, area.bottom}, "Effect Toggle Off", kToggledMark);
}

void DrawChild(Clip& child, ArrangementState& parent, int flags) {
    if (!child.HasVideo() || !child.IsActive()) return;
    const ChildPicture picture = FetchPicture(child, flags);
    if (!picture.surface || picture.width <= 0 || picture.height <= 0) return;
    const int opacity = picture.addsOpacity ? OpacityStep(ValueOr(child, kStartOpacityId, 0)) : 0;
    const int frameW = parent.width, frameH = parent.height;
    Surface& composite = parent.surfaces[4];

    Fractions source = ReadFractions(child, kSourceIds);
    Fractions destination = ReadFractions(child, kDestinationIds);
    const bool visible = ClipAndCut(source, destination);

    std::vector<VideoEffect*> effects;
    for (const auto& owner : child.VideoEffects())
        if (auto* effect = dynamic_cast<VideoEffect*>(owner.get())) effects.push_back(effect);

    if (effects.empty()) {
        ShowStatus(child, "Processing", "Drawing Video Frame", child.Name());
        const Rect sourcePx = FractionsToPixels(source, picture.width, picture.height);
        if (visible)
            BlendScaled(*picture.surface, sourcePx, composite, FractionsToPixels(destination, frameW, frameH), true,
                        opacity);
        if (flags & kComposePreview) {
            Surface& detail = parent.surfaces[1];
            FillCheckerboard(detail, detail.Bounds(), kCheckerPower);
            if (visible) {
                const Rect fitted = FitInto(sourcePx.Width(), sourcePx.Height(), detail.Bounds());
                BlendScaled(*picture.surface, sourcePx, detail, fitted, true, opacity);
            }
        }
        return;
    }

    // The clip's source part, fitted into the frame at its top-left corner,
    // is the working picture the effects pass between surfaces 2 and 3.
    const Fractions wholeSource = ReadFractions(child, kSourceIds);
    Fractions clippedSource = wholeSource, unit{};
    if (!ClipAndCut(clippedSource, unit)) return;
    const Rect sourcePx = FractionsToPixels(clippedSource, picture.width, picture.height);
    if (!IsUsablePixelRect(sourcePx)) return;
    const Rect frame{0, 0, frameW, frameH};
    const Rect area = FitInto(sourcePx.Width(), sourcePx.Height(), frame);
    Surface* working = &parent.surfaces[3];
    Surface* spare = &parent.surfaces[2];
    working->Clear();
    working->StretchFrom(*picture.surface, sourcePx, area);
    // Only the picture itself: the cleared rest stays transparent for
    // effects that look at neighbouring pixels.
    AddAlpha(*working, opacity, area);

    bool delivered = false;
    bool detailShown = false;
    const VariableOwner* current = child.CurrentVideoEffect();
    for (std::size_t i = 0; i < effects.size(); ++i) {
        VideoEffect& effect = *effects[i];
        const double enable = effect.Value(kEffectEnableId);
        const double toggle = effect.Value(kEffectToggleId);
        const Fractions f = ReadFractions(effect, kEffectRectIds);
        const Rect rect = FractionsToPixels(f, frameW, frameH).Intersect(area);
        const std::string& name = Str(effect.Type());
        if (enable >= 0.5 && toggle >= 0.5 && IsUsablePixelRect(rect)) {
            ShowStatus(child, "Processing", name, child.Name());
            if (effect.Type() == kExtraOutputType) {
                spare->CopyFrom(*working, working->Bounds(), 0, 0);
                effect.Process(*working, *spare, rect);
                Fractions from{double(rect.left) / frameW, double(rect.top) / frameH, double(rect.right) / frameW,
                               double(rect.bottom) / frameH};
                const FractionRect to = ExtraOutputDestination(effect);
                Fractions into{to.left, to.top, to.right, to.bottom};
                if (ClipAndCut(from, into))
                    BlendScaled(*spare, FractionsToPixels(from, frameW, frameH), composite,
                                FractionsToPixels(into, frameW, frameH), true);
                delivered = true;
            } else {
                std::swap(working, spare);
                working->CopyFrom(*spare, spare->Bounds(), 0, 0);
                effect.Process(*spare, *working, rect);
            }
        }
        const bool isLast = i + 1 == effects.size();
        if ((flags & kComposePreview) && !detailShown && (&effect == current || isLast)) {
            ShowDetail(parent, *working, *spare, area, enable < 0.5, toggle < 0.5);
            detailShown = true;
        }
    }

    ShowStatus(child, "Processing", "Adding To Destination", child.Name());
    if (!delivered && visible) {
        // The fitted picture stands for the clipped source rectangle; the
        // part the destination clipping kept is mapped onto it.
        const double sw = clippedSource.Width(), sh = clippedSource.Height();
        const Fractions within{(source.left - clippedSource.left) / sw, (source.top - clippedSource.top) / sh,
                               (source.right - clippedSource.left) / sw, (source.bottom - clippedSource.top) / sh};
        const Rect from{area.left + int(area.Width() * within.left), area.top + int(area.Height() * within.top),
                        area.left + int(area.Width() * within.right), area.top + int(area.Height() * within.bottom)};
        BlendScaled(*working, from, composite, FractionsToPixels(destination, frameW, frameH), true);
    }
}

// Draws a text or gradient clip's picture with the effects' generators at
// the size of the root's output frame.
class GeneratedPicture final : public ClipGenerator {
public:
    GeneratedPicture(int type, Clip& clip) : type_(type) {
        if (type == kTextStringType)
            generator_ = std::make_unique<TextGenerator>(clip);
        else
            generator_ = std::make_unique<GradientGenerator>(clip);
    }
    int Type() const override { return type_; }
    bool Render(Clip& clip) override {
        TakeWords(clip);
        const FrameSize size = OutputFrameSize(clip.RootClip()->OutputSizeId());
        if (picture_.Width() != size.width || picture_.Height() != size.height)
            if (!picture_.Allocate(size.width, size.height)) return false;
        return generator_->Render(picture_, clip.Time());
    }
    Surface* Picture() override { return picture_.IsEmpty() ? nullptr : &picture_; }
    std::string InfoLines(const Clip& clip) const override {
        TakeWords(clip);
        return generator_->Information(clip.Time());
    }
    PictureGenerator& Generator() { return *generator_; }

private:
    // The clip's header holds the words, so that they are saved, copied and
    // undone with the rest of the clip.
    void TakeWords(const Clip& clip) const {
        auto* text = dynamic_cast<TextGenerator*>(generator_.get());
        if (!text) return;
        if (std::string words = clip.Words(); words != text->Text()) text->SetText(std::move(words));
        if (std::string face = clip.Typeface(); face != text->Typeface()) text->SetTypeface(std::move(face));
    }

    int type_;
    std::unique_ptr<PictureGenerator> generator_;
    Surface picture_;
};

}  // namespace

bool Compose(Clip& arrangement, int flags) {
    if (!arrangement.IsArrangement()) return false;
    const bool root = IsRoot(arrangement);
    // A sub arrangement composes at the size of the frame it is shown in.
    const int sizeId = arrangement.RootClip()->OutputSizeId();
    ArrangementState* state = SurfacesFor(arrangement, sizeId);
    if (!state) return false;
    Surface& composite = state->surfaces[4];
    composite.Clear();

    for (Clip* child : arrangement.ChildrenInDrawingOrder()) {
        if (child->Track() < 0 || !child->IsActive()) continue;
        ShowStatus(arrangement, "Processing", child->Name());
        DrawChild(*child, *state, child == arrangement.CurrentChild() ? flags : flags & ~kComposePreview);
    }

    Surface* current = &composite;
    Surface& finished = state->surfaces[0];
    if (root) {
        std::vector<VideoEffect*> masters;
        for (const auto& owner : arrangement.VideoEffects())
            if (auto* effect = dynamic_cast<VideoEffect*>(owner.get()); effect && effect->Type() != kExtraOutputType)
                masters.push_back(effect);
        if (masters.empty()) {
            // Opaque straight into the finished frame: one pass instead of two.
            CopyOpaque(composite, finished);
            return true;
        }
        SetAlpha(composite, 255);
        Surface* spare = &state->surfaces[3];
        for (VideoEffect* effect : masters) {
            ShowStatus(arrangement, "Processing", "-> Master -> " + Str(effect->Type()));
            spare->CopyFrom(*current, current->Bounds(), 0, 0);
            effect->Process(*current, *spare, current->Bounds());
            std::swap(current, spare);
        }
    }
    if (current->Width() == finished.Width() && current->Height() == finished.Height())
        finished.CopyFrom(*current, current->Bounds(), 0, 0);
    else
        finished.StretchFrom(*current, current->Bounds(), finished.Bounds());
    return true;
}

Surface* CompositionSurface(const Clip& arrangement, int index) {
    if (index < 0 || index >= ArrangementState::kSurfaceCount) return nullptr;
    ArrangementState* state = ArrangementStateOf(arrangement);
    if (!state || state->surfaces[std::size_t(index)].IsEmpty()) return nullptr;
    return &state->surfaces[std::size_t(index)];
}

Surface* FinishedFrame(const Clip& arrangement) { return CompositionSurface(arrangement, 0); }
Surface* DetailView(const Clip& arrangement) { return CompositionSurface(arrangement, 1); }

void InstallCompositionParts(const PluginTables* plugins) {
    SetArrangementSurfaceHooks({
        [](Clip& clip, int outputSizeId) { return AllocateSurfaces(clip, outputSizeId); },
        [](Clip& clip) { ReleaseState(clip); },
    });
    SetEffectMaker([plugins](EffectKind kind, int type) -> std::unique_ptr<VariableOwner> {
        const EffectContext context{plugins};
        if (kind == EffectKind::kVideo) return CreateVideoEffect(type, context);
        return CreateAudioEffect(type, context);
    });
    SetGeneratorMaker([](int type, Clip& clip) -> std::unique_ptr<ClipGenerator> {
        if (type != kTextStringType && type != kGradientType) return nullptr;
        return std::make_unique<GeneratedPicture>(type, clip);
    });
}

}  // namespace vantrel
