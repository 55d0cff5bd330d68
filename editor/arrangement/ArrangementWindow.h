#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "values/Colour.h"
#include "items/Item.h"
#include "values/Rect.h"
#include "editor/arrangement/ArrangementView.h"
#include "editor/arrangement/ClipPictures.h"

namespace vantrel {

class Clip;
class DrawContext;

// Where the arrangement window and its companions stand, in layout
// coordinates; the workspace's layout fills it in.
struct ArrangementRects {
    Rect window;       // the tracks
    Rect slider;       // vertical: the scroll over the tracks
    Rect scroller;     // horizontal: the view start over the arrangement
    Rect topRuler, bottomRuler;
    Rect strip;        // the make strip
    Rect picture;      // the finished frame inside the preview pane
};

// The colours the window draws with.
struct ArrangementPalette {
    Colour background = Rgb(40, 40, 48);
    Colour trackLine = Rgb(64, 64, 76);
    Colour box = Rgb(70, 110, 160);
    Colour arrangementBox = Rgb(120, 90, 150);
    Colour currentBox = Rgb(220, 170, 60);
    Colour text = Rgb(255, 255, 255);
    Colour ruler = Rgb(200, 200, 200);
    Colour rulerText = Rgb(0, 0, 0);
    Colour time = Rgb(255, 40, 40);
    Colour locator = Rgb(60, 200, 90);
    Colour strip = Rgb(90, 90, 90);
    Colour makeRange = Rgb(70, 150, 200);
    Colour grip = Rgb(250, 250, 250);
    Colour wave = Rgb(150, 230, 150);
    Colour refused = Rgb(255, 60, 60);
    Colour outline = Rgb(255, 255, 255);
    Colour selectedBox = Rgb(235, 235, 245);
    Colour thumb = Rgb(150, 150, 160);
};

// The arrangement window of the arrangement being edited: the children as
// boxes on their tracks, the rulers, slider, scroller, make strip, and the
// corner handles of the current clip's destination over the preview. Every
// gesture lives here as a small state machine over layout coordinates, so
// it runs the same without a window.
class ArrangementWindow : public Item {
public:
    // What a point touches, in the order it is tested.
    enum class Part {
        None, Path, TopRuler, BottomRuler, Slider, Scroller, StripStart, StripEnd, Strip,
        LeftGrip, RightGrip, Body, Empty,
        NorthWest, NorthEast, SouthWest, SouthEast, Inside,
    };
    static constexpr int kGripPx = 5;      // the sizing edge inside a box
    static constexpr int kHandlePx = 8;    // a corner handle's side
    static constexpr int kPathHeight = 16; // the path line over the tracks
    // One wheel notch moves the view by this share of its span.
    static constexpr int kWheelShare = 8;

    // root: the tree's root, whose arrangement is shown first.
    ArrangementWindow(Clip& root, ArrangementView& view);

    void SetRects(const ArrangementRects& rects) { rects_ = rects; }
    const ArrangementRects& Rects() const { return rects_; }
    ArrangementPalette& Palette() { return palette_; }
    ClipPictures& Pictures() { return pictures_; }
    // Off: no pictures are asked for (the benchmark, most tests).
    void SetPicturesShown(bool shown) { picturesShown_ = shown; }
    // Off: the locators are neither marked on the rulers nor drawn across
    // the tracks (a preference).
    void SetLocatorsShown(bool shown) { locatorsShown_ = shown; }
    // Turns a clip's media path into one the background reader can open.
    void SetPathResolver(std::function<std::string(const std::string&)> resolve) { resolvePath_ = std::move(resolve); }

    // -- the arrangement shown ----------------------------------------------
    Clip* Shown() const;
    // Double click on a sub arrangement: its children are shown.
    ResultFlags Enter(Clip* arrangement);
    // One level up; 0 at the root.
    ResultFlags Leave();
    // From the root down to the shown arrangement.
    std::vector<Clip*> Path() const;
    std::string PathText() const;
    // Falls back to the deepest arrangement of the path still in the tree
    // (a project read or a clip deleted since).
    void Validate();

