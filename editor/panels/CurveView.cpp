#include "editor/panels/CurveView.h"

#include <algorithm>
#include <cmath>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "controls/ControlDrawing.h"
#include "editor/panels/ParameterPanel.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr int kDelete = 36, kDefault = 125, kMinimum = 126, kMaximum = 127;
constexpr int kDeletePrevious = 233, kDeleteFollowing = 234;
constexpr Colour kBackground = Rgb(0, 0, 0);
constexpr Colour kInverse = Rgb(255, 255, 255);
}  // namespace

void CurveView::SetVariable(VariableOwner* owner, Variable* variable) {
    if (variable != variable_) dragged_ = -1;
    owner_ = variable ? owner : nullptr;
    variable_ = owner ? variable : nullptr;
}

Rect CurveView::Area() const { return Rectangle().Inset(kMarkHalf + 1); }

bool CurveView::HasMarks() const { return variable_ && !(variable_->DeclaredFlags() & kSingleValue); }

int CurveView::XOfTime(std::int32_t time) const {
    const Rect a = Area();
    if (!variable_) return a.left;
    const double span = std::max(1.0, double(variable_->ViewEnd()) - variable_->ViewStart());
    return a.left + int(std::lround((double(time) - variable_->ViewStart()) / span * (a.Width() - 1)));
}

std::int32_t CurveView::TimeAtX(int x) const {
    const Rect a = Area();
    if (!variable_) return 0;
    const double span = double(variable_->ViewEnd()) - variable_->ViewStart();
    return std::int32_t(variable_->ViewStart() + std::lround(span * (x - a.left) / std::max(1, a.Width() - 1)));
}

int CurveView::YOfValue(double value) const {
    const Rect a = Area();
    if (!variable_ || !(variable_->Maximum() > variable_->Minimum())) return a.bottom - 1;
    const double low = variable_->Minimum(), high = variable_->Maximum();
    return a.top + int(std::lround((high - std::clamp(value, low, high)) / (high - low) * (a.Height() - 1)));
}

double CurveView::ValueAtY(int y) const {
    const Rect a = Area();
    if (!variable_) return 0;
    // Maximum at the top: the row is read upwards.
    return LinearMap(double(a.bottom - 1 - y), variable_->Minimum(), variable_->Maximum(), 0, a.Height() - 1);
}

int CurveView::MarkAt(int x, int y) const {
    if (!HasMarks()) return -1;
    for (int i = 0; i < variable_->KeyCount(); ++i) {
        const KeyFrame& key = variable_->Key(i);
        if (key.time < variable_->ViewStart() || key.time > variable_->ViewEnd()) continue;
        const int kx = XOfTime(key.time), ky = YOfValue(variable_->ValueAt(key.time));
        if (std::abs(x - kx) <= kMarkHalf && std::abs(y - ky) <= kMarkHalf) return i;
    }
    return -1;
}

std::vector<int> CurveView::MarkChoices(int key) const {
    if (!variable_ || key < 0 || key >= variable_->KeyCount()) return {};
    std::vector<int> ids{kDefault, kMinimum, kMaximum};
    if (key > 0) ids.push_back(kDeletePrevious);
    if (key + 1 < variable_->KeyCount()) ids.push_back(kDeleteFollowing);
    ids.push_back(kDelete);
    return ids;
}

ResultFlags CurveView::RunMarkChoice(int key, int choice) {
    if (!variable_ || key < 0 || key >= variable_->KeyCount()) return 0;
    const std::int32_t time = variable_->Key(key).time;
    VariableTable& table = owner_->Table();
    switch (choice) {
        case kDefault: table.SetValueByName(variable_->Identifier(), time, variable_->Default()); break;
        case kMinimum: table.SetValueByName(variable_->Identifier(), time, variable_->Minimum()); break;
        case kMaximum: table.SetValueByName(variable_->Identifier(), time, variable_->Maximum()); break;
        case kDeletePrevious: variable_->DeletePreviousValues(time); break;
        case kDeleteFollowing: variable_->DeleteFollowingValues(time); break;
        case kDelete: variable_->DeleteKeyAt(time); break;
        default: return 0;
    }
    return kChanged;
}

