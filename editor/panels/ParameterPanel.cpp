#include "editor/panels/ParameterPanel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "controls/ControlDrawing.h"
#include "editor/panels/ValueClipboard.h"
#include "platform/DrawContext.h"
#include "platform/Platform.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr int kGenericValueTopic = 487;
constexpr int kVariableManagerTopic = 386;
constexpr int kPickerHint = 566;
constexpr int kCopy = 221, kPaste = 222, kDelete = 36, kDeletePrevious = 233, kDeleteFollowing = 234;
constexpr int kUseValueStartToEnd = 225, kEdit = 224, kDefault = 125, kMinimum = 126, kMaximum = 127;
constexpr int kCopySettings = 284, kPasteSettings = 285;
constexpr Colour kSliderColour = Rgb(70, 130, 200);
constexpr Colour kTrackColour = Rgb(40, 40, 40);
constexpr Colour kKeyNowColour = Rgb(255, 220, 0);

int ToByte(double v) { return int(std::clamp(v, 0.0, 1.0) * 255); }

std::int32_t TimeAtX(const Variable& v, const Rect& area, int x) {
    const double span = double(v.ViewEnd()) - v.ViewStart();
    return std::int32_t(v.ViewStart() + span * (x - area.left) / std::max(1, area.Width()));
}

bool IsSwitch(const Variable& v) { return (v.DeclaredFlags() & kSwitch) != 0; }

// A variable's curve across a rectangle, one segment per pixel column.
void PaintRowCurve(DrawContext& dc, const Variable& v, const Rect& area, Pen pen) {
    if (area.Width() < 2 || area.Height() < 2 || v.KeyCount() == 0) return;
    const double low = v.Minimum(), high = v.Maximum();
    if (!(high > low)) return;
    auto yOf = [&](double value) {
        return area.bottom - 1 - int((std::clamp(value, low, high) - low) / (high - low) * (area.Height() - 1));
    };
    int lastY = yOf(v.ValueAt(TimeAtX(v, area, area.left)));
    for (int x = area.left + 1; x < area.right; ++x) {
        const int y = yOf(v.ValueAt(TimeAtX(v, area, x)));
        dc.Line(pen, x - 1, lastY, x, y);
        lastY = y;
    }
}
}  // namespace

std::string FormatThreeDecimals(double value) {
    char buffer[64];
    const auto done = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return done.ec == std::errc() ? std::string(buffer, done.ptr) : std::string("0.000");
}

