#include "editor/panels/RectanglePanel.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "controls/ControlDrawing.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
enum Choice : int {
    kDelete = 36, kReset = 57, kLeftToLeft = 58, kTopToTop = 59, kRightToRight = 60, kBottomToBottom = 61,
    kBeyondLeft = 62, kBeyondTop = 63, kBeyondRight = 64, kBeyondBottom = 65, kBeyondTopLeft = 66,
    kBeyondTopRight = 67, kBeyondBottomLeft = 68, kBeyondBottomRight = 69, kSnap = 70, kMoveOutside = 71,
    kToWidth = 156, kToHeight = 157, kCopy = 221, kPaste = 222, kEdit = 224, kDeletePrevious = 233,
    kDeleteFollowing = 234, kPasteAspect = 262, kGotoNext = 263, kGotoPrevious = 264, kUseStartToEnd = 265,
    kToCenter = 474,
};
constexpr int kDragThreshold = 2;

struct RectangleClipboard {
    bool holds = false;
    Fractions rect;
    double aspect = 1;
};
RectangleClipboard& Clipboard() {
    static RectangleClipboard clipboard;
    return clipboard;
}

// The frame the snaps and the outside moves refer to.
constexpr Fractions kFrame{0, 0, 1, 1};

Fractions Moved(const Fractions& r, double dx, double dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Ids of the buttons a script names (the options and key buttons keep
// their string ids; the rest have none).
constexpr std::array<int, RectanglePanel::kButtonCount> kButtonIds = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, RectanglePanel::kPreviousKey, RectanglePanel::kOptions, RectanglePanel::kNextKey};
constexpr std::array<const char*, RectanglePanel::kButtonCount> kCaptions = {
    "|", "-", "|", "-", "^", "v", ">", "<", "/", "\\", "\\", "/", "<", "", ">"};

// The buttons forward their clicks and marks to nobody: the panel takes
// the input; they exist so that scripts and the help can name them.
class PanelButton final : public Control {};
}  // namespace

RectanglePanel::RectanglePanel() {
    SetId(kOptions);
    SetStyleId(kOptions);
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[std::size_t(i)] = std::make_unique<PanelButton>();
        buttons_[std::size_t(i)]->SetParent(this);
        buttons_[std::size_t(i)]->SetId(kButtonIds[std::size_t(i)]);
        buttons_[std::size_t(i)]->SetStyleId(kButtonIds[std::size_t(i)]);
    }
}

RectanglePanel::~RectanglePanel() = default;

void RectanglePanel::SetTarget(VariableOwner* owner, std::array<int, 4> ids, int captionId) {
    if (owner != owner_ || ids != ids_) pressed_ = -1;
    owner_ = owner;
    ids_ = ids;
    captionId_ = captionId;
}

void RectanglePanel::SetPixelSize(int width, int height) {
    pixelWidth_ = std::max(width, 1);
    pixelHeight_ = std::max(height, 1);
}

bool RectanglePanel::ClipboardHolds() { return Clipboard().holds; }
void RectanglePanel::ClearClipboard() { Clipboard() = {}; }

Fractions RectanglePanel::Current() const {
    if (!owner_) return kFrame;
    return {owner_->ValueById(ids_[0]), owner_->ValueById(ids_[1]), owner_->ValueById(ids_[2]),
            owner_->ValueById(ids_[3])};
}

ResultFlags RectanglePanel::Apply(const Fractions& r) {
    if (!owner_) return 0;
    owner_->SetValueNow(ids_[0], r.left);
    owner_->SetValueNow(ids_[1], r.top);
    owner_->SetValueNow(ids_[2], r.right);
    owner_->SetValueNow(ids_[3], r.bottom);
    return kChanged;
}

std::vector<int> RectanglePanel::EditChoices() const {
    std::vector<int> ids{kCopy};
    if (Clipboard().holds) ids.insert(ids.end(), {kPaste, kPasteAspect});
    ids.insert(ids.end(), {kGotoPrevious, kGotoNext, kUseStartToEnd});
    if (owner_ && owner_->HasKeyNow(ids_[0])) ids.insert(ids.end(), {kDelete, kDeletePrevious, kDeleteFollowing});
    return ids;
}

