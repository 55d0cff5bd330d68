// "Opacity", "Adjuster", "Mapper" and "Extra Output".
#include <array>

#include "effects/EffectRegistry.h"
#include "effects/Families.h"
#include "effects/colour/Adjust.h"
#include "model/variables/CatalogueIds.h"

namespace vantrel {

namespace {
constexpr int kOpacityId = 104;
constexpr int kAdjRedId = 107, kAdjGreenId = 108, kAdjBlueId = 109, kAdjSaturationId = 240, kAdjOpacityId = 110;
// Map 0 and map 1 of blue, green, red and opacity, in pixel byte order.
constexpr int kMapIds[4][2] = {{116, 117}, {114, 115}, {112, 113}, {118, 119}};
using catalogue_ids::kDestinationRect;

class Opacity final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& destination, const Rect& rect) override {
        const int d = ToOffset(Value(kOpacityId));
        if (d == 0) return 1;
        for (int y = rect.top; y < rect.bottom; ++y) {
            Pixel* row = destination.Row(y);
            for (int x = rect.left; x < rect.right; ++x) row[x] = WithAlpha(row[x], ClampByte(PixelAlpha(row[x]) + d));
        }
        return 1;
    }
};

class Adjuster final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& destination, const Rect& rect) override {
        const Adjustment adjust = Adjustment::Read(*this);
        for (int y = rect.top; y < rect.bottom; ++y) {
            Pixel* row = destination.Row(y);
            for (int x = rect.left; x < rect.right; ++x) {
                const Pixel p = adjust.Colour(row[x]);
                row[x] = WithAlpha(p, ClampByte(PixelAlpha(p) + adjust.opacity));
            }
        }
        return 1;
    }
};

// A table per channel from two end values; Extra Output maps the same way
// and leaves the blend by its own rectangle to the composition.
class Mapper final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& destination, const Rect& rect) override {
        for (int c = 0; c < 4; ++c) {
            const int a = ClampByte(TruncTo(Value(kMapIds[c][0]) * 255, -1, 256));
            const int b = ClampByte(TruncTo(Value(kMapIds[c][1]) * 255, -1, 256));
            for (int i = 0; i < 256; ++i) tables_[c][i] = std::uint32_t((b - a) * i / 256 + a) << (8 * c);
        }
        for (int y = rect.top; y < rect.bottom; ++y) {
            Pixel* row = destination.Row(y);
            for (int x = rect.left; x < rect.right; ++x) {
                const Pixel p = row[x];
                row[x] = tables_[0][p & 255] | tables_[1][(p >> 8) & 255] | tables_[2][(p >> 16) & 255] |
                         tables_[3][p >> 24];
            }
        }
        return 1;
    }

private:
    std::array<std::array<std::uint32_t, 256>, 4> tables_{};
};

}  // namespace

Adjustment Adjustment::Read(Effect& v) {
    Adjustment a;
    a.red = ToOffset(v.Value(kAdjRedId));
    a.green = ToOffset(v.Value(kAdjGreenId));
    a.blue = ToOffset(v.Value(kAdjBlueId));
    a.opacity = ToOffset(v.Value(kAdjOpacityId));
    a.grey = 255 - ClampByte(TruncTo(v.Value(kAdjSaturationId) * 255, -1, 256));
    return a;
}

std::unique_ptr<VideoEffect> MakeOpacity(int type, const EffectContext&) { return std::make_unique<Opacity>(type); }
std::unique_ptr<VideoEffect> MakeAdjuster(int type, const EffectContext&) { return std::make_unique<Adjuster>(type); }
std::unique_ptr<VideoEffect> MakeMapper(int type, const EffectContext&) { return std::make_unique<Mapper>(type); }

FractionRect ExtraOutputDestination(Effect& effect) {
    return {effect.Value(kDestinationRect[0]), effect.Value(kDestinationRect[1]), effect.Value(kDestinationRect[2]), effect.Value(kDestinationRect[3])};
}

}  // namespace vantrel
