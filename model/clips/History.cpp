#include "model/clips/History.h"

#include <algorithm>

#include "items/Records.h"
#include "items/StringTable.h"
#include "media/sources/MediaSource.h"
#include "model/clips/ClipHeader.h"
#include "model/clips/Clip.h"
#include "values/Stream.h"

namespace vantrel {

namespace {
thread_local MediaPool* currentPool = nullptr;
thread_local bool restoring = false;

void Flatten(const ClipSnapshot& snapshot, std::vector<std::uint8_t>& into) {
    if (snapshot.own) into.insert(into.end(), snapshot.own->begin(), snapshot.own->end());
    for (const Snapshot& child : snapshot.children) Flatten(*child, into);
}
}  // namespace

std::size_t NewBytes(const ClipSnapshot& snapshot, const ClipSnapshot* previous) {
    if (previous == &snapshot) return 0;
    std::size_t bytes = 0;
    if (snapshot.own && !(previous && previous->own == snapshot.own)) bytes += snapshot.own->size();
    for (std::size_t i = 0; i < snapshot.children.size(); ++i) {
        const ClipSnapshot* before =
            previous && i < previous->children.size() ? previous->children[i].get() : nullptr;
        bytes += NewBytes(*snapshot.children[i], before);
    }
    return bytes;
}

Snapshot TakeSnapshot(Clip& clip, const Snapshot& previous) {
    MemoryOutStream own;
    clip.SaveOwn(own);
    auto snapshot = std::make_shared<ClipSnapshot>();
    if (previous && previous->own && *previous->own == own.bytes)
        snapshot->own = previous->own;
    else
        snapshot->own = std::make_shared<const std::vector<std::uint8_t>>(std::move(own.bytes));
    bool same = previous && snapshot->own == previous->own &&
                previous->children.size() == std::size_t(clip.ChildCount());
    snapshot->children.reserve(std::size_t(clip.ChildCount()));
    for (int i = 0; i < clip.ChildCount(); ++i) {
        const Snapshot before =
            previous && std::size_t(i) < previous->children.size() ? previous->children[std::size_t(i)] : nullptr;
        snapshot->children.push_back(TakeSnapshot(*clip.ChildAt(i), before));
        same = same && snapshot->children.back() == before;
    }
    // A clip and everything below it unchanged: the same object as before.
    if (same) return previous;
    return snapshot;
}

std::vector<std::uint8_t> SnapshotBytes(const ClipSnapshot& snapshot) {
    std::vector<std::uint8_t> bytes;
    Flatten(snapshot, bytes);
    return bytes;
}

namespace {
struct Field {
    std::size_t offset, size;
};
constexpr Field kViewFields[] = {{ClipHeader::kViewSpan, 4}, {ClipHeader::kViewStart, 4}};
constexpr Field kFileFields[] = {{ClipHeader::kName, ClipHeader::kNameSize}, {ClipHeader::kPath, ClipHeader::kPathSize}};

template <typename F>
void ForEachMasked(bool top, F&& f) {
    for (const Field& field : kViewFields) f(field);
    if (top)
        for (const Field& field : kFileFields) f(field);
}

bool SameOwn(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, bool top) {
    if (a.size() != b.size()) return false;
    if (a.size() < ClipHeader::kSize) return a == b;
    std::vector<std::uint8_t> masked = b;
    ForEachMasked(top, [&](const Field& field) {
        std::copy_n(a.begin() + std::ptrdiff_t(field.offset), field.size, masked.begin() + std::ptrdiff_t(field.offset));
    });
    return masked == a;
}

bool SameApart(const ClipSnapshot& a, const ClipSnapshot& b, bool top) {
    if (&a == &b) return true;
    if (a.children.size() != b.children.size()) return false;
    if (a.own != b.own && !(a.own && b.own && SameOwn(*a.own, *b.own, top))) return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!SameApart(*a.children[i], *b.children[i], false)) return false;
    return true;
}

Snapshot WithView(const Snapshot& target, const ClipSnapshot& present, bool top) {
    if (!target || target.get() == &present) return target;
    auto copy = std::make_shared<ClipSnapshot>(*target);
    bool changed = false;
    if (target->own && present.own && target->own != present.own && target->own->size() >= ClipHeader::kSize &&
        present.own->size() >= ClipHeader::kSize) {
        auto own = std::make_shared<std::vector<std::uint8_t>>(*target->own);
        ForEachMasked(top, [&](const Field& field) {
            std::copy_n(present.own->begin() + std::ptrdiff_t(field.offset), field.size,
                        own->begin() + std::ptrdiff_t(field.offset));
        });
        if (*own != *target->own) {
            copy->own = std::move(own);
            changed = true;
        }
    }
    for (std::size_t i = 0; i < copy->children.size() && i < present.children.size(); ++i) {
        Snapshot child = WithView(copy->children[i], *present.children[i], false);
        if (child != copy->children[i]) {
            copy->children[i] = std::move(child);
            changed = true;
        }
    }
    return changed ? Snapshot(std::move(copy)) : target;
}

std::int32_t HeaderInt(const ClipSnapshot& s, std::size_t offset) {
    return s.own && s.own->size() >= ClipHeader::kSize ? LoadInt32(s.own->data() + offset) : 0;
}

bool HeaderBytesDiffer(const ClipSnapshot& a, const ClipSnapshot& b, std::size_t offset, std::size_t size) {
    if (!a.own || !b.own || a.own->size() < ClipHeader::kSize || b.own->size() < ClipHeader::kSize) return false;
    return !std::equal(a.own->begin() + std::ptrdiff_t(offset), a.own->begin() + std::ptrdiff_t(offset + size),
                       b.own->begin() + std::ptrdiff_t(offset));
}

// What changed in one clip whose own record differs, most telling first.
std::string OwnChange(const ClipSnapshot& a, const ClipSnapshot& b, bool top) {
    using H = ClipHeader;
    if (top && (HeaderInt(a, H::kOutputSizeId) != HeaderInt(b, H::kOutputSizeId))) return "Video Format";
    if (top && (HeaderInt(a, H::kFrameRateId) != HeaderInt(b, H::kFrameRateId))) return "Frames Per Second";
    const int videoBefore = HeaderInt(a, H::kVideoEffectCount), videoAfter = HeaderInt(b, H::kVideoEffectCount);
    const int audioBefore = HeaderInt(a, H::kAudioEffectCount), audioAfter = HeaderInt(b, H::kAudioEffectCount);
    if (videoAfter + audioAfter > videoBefore + audioBefore) return "Add Effect";
    if (videoAfter + audioAfter < videoBefore + audioBefore) return "Remove Effect";
    if (HeaderBytesDiffer(a, b, H::kAudioEffectTypes, 2 * 4 * H::kEffectSlots)) return "Move Effect";
    if (HeaderInt(a, H::kPosition) != HeaderInt(b, H::kPosition)) return top ? "Change Project" : "Move Clip";
    if (HeaderInt(a, H::kTrack) != HeaderInt(b, H::kTrack)) return "Change Track";
    if (HeaderInt(a, H::kLength) != HeaderInt(b, H::kLength) || HeaderInt(a, H::kStart) != HeaderInt(b, H::kStart))
        return "Trim Clip";
    if (HeaderInt(a, H::kMuteAudio) != HeaderInt(b, H::kMuteAudio)) return "Mute Audio";
    if (HeaderInt(a, H::kMuteVideo) != HeaderInt(b, H::kMuteVideo)) return "Mute Video";
    if (HeaderInt(a, H::kMakeStart) != HeaderInt(b, H::kMakeStart) || HeaderInt(a, H::kMakeEnd) != HeaderInt(b, H::kMakeEnd))
        return "Set Make Strip";
    if (HeaderBytesDiffer(a, b, H::kWords, H::kWordsSize) || HeaderBytesDiffer(a, b, H::kTypeface, H::kTypefaceSize))
        return "Change Text";
    if (!top && HeaderBytesDiffer(a, b, H::kName, H::kNameSize)) return "Rename Clip";
    if (HeaderBytesDiffer(a, b, H::kLocators, 4 * H::kLocatorCount)) return "Set Locator";
    if (HeaderBytesDiffer(a, b, H::kTimeGrid, H::kTimeGridSize)) return "Change Time Grid";
    if (HeaderBytesDiffer(a, b, 0, H::kSize)) return "Change Clip";
    return "Change Values";
}

void Describe(const ClipSnapshot& a, const ClipSnapshot& b, bool top, std::vector<std::string>& found) {
    if (&a == &b) return;
    if (b.children.size() > a.children.size()) {
        found.push_back(b.children.size() == a.children.size() + 1 ? "Add Clip" : "Add Clips");
        return;
    }
    if (b.children.size() < a.children.size()) {
        found.push_back(b.children.size() + 1 == a.children.size() ? "Delete Clip" : "Delete Clips");
        return;
    }
    if (a.own != b.own && !(a.own && b.own && SameOwn(*a.own, *b.own, top))) found.push_back(OwnChange(a, b, top));
    for (std::size_t i = 0; i < a.children.size(); ++i) Describe(*a.children[i], *b.children[i], false, found);
}

// The string-table texts of the step names.
constexpr struct {
    const char* name;
    int id;
} kStepNames[] = {
    {"Video Format", 842},
    {"Frames Per Second", 843},
    {"Add Effect", 844},
    {"Remove Effect", 845},
    {"Move Effect", 846},
    {"Change Project", 847},
    {"Move Clip", 848},
    {"Move Clips", 849},
    {"Change Track", 850},
    {"Trim Clip", 851},
    {"Trim Clips", 852},
    {"Mute Audio", 853},
    {"Mute Video", 854},
    {"Set Make Strip", 855},
    {"Change Text", 856},
    {"Rename Clip", 857},
    {"Rename Clips", 858},
    {"Set Locator", 859},
    {"Change Time Grid", 860},
    {"Change Clip", 861},
    {"Change Clips", 862},
    {"Change Values", 863},
    {"Add Clip", 864},
    {"Add Clips", 865},
    {"Delete Clip", 866},
    {"Delete Clips", 867},
    {"Edit", 868},
    {"Revert Pending Changes", 869},
};
constexpr int kUndoStepText = 840, kRedoStepText = 841;

std::string WithStep(int formatId, const std::string& name) {
    std::string text = Str(formatId);
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text + " " + vantrel::StepCaption(name) : text.replace(at, 2, vantrel::StepCaption(name));
}
}  // namespace