std::vector<int> RectanglePanel::SnapChoices() const {
    const Fractions r = Current();
    std::vector<int> ids;
    if (r.left != kFrame.left) ids.push_back(kLeftToLeft);
    if (r.right != kFrame.right) ids.push_back(kRightToRight);
    if (r.top != kFrame.top) ids.push_back(kTopToTop);
    if (r.bottom != kFrame.bottom) ids.push_back(kBottomToBottom);
    ids.insert(ids.end(), {kToCenter, kToWidth, kToHeight});
    return ids;
}

std::vector<int> RectanglePanel::MoveOutsideChoices() const {
    if (Current() == kFrame) return {};
    return {kBeyondLeft, kBeyondRight, kBeyondTop, kBeyondBottom, kBeyondTopLeft, kBeyondTopRight,
            kBeyondBottomLeft, kBeyondBottomRight};
}

ResultFlags RectanglePanel::RunChoice(int choice) {
    if (!owner_) return 0;
    const Fractions r = Current();
    const double w = r.Width(), h = r.Height();
    // The outside moves, one axis each; the corners combine two.
    const double beyondLeft = -w - r.left, beyondRight = r.right - r.left;
    const double beyondTop = -h - r.top, beyondBottom = r.bottom - r.top;
    switch (choice) {
        case kReset: return Apply(kFrame);
        case kCopy:
            Clipboard().holds = true;
            Clipboard().rect = r;
            Clipboard().aspect = h != 0 ? w / h : 0;
            return kRepaint;
        case kPaste: return Clipboard().holds ? Apply(Clipboard().rect) : 0;
        case kPasteAspect: {
            // Keeps the centre and the width; the height follows the ratio.
            if (!Clipboard().holds || !(Clipboard().aspect > 0)) return 0;
            const double centre = (r.top + r.bottom) / 2, half = w / Clipboard().aspect / 2;
            return Apply({r.left, centre - half, r.right, centre + half});
        }
        case kGotoPrevious: return owner_->GotoPreviousKey(ids_[0]);
        case kGotoNext: return owner_->GotoNextKey(ids_[0]);
        case kUseStartToEnd: {
            const std::array<double, 4> values{r.left, r.top, r.right, r.bottom};
            for (std::size_t i = 0; i < 4; ++i) {
                owner_->Table().ClearKeysById(ids_[i]);
                owner_->SetValueNow(ids_[i], values[i]);
            }
            return kChanged;
        }
        case kDelete:
        case kDeletePrevious:
        case kDeleteFollowing: {
            ResultFlags out = 0;
            for (int id : ids_)
                out |= choice == kDelete           ? owner_->DeleteKeyNow(id)
                       : choice == kDeletePrevious ? owner_->DeletePreviousValues(id)
                                                   : owner_->DeleteFollowingValues(id);
            return out | kChanged;
        }
        case kToCenter: return Apply({0.5 - w / 2, 0.5 - h / 2, 0.5 + w / 2, 0.5 + h / 2});
        case kLeftToLeft: return Apply(Moved(r, -r.left, 0));
        case kTopToTop: return Apply(Moved(r, 0, -r.top));
        case kRightToRight: return Apply(Moved(r, 1 - w - r.left, 0));
        case kBottomToBottom: return Apply(Moved(r, 0, 1 - h - r.top));
        case kToWidth:
            if (!(w > 0 && h > 0)) return 0;
            return Apply({0, 0.5 - h / w / 2, 1, 0.5 + h / w / 2});
        case kToHeight:
            if (!(w > 0 && h > 0)) return 0;
            return Apply({0.5 - w / h / 2, 0, 0.5 + w / h / 2, 1});
        case kBeyondLeft: return Apply(Moved(r, beyondLeft, 0));
        case kBeyondRight: return Apply(Moved(r, beyondRight, 0));
        case kBeyondTop: return Apply(Moved(r, 0, beyondTop));
        case kBeyondBottom: return Apply(Moved(r, 0, beyondBottom));
        case kBeyondTopLeft: return Apply(Moved(r, beyondLeft, beyondTop));
        case kBeyondTopRight: return Apply(Moved(r, beyondRight, beyondTop));
        case kBeyondBottomLeft: return Apply(Moved(r, beyondLeft, beyondBottom));
        case kBeyondBottomRight: return Apply(Moved(r, beyondRight, beyondBottom));
        default: return 0;
    }
}

