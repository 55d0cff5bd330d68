// Keys, shape masks and the adjusters they steer: one class each, the mode
// fixed by the type when the effect is made.
#include <iterator>

#include "effects/Families.h"
#include "effects/colour/Adjust.h"
#include "effects/keys/Keys.h"

namespace vantrel {

namespace {

struct KeyRow {
    int type;
    KeyMode mode;
};

constexpr KeyRow kColourKeys[] = {
    {28, {KeyTest::kRgb, false}},        {130, {KeyTest::kRgb, true}},
    {29, {KeyTest::kChroma, false}},     {131, {KeyTest::kChroma, true}},
    {31, {KeyTest::kBrightness, false}}, {289, {KeyTest::kBrightness, true}},
    {30, {KeyTest::kGreen, false}},      {288, {KeyTest::kGreen, true}},
    {546, {KeyTest::kRed, false}},       {547, {KeyTest::kRed, true}},
    {548, {KeyTest::kBlue, false}},      {549, {KeyTest::kBlue, true}},
};

// Inverted masks keep the outside.
constexpr KeyRow kShapeMasks[] = {
    {181, {KeyTest::kCircle, false}},    {241, {KeyTest::kCircle, true}},
    {244, {KeyTest::kOval, false}},      {243, {KeyTest::kOval, true}},
    {247, {KeyTest::kRectangle, false}}, {248, {KeyTest::kRectangle, true}},
};

// "Chroma Key Color Excluded" runs the inverted chroma key: adjusting the
// same pixels as "Chroma Key Color" would make the pair one effect twice.
constexpr KeyRow kMaskedAdjusters[] = {
    {252, {KeyTest::kRgb, false}},        {253, {KeyTest::kRgb, true}},
    {254, {KeyTest::kChroma, false}},     {255, {KeyTest::kChroma, true}},
    {290, {KeyTest::kGreen, false}},      {291, {KeyTest::kGreen, true}},
    {550, {KeyTest::kRed, false}},        {551, {KeyTest::kRed, true}},
    {552, {KeyTest::kBlue, false}},       {553, {KeyTest::kBlue, true}},
    {292, {KeyTest::kBrightness, false}}, {293, {KeyTest::kBrightness, true}},
    {256, {KeyTest::kCircle, false}},     {257, {KeyTest::kCircle, true}},
    {258, {KeyTest::kOval, false}},       {259, {KeyTest::kOval, true}},
    {260, {KeyTest::kRectangle, false}},  {261, {KeyTest::kRectangle, true}},
};

template <std::size_t N>
const KeyRow* Find(const KeyRow (&rows)[N], int type) {
    for (const KeyRow& row : rows)
        if (row.type == type) return &row;
    return nullptr;
}

class KeyEffect final : public VideoEffect {
public:
    KeyEffect(int type, KeyMode mode) : VideoEffect(type), mode_(mode) {}
    bool HasKeyColourPicker() const override { return PicksKeyColour(mode_.test); }

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& destination, const Rect& rect) override {
        RunKey(*this, mode_, destination, rect);
        return 1;
    }

private:
    KeyMode mode_;
};

// The key runs on the source only; its alpha then says how much of the
// adjusted colour each destination pixel takes. The destination's alpha
// stays as it was.
class MaskedAdjuster final : public VideoEffect {
public:
    MaskedAdjuster(int type, KeyMode mode) : VideoEffect(type), mode_(mode) {}
    bool HasKeyColourPicker() const override { return PicksKeyColour(mode_.test); }

protected:
    int Apply(Surface& source, Surface& destination, const Rect& rect) override {
        RunKey(*this, mode_, source, rect);
        const Adjustment adjust = Adjustment::Read(*this);
        for (int y = rect.top; y < rect.bottom; ++y) {
            const Pixel* mask = source.Row(y);
            Pixel* row = destination.Row(y);
            for (int x = rect.left; x < rect.right; ++x) {
                const int m = PixelAlpha(mask[x]);
                if (m == 0) continue;
                row[x] = MixColour(row[x], adjust.Colour(row[x]), m);
            }
        }
        return 1;
    }

private:
    KeyMode mode_;
};

}  // namespace

std::unique_ptr<VideoEffect> MakeColourKey(int type, const EffectContext&) {
    const KeyRow* row = Find(kColourKeys, type);
    return row ? std::make_unique<KeyEffect>(type, row->mode) : nullptr;
}

std::unique_ptr<VideoEffect> MakeShapeMask(int type, const EffectContext&) {
    const KeyRow* row = Find(kShapeMasks, type);
    return row ? std::make_unique<KeyEffect>(type, row->mode) : nullptr;
}

std::unique_ptr<VideoEffect> MakeMaskedAdjuster(int type, const EffectContext&) {
    const KeyRow* row = Find(kMaskedAdjusters, type);
    return row ? std::make_unique<MaskedAdjuster>(type, row->mode) : nullptr;
}

}  // namespace vantrel
