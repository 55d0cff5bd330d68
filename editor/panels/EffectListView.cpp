#include "editor/panels/EffectListView.h"

#include "controls/ControlDrawing.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

std::optional<int> EffectListView::TakeChosen() {
    const std::optional<int> chosen = chosen_;
    chosen_.reset();
    return chosen;
}

Rect EffectListView::RowRect(int index) const {
    const Rect& r = Rectangle();
    const int h = Metric(kRowHeight);
    const Rect row{r.left, r.top + index * h, r.right, r.top + (index + 1) * h};
    return row.bottom <= r.bottom ? row : Rect{};
}

Rect EffectListView::EnableBox(int index) const {
    const Rect row = RowRect(index);
    if (row.IsEmpty()) return {};
    return {row.left, row.top, row.left + row.Height(), row.bottom};
}

bool EffectListView::IsEnabled(VariableOwner& owner) {
    const Variable* enable = owner.Table().ById(kEffectEnable);
    return !enable || enable->ValueAt(owner.Table().Time()) >= 0.5;
}

int EffectListView::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    const Rect all{left, top, right, bottom};
    if (all.IsEmpty()) return 0;
    dc.FillRect(all, Rgb(32, 32, 40));
    TextStyle text;
    text.centred = false;
    for (int i = 0; i < int(entries_.size()); ++i) {
        const Rect row = RowRect(i);
        if (row.IsEmpty()) break;
        const Entry& entry = entries_[std::size_t(i)];
        if (entry.current) dc.FillRect(row, Rgb(60, 90, 150));
        const Rect box = EnableBox(i).Inset(3);
        if (entry.owner) {
            const bool on = IsEnabled(*entry.owner);
            dc.FillRect(box, Rgb(200, 200, 200));
            if (on) dc.FillRect(box.Inset(2), Rgb(30, 150, 60));
            text.colour = on ? Rgb(255, 255, 255) : Rgb(140, 140, 140);
        } else {
            text.colour = Rgb(255, 255, 255);
        }
        dc.Text(entry.caption, {box.right + 4, row.top, row.right, row.bottom}, text);
    }
    DrawFlash(*this, dc, all);
    return 1;
}

ResultFlags EffectListView::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t) {
    if (message == kMouseMove && window) window->SetCursor(Cursor::Arrow);
    if (message != kLeftButtonDown) return 0;
    for (int i = 0; i < int(entries_.size()); ++i) {
        if (!RowRect(i).Contains(x, y)) continue;
        VariableOwner* owner = entries_[std::size_t(i)].owner;
        if (owner && EnableBox(i).Contains(x, y) && owner->Table().ById(kEffectEnable))
            return owner->SetValueNow(kEffectEnable, IsEnabled(*owner) ? 0 : 1);
        chosen_ = i;
        return kRepaint;
    }
    return 0;
}

}  // namespace vantrel
