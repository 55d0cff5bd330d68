#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/DrawContext.h"

namespace vantrel::testing {

// Records what is drawn instead of drawing it: every call in order, the
// pictures, the texts, and the colour each filled pixel got last.
class RecordingDrawContext final : public DrawContext {
public:
    struct Stretch {
        const Surface* picture;
        Rect source, dest;
    };
    struct LineDrawn {
        Pen pen;
        int x0, y0, x1, y1;
    };
    std::vector<LineDrawn> lines;
    std::vector<std::pair<Rect, Colour>> fills;
    std::vector<Stretch> stretches;
    std::vector<Rect> tiles;
    std::vector<std::string> texts;
    std::vector<Rect> textRects;
    std::vector<TextStyle> textStyles;
    std::vector<Rect> clips;
    std::map<std::pair<int, int>, Colour> pixels;
    // What TextExtent answers: this many pixels per character, one line high.
    int charWidth = 0, lineHeight = 0;
    // Filled pixels are kept only when asked for: whole-window fills are many.
    bool recordPixels = false;
    // A context a window hands out for one paint adds what it recorded to
    // the window's own record when the paint ends.
    RecordingDrawContext* keepInto = nullptr;

    RecordingDrawContext() = default;
    explicit RecordingDrawContext(RecordingDrawContext* into) : keepInto(into) {}
    ~RecordingDrawContext() override {
        if (!keepInto) return;
        auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
        append(keepInto->lines, lines);
        append(keepInto->fills, fills);
        append(keepInto->stretches, stretches);
        append(keepInto->tiles, tiles);
        append(keepInto->texts, texts);
        append(keepInto->textRects, textRects);
        append(keepInto->textStyles, textStyles);
        append(keepInto->clips, clips);
    }

    void Line(Pen pen, int x0, int y0, int x1, int y1) override { lines.push_back({pen, x0, y0, x1, y1}); }
    void FillRect(const Rect& rect, Colour colour) override {
        fills.emplace_back(rect, colour);
        if (!recordPixels) return;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) pixels[{x, y}] = colour;
    }
    void StretchPicture(const Surface& picture, const Rect& source, const Rect& dest) override {
        stretches.push_back({&picture, source, dest});
    }
    void TilePicture(const Surface&, const Rect& dest) override { tiles.push_back(dest); }
    void Text(const std::string& text, const Rect& rect, const TextStyle& style) override {
        texts.push_back(text);
        textRects.push_back(rect);
        textStyles.push_back(style);
    }
    TextSize TextExtent(const std::string& text, int) override {
        return {charWidth * int(text.size()), lineHeight};
    }
    Colour PixelAt(int x, int y) override {
        const auto found = pixels.find({x, y});
        return found == pixels.end() ? 0 : found->second;
    }
    void SetClip(const Rect& rect) override { clips.push_back(rect); }
    void ClearClip() override {}
};

}  // namespace vantrel::testing