ResultFlags RectanglePanel::OptionsMenu(Window* window) {
    if (!owner_) return 0;
    MenuList menu;
    menu.Add(kReset);
    auto edit = std::make_shared<MenuList>();
    for (int id : EditChoices()) edit->Add(id);
    menu.AddSubmenu(kEdit, edit);
    auto snap = std::make_shared<MenuList>();
    for (int id : SnapChoices()) snap->Add(id);
    menu.AddSubmenu(kSnap, snap);
    const std::vector<int> outside = MoveOutsideChoices();
    if (!outside.empty()) {
        auto move = std::make_shared<MenuList>();
        for (int id : outside) move->Add(id);
        menu.AddSubmenu(kMoveOutside, move);
    }
    const int chosen = menu.Show(window);
    return chosen ? RunChoice(chosen) : 0;
}

ResultFlags RectanglePanel::Nudge(Button button, bool inwards) {
    if (!owner_) return 0;
    Fractions r = Current();
    const double px = 1.0 / pixelWidth_, py = 1.0 / pixelHeight_;
    const double sign = inwards ? -1 : 1;
    switch (button) {
        case kLeftEdge: r.left -= sign * px; break;
        case kRightEdge: r.right += sign * px; break;
        case kTopEdge: r.top -= sign * py; break;
        case kBottomEdge: r.bottom += sign * py; break;
        case kNorth: r = Moved(r, 0, -py); break;
        case kSouth: r = Moved(r, 0, py); break;
        case kEast: r = Moved(r, px, 0); break;
        case kWest: r = Moved(r, -px, 0); break;
        case kNorthEast: r = Moved(r, px, -py); break;
        case kNorthWest: r = Moved(r, -px, -py); break;
        case kSouthEast: r = Moved(r, px, py); break;
        case kSouthWest: r = Moved(r, -px, py); break;
        default: return 0;
    }
    return Apply(r);
}

ResultFlags RectanglePanel::Drag(int x, int y) {
    // The drawing shows two frame widths, so a pixel there is 2 / width.
    const double dx = 2.0 * (x - pressPoint_.x) / std::max(1, view_.Width());
    const double dy = 2.0 * (y - pressPoint_.y) / std::max(1, view_.Height());
    Fractions r = pressRect_;
    switch (pressed_) {
        case kLeftEdge: r.left += dx; break;
        case kRightEdge: r.right += dx; break;
        case kTopEdge: r.top += dy; break;
        case kBottomEdge: r.bottom += dy; break;
        case kNorth: case kSouth: r = Moved(r, 0, dy); break;
        case kEast: case kWest: r = Moved(r, dx, 0); break;
        case kNorthEast: case kNorthWest: case kSouthEast: case kSouthWest: r = Moved(r, dx, dy); break;
        default: return 0;
    }
    return Apply(r);
}

// -- layout and drawing ---------------------------------------------------

