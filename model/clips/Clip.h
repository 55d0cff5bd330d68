#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <span>
#include <vector>

#include "values/TimeMath.h"
#include "model/clips/ClipHeader.h"
#include "model/clips/ClipParts.h"
#include "model/clips/RootState.h"
#include "model/clips/TimeGrid.h"
#include "media/sources/MediaSource.h"
#include "script/ScriptNames.h"
#include "model/variables/VariableOwner.h"

namespace vantrel {

// Commands of a child clip's context menu; each is also the string id of
// its caption.
enum ClipMenuCommand : int {
    kClipDelete = 36,
    kClipPlay = 183,
    kClipMakeAudioMaster = 704,
    kClipRemoveAudioMaster,
    kClipTop,
    kClipUp,
    kClipDown,
    kClipBottom,
    kClipDuplicate,
    kClipSplit,
};

// Output sizes and frame rates, by their string ids.
struct OutputSize {
    int id, width, height;
};
const OutputSize* FindOutputSize(int id);  // null: no such size
// num / den frames per second. The classic rates spread a make's frames
// evenly over its range; with exactTimes frame i of a make falls at
// floor(i * 1000 * den / num) ms after its start, so that a fractional rate
// never drifts from the clock however long the make.
struct OutputRate {
    int id, num, den;
    bool exactTimes;
};
const OutputRate* FindFrameRate(int id);  // null: no such rate
int FramesPerSecond(int frameRateId);     // rounded to whole frames; 0: no such rate

// What the composition library keeps for one clip between frames (the last
// decoded frame, audio blocks, an arrangement's surfaces). The clip holds it
// so that it lives and dies with the clip; the model never looks inside.
class ClipComposition {
public:
    virtual ~ClipComposition() = default;
};

// Every clip of a project: a media clip, a generated picture or an
// arrangement of child clips on tracks. The root of the tree is one too.
// Position, length and start are the item's position, size and offset.
class Clip : public VariableOwner {
public:
    static constexpr int kMaxChildren = 256;
    static constexpr int kMaxEffects = 64;
    static constexpr int kMaxSelection = 512;
    // Deeper nesting than this in a file is refused: the reader recurses.
    static constexpr int kMaxDepth = 32;
    static constexpr int kLocatorCount = 8;

    Clip();
    ~Clip() override;

    // -- tree ---------------------------------------------------------------
    Clip* ParentClip() const;
    Clip* RootClip();
    bool IsArrangement() const { return arrangement_; }
    void SetArrangement(bool arrangement) { arrangement_ = arrangement; }
    int Type() const { return type_; }
    void SetType(int type) { type_ = type; }
    int ChildCount() const { return int(children_.size()); }
    Clip* ChildAt(int index) const { return children_[std::size_t(index)].get(); }
    int IndexOf(const Clip* child) const;  // -1 when not a child
    // Appends; null when this is no arrangement or it is full.
    Clip* AddChild(std::unique_ptr<Clip> child);
    // Holds the tree around the removal; forgets the child everywhere.
    std::unique_ptr<Clip> RemoveChild(Clip* child);
    Clip* CurrentChild() const { return currentChild_; }
    void SetCurrentChild(Clip* child) { currentChild_ = child; }

    // A new sub arrangement (412) or generator clip (172, 568) as a child at
    // this clip's current time on a free track, selected. Null for another
    // type, on a clip that is no arrangement, or when the part fails.
    Clip* NewChildClip(int type);
    // A media clip from a file, placed like NewChildClip (at `at` when
    // given, else at the current time); null on failure.
    Clip* ImportMedia(const std::string& path, std::optional<std::int32_t> at = std::nullopt);