std::string StepCaption(const std::string& name) {
    for (const auto& step : kStepNames)
        if (name == step.name) {
            const std::string text = Str(step.id);
            return text.empty() ? name : text;
        }
    return name;
}

std::string UndoCaption(const std::string& name) { return WithStep(kUndoStepText, name); }
std::string RedoCaption(const std::string& name) { return WithStep(kRedoStepText, name); }

bool RestoringSnapshot() { return restoring; }

bool SameApartFromView(const ClipSnapshot& a, const ClipSnapshot& b) { return SameApart(a, b, true); }

Snapshot WithViewOf(const Snapshot& target, const ClipSnapshot& present) { return WithView(target, present, true); }

std::string DescribeStep(const ClipSnapshot& before, const ClipSnapshot& after) {
    std::vector<std::string> found;
    Describe(before, after, true, found);
    if (found.empty()) return "Edit";
    // Clips moved together are one step of that kind; a compacting that
    // follows a move moves others' tracks too and does not name the step.
    const std::string& first = found.front();
    if (std::all_of(found.begin(), found.end(), [&](const std::string& name) { return name == first; }))
        return found.size() > 1 && first.ends_with("Clip") ? first + "s" : first;
    for (const std::string& name : found)
        if (name != "Change Track") return name;
    return first;
}