Rect RectanglePanel::Arrange(int left, int top, int right, int bottom) {
    SetRectangle({left, top, right, bottom});
    buttonRects_.fill({});
    view_ = {};
    const int row = Metric(kRowHeight);
    const Rect all{left, top, right, bottom};
    if (all.Width() < 12 || all.Height() < row + 12) return all;
    const int twelfth = all.Width() / 12;
    const Rect bar{left, top, right, top + row};
    buttonRects_[kPreviousKeyButton] = {bar.left, bar.top, bar.left + twelfth, bar.bottom};
    buttonRects_[kNextKeyButton] = {bar.right - twelfth, bar.top, bar.right, bar.bottom};
    buttonRects_[kOptionsButton] = {bar.left + twelfth, bar.top, bar.right - twelfth, bar.bottom};
    const Rect ring{left, bar.bottom, right, bottom};
    const int t = std::max(4, std::min({row, ring.Width() / 5, ring.Height() / 5}));
    const int x0 = ring.left, x1 = ring.left + t, x2 = ring.right - t, x3 = ring.right;
    const int y0 = ring.top, y1 = ring.top + t, y2 = ring.bottom - t, y3 = ring.bottom;
    buttonRects_[kNorthWest] = {x0, y0, x1, y1};
    buttonRects_[kNorth] = {x1, y0, x2, y1};
    buttonRects_[kNorthEast] = {x2, y0, x3, y1};
    buttonRects_[kWest] = {x0, y1, x1, y2};
    buttonRects_[kEast] = {x2, y1, x3, y2};
    buttonRects_[kSouthWest] = {x0, y2, x1, y3};
    buttonRects_[kSouth] = {x1, y2, x2, y3};
    buttonRects_[kSouthEast] = {x2, y2, x3, y3};
    const Rect inner{x1, y1, x2, y2};
    const int e = std::max(3, t / 2);
    buttonRects_[kLeftEdge] = {inner.left, inner.top + e, inner.left + e, inner.bottom - e};
    buttonRects_[kRightEdge] = {inner.right - e, inner.top + e, inner.right, inner.bottom - e};
    buttonRects_[kTopEdge] = {inner.left + e, inner.top, inner.right - e, inner.top + e};
    buttonRects_[kBottomEdge] = {inner.left + e, inner.bottom - e, inner.right - e, inner.bottom};
    view_ = inner.Inset(e);
    for (int i = 0; i < kButtonCount; ++i) buttons_[std::size_t(i)]->SetRectangle(buttonRects_[std::size_t(i)]);
    return all;
}

Rect RectanglePanel::Drawn(const Fractions& r) const {
    auto x = [&](double f) { return view_.left + int(std::lround((f + 0.5) / 2 * view_.Width())); };
    auto y = [&](double f) { return view_.top + int(std::lround((f + 0.5) / 2 * view_.Height())); };
    return {x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

int RectanglePanel::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    const Rect all{left, top, right, bottom};
    if (all.IsEmpty()) return 0;
    dc.FillRect(all, Rgb(24, 24, 24));
    TextStyle text;
    text.colour = owner_ ? Rgb(255, 255, 255) : Rgb(110, 110, 110);
    for (int i = 0; i < kButtonCount; ++i) {
        const Rect& r = buttonRects_[std::size_t(i)];
        if (r.IsEmpty()) continue;
        dc.FillRect(r.Inset(1), i == pressed_ ? Rgb(90, 90, 120) : Rgb(56, 56, 72));
        DrawEdge(dc, r, i == pressed_, 1);
        // The options button names the rectangle it edits.
        const std::string caption = i != kOptionsButton ? kCaptions[std::size_t(i)]
                                    : captionId_        ? Str(captionId_)
                                                        : Str(kOptions);
        dc.Text(caption, r, text);
        if (buttons_[std::size_t(i)]->FlashCount() > 0) DrawFlash(*buttons_[std::size_t(i)], dc, r);
    }
    if (!view_.IsEmpty()) {
        dc.SetClip(view_);
        dc.FillRect(view_, Rgb(12, 12, 12));
        const Rect frame = Drawn(kFrame);
        dc.FillRect(frame, Rgb(48, 48, 48));
        if (owner_) {
            const Rect r = Drawn(Current());
            const Rect shown{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right) + 1,
                             std::max(r.top, r.bottom) + 1};
            dc.Line(Pen::Green, shown.left, shown.top, shown.right - 1, shown.top);
            dc.Line(Pen::Green, shown.right - 1, shown.top, shown.right - 1, shown.bottom - 1);
            dc.Line(Pen::Green, shown.right - 1, shown.bottom - 1, shown.left, shown.bottom - 1);
            dc.Line(Pen::Green, shown.left, shown.bottom - 1, shown.left, shown.top);
            // A key of the four at the current time is marked as in the
            // parameter panel.
            if (owner_->HasKeyNow(ids_[0])) dc.FillRect({shown.left, shown.top, shown.left + 5, shown.top + 5}, Rgb(255, 220, 0));
        }
        dc.ClearClip();
    }
    DrawFlash(*this, dc, all);
    return 1;
}