    // -- times --------------------------------------------------------------
    std::int32_t Length() const { return size_; }
    std::int32_t Start() const { return offset_; }
    // Both ends included.
    bool IsActive() const { return time_ >= offset_ && time_ <= SaturatingAdd(offset_, size_); }
    ResultFlags SetTime(std::int32_t parentTime) override;
    ResultFlags SetPosition(std::int32_t position) override;
    ResultFlags SetSize(std::int32_t size) override;
    ResultFlags SetSpan(std::int32_t position, std::int32_t size) override;
    // Keeps the material at its parent time and the right edge in place.
    ResultFlags SetOffset(std::int32_t start) override;
    // Position, length and start exactly as given (loading, undo).
    void RestoreTimes(std::int32_t position, std::int32_t length, std::int32_t start);
    // The media time of the frame shown at a local time: media length x the
    // time mapper's value for AVI and movie pictures, the local time itself
    // otherwise (audio is always read at the local time).
    std::int32_t MediaTimeAt(std::int32_t localTime) const;
    // Media length in ms: a movie's duration, an AVI's or WAV's length; 0
    // without media or for a still.
    std::int32_t MediaLength() const;

    // -- header-held settings -----------------------------------------------
    ClipHeader& Header() { return header_; }
    const ClipHeader& Header() const { return header_; }
    const ClipHeader& CommittedHeader() const { return committed_; }
    std::string Name() const { return header_.Name(); }
    void SetName(const std::string& name) { header_.SetName(name); }
    std::string MediaPath() const { return header_.Path(); }
    void SetMediaPath(const std::string& path) { header_.SetPath(path); }
    int Track() const { return header_.Int(ClipHeader::kTrack); }
    void SetTrack(int track) { header_.SetInt(ClipHeader::kTrack, track < 0 ? 0 : track); }
    std::int32_t ViewSpan() const { return header_.Int(ClipHeader::kViewSpan); }
    std::int32_t ViewStart() const { return header_.Int(ClipHeader::kViewStart); }
    void SetView(std::int32_t start, std::int32_t span);
    std::int32_t MakeStart() const { return header_.Int(ClipHeader::kMakeStart); }
    std::int32_t MakeEnd() const { return header_.Int(ClipHeader::kMakeEnd); }
    void SetMakeRange(std::int32_t start, std::int32_t end);
    bool MuteAudio() const { return header_.Int(ClipHeader::kMuteAudio) != 0; }
    bool MuteVideo() const { return header_.Int(ClipHeader::kMuteVideo) != 0; }
    void SetMuteAudio(bool mute) { header_.SetInt(ClipHeader::kMuteAudio, mute); }
    void SetMuteVideo(bool mute) { header_.SetInt(ClipHeader::kMuteVideo, mute); }
    // A text clip's words and typeface: what the header holds, else the
    // defaults ("Text String", "System").
    std::string Words() const;
    void SetWords(const std::string& words) { header_.SetWords(words); }
    std::string Typeface() const;
    void SetTypeface(const std::string& name) { header_.SetTypefaceName(name); }
    std::int32_t Locator(int index) const;
    void SetLocator(int index, std::int32_t time);
    ResultFlags GotoLocator(int index);
    int OutputSizeId() const { return header_.Int(ClipHeader::kOutputSizeId); }
    int FrameRateId() const { return header_.Int(ClipHeader::kFrameRateId); }
    // False (and nothing changed) for an unknown id.
    bool SetOutputSizeId(int id);
    bool SetFrameRateId(int id);

    // -- media, generator, effects ------------------------------------------
    MediaSource* Source() const { return media_.get(); }
    // Opens through the media sources (asking the user for a missing file
    // when the root allows questions); on success sets name, path, the clip
    // variables of the source's kind and the time mapper.
    // A path read from a project file is fetched from an address only with
    // the user's consent.
    bool OpenMedia(const std::string& path, bool fromProjectFile = false);
    // Hands the open media over (to be reused by the clip that reads the
    // same file next); the clip keeps its path.
    std::unique_ptr<MediaSource> TakeMedia();
    void CloseMedia();
    ClipGenerator* Generator() const { return generator_.get(); }
    // False when the clip already has one or the type makes none.
    bool AttachGenerator(int type);
    bool HoldsPicture() const;
    // The media's picture surface or the generator's; null without one.
    Surface* Picture() const;
    // 0, 0, picture width, picture height (the true size, not the rounded).
    Rect MediaRectangle() const;
    bool HasVideo() const;
    bool HasAudio() const;
    // A movie, AVI or WAV source.
    bool CanPlay() const;

