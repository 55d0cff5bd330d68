#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {

class Clip;
class MediaSource;

// One clip's record as it stood at one moment: its own part (header,
// variables, effects) and its children's. Parts that did not change since
// the snapshot before are the very same objects, so a step costs what it
// changed, not what the project holds.
struct ClipSnapshot {
    std::shared_ptr<const std::vector<std::uint8_t>> own;
    std::vector<std::shared_ptr<const ClipSnapshot>> children;
};
using Snapshot = std::shared_ptr<const ClipSnapshot>;

// Writes the record of `clip` and everything below it, sharing every part
// that equals the same place in `previous` (which may be null).
Snapshot TakeSnapshot(Clip& clip, const Snapshot& previous);
// The bytes of the whole record, as a project file holds them.
std::vector<std::uint8_t> SnapshotBytes(const ClipSnapshot& snapshot);
// Bytes held by parts of `snapshot` that `previous` does not share.
std::size_t NewBytes(const ClipSnapshot& snapshot, const ClipSnapshot* previous);

// Whether two states differ only in what is not an edit: the view (zoom and
// scroll) of every arrangement and, at the top, the project's own name and
// path, which follow the file and not the editing.
bool SameApartFromView(const ClipSnapshot& a, const ClipSnapshot& b);
// `target` with the view, name and path of `present` wherever the two have a
// clip in the same place, so that going back in the history keeps the view
// and the project's file as they are.
Snapshot WithViewOf(const Snapshot& target, const ClipSnapshot& present);
// A name for the step from `before` to `after` as the menus show it ("Move
// Clip", "Delete Clip", "Change Text" ...).
std::string DescribeStep(const ClipSnapshot& before, const ClipSnapshot& after);
// A step's name as the user's language shows it: the names are kept in
// English in the history, each has its text in the string table.
std::string StepCaption(const std::string& name);
// "Undo Move Clip", "Redo Move Clip" in the user's language.
std::string UndoCaption(const std::string& name);
std::string RedoCaption(const std::string& name);

// Whether this thread is reading a state back from the history (the reader
// then keeps the tracks exactly as they were instead of tidying them).
bool RestoringSnapshot();

// Rebuilds `root` from a snapshot. Media that the tree has open already are
// handed to the clips that name the same file instead of being opened again.
bool RestoreSnapshot(Clip& root, const ClipSnapshot& snapshot);

// Open media waiting to be taken again while a record is read. The clip's
// opening of media asks the pool installed on its thread first.
class MediaPool {
public:
    void Add(const std::string& path, std::unique_ptr<MediaSource> source);
    // The source opened from exactly this path, or null.
    std::unique_ptr<MediaSource> Take(const std::string& path);
    // Every media source of the tree below `clip` moves into the pool.
    void Collect(Clip& clip);
    ~MediaPool();

    // The pool of this thread for the scope's life.
    class Scope {
    public:
        explicit Scope(MediaPool& pool);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        MediaPool* previous_;
    };
    static MediaPool* Current();

private:
    std::vector<std::pair<std::string, std::unique_ptr<MediaSource>>> sources_;
};

// The steps of a project's editing: each leads from the state before it to
// the state after it and carries the name the menus show ("Move Clip").
// A step after undos drops what could have been redone. Old steps go first
// once the snapshots hold more than the memory limit.
class EditHistory {
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t(256) << 20;

    explicit EditHistory(std::size_t memoryLimit = kDefaultMemoryLimit) : limit_(memoryLimit) {}

    // Forgets every step: `state` is where editing starts (a load, New).
    void Reset(Snapshot state);
    // A step named `name` that led to `state`.
    void Record(std::string name, Snapshot state);
    // The present state replaced by `state` without a step (a change that is
    // not an edit, such as a new view).
    void Amend(Snapshot state);
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ + 1 < states_.size(); }
    // The name of the step an undo or redo would take; empty for none.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // The state to restore, the position moved; null when there is none.
    const ClipSnapshot* Undo();
    const ClipSnapshot* Redo();
    const Snapshot& Current() const;
    std::size_t StepCount() const { return states_.empty() ? 0 : states_.size() - 1; }
    std::size_t Position() const { return position_; }
    std::size_t MemoryBytes() const { return memory_; }
    void SetMemoryLimit(std::size_t bytes);

private:
    void Trim();

    std::size_t limit_;
    std::vector<Snapshot> states_;      // states_[0] is where editing started
    std::vector<std::string> names_;    // names_[i] leads to states_[i]
    std::vector<std::size_t> bytes_;    // bytes that state i added
    std::size_t position_ = 0;
    std::size_t memory_ = 0;
};

}  // namespace vantrel