std::optional<double> ReadSingle(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    float value = 0;
    const auto done = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (done.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return double(value);
}

ParameterPanel::ParameterPanel() {
    SetId(kParameters);
    SetStyleId(kParameters);
    const std::array<int, 3> ids{VariableTable::kPreviousKeyFrameCommand, kGroupSelector,
                                 VariableTable::kNextKeyFrameCommand};
    for (std::size_t i = 0; i < barParts_.size(); ++i) {
        barParts_[i] = std::make_unique<Control>();
        barParts_[i]->SetParent(this);
        barParts_[i]->SetId(ids[i]);
        barParts_[i]->SetStyleId(ids[i]);
    }
}

void ParameterPanel::SetTarget(VariableOwner* owner, bool keyColourPicker) {
    if (owner != owner_) {
        capturedRow_ = -1;
        pickerCaptured_ = false;
        hoveredId_ = 0;
    }
    owner_ = owner;
    picking_ = owner && keyColourPicker;
    if (owner) {
        VariableTable& table = owner->Table();
        table.SetNamedItem(VariableTable::kParameters, this);
        table.SetNamedItem(VariableTable::kPreviousKeyFrame, barParts_[0].get());
        table.SetNamedItem(VariableTable::kClickGroups, barParts_[1].get());
        table.SetNamedItem(VariableTable::kNextKeyFrame, barParts_[2].get());
    }
}

int ParameterPanel::TableId() const {
    if (!owner_) return 0;
    return owner_->Table().GetId() ? owner_->Table().GetId() : owner_->GetId();
}

std::int32_t ParameterPanel::Now() const { return owner_ ? owner_->Table().Time() : 0; }

int ParameterPanel::ShownGroupEntry() const {
    if (!owner_ || owner_->Table().Count() == 0) return -1;
    const VariableTable& table = owner_->Table();
    const int selected = table.SelectedGroup();
    if (selected >= kFirstVariableSet && selected <= kLastVariableSet)
        for (int i = 0; i < table.Count(); ++i)
            if (IsGroupEntry(table.At(i).DeclaredFlags()) && table.At(i).DeclaredId() == selected) return i;
    int current = 0;
    if (table.CurrentId() != 0)
        for (int i = 0; i < table.Count(); ++i)
            if (table.At(i).DeclaredId() == table.CurrentId()) {
                current = i;
                break;
            }
    for (int i = current; i >= 0; --i)
        if (IsGroupEntry(table.At(i).DeclaredFlags())) return i;
    return -1;
}

std::vector<int> ParameterPanel::ShownRows() const {
    std::vector<int> rows;
    if (!owner_) return rows;
    const VariableTable& table = owner_->Table();
    for (int i = ShownGroupEntry() + 1; i < table.Count(); ++i) {
        const VariableFlags flags = table.At(i).DeclaredFlags();
        if (IsGroupEntry(flags)) break;
        if (!IsUnlisted(flags)) rows.push_back(i);
    }
    return rows;
}

std::vector<int> ParameterPanel::GroupIds() const {
    std::vector<int> ids;
    if (!owner_ || owner_->Table().Count() == 0) return ids;
    const VariableTable& table = owner_->Table();
    if (!IsGroupEntry(table.At(0).DeclaredFlags())) ids.push_back(TableId());
    for (int i = 0; i < table.Count(); ++i)
        if (IsGroupEntry(table.At(i).DeclaredFlags())) ids.push_back(table.At(i).DeclaredId());
    return ids;
}

Rect ParameterPanel::Arrange(int left, int top, int right, int bottom) {
    SetRectangle({left, top, right, bottom});
    rows_.clear();
    bar_ = previousKey_ = selector_ = nextKey_ = picker_ = {};
    if (!owner_) return Rectangle();
    const int rowHeight = Metric(kRowHeight);
    Rect rest{left, top, right, bottom};
    if (picking_) {
        picker_ = {left, top, right, std::min(bottom, top + rowHeight)};
        rest.top = picker_.bottom;
    }
    if (owner_->Table().Count() == 0) return Rectangle();
    bar_ = {left, std::max(rest.top, bottom - rowHeight), right, bottom};
    rest.bottom = bar_.top;
    const int twelfth = bar_.Width() / 12;
    previousKey_ = {bar_.left, bar_.top, bar_.left + twelfth, bar_.bottom};
    nextKey_ = {bar_.right - twelfth, bar_.top, bar_.right, bar_.bottom};
    selector_ = {previousKey_.right, bar_.top, nextKey_.left, bar_.bottom};
    barParts_[0]->SetRectangle(previousKey_);
    barParts_[1]->SetRectangle(selector_);
    barParts_[2]->SetRectangle(nextKey_);
    const std::vector<int> shown = ShownRows();
    if (shown.empty() || rest.IsEmpty()) return Rectangle();
    const int n = int(shown.size());
    for (int k = 0; k < n; ++k) {
        const int rowTop = rest.top + rest.Height() * k / n, rowBottom = rest.top + rest.Height() * (k + 1) / n;
        const int w = rest.Width(), l = rest.left;
        const int a = l + w * 2 / 14, b = l + w * 12 / 14;
        rows_.push_back({shown[std::size_t(k)], {l, rowTop, a, rowBottom}, {a, rowTop, b, rowBottom},
                         {b, rowTop, rest.right, rowBottom}});
    }
    return Rectangle();
}

// -- drawing --------------------------------------------------------------

int ParameterPanel::Paint(DrawContext& dc, int left, int top, int right, int bottom, int) {
    const Rect area{left, top, right, bottom};
    if (area.IsEmpty()) return 0;
    dc.FillRect(area, Rgb(24, 24, 24));
    if (owner_) {
        if (!picker_.IsEmpty()) PaintPicker(dc);
        for (const Row& row : rows_) PaintRow(dc, row);
        if (!bar_.IsEmpty()) PaintBar(dc);
    }
    DrawFlash(*this, dc, area);
    return 1;
}

void ParameterPanel::PaintRow(DrawContext& dc, const Row& row) {
    Variable& v = owner_->Table().At(row.index);
    const std::int32_t now = Now();
    const double value = v.ValueAt(now);
    const bool keyNow = v.HasKeyAt(now);
    const Rect track = row.value.Inset(1);
    TextStyle text;
    text.colour = Rgb(255, 255, 255);
    text.bold = keyNow;
    if (IsSwitch(v)) {
        const bool on = value >= 0.5;
        dc.FillRect(track, on ? Rgb(40, 140, 60) : kTrackColour);
        dc.Text(v.DisplayText() + (on ? ": On" : ": Off"), track, text);
    } else {
        const Colour second = v.SecondColour();
        dc.FillRect(track, second != kNoColour && second != Variable::kUndeclaredSecondColour ? second : kTrackColour);
        const int x = int(LinearMap(value, track.left, track.right, v.Minimum(), v.Maximum()));
        const Colour colour = v.CurveColour() != kNoColour ? v.CurveColour() : kSliderColour;
        dc.FillRect({track.left, track.top, x, track.bottom}, colour);
        PaintRowCurve(dc, v, track, Pen::White);
        dc.Text(v.DisplayText() + " " + FormatThreeDecimals(value), track, text);
    }
    if (keyNow) {
        dc.FillRect({row.value.left, row.value.top, row.value.right, row.value.top + 2}, kKeyNowColour);
        dc.FillRect({row.value.left, row.value.bottom - 2, row.value.right, row.value.bottom}, kKeyNowColour);
    }
    if (v.DeclaredId() != 0 && v.DeclaredId() == hoveredId_) DrawEdge(dc, row.value, false, 1);
    TextStyle key;
    for (const auto& [rect, caption, has] :
         {std::tuple{row.previous, "<", v.PreviousKeyTime(now).has_value()},
          std::tuple{row.next, ">", v.NextKeyTime(now).has_value()}}) {
        dc.FillRect(rect.Inset(1), Rgb(64, 64, 64));
        DrawEdge(dc, rect, false, 1);
        key.colour = has ? Rgb(255, 255, 255) : Rgb(110, 110, 110);
        dc.Text(caption, rect, key);
    }
    if (v.FlashCount() > 0) DrawFlash(v, dc, row.value);
}

void ParameterPanel::PaintBar(DrawContext& dc) {
    TextStyle text;
    text.colour = Rgb(255, 255, 255);
    for (const Rect& r : {previousKey_, selector_, nextKey_}) {
        dc.FillRect(r.Inset(1), Rgb(56, 56, 72));
        DrawEdge(dc, r, false, 1);
    }
    dc.Text("<<", previousKey_, text);
    dc.Text(">>", nextKey_, text);
    const int entry = ShownGroupEntry();
    const int groupId = entry >= 0 ? owner_->Table().At(entry).DeclaredId() : TableId();
    const std::string caption = Str(groupId).empty() ? Str(kGroupSelector) : Str(groupId);
    dc.Text(caption, selector_, text);
    for (const auto& part : barParts_)
        if (part->FlashCount() > 0) DrawFlash(*part, dc, part->Rectangle());
}

void ParameterPanel::PaintPicker(DrawContext& dc) {
    const VariableTable& table = owner_->Table();
    const int r = ToByte(table.ValueByName("IDS_RED", Now()));
    const int g = ToByte(table.ValueByName("IDS_GREEN", Now()));
    const int b = ToByte(table.ValueByName("IDS_BLUE", Now()));
    dc.FillRect(picker_, Rgb(r, g, b));
    TextStyle text;
    text.colour = Rgb(255 - r, 255 - g, 255 - b);
    dc.Text(Str(kColourPicker), picker_, text);
}

// -- input ----------------------------------------------------------------

const ParameterPanel::Row* ParameterPanel::RowAt(int x, int y) const {
    for (const Row& row : rows_)
        if (row.previous.Contains(x, y) || row.value.Contains(x, y) || row.next.Contains(x, y)) return &row;
    return nullptr;
}

ResultFlags ParameterPanel::SetNow(Variable& variable, double value) {
    owner_->Table().SetValueByName(variable.Identifier(), Now(), value);
    return kChanged;
}

ResultFlags ParameterPanel::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    if (!owner_) return message == kLeftButtonUp && capturedRow_ >= 0 ? kReleaseMe : 0;
    if (message == kKeyUp) return keyFlags == kVkF1 ? HelpKey(x, y) : 0;
    if (pickerCaptured_) return PickerInput(window, message, x, y);
    if (capturedRow_ >= 0) {
        for (const Row& row : rows_)
            if (row.index == capturedRow_) return RowInput(window, message, row, x, keyFlags);
        capturedRow_ = -1;
        return kReleaseMe;
    }
    if (picker_.Contains(x, y)) return PickerInput(window, message, x, y);
    if (const Row* row = RowAt(x, y)) {
        Variable& v = owner_->Table().At(row->index);
        const bool onKeyButton = !row->value.Contains(x, y);
        if (onKeyButton) {
            if (message == kMouseMove) ShowHoverTextById(row->previous.Contains(x, y) ? 611 : 610, row->value);
            if (message != kLeftButtonDown) return 0;
            ResultFlags out = 0;
            v.Command(window, row->previous.Contains(x, y) ? Variable::kPreviousKeyValueCommand
                                                           : Variable::kNextKeyValueCommand, out);
            return out;
        }
        return RowInput(window, message, *row, x, keyFlags);
    }
    if (bar_.Contains(x, y)) {
        const int command = previousKey_.Contains(x, y)  ? VariableTable::kPreviousKeyFrameCommand
                            : nextKey_.Contains(x, y)    ? VariableTable::kNextKeyFrameCommand
                            : selector_.Contains(x, y)   ? kClickGroupSelector
                                                         : 0;
        if (message == kMouseMove) {
            ShowHoverTextById(command == kClickGroupSelector ? kGroupSelector : command, bar_);
            return 0;
        }
        if (message != kLeftButtonDown || !command) return 0;
        ResultFlags out = 0;
        Command(window, command, out);
        return out;
    }
    if (message == kMouseMove) ShowHoverTextById(kParameters, Rectangle());
    return 0;
}

