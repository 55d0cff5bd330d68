// Tracks, the child clip commands, selection, view and make strip.
#include <algorithm>

#include "values/Stream.h"
#include "items/StringTable.h"
#include "model/clips/Clip.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr const char* kDeleteQuestion = "Are You Sure? Do you really want to delete:";
constexpr int kDoneText = 220;
constexpr int kQuestionCaption = 302;
}  // namespace

int Clip::TrackCount() const {
    int count = 0;
    for (const auto& child : children_) count = std::max(count, SaturatingAdd(child->Track(), 1));
    return count;
}

void Clip::InsertTrack(int track) {
    for (const auto& child : children_)
        if (child->Track() >= track) child->SetTrack(SaturatingAdd(child->Track(), 1));
}

std::vector<Clip*> Clip::ChildrenInDrawingOrder() const {
    std::vector<Clip*> order;
    order.reserve(children_.size());
    for (const auto& child : children_) order.push_back(child.get());
    // The walk costs what the children cost, whatever their track numbers.
    std::stable_sort(order.begin(), order.end(), [](const Clip* a, const Clip* b) { return a->Track() > b->Track(); });
    return order;
}

bool Clip::Overlaps(int track, std::int32_t position, std::int32_t length, const Clip* except) const {
    Clip* const skipped = const_cast<Clip*>(except);
    return Overlaps(track, position, length, std::span<Clip* const>(&skipped, 1));
}

bool Clip::Overlaps(int track, std::int32_t position, std::int32_t length, std::span<Clip* const> except) const {
    const std::int64_t begin = position, end = std::int64_t(position) + length;
    for (const auto& child : children_) {
        if (child->Track() != track || std::find(except.begin(), except.end(), child.get()) != except.end()) continue;
        const std::int64_t otherBegin = child->position_, otherEnd = std::int64_t(child->position_) + child->size_;
        if (begin <= otherEnd && otherBegin <= end) return true;
    }
    return false;
}

void Clip::PlaceOnFreeTrack(Clip* child) {
    int track = 0;
    while (Overlaps(track, child->position_, child->size_, child)) ++track;
    child->SetTrack(track);
}

void Clip::CompactTracks() {
    CloseEmptyTracks();
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto& child : children_) {
            const int track = child->Track();
            if (track > 0 && !Overlaps(track - 1, child->position_, child->size_, child.get())) {
                child->SetTrack(track - 1);
                moved = true;
            }
        }
    }
}

void Clip::CloseEmptyTracks() {
    // Rows nobody stands on are closed in one step: moving a child on track
    // 2147483646 up one row per pass would take billions of passes.
    std::vector<int> used;
    for (const auto& child : children_) used.push_back(std::max(child->Track(), 0));
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    for (const auto& child : children_) {
        const auto row = std::lower_bound(used.begin(), used.end(), std::max(child->Track(), 0));
        child->SetTrack(int(row - used.begin()));
    }
}

std::vector<int> Clip::MenuCommands(const Clip& child) const {
    std::vector<int> commands;
    const RootState* state = const_cast<Clip*>(this)->TreeState();
    if (child.CanPlay() && !(state && state->Busy())) commands.push_back(kClipPlay);
    if (IsRoot() && !child.HoldsPicture() && child.HasAudio())
        commands.push_back(audioMaster_ == &child ? kClipRemoveAudioMaster : kClipMakeAudioMaster);
    if (child.Track() > 0) {
        commands.push_back(kClipTop);
        commands.push_back(kClipUp);
    }
    if (child.Track() < TrackCount() - 1) {
        commands.push_back(kClipDown);
        commands.push_back(kClipBottom);
    }
    if (arrangement_) {
        commands.push_back(kClipDuplicate);
        commands.push_back(kClipSplit);
    }
    commands.push_back(kClipDelete);
    return commands;
}

ResultFlags Clip::RunClipCommand(Clip* child, int command) {
    if (IndexOf(child) < 0) return 0;
    ResultFlags result = 0;
    switch (command) {
        case kClipPlay: RootClip()->Play(child); return kRepaint;
        case kClipMakeAudioMaster: result = MakeAudioMaster(child) ? kChanged : 0; break;
        case kClipRemoveAudioMaster: RemoveAudioMaster(); result = kChanged; break;
        case kClipTop: result = MoveTop(child); break;
        case kClipUp: result = MoveUp(child); break;
        case kClipDown: result = MoveDown(child); break;
        case kClipBottom: result = MoveBottom(child); break;
        case kClipDuplicate:
            // A clip of a larger selection takes the whole selection with it.
            if (selection_.size() > 1 && IsSelected(child))
                result = DuplicateSelection().empty() ? 0 : kChanged;
            else
                result = DuplicateChild(child) ? kChanged : 0;
            break;
        case kClipSplit: result = SplitChild(child); break;
        case kClipDelete:
            if (std::find(selection_.begin(), selection_.end(), child) == selection_.end()) Select(child);
            result = DeleteSelection();
            break;
        default: return 0;
    }
    CompactTracks();
    return result | kRepaint;
}