    // -- geometry -----------------------------------------------------------
    // The first and last time of the shown arrangement's time line.
    std::int32_t TimeLineStart() const;
    std::int32_t TimeLineEnd() const;
    std::int32_t ViewStart() const;
    std::int32_t ViewSpan() const;   // never below 1
    double Scale() const;            // pixels per ms
    int XOf(std::int64_t time) const;
    std::int32_t TimeAt(int x) const;
    // The row under y (may be past the last track); -1 above the first.
    int TrackAt(int y) const;
    Rect BoxOf(const Clip& child) const;
    Rect BoxOf(int track, std::int32_t position, std::int32_t length) const;
    // The topmost child whose box holds the point.
    Clip* ChildAt(Point p) const;
    Part PartAt(Point p, Clip** child = nullptr) const;
    // Whether the point belongs to the window or its companions.
    bool Holds(Point p) const { return PartAt(p) != Part::None; }
    // The current clip's destination rectangle over the preview, and its
    // corner handles; empty without a current clip.
    Rect DestinationRect() const;
    Rect HandleRect(Part corner) const;
    // Whether the point is on a corner handle (which may stand over the
    // preview pane's other controls).
    bool OnHandle(Point p) const;
    // The scroll is reset when every track and one more row fit.
    void KeepScrollInRange();

    // -- input --------------------------------------------------------------
    // Layout coordinates. The root's tree lock is held by the caller.
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool Dragging() const { return drag_.part != Part::None; }
    // The outline of a clip being moved, and whether it would be refused.
    std::optional<Rect> Outline() const;
    // One outline per clip of the selection being moved.
    std::vector<Rect> Outlines() const;
    // The rubber band being drawn over empty space.
    std::optional<Rect> Band() const;
    bool OutlineRefused() const { return drag_.refused; }

    // -- drawing ------------------------------------------------------------
    void Draw(DrawContext& dc);
    // Readable time labels: "m:ss" over a minute, seconds below.
    static std::string TimeLabel(std::int32_t ms, std::int32_t step);
    // A label step of 1, 2, 5 x 10^n ms that leaves room for a label.
    static std::int32_t LabelStep(double pixelsPerMs, int minPixels);

private:
    // A clip of the selection moving with the one grabbed.
    struct Member {
        Clip* clip = nullptr;
        std::int32_t position = 0;
        int track = 0;
    };
    struct Drag {
        Part part = Part::None;
        std::vector<Member> group;  // the grabbed clip first
        std::int32_t shift = 0;     // the group's move in time ...
        int rows = 0;               // ... and in rows
        // A press on a clip of a larger selection keeps the selection for a
        // drag; released where it was pressed, the clip alone is selected.
        bool collapse = false;
        bool additive = false;      // a band that adds to the selection
        Point to{};
        Clip* clip = nullptr;
        Point from{};
        std::int32_t grabTime = 0;
        std::int32_t position = 0, length = 0, start = 0;
        int track = 0;
        bool refused = false;
        bool moved = false;
        std::int32_t viewStart = 0;
        int scroll = 0;
        double dest[4] = {0, 0, 0, 0};
    };

    ResultFlags Press(Window* window, Point p, std::uintptr_t keyFlags);
    ResultFlags Move(Point p);
    ResultFlags Release(Point p);
    ResultFlags Wheel(Point p, std::uintptr_t param);
    ResultFlags SetTimeAt(int x);
    ResultFlags SetViewStart(std::int64_t start);
    // The arrangement's local time to the root's time.
    std::int64_t GlobalTime(std::int32_t local) const;
    int TotalHeight() const;
    int ContentHeight() const;
    void DrawRuler(DrawContext& dc, const Rect& ruler, bool top);
    void DrawBox(DrawContext& dc, Clip& child, const Rect& box, bool current, bool selected);
    ResultFlags PressOnClip(Part part, Clip* child, Point p, std::uintptr_t keyFlags);
    ResultFlags MoveGroup(Point p);
    void DropGroup();
    void SelectBand();
    void DrawStrip(DrawContext& dc);
    void DrawBars(DrawContext& dc);
    void DrawHandles(DrawContext& dc);
    void DrawPath(DrawContext& dc);
    void Frame(DrawContext& dc, const Rect& r, Colour colour);

    Clip& root_;
    ArrangementView& view_;
    ArrangementRects rects_;
    ArrangementPalette palette_;
    ClipPictures pictures_;
    bool picturesShown_ = true;
    bool locatorsShown_ = true;
    std::function<std::string(const std::string&)> resolvePath_;
    std::vector<Clip*> path_;  // from the root to the arrangement shown
    Drag drag_;
};

}  // namespace vantrel