ResultFlags ParameterPanel::RowInput(Window* window, std::uint32_t message, const Row& row, int x,
                                     std::uintptr_t) {
    Variable& v = owner_->Table().At(row.index);
    switch (message) {
        case kMouseMove:
            if (capturedRow_ == row.index)
                return SetNow(v, LinearMap(x, v.Minimum(), v.Maximum(), row.value.left, row.value.right - 1));
            if (window) window->SetCursor(Cursor::Arrow);
            ShowHoverText(v.DisplayText(), row.value);
            hoveredId_ = v.DeclaredId();
            return 0;
        case kLeftButtonDown: {
            owner_->Table().SetCurrentId(v.DeclaredId());
            capturedRow_ = row.index;
            if (window) window->SetCapture();
            // A switch has no position to drag to: a press turns it over.
            if (IsSwitch(v)) return SetNow(v, v.ValueAt(Now()) >= 0.5 ? v.Minimum() : v.Maximum()) | kCaptureMe;
            return kCaptureMe | kRepaint;
        }
        case kLeftButtonUp:
            capturedRow_ = -1;
            return kReleaseMe;
        case kLeftButtonDoubleClick: {
            capturedRow_ = -1;
            if (!Platform().dialogs) return 0;
            const auto text = Platform().dialogs->TextEntry(window, v.DisplayText(), v.DisplayText(),
                                                            FormatThreeDecimals(v.ValueAt(Now())));
            return text ? SetTypedValue(v, *text) : 0;
        }
        case kRightButtonDown:
            return RowMenu(window, v);
        default:
            return 0;
    }
}