    using EffectList = std::vector<std::unique_ptr<VariableOwner>>;
    const EffectList& VideoEffects() const { return videoEffects_; }
    const EffectList& AudioEffects() const { return audioEffects_; }
    // Null when the list is full or the type names no effect.
    VariableOwner* AddEffect(EffectKind kind, int type);
    VariableOwner* CurrentVideoEffect() const { return currentVideoEffect_; }
    VariableOwner* CurrentAudioEffect() const { return currentAudioEffect_; }
    // The last opacity, adjuster, mapper or extra output effect ("Work With
    // Opacities"), or the last volume/pan ("Work With Volumes"), in this clip
    // and every clip below.
    void WorkWithOpacities();
    void WorkWithVolumes();
    // The effect the panels edit; null (or one not in the list) for none.
    void SetCurrentEffect(EffectKind kind, VariableOwner* effect);
    // Removes an effect of either list (forgetting it as current); false
    // when it is in neither.
    bool RemoveEffect(VariableOwner* effect);
    // One place towards the front (-1) or the back (1) of its list; false
    // at the end of the list or when it is in neither.
    bool MoveEffect(VariableOwner* effect, int direction);

    // -- arrangement --------------------------------------------------------
    int TrackCount() const;
    // Children from the highest track to track 0, in child order within a
    // track: the order composition draws them in.
    std::vector<Clip*> ChildrenInDrawingOrder() const;
    void InsertTrack(int track);
    // Whether the range overlaps a child other than `except` on the track;
    // ranges are closed at both ends.
    bool Overlaps(int track, std::int32_t position, std::int32_t length, const Clip* except) const;
    // The same, leaving out every clip of a group that moves together.
    bool Overlaps(int track, std::int32_t position, std::int32_t length, std::span<Clip* const> except) const;
    // The lowest track where the child overlaps nothing.
    void PlaceOnFreeTrack(Clip* child);
    void CompactTracks();
    // Only the first part: rows nobody stands on are closed, rows below 0
    // become row 0 (a project being read).
    void CloseEmptyTracks();
    std::vector<int> MenuCommands(const Clip& child) const;
    ResultFlags RunClipCommand(Clip* child, int command);
    ResultFlags MoveUp(Clip* child);
    ResultFlags MoveDown(Clip* child);
    ResultFlags MoveTop(Clip* child);
    ResultFlags MoveBottom(Clip* child);
    // A copy through the record format, appended on the source's track (a
    // track is inserted there first). Null when the copy fails.
    Clip* DuplicateChild(Clip* child);
    // At the quantized current time, only strictly inside the child.
    ResultFlags SplitChild(Clip* child);
    ResultFlags DeleteSelection();
    // The text of the delete question.
    std::string DeleteQuestion() const;
    Clip* AudioMaster() const { return audioMaster_; }
    bool MakeAudioMaster(Clip* child);
    void RemoveAudioMaster() { audioMaster_ = nullptr; }
    const std::vector<Clip*>& Selection() const { return selection_; }
    void Select(Clip* child);  // the only one, and current
    bool AddToSelection(Clip* child);
    void ClearSelection() { selection_.clear(); }
    bool IsSelected(const Clip* child) const;
    // Ctrl+click: in or out of the selection; what is added becomes current.
    void ToggleSelection(Clip* child);
    // Shift+click: adds every clip inside the box spanned by the two clips
    // (their rows and the time from the earlier start to the later end).
    void SelectBetween(const Clip* anchor, Clip* child);
    // Ctrl+A: every child (up to the selection's limit); the current one
    // stays current. False without children.
    bool SelectAll();
    // Every selected clip duplicated as one would be; the copies become the
    // selection. Empty when nothing could be copied.
    std::vector<Clip*> DuplicateSelection();

