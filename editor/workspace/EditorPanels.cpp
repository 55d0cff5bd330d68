#include "editor/workspace/EditorPanels.h"

#include <algorithm>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/Workspace.h"
#include "editor/panels/EffectMenu.h"
#include "model/variables/CatalogueIds.h"

namespace vantrel {

namespace {
constexpr int kMaxListRows = 8;
using namespace catalogue_ids;

bool HasRectangle(VariableOwner& owner, const RectangleIds& ids) {
    return std::all_of(ids.begin(), ids.end(), [&](int id) { return owner.Table().ById(id) != nullptr; });
}
}  // namespace

EditorPanels::EditorPanels(Workspace& root) : root_(root) {
    SetParent(&root);
    for (Control* panel : std::initializer_list<Control*>{&parameters_, &first_, &second_, &curve_, &list_})
        panel->SetParent(this);
}

bool EditorPanels::Holds(int region) {
    return region == kPanelRegion || region == kRectanglePanelsRegion || region == kCurveViewRegion;
}

Clip& EditorPanels::EditedClip() const {
    Clip* current = root_.CurrentChild();
    return current ? *current : root_;
}

VariableOwner* EditorPanels::CurrentEffect() const {
    const Clip& clip = EditedClip();
    return audio_ ? clip.CurrentAudioEffect() : clip.CurrentVideoEffect();
}

void EditorPanels::Sync() {
    Clip& clip = EditedClip();
    VariableOwner* current = CurrentEffect();
    std::vector<EffectListView::Entry> entries;
    const std::string ownName = clip.Name().empty() ? Str(clip.Type()) : clip.Name();
    entries.push_back({ownName.empty() ? Str(kClipVariablesCaption) : ownName, nullptr, current == nullptr});
    for (const auto& effect : audio_ ? clip.AudioEffects() : clip.VideoEffects())
        entries.push_back({Str(effect->GetId()), effect.get(), effect.get() == current});
    list_.SetEntries(std::move(entries));

    VariableOwner& shown = current ? *current : static_cast<VariableOwner&>(clip);
    parameters_.SetTarget(&shown, root_.Options().keyColourPicker && root_.Options().keyColourPicker(shown));

    const RectangleIds& firstIds = firstShowsSource_ ? kSourceRect : kDestinationRect;
    const RectangleIds& otherIds = firstShowsSource_ ? kDestinationRect : kSourceRect;
    if (HasRectangle(clip, firstIds))
        first_.SetTarget(&clip, firstIds, firstShowsSource_ ? kSourceRectCaption : kDestinationRectCaption);
    else
        first_.SetTarget(nullptr, {}, 0);
    if (current && HasRectangle(*current, kEffectRect))
        second_.SetTarget(current, kEffectRect, kEffectRectCaption);
    else if (HasRectangle(clip, otherIds))
        second_.SetTarget(&clip, otherIds, firstShowsSource_ ? kDestinationRectCaption : kSourceRectCaption);
    else
        second_.SetTarget(nullptr, {}, 0);
    const OutputSize* output = FindOutputSize(root_.OutputSizeId());
    for (RectanglePanel* panel : {&first_, &second_})
        panel->SetPixelSize(output ? output->width : 320, output ? output->height : 240);
    root_.Editor().ScriptControls().firstRectanglePanel = first_.Target() ? &first_ : nullptr;
    root_.Editor().ScriptControls().secondRectanglePanel = second_.Target() ? &second_ : nullptr;

    // The curve view follows the variable last edited or chosen.
    VariableTable& table = shown.Table();
    Variable* variable = nullptr;
    for (int i = 0; i < table.Count() && table.CurrentId(); ++i)
        if (table.At(i).DeclaredId() == table.CurrentId() && !IsUnlisted(table.At(i).DeclaredFlags()))
            variable = &table.At(i);
    if (variable) variable->SetView(clip.Start(), SaturatingAdd(clip.Start(), std::max(clip.Length(), 1)));
    curve_.SetVariable(&shown, variable);
}

void EditorPanels::Place(const LayoutResult& layout) {
    Sync();
    const Rect panel = layout.Of(kPanelRegion);
    const int rows = std::min(int(list_.Entries().size()), kMaxListRows);
    const int listHeight = std::min(rows * list_.Metric(kRowHeight), panel.Height() / 3);
    list_.SetRectangle({panel.left, panel.top, panel.right, panel.top + listHeight});
    parameters_.Arrange(panel.left, panel.top + listHeight, panel.right, panel.bottom);
    const Rect rectangles = layout.Of(kRectanglePanelsRegion);
    const int middle = rectangles.left + rectangles.Width() / 2;
    first_.Arrange(rectangles.left, rectangles.top, middle, rectangles.bottom);
    second_.Arrange(middle, rectangles.top, rectangles.right, rectangles.bottom);
    curve_.SetRectangle(layout.Of(kCurveViewRegion));
}

void EditorPanels::PaintPanels(DrawContext& dc) {
    Place(root_.Editor().Layout());
    for (Control* panel : std::initializer_list<Control*>{&list_, &parameters_, &first_, &second_, &curve_}) {
        const Rect& r = panel->Rectangle();
        if (!r.IsEmpty()) panel->Paint(dc, r.left, r.top, r.right, r.bottom, 0);
    }
}

Control* EditorPanels::PanelAt(int x, int y) {
    for (Control* panel : std::initializer_list<Control*>{&list_, &parameters_, &first_, &second_, &curve_})
        if (panel->Rectangle().Contains(x, y)) return panel;
    return nullptr;
}

ResultFlags EditorPanels::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    Place(root_.Editor().Layout());
    if (Item* captured = CapturedChild()) return DispatchToChild(captured, captured, window, message, x, y, keyFlags);
    Control* target = PanelAt(x, y);
    if (!target) return 0;
    if (target == &list_ && message == kRightButtonUp) return FinishInput(ListMenu(window));
    if (target == &first_ && message == kRightButtonUp) {
        firstShowsSource_ = !firstShowsSource_;
        return FinishInput(kRelayout | kRepaint);
    }
    ResultFlags out = DispatchToChild(target, target, window, message, x, y, keyFlags);
    if (target == &list_)
        if (const std::optional<int> chosen = list_.TakeChosen()) {
            EditedClip().SetCurrentEffect(audio_ ? EffectKind::kAudio : EffectKind::kVideo,
                                          list_.Entries()[std::size_t(*chosen)].owner);
            out |= kRelayout | kRepaint;
        }
    return out;
}