ResultFlags ParameterPanel::SetTypedValue(Variable& variable, const std::string& text) {
    const std::optional<double> typed = ReadSingle(text);
    if (!typed) return 0;
    const double low = std::min(variable.Minimum(), variable.Maximum());
    const double high = std::max(variable.Minimum(), variable.Maximum());
    return SetNow(variable, std::clamp(*typed, low, high));
}

std::vector<int> ParameterPanel::RowEditChoices(const Variable& variable) const {
    std::vector<int> ids{kCopy};
    if (ValueClipboard::Instance().Holds(variable)) ids.push_back(kPaste);
    if (variable.HasKeyAt(Now())) ids.insert(ids.end(), {kDelete, kDeletePrevious, kDeleteFollowing});
    ids.push_back(kUseValueStartToEnd);
    return ids;
}

ResultFlags ParameterPanel::RowMenu(Window* window, Variable& variable) {
    auto edit = std::make_shared<MenuList>();
    for (int id : RowEditChoices(variable)) edit->Add(id);
    MenuList menu;
    menu.AddSubmenu(kEdit, edit);
    for (int id : {kDefault, kMinimum, kMaximum}) menu.Add(id);
    const int chosen = menu.Show(window);
    return chosen ? RunRowChoice(variable, chosen) : 0;
}