    // -- time grid ----------------------------------------------------------
    TimeGrid& Grid() { return grid_; }
    const TimeGrid& Grid() const { return grid_; }
    std::int32_t Quantize(std::int32_t time) const { return grid_.Quantize(time); }
    // Copies this arrangement's grid to the children (sub arrangements
    // excepted), their effects and its own effects.
    ResultFlags MusicTimeChange();
    // A new arrangement's view and make strip over its own span, or over
    // a span given; only while the view span is not yet positive.
    void DefaultMakeStrip();
    void DefaultMakeStrip(std::int32_t position, std::int32_t length);
    // Shifts the children so the earliest starts at 0, sizes the clip and
    // its make strip to their span.
    ResultFlags AutoAdjustMakeStrip();
    bool AutoAdjust() const { return autoAdjust_; }

    // -- apply / undo -------------------------------------------------------
    int CommitAll() override;
    int RevertAll() override;

    // -- records ------------------------------------------------------------
    int Save(OutStream& file) override;
    // The clip's own part of its record: header, variables, effects; the
    // children's records follow it in a file.
    bool SaveOwn(OutStream& file);
    int Load(InStream& file) override;
    // Brings the counts, flags, type tables, grid and master index of the
    // header up to date, as written.
    void FillHeader();

    // -- scripts ------------------------------------------------------------
    // The common owner resolution: ".", "mt", children by id, variables.
    Control* ResolveName(const std::string& name) override;
    // GetTime, GetPosition, GetSize, GetOffset, SetTime, then the control's.
    bool RunCommand(const std::string& command, std::string& answer) override;
    OwnerNames ScriptNames();

    // -- root state ---------------------------------------------------------
    // What the root shares with its worker; null on a tree without one.
    virtual RootState* State() { return nullptr; }
    RootState* TreeState() { return RootClip()->State(); }
    // "Play" on a clip of the tree: the root's worker plays it. A tree
    // without a worker plays nothing.
    virtual bool Play(Clip*) { return false; }
    virtual void SetStatusText(const std::string& text);
    const std::string& StatusText() const { return statusText_; }

    // -- composition --------------------------------------------------------
    // Touched by whoever composes, under the tree lock like the rest of the
    // clip; null until the clip is first composed.
    ClipComposition* Composition() const { return composition_.get(); }
    void SetComposition(std::unique_ptr<ClipComposition> state) const { composition_ = std::move(state); }

protected:
    // Discards children, effects, selection and current effects.
    void DiscardContents();
    void DiscardMedia();
    void DeclareClipVariables();
    bool LoadRecord(InStream& in, int depth);
    Clip* PlaceNewChild(std::unique_ptr<Clip> clip, std::optional<std::int32_t> at = std::nullopt);
    void SelectCurrentEffects(bool opacities);
    void ForgetChild(const Clip* child);

    ClipHeader header_;
    ClipHeader committed_;
    TimeGrid grid_;
    bool arrangement_ = false;
    int type_ = 0;
    std::vector<std::unique_ptr<Clip>> children_;
    Clip* currentChild_ = nullptr;
    Clip* audioMaster_ = nullptr;
    std::vector<Clip*> selection_;
    std::unique_ptr<MediaSource> media_;
    std::unique_ptr<ClipGenerator> generator_;
    EffectList videoEffects_;
    EffectList audioEffects_;
    VariableOwner* currentVideoEffect_ = nullptr;
    VariableOwner* currentAudioEffect_ = nullptr;
    bool autoAdjust_ = false;

    std::string statusText_;
    mutable std::unique_ptr<ClipComposition> composition_;
};

// Holds the tree of a clip for a scope while it is restructured: keeps the
// worker out and raises the change counter, lowered again at the end.
class TreeHold {
public:
    explicit TreeHold(Clip& clip) : state_(clip.TreeState()) {
        if (state_) state_->HoldTree();
    }
    ~TreeHold() {
        if (state_) state_->ReleaseTree();
    }
    TreeHold(const TreeHold&) = delete;
    TreeHold& operator=(const TreeHold&) = delete;

private:
    RootState* state_;
};

}  // namespace vantrel