ResultFlags EditorPanels::ListMenu(Window* window) {
    MenuList menu;
    for (int id : {kAddVideoEffectCommand, kAddAudioEffectCommand}) menu.Add(id);
    menu.AddSeparator();
    menu.Add(audio_ ? kWorkWithVideoEffectsCommand : kWorkWithAudioEffectsCommand);
    if (CurrentEffect()) {
        menu.AddSeparator();
        for (int id : {kRemoveEffectCommand, kMoveEffectUpCommand, kMoveEffectDownCommand}) menu.Add(id);
    }
    // An audio clip's envelope strip commands, as in its arrangement menu.
    if (auto envelope = EnvelopeSubmenu(root_.Options().envelope, EditedClip())) {
        menu.AddSeparator();
        menu.AddSubmenu(kEnvelopeText, envelope);
    }
    const int chosen = menu.Show(window);
    if (IsEnvelopeCommand(chosen)) return RunEnvelopeCommand(root_.Options().envelope, chosen, EditedClip(), curve_.Shown());
    ResultFlags out = 0;
    if (chosen) root_.Command(window, chosen, out);
    return out;
}

ResultFlags EditorPanels::AddEffectByMenu(Window* window, bool video) {
    const int type = (video ? VideoEffectMenu() : AudioEffectMenu()).Show(window);
    return type ? AddEffect(video, type) : 0;
}

ResultFlags EditorPanels::AddEffect(bool video, int type) {
    const EffectKind kind = video ? EffectKind::kVideo : EffectKind::kAudio;
    Clip& clip = EditedClip();
    VariableOwner* effect = clip.AddEffect(kind, type);
    if (!effect) return 0;
    clip.SetCurrentEffect(kind, effect);
    audio_ = !video;
    return kChanged | kRelayout | kRepaint;
}

ResultFlags EditorPanels::ShowList(bool audio) {
    audio_ = audio;
    return kRelayout | kRepaint;
}

ResultFlags EditorPanels::RemoveCurrentEffect() {
    VariableOwner* effect = CurrentEffect();
    if (!effect) return 0;
    // The caller holds the tree (the root's command entry takes it), so the
    // worker is between frames.
    return EditedClip().RemoveEffect(effect) ? kChanged | kRelayout | kRepaint : 0;
}

ResultFlags EditorPanels::MoveCurrentEffect(int direction) {
    VariableOwner* effect = CurrentEffect();
    if (!effect) return 0;
    return EditedClip().MoveEffect(effect, direction) ? kChanged | kRelayout | kRepaint : 0;
}

}  // namespace vantrel