bool RestoreSnapshot(Clip& root, const ClipSnapshot& snapshot) {
    const std::vector<std::uint8_t> bytes = SnapshotBytes(snapshot);
    MediaPool pool;
    pool.Collect(root);
    MediaPool::Scope scope(pool);
    MemoryInStream in(bytes);
    restoring = true;
    const bool read = root.Load(in) != 0;
    restoring = false;
    return read;
}

// -- media pool ----------------------------------------------------------------

MediaPool::~MediaPool() = default;

void MediaPool::Add(const std::string& path, std::unique_ptr<MediaSource> source) {
    if (source) sources_.emplace_back(path, std::move(source));
}

std::unique_ptr<MediaSource> MediaPool::Take(const std::string& path) {
    for (auto& [key, source] : sources_)
        if (source && key == path) return std::move(source);
    return nullptr;
}

void MediaPool::Collect(Clip& clip) {
    if (clip.Source()) {
        const std::string path = clip.MediaPath();
        Add(path, clip.TakeMedia());
    }
    for (int i = 0; i < clip.ChildCount(); ++i) Collect(*clip.ChildAt(i));
}

MediaPool::Scope::Scope(MediaPool& pool) : previous_(currentPool) { currentPool = &pool; }
MediaPool::Scope::~Scope() { currentPool = previous_; }
MediaPool* MediaPool::Current() { return currentPool; }

