// Writing and reading a clip's record: header, variables, effects, children.
#include <algorithm>

#include "items/Records.h"
#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "model/clips/History.h"
#include "model/variables/Catalogue.h"

namespace vantrel {

void Clip::FillHeader() {
    header_.SetInt(ClipHeader::kPosition, position_);
    header_.SetInt(ClipHeader::kLength, size_);
    header_.SetInt(ClipHeader::kStart, offset_);
    header_.SetInt(ClipHeader::kChildCount, std::int32_t(children_.size()));
    header_.SetInt(ClipHeader::kIsArrangement, arrangement_ ? 1 : 0);
    header_.SetInt(ClipHeader::kVideoEffectCount, std::int32_t(videoEffects_.size()));
    header_.SetInt(ClipHeader::kAudioEffectCount, std::int32_t(audioEffects_.size()));
    for (std::size_t i = 0; i < audioEffects_.size() && i < ClipHeader::kEffectSlots; ++i)
        header_.SetInt(ClipHeader::kAudioEffectTypes + 4 * i, audioEffects_[i]->GetId());
    for (std::size_t i = 0; i < videoEffects_.size() && i < ClipHeader::kEffectSlots; ++i)
        header_.SetInt(ClipHeader::kVideoEffectTypes + 4 * i, videoEffects_[i]->GetId());
    grid_.Store(header_.Bytes().data() + ClipHeader::kTimeGrid);
    header_.SetInt(ClipHeader::kAudioMaster, audioMaster_ ? IndexOf(audioMaster_) : -1);
    header_.SetInt(ClipHeader::kType, type_);
}

bool Clip::SaveOwn(OutStream& file) {
    FillHeader();
    if (!WriteRecord(file, header_.Bytes())) return false;
    if (!table_.Save(file)) return false;
    for (const auto& effect : videoEffects_)
        if (!effect->Save(file)) return false;
    for (const auto& effect : audioEffects_)
        if (!effect->Save(file)) return false;
    return true;
}

int Clip::Save(OutStream& file) {
    if (!SaveOwn(file)) return 0;
    for (const auto& child : children_)
        if (!child->Save(file)) return 0;
    return 1;
}

int Clip::Load(InStream& file) {
    const bool ok = LoadRecord(file, 0);
    if (RootState* state = TreeState()) state->PostPreview();
    return ok ? 1 : 0;
}

// A step that fails marks the load as failed; the steps after it run as long
// as the stream can still be trusted. Once it cannot (an effect of unknown
// layout, a child that did not read), the rest of this record is left alone
// instead of being read as garbage.
bool Clip::LoadRecord(InStream& in, int depth) {
    TreeHold hold(*this);
    DiscardContents();
    bool ok = true;

    // 2. The header.
    ClipHeader read;
    if (!ReadRecord(in, read.Bytes())) {
        ok = false;
        read.Clear();
    }

    // 3. What kind of clip this is.
    type_ = read.Int(ClipHeader::kType);
    if (type_ == kTextStringType || type_ == kGradientType) {
        arrangement_ = IsRoot();
        if (!AttachGenerator(type_)) ok = false;
    } else if (type_ == kSubArrangementType) {
        DeclareAll(table_, ClipDeclarations(ClipKind::kSubArrangement));
        arrangement_ = true;
        if (ArrangementSurfaces().allocate) {
            const int outputSize = read.Int(ClipHeader::kOutputSizeId);
            if (!ArrangementSurfaces().allocate(*this, outputSize)) ArrangementSurfaces().allocate(*this, outputSize);
        }
    } else {
        arrangement_ = read.Int(ClipHeader::kIsArrangement) != 0 || IsRoot();
        if (!arrangement_) {
            const std::string path = read.Path();
            if (path.empty() || !OpenMedia(path, true)) ok = false;
        }
    }

    // 4. The header once more, with the path the media was really opened
    // from; the grid; the variables.
    const std::string openedPath = media_ ? MediaPath() : std::string();
    header_ = read;
    if (media_) header_.SetPath(openedPath);
    grid_.LoadFrom(header_.Bytes().data() + ClipHeader::kTimeGrid);
    const bool tableRead = table_.Load(in) != 0;

    // 5. Times exactly as saved; the header holds them even when the
    // variables did not read, and the clip must agree with its header.
    RestoreTimes(header_.Int(ClipHeader::kPosition), header_.Int(ClipHeader::kLength),
                 header_.Int(ClipHeader::kStart));
    // What was read is what an undo goes back to.
    committed_ = header_;
    grid_.Commit();
    if (!tableRead) return false;

    // 6. Effects; a type nobody knows leaves no way to find the next record.
    const auto effectCount = [&](std::size_t offset) {
        return std::clamp<std::int32_t>(header_.Int(offset), 0, kMaxEffects);
    };
    const std::int32_t videoCount = effectCount(ClipHeader::kVideoEffectCount);
    for (std::int32_t i = 0; i < videoCount; ++i) {
        VariableOwner* effect =
            AddEffect(EffectKind::kVideo, header_.Int(ClipHeader::kVideoEffectTypes + 4 * std::size_t(i)));
        if (!effect || !effect->Load(in)) return false;
    }
    const std::int32_t audioCount = effectCount(ClipHeader::kAudioEffectCount);
    for (std::int32_t i = 0; i < audioCount; ++i) {
        VariableOwner* effect =
            AddEffect(EffectKind::kAudio, header_.Int(ClipHeader::kAudioEffectTypes + 4 * std::size_t(i)));
        if (!effect || !effect->Load(in)) return false;
    }

    // 7. Children, bounded in number and depth.
    if (arrangement_) {
        const std::int32_t count = header_.Int(ClipHeader::kChildCount);
        if (count < 0 || count > kMaxChildren || (count > 0 && depth + 1 > kMaxDepth)) return false;
        for (std::int32_t i = 0; i < count; ++i) {
            Clip* child = AddChild(std::make_unique<Clip>());
            currentChild_ = child;
            if (!child->LoadRecord(in, depth + 1)) {
                ok = false;
                break;
            }
        }
        const std::int32_t master = header_.Int(ClipHeader::kAudioMaster);
        if (master >= 0 && master < ChildCount()) {
            Clip* candidate = ChildAt(master);
            if (!candidate->HoldsPicture() && candidate->HasAudio()) audioMaster_ = candidate;
        }
        // No gaps and nothing below row 0, so every walk over the tracks is
        // bounded by the number of children. The rows themselves stay as
        // saved: a clip moved along its row keeps it when the project is
        // opened again. A state read back from the history was a live
        // tree's a moment ago and comes back exactly as it was.
        if (!RestoringSnapshot()) CloseEmptyTracks();
        if (ArrangementSurfaces().allocate) ArrangementSurfaces().allocate(*this, OutputSizeId());
    }

    // 8. The effects the panels start with, for this clip and all below it.
    // Each level chooses again after its children did: a clip whose own
    // video is muted still leaves its children's choice of opacities.
    if (HasVideo())
        WorkWithOpacities();
    else if (HasAudio())
        WorkWithVolumes();
    return ok;
}

}  // namespace vantrel
