#include "effects/generators/Generators.h"

#include <cmath>
#include <cstdio>

#include "items/StringTable.h"
#include "effects/Pixels.h"

namespace vantrel {

namespace {

constexpr int kTextStringId = 172, kGradientId = 568;
constexpr int kSizeId = 280, kWeightId = 281, kItalicId = 388, kUnderlineId = 389;
constexpr int kForeground[4] = {399, 400, 401, 402};  // red, green, blue, alpha
constexpr int kBackground[4] = {395, 396, 397, 398};
constexpr int kCorners[4][4] = {
    {656, 657, 658, 659},  // left top
    {671, 672, 673, 674},  // left bottom
    {661, 662, 663, 664},  // right top
    {666, 667, 668, 669},  // right bottom
};

double ValueAt(const VariableOwner& clip, std::int32_t time, int id) {
    const double v = clip.Table().ValueById(id, time);
    return v == v ? v : 0.0;
}

Pixel ColourAt(const VariableOwner& clip, std::int32_t time, const int (&ids)[4]) {
    return MakePixel(ToByte(ValueAt(clip, time, ids[2])), ToByte(ValueAt(clip, time, ids[1])),
                     ToByte(ValueAt(clip, time, ids[0])), ToByte(ValueAt(clip, time, ids[3])));
}

// Rounds half away from zero, as the classic MulDiv does.
int MulDiv(int a, int b, int c) {
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
    return int(q);
}

std::string Line(const char* format, const char* a, const char* b) {
    char buffer[600];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

}  // namespace

const Surface* PictureGenerator::Picture(int width, int height) {
    if (picture_.Width() != width || picture_.Height() != height)
        if (!picture_.Allocate(width, height)) return nullptr;
    Render(picture_, clip_.Table().Time());
    return &picture_;
}

int FontWeightFrom(double weight) { return std::clamp(TruncTo(weight * 999, 0, 999), 1, 999); }

bool GradientGenerator::Render(Surface& target, std::int32_t time) {
    if (target.IsEmpty()) return false;
    Pixel corner[4];
    for (int c = 0; c < 4; ++c) corner[c] = ColourAt(clip_, time, kCorners[c]);
    const int w = target.Width(), h = target.Height();
    for (int i = 0; i < h; ++i) {
        int left[4], right[4];
        for (int ch = 0; ch < 4; ++ch) {
            const int shift = 8 * ch;
            auto part = [&](Pixel p) { return std::int64_t((p >> shift) & 255); };
            left[ch] = int((part(corner[0]) * (h - i) + part(corner[1]) * i) / h);
            right[ch] = int((part(corner[2]) * (h - i) + part(corner[3]) * i) / h);
        }
        Pixel* row = target.Row(i);
        for (int x = 0; x < w; ++x) {
            Pixel p = 0;
            for (int ch = 0; ch < 4; ++ch)
                p |= Pixel((std::int64_t(left[ch]) * (w - x) + std::int64_t(right[ch]) * x) / w) << (8 * ch);
            row[x] = p;
        }
    }
    return true;
}

std::string GradientGenerator::Information(std::int32_t) const {
    return Line("%s: %s\n", "Clip Type", Str(kGradientId).c_str());
}

TextGenerator::TextGenerator(VariableOwner& clip) : PictureGenerator(clip), text_(Str(kTextStringId)) {}

TextFont TextGenerator::FontAt(std::int32_t time) const {
    TextFont font;
    font.typeface = typeface_;
    const TextRenderer* renderer = InstalledTextRenderer();
    const int dpi = renderer ? renderer->PixelsPerInch() : 96;
    font.heightPx = MulDiv(TruncTo(ValueAt(clip_, time, kSizeId), 0, 100000), dpi > 0 ? dpi : 96, 72);
    font.weight = FontWeightFrom(ValueAt(clip_, time, kWeightId));
    font.italic = TruncTo(ValueAt(clip_, time, kItalicId) + 0.5, 0, 1) != 0;
    font.underline = TruncTo(ValueAt(clip_, time, kUnderlineId) + 0.5, 0, 1) != 0;
    return font;
}

bool TextGenerator::Render(Surface& target, std::int32_t time) {
    if (target.IsEmpty()) return false;
    target.Fill(target.Bounds(), ColourAt(clip_, time, kBackground));
    const Pixel fg = ColourAt(clip_, time, kForeground);
    if (!text_.empty())
        if (TextRenderer* renderer = InstalledTextRenderer())
            renderer->DrawLine(target, target.Bounds(), text_, FontAt(time),
                               Rgb(PixelRed(fg), PixelGreen(fg), PixelBlue(fg)));
    // Only pixels of exactly the foreground colour show: the text without
    // any blending toward the background, and a background of that colour.
    const Pixel colour = fg & 0x00FFFFFFu;
    for (int y = 0; y < target.Height(); ++y) {
        Pixel* row = target.Row(y);
        for (int x = 0; x < target.Width(); ++x)
            row[x] = (row[x] & 0x00FFFFFFu) == colour ? (colour | 0xFF000000u) : (row[x] & 0x00FFFFFFu);
    }
    return true;
}

std::string TextGenerator::Information(std::int32_t time) const {
    std::string text = Line("%s: %s\n", "Clip Type", Str(kTextStringId).c_str());
    text += Line("%s: \"%s\"\n", "Typeface", typeface_.c_str());
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "\t- %s %d (%s)\n", "Size", TruncTo(ValueAt(clip_, time, kSizeId), 0, 100000),
                  "at current");
    text += buffer;
    std::snprintf(buffer, sizeof buffer, "\t- %s %d (%s)\n", "Weight",
                  TruncTo(ValueAt(clip_, time, kWeightId) * 999.9, 0, 100000), "at current");
    text += buffer;
    if (ValueAt(clip_, time, kUnderlineId) > 0.9) text += Line("\t- %s (%s)\n", "Underlined", "at current");
    if (ValueAt(clip_, time, kItalicId) > 0.9) text += Line("\t- %s (%s)\n", "Italic", "at current");
    return text;
}

}  // namespace vantrel