ResultFlags ParameterPanel::RunRowChoice(Variable& variable, int choice) {
    if (!owner_) return 0;
    owner_->Table().SetCurrentId(variable.DeclaredId());
    const std::int32_t now = Now();
    switch (choice) {
        case kCopy:
            ValueClipboard::Instance().Store(variable, variable.ValueAt(now));
            return kRepaint;
        case kPaste: {
            const std::optional<double> value = ValueClipboard::Instance().Find(variable);
            return value ? SetNow(variable, *value) : 0;
        }
        case kDelete:
            return variable.DeleteKeyAt(now) ? kChanged : 0;
        case kDeletePrevious:
            return variable.DeletePreviousValues(now) ? kChanged : 0;
        case kDeleteFollowing:
            return variable.DeleteFollowingValues(now) ? kChanged : 0;
        case kUseValueStartToEnd: {
            const double value = variable.ValueAt(now);
            variable.ClearKeys();
            return SetNow(variable, value);
        }
        case kDefault: return SetNow(variable, variable.Default());
        case kMinimum: return SetNow(variable, variable.Minimum());
        case kMaximum: return SetNow(variable, variable.Maximum());
        default: return 0;
    }
}

ResultFlags ParameterPanel::GroupMenu(Window* window) {
    if (!owner_) return 0;
    MenuList menu;
    for (int id : GroupIds()) menu.Add(id);
    menu.AddSeparator();
    menu.Add(kCopySettings);
    for (int index : ShownRows())
        if (ValueClipboard::Instance().Holds(owner_->Table().At(index))) {
            menu.Add(kPasteSettings);
            break;
        }
    const int chosen = menu.Show(window);
    return chosen ? RunGroupChoice(chosen) : 0;
}