// -- history -------------------------------------------------------------------

namespace {
const std::string kNoName;
}

void EditHistory::Reset(Snapshot state) {
    states_.clear();
    names_.clear();
    bytes_.clear();
    const std::size_t bytes = state ? NewBytes(*state, nullptr) : 0;
    states_.push_back(std::move(state));
    names_.emplace_back();
    bytes_.push_back(bytes);
    position_ = 0;
    memory_ = bytes;
}

void EditHistory::Record(std::string name, Snapshot state) {
    if (states_.empty()) {
        Reset(std::move(state));
        return;
    }
    while (states_.size() > position_ + 1) {
        memory_ -= bytes_.back();
        states_.pop_back();
        names_.pop_back();
        bytes_.pop_back();
    }
    const std::size_t bytes = state ? NewBytes(*state, states_.back().get()) : 0;
    states_.push_back(std::move(state));
    names_.push_back(std::move(name));
    bytes_.push_back(bytes);
    memory_ += bytes;
    position_ = states_.size() - 1;
    Trim();
}

const std::string& EditHistory::UndoName() const { return CanUndo() ? names_[position_] : kNoName; }
const std::string& EditHistory::RedoName() const { return CanRedo() ? names_[position_ + 1] : kNoName; }

void EditHistory::Amend(Snapshot state) {
    if (states_.empty()) {
        Reset(std::move(state));
        return;
    }
    const std::size_t bytes =
        state ? NewBytes(*state, position_ > 0 ? states_[position_ - 1].get() : nullptr) : 0;
    memory_ = memory_ - bytes_[position_] + bytes;
    bytes_[position_] = bytes;
    states_[position_] = std::move(state);
}

const ClipSnapshot* EditHistory::Undo() {
    if (!CanUndo()) return nullptr;
    return states_[--position_].get();
}

const ClipSnapshot* EditHistory::Redo() {
    if (!CanRedo()) return nullptr;
    return states_[++position_].get();
}

const Snapshot& EditHistory::Current() const {
    static const Snapshot none;
    return states_.empty() ? none : states_[position_];
}

void EditHistory::SetMemoryLimit(std::size_t bytes) {
    limit_ = bytes;
    Trim();
}

// The oldest state goes while the rest is over the limit; the state the
// project is in always stays. What the next state shared with the one that
// goes is counted to it from then on.
void EditHistory::Trim() {
    while (memory_ > limit_ && position_ > 0 && states_.size() > 1) {
        memory_ -= bytes_[0] + bytes_[1];
        bytes_[1] = states_[1] ? NewBytes(*states_[1], nullptr) : 0;
        memory_ += bytes_[1];
        states_.erase(states_.begin());
        names_.erase(names_.begin());
        bytes_.erase(bytes_.begin());
        names_[0].clear();
        --position_;
    }
}

}  // namespace vantrel
