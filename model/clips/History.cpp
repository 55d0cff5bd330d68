#include "model/clips/History.h"

#include <algorithm>

#include "media/sources/MediaSource.h"
#include "model/clips/Clip.h"
#include "values/Stream.h"

namespace vantrel {

namespace {
thread_local MediaPool* currentPool = nullptr;

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

bool RestoreSnapshot(Clip& root, const ClipSnapshot& snapshot) {
    const std::vector<std::uint8_t> bytes = SnapshotBytes(snapshot);
    MediaPool pool;
    pool.Collect(root);
    MediaPool::Scope scope(pool);
    MemoryInStream in(bytes);
    return root.Load(in) != 0;
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