// -- input ----------------------------------------------------------------

int RectanglePanel::ButtonAt(int x, int y) const {
    for (int i = 0; i < kButtonCount; ++i)
        if (buttonRects_[std::size_t(i)].Contains(x, y)) return i;
    return -1;
}

ResultFlags RectanglePanel::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (message == kKeyUp) {
        if (keyFlags != kVkF1) return 0;
        const int hit = ButtonAt(x, y);
        ShowHelpTopic(hit >= 0 && kButtonIds[std::size_t(hit)] ? kButtonIds[std::size_t(hit)] : kOptions);
        return kRepaint;
    }
    if (pressed_ >= 0) {
        if (message == kMouseMove) {
            if (std::abs(x - pressPoint_.x) + std::abs(y - pressPoint_.y) > kDragThreshold) moved_ = true;
            return moved_ ? Drag(x, y) : 0;
        }
        if (message == kLeftButtonUp) {
            const Button button = Button(pressed_);
            pressed_ = -1;
            const ResultFlags out = moved_ ? Drag(x, y) : Nudge(button, (keyFlags & kShiftHeld) != 0);
            return out | kReleaseMe;
        }
        return 0;
    }
    const int hit = ButtonAt(x, y);
    if (message == kMouseMove) {
        if (window) window->SetCursor(hit >= 0 && hit < kPreviousKeyButton ? Cursor::SizeAll : Cursor::Arrow);
        const int help = hit >= 0 ? kButtonIds[std::size_t(hit)] : 0;
        ShowHoverTextById(help ? help : kOptions, Rectangle());
        return 0;
    }
    if (message != kLeftButtonDown || hit < 0 || !owner_) return 0;
    ResultFlags out = 0;
    switch (hit) {
        case kPreviousKeyButton: Command(window, kPreviousKey, out); return out;
        case kNextKeyButton: Command(window, kNextKey, out); return out;
        case kOptionsButton: Command(window, kOptions, out); return out;
        default:
            pressed_ = hit;
            pressPoint_ = {x, y};
            pressRect_ = Current();
            moved_ = false;
            if (window) window->SetCapture();
            return kCaptureMe | kRepaint;
    }
}

bool RectanglePanel::Command(Window* window, int command, ResultFlags& out) {
    switch (command) {
        case kNextKey:
            out = owner_ ? owner_->GotoNextKey(ids_[0]) : 0;
            return true;
        case kPreviousKey:
            out = owner_ ? owner_->GotoPreviousKey(ids_[0]) : 0;
            return true;
        case kOptions:
            out = OptionsMenu(window);
            return true;
        default:
            return Control::Command(window, command, out);
    }
}

Control* RectanglePanel::ResolveName(const std::string& name) {
    std::string word = name;
    if (!word.empty() && word[0] == '#') word.erase(0, 1);
    if (word == "375") return buttons_[kOptionsButton].get();
    if (word == "612") return buttons_[kNextKeyButton].get();
    if (word == "613") return buttons_[kPreviousKeyButton].get();
    struct Named {
        const char* shortName;
        const char* longName;
        Button button;
    };
    static constexpr Named kNames[] = {
        {"l", "left", kLeftEdge}, {"t", "top", kTopEdge}, {"r", "right", kRightEdge}, {"b", "bottom", kBottomEdge},
        {"n", "north", kNorth}, {"s", "south", kSouth}, {"e", "east", kEast}, {"w", "west", kWest},
        {"ne", "ne", kNorthEast}, {"nw", "nw", kNorthWest}, {"se", "se", kSouthEast}, {"sw", "sw", kSouthWest},
    };
    for (const Named& n : kNames)
        if (SameWord(word, n.shortName) || SameWord(word, n.longName)) return buttons_[std::size_t(n.button)].get();
    return this;
}

}  // namespace vantrel