ResultFlags CurveView::AddAt(int x) {
    if (!variable_) return 0;
    const std::int32_t time = TimeAtX(x);
    owner_->Table().SetValueByName(variable_->Identifier(), time, variable_->ValueAt(time));
    return kChanged;
}

ResultFlags CurveView::DragMarkTo(int key, int y) {
    if (!variable_ || key < 0 || key >= variable_->KeyCount()) return 0;
    owner_->Table().SetValueByName(variable_->Identifier(), variable_->Key(key).time, ValueAtY(y));
    return kChanged;
}

int CurveView::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    const Rect all{left, top, right, bottom};
    if (all.IsEmpty()) return 0;
    dc.FillRect(all, kBackground);
    if (variable_) {
        const Rect a = Area();
        TextStyle caption;
        caption.colour = Rgb(160, 160, 160);
        caption.centred = false;
        dc.Text(variable_->DisplayText() + "  " + FormatThreeDecimals(variable_->Maximum()),
                {a.left, a.top, a.right, a.top + 16}, caption);
        dc.Text(FormatThreeDecimals(variable_->Minimum()), {a.left, a.bottom - 16, a.right, a.bottom}, caption);
        const int now = XOfTime(owner_->Table().Time());
        if (now >= a.left && now < a.right) dc.Line(Pen::Red, now, a.top, now, a.bottom);
        // The curve is drawn in the background's inverse; a step variable
        // jumps at its keys because each column reads its own value.
        int lastY = YOfValue(variable_->ValueAt(TimeAtX(a.left)));
        for (int x = a.left + 1; x < a.right; ++x) {
            const int y = YOfValue(variable_->ValueAt(TimeAtX(x)));
            dc.Line(Pen::White, x - 1, lastY, x, lastY);
            if (y != lastY) dc.Line(Pen::White, x, lastY, x, y);
            lastY = y;
        }
        if (HasMarks())
            for (int i = 0; i < variable_->KeyCount(); ++i) {
                const KeyFrame& key = variable_->Key(i);
                if (key.time < variable_->ViewStart() || key.time > variable_->ViewEnd()) continue;
                const int kx = XOfTime(key.time), ky = YOfValue(variable_->ValueAt(key.time));
                const Rect mark{kx - kMarkHalf, ky - kMarkHalf, kx + kMarkHalf + 1, ky + kMarkHalf + 1};
                dc.FillRect(mark, i == dragged_ ? Rgb(255, 220, 0) : kInverse);
                variable_->SetKeyMark(i, mark, kx, ky);
            }
    }
    DrawFlash(*this, dc, all);
    return 1;
}

ResultFlags CurveView::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (!variable_) return message == kLeftButtonUp && dragged_ >= 0 ? (dragged_ = -1, kReleaseMe) : 0;
    if (message == kKeyUp) {
        if (keyFlags != kVkF1) return 0;
        ShowHelpTopic(variable_->DeclaredId() ? variable_->DeclaredId() : 487);
        return kRepaint;
    }
    if (dragged_ >= 0) {
        if (message == kMouseMove) return DragMarkTo(dragged_, y);
        if (message == kLeftButtonUp) {
            const ResultFlags out = DragMarkTo(dragged_, y);
            dragged_ = -1;
            return out | kReleaseMe;
        }
        return 0;
    }
    const int mark = MarkAt(x, y);
    switch (message) {
        case kMouseMove:
            if (window) window->SetCursor(mark >= 0 ? Cursor::SizeVertical : Cursor::Arrow);
            ShowHoverText(variable_->DisplayText(), Rectangle());
            return 0;
        case kLeftButtonDown:
            if (mark < 0) return 0;
            dragged_ = mark;
            if (window) window->SetCapture();
            return kCaptureMe | kRepaint;
        case kRightButtonUp: {
            MenuList menu;
            if (mark >= 0)
                for (int id : MarkChoices(mark)) menu.Add(id);
            else
                menu.Add(kAdd);
            const int chosen = menu.Show(window);
            if (!chosen) return 0;
            return mark >= 0 ? RunMarkChoice(mark, chosen) : AddAt(x);
        }
        default:
            return 0;
    }
}

}  // namespace vantrel