ResultFlags ParameterPanel::RunGroupChoice(int choice) {
    if (!owner_) return 0;
    VariableTable& table = owner_->Table();
    if (choice == kCopySettings) {
        for (int index : ShownRows()) ValueClipboard::Instance().Store(table.At(index), table.At(index).ValueAt(Now()));
        return kRepaint;
    }
    if (choice == kPasteSettings) {
        ResultFlags out = 0;
        for (int index : ShownRows())
            if (const auto value = ValueClipboard::Instance().Find(table.At(index))) out |= SetNow(table.At(index), *value);
        return out;
    }
    if (choice >= kFirstVariableSet && choice <= kLastVariableSet) {
        table.SetSelectedGroup(choice);
        table.SetCurrentId(choice);
        return kRepaint;
    }
    table.SetSelectedGroup(0);
    // The table's own id stands for the variables before the first entry.
    int entry = -1;
    if (choice != TableId() || (table.Count() > 0 && IsGroupEntry(table.At(0).DeclaredFlags()))) {
        for (int i = 0; i < table.Count() && entry < 0; ++i)
            if (IsGroupEntry(table.At(i).DeclaredFlags()) && table.At(i).DeclaredId() == choice) entry = i;
        if (entry < 0) return 0;
    }
    for (int i = entry + 1; i < table.Count(); ++i)
        if (!IsUnlisted(table.At(i).DeclaredFlags())) {
            table.SetCurrentId(table.At(i).DeclaredId());
            break;
        }
    return kRepaint;
}

ResultFlags ParameterPanel::PickerInput(Window* window, std::uint32_t message, int x, int y) {
    if (!pickerCaptured_) {
        if (message == kMouseMove) {
            if (window) window->SetCursor(Cursor::Cross);
            ShowHoverTextById(kPickerHint, picker_);
            return 0;
        }
        if (message != kLeftButtonDown) return 0;
        pickerCaptured_ = true;
        if (window) window->SetCapture();
        return kCaptureMe;
    }
    ResultFlags out = 0;
    if (window) {
        if (auto dc = window->BeginDraw()) {
            const Colour pixel = dc->PixelAt(x, y);
            VariableTable& table = owner_->Table();
            table.SetValueByName("IDS_RED", Now(), (pixel & 255) / 255.0);
            table.SetValueByName("IDS_GREEN", Now(), ((pixel >> 8) & 255) / 255.0);
            table.SetValueByName("IDS_BLUE", Now(), ((pixel >> 16) & 255) / 255.0);
            out = kChanged | kRepaint;
        }
    }
    if (message == kLeftButtonUp) {
        pickerCaptured_ = false;
        out |= kReleaseMe;
    }
    return out;
}

ResultFlags ParameterPanel::HelpKey(int x, int y) {
    if (const Row* row = RowAt(x, y)) {
        const Variable& v = owner_->Table().At(row->index);
        if (helpSink_) helpSink_(v);
        ShowHelpTopic(v.DeclaredId() ? v.DeclaredId() : kGenericValueTopic);
        return kRepaint;
    }
    if (picker_.Contains(x, y)) {
        ShowHelpTopic(kColourPicker);
        return kRepaint;
    }
    const int group = owner_->Table().SelectedGroup();
    ShowHelpTopic(group ? group : kVariableManagerTopic);
    return kRepaint;
}

bool ParameterPanel::Command(Window* window, int command, ResultFlags& out) {
    switch (command) {
        case kHoverGroupSelector:
            ShowHoverTextById(kGroupSelector, selector_);
            out = 0;
            return true;
        case kClickGroupSelector:
            out = GroupMenu(window);
            return true;
        case VariableTable::kNextKeyFrameCommand:
        case VariableTable::kPreviousKeyFrameCommand:
            if (!owner_) return false;
            return owner_->Table().Command(window, command, out);
        default:
            return Control::Command(window, command, out);
    }
}

}  // namespace vantrel