ResultFlags Clip::MoveUp(Clip* child) {
    const int track = child->Track();
    if (track <= 0) return 0;
    InsertTrack(track - 1);
    child->SetTrack(track - 1);
    CompactTracks();
    return kChanged;
}

ResultFlags Clip::MoveDown(Clip* child) {
    const int track = child->Track();
    InsertTrack(SaturatingAdd(track, 2));
    child->SetTrack(SaturatingAdd(track, 2));
    CompactTracks();
    return kChanged;
}

ResultFlags Clip::MoveTop(Clip* child) {
    InsertTrack(0);
    child->SetTrack(0);
    CompactTracks();
    return kChanged;
}

ResultFlags Clip::MoveBottom(Clip* child) {
    child->SetTrack(TrackCount());
    CompactTracks();
    return kChanged;
}

Clip* Clip::DuplicateChild(Clip* child) {
    if (IndexOf(child) < 0 || int(children_.size()) >= kMaxChildren) return nullptr;
    // Through memory: a copy must not depend on where the program runs.
    MemoryOutStream out;
    if (!child->Save(out)) return nullptr;
    auto copy = std::make_unique<Clip>();
    copy->SetParent(this);
    MemoryInStream in(out.bytes);
    if (!copy->Load(in)) return nullptr;
    TreeHold hold(*this);
    const int track = child->Track();
    InsertTrack(track);
    copy->SetTrack(track);
    Clip* added = AddChild(std::move(copy));
    added->SetTime(time_);
    SetStatusText(Str(kDoneText));
    return added;
}

ResultFlags Clip::SplitChild(Clip* child) {
    if (IndexOf(child) < 0) return 0;
    const std::int32_t at = Quantize(time_);
    const std::int64_t relative = std::int64_t(at) - child->position_;
    if (relative <= 0 || relative >= child->size_) return 0;
    const int track = child->Track();
    Clip* copy = DuplicateChild(child);
    if (!copy) return 0;
    child->SetSize(std::int32_t(relative));
    copy->SetOffset(SaturatingAdd(copy->Start(), std::int32_t(relative)));
    // The two pieces share the row the clip stood on; the row the duplicate
    // made room with closes again when compacting.
    child->SetTrack(track);
    copy->SetTrack(track);
    CompactTracks();
    return kChanged | kRepaint;
}

std::string Clip::DeleteQuestion() const {
    std::string text = std::string(kDeleteQuestion) + ":\n\n";
    for (const Clip* clip : selection_) text += "\t- " + clip->Name() + "\n";
    return text;
}

ResultFlags Clip::DeleteSelection() {
    if (selection_.empty()) return 0;
    MessageBoxRequest request;
    request.text = DeleteQuestion();
    request.caption = Str(kQuestionCaption);
    request.icon = BoxIcon::Question;
    request.buttons = BoxButtons::YesNo;
    request.defaultButton = BoxAnswer::No;
    if (!Platform().dialogs || Platform().dialogs->MessageBox(RootClip()->GetWindow(), request) != BoxAnswer::Yes)
        return 0;
    TreeHold hold(*this);
    const std::vector<Clip*> doomed = selection_;
    for (Clip* clip : doomed) RemoveChild(clip);
    CompactTracks();
    return kChanged | kRepaint;
}

bool Clip::MakeAudioMaster(Clip* child) {
    if (IndexOf(child) < 0 || child->HoldsPicture() || !child->HasAudio()) return false;
    audioMaster_ = child;
    return true;
}

void Clip::Select(Clip* child) {
    selection_.clear();
    if (IndexOf(child) < 0) return;
    selection_.push_back(child);
    currentChild_ = child;
}

bool Clip::AddToSelection(Clip* child) {
    if (IndexOf(child) < 0 || int(selection_.size()) >= kMaxSelection) return false;
    if (std::find(selection_.begin(), selection_.end(), child) == selection_.end()) selection_.push_back(child);
    return true;
}

bool Clip::IsSelected(const Clip* child) const {
    return std::find(selection_.begin(), selection_.end(), child) != selection_.end();
}

void Clip::ToggleSelection(Clip* child) {
    if (IndexOf(child) < 0) return;
    if (IsSelected(child)) {
        selection_.erase(std::remove(selection_.begin(), selection_.end(), child), selection_.end());
        if (currentChild_ == child && !selection_.empty()) currentChild_ = selection_.back();
        return;
    }
    if (AddToSelection(child)) currentChild_ = child;
}

void Clip::SelectBetween(const Clip* anchor, Clip* child) {
    if (IndexOf(child) < 0) return;
    if (!anchor || IndexOf(anchor) < 0 || anchor == child) {
        if (AddToSelection(child)) currentChild_ = child;
        return;
    }
    const int top = std::min(anchor->Track(), child->Track()), bottom = std::max(anchor->Track(), child->Track());
    const std::int64_t begin = std::min(anchor->position_, child->position_);
    const std::int64_t end = std::max(std::int64_t(anchor->position_) + anchor->size_, std::int64_t(child->position_) + child->size_);
    AddToSelection(const_cast<Clip*>(anchor));
    for (const auto& other : children_) {
        if (other->Track() < top || other->Track() > bottom) continue;
        const std::int64_t otherBegin = other->position_, otherEnd = std::int64_t(other->position_) + other->size_;
        if (otherBegin <= end && begin <= otherEnd) AddToSelection(other.get());
    }
    AddToSelection(child);
    currentChild_ = child;
}

bool Clip::SelectAll() {
    if (children_.empty()) return false;
    selection_.clear();
    for (const auto& child : children_) AddToSelection(child.get());
    if (!currentChild_) currentChild_ = children_.front().get();
    return true;
}

std::vector<Clip*> Clip::DuplicateSelection() {
    // From the last track up: a copy opens a row at its source's track and
    // pushes that track and every later one down, so the sources still to
    // copy, on earlier tracks, keep their rows until their turn.
    std::vector<Clip*> sources = selection_;
    std::stable_sort(sources.begin(), sources.end(), [](const Clip* a, const Clip* b) { return a->Track() > b->Track(); });
    std::vector<Clip*> copies;
    for (Clip* source : sources)
        if (Clip* copy = DuplicateChild(source)) copies.push_back(copy);
    if (copies.empty()) return copies;
    selection_.clear();
    for (Clip* copy : copies) AddToSelection(copy);
    currentChild_ = copies.back();
    return copies;
}

ResultFlags Clip::MusicTimeChange() {
    if (!arrangement_) return 0;
    const TimeGridSettings& settings = grid_.Settings();
    const auto copyToEffects = [&settings](const EffectList& effects) {
        for (const auto& effect : effects)
            if (auto* user = dynamic_cast<TimeGridUser*>(effect.get())) user->SetTimeGrid(settings);
    };
    for (const auto& child : children_) {
        if (child->type_ == kSubArrangementType) continue;
        child->grid_.SetSettings(settings);
        copyToEffects(child->videoEffects_);
        copyToEffects(child->audioEffects_);
    }
    copyToEffects(videoEffects_);
    copyToEffects(audioEffects_);
    return kRepaint;
}

void Clip::DefaultMakeStrip() { DefaultMakeStrip(position_, size_); }

void Clip::DefaultMakeStrip(std::int32_t position, std::int32_t length) {
    if (ViewSpan() > 0) return;
    SetView(position, SaturateInt32(2 * std::int64_t(position) + length));
    SetMakeRange(position, SaturatingAdd(position, length));
}

ResultFlags Clip::AutoAdjustMakeStrip() {
    if (!arrangement_) return 0;
    autoAdjust_ = true;
    if (children_.empty()) return kRepaint;
    std::int32_t earliest = children_.front()->position_;
    for (const auto& child : children_) earliest = std::min(earliest, child->position_);
    std::int64_t end = 0;
    for (const auto& child : children_) {
        child->SetPosition(SaturatingSub(child->position_, earliest));
        end = std::max(end, std::int64_t(child->position_) + child->size_);
    }
    const std::int32_t span = SaturateInt32(std::max<std::int64_t>(end, 1));
    SetSize(span);
    SetMakeRange(0, span);
    return kRepaint;
}

}  // namespace vantrel
