#include "model/clips/Clip.h"

#include <algorithm>
#include <cmath>

#include "items/StringTable.h"
#include "items/WorkerThread.h"
#include "media/sources/MediaOpen.h"
#include "model/clips/History.h"
#include "script/ScriptNames.h"
#include "model/variables/Catalogue.h"

namespace vantrel {

namespace {
constexpr OutputSize kOutputSizes[] = {
    {80, 160, 120}, {488, 176, 120}, {489, 176, 144}, {81, 240, 180},
    {82, 320, 240}, {639, 352, 240}, {640, 352, 288},
    // Today's sizes, after the classic ones so that their ids stay apart.
    {820, 640, 480}, {821, 720, 576}, {822, 1280, 720}, {823, 1920, 1080},
    {824, 3840, 2160}, {825, 1080, 1920}, {826, 1080, 1080}, {827, 720, 1280},
};
constexpr OutputRate kFrameRates[] = {
    {128, 1, 1, false}, {129, 2, 1, false}, {132, 5, 1, false}, {133, 10, 1, false}, {134, 15, 1, false},
    {830, 24000, 1001, true}, {831, 24, 1, true}, {832, 25, 1, true}, {833, 30000, 1001, true},
    {834, 30, 1, true}, {835, 50, 1, true}, {836, 60000, 1001, true}, {837, 60, 1, true},
};

constexpr const char* kSourceRectIds[] = {"IDS_SRC_L", "IDS_SRC_T", "IDS_SRC_R", "IDS_SRC_B"};
constexpr const char* kTimeMapper = "IDS_CLIPTIMEMAPPER";

bool IsMovingPictureSource(const MediaSource& source) {
    return source.HasPicture() && (source.Kind() == SourceKind::Avi || source.Kind() == SourceKind::Movie);
}

std::int32_t SourceLengthMs(const MediaSource& source) {
    if (source.Kind() == SourceKind::Movie) {
        const double ms = source.DurationSeconds() * 1000.0;
        return ms > 0 && ms < INT32_MAX ? std::int32_t(ms) : 0;
    }
    return source.LengthMs();
}
}  // namespace

const OutputSize* FindOutputSize(int id) {
    for (const OutputSize& size : kOutputSizes)
        if (size.id == id) return &size;
    return nullptr;
}

const OutputRate* FindFrameRate(int id) {
    for (const OutputRate& rate : kFrameRates)
        if (rate.id == id) return &rate;
    return nullptr;
}

int FramesPerSecond(int frameRateId) {
    const OutputRate* rate = FindFrameRate(frameRateId);
    return rate ? (rate->num + rate->den / 2) / rate->den : 0;
}

Clip::Clip() {
    Item::SetSpan(0, 10000);
    RestoreTimes(position_, size_, offset_);
    header_.SetInt(ClipHeader::kAudioMaster, -1);
    committed_ = header_;
}

Clip::~Clip() {
    // Effects and children may still point at us as their parent.
    DiscardContents();
    DiscardMedia();
}

// -- tree -------------------------------------------------------------------

Clip* Clip::ParentClip() const { return dynamic_cast<Clip*>(parent_); }

Clip* Clip::RootClip() {
    Clip* clip = this;
    while (Clip* parent = clip->ParentClip()) clip = parent;
    return clip;
}

int Clip::IndexOf(const Clip* child) const {
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == child) return int(i);
    return -1;
}

Clip* Clip::AddChild(std::unique_ptr<Clip> child) {
    if (!child || !arrangement_ || int(children_.size()) >= kMaxChildren) return nullptr;
    child->SetParent(this);
    child->SetWindow(nullptr);
    child->SetMedia(Item::Media());
    child->SetApp(App());
    children_.push_back(std::move(child));
    return children_.back().get();
}

void Clip::ForgetChild(const Clip* child) {
    if (currentChild_ == child) currentChild_ = nullptr;
    if (audioMaster_ == child) audioMaster_ = nullptr;
    selection_.erase(std::remove(selection_.begin(), selection_.end(), child), selection_.end());
    if (RootState* state = TreeState(); state && state->PlayingClip() == child) state->SetPlayingClip(nullptr);
}

std::unique_ptr<Clip> Clip::RemoveChild(Clip* child) {
    const int index = IndexOf(child);
    if (index < 0) return nullptr;
    TreeHold hold(*this);
    ForgetChild(child);
    std::unique_ptr<Clip> removed = std::move(children_[std::size_t(index)]);
    children_.erase(children_.begin() + index);
    removed->SetParent(nullptr);
    return removed;
}

void Clip::DiscardContents() {
    // Effects and children go before the clip they refer to.
    audioEffects_.clear();
    currentAudioEffect_ = nullptr;
    for (const auto& child : children_) ForgetChild(child.get());
    children_.clear();
    videoEffects_.clear();
    currentVideoEffect_ = nullptr;
    currentChild_ = nullptr;
    audioMaster_ = nullptr;
    selection_.clear();
}

void Clip::DiscardMedia() {
    generator_.reset();
    media_.reset();
    if (arrangement_ && ArrangementSurfaces().release) ArrangementSurfaces().release(*this);
}

Clip* Clip::PlaceNewChild(std::unique_ptr<Clip> clip, std::optional<std::int32_t> at) {
    TreeHold hold(*this);
    const std::int32_t position = at.value_or(time_);
    clip->Item::SetPosition(position);
    clip->RestoreTimes(position, clip->size_, clip->offset_);
    Clip* placed = AddChild(std::move(clip));
    if (!placed) return nullptr;
    PlaceOnFreeTrack(placed);
    if (children_.size() == 1) {
        // A new project's view and "Make" cover the first thing added, and
        // the root's time line reaches to its end.
        DefaultMakeStrip(placed->position_, placed->size_);
        if (IsRoot() && std::int64_t(MakeEnd()) > std::int64_t(position_) + size_)
            SetSize(SaturateInt32(std::int64_t(MakeEnd()) - position_));
    }
    Select(placed);
    placed->committed_ = placed->header_;
    placed->SetTime(time_);
    return placed;
}

Clip* Clip::NewChildClip(int type) {
    if (!arrangement_) return nullptr;
    auto clip = std::make_unique<Clip>();
    clip->SetParent(this);
    if (type == kSubArrangementType) {
        clip->type_ = kSubArrangementType;
        DeclareAll(clip->table_, ClipDeclarations(ClipKind::kSubArrangement));
        clip->SetName(Str(kSubArrangementType));
        clip->arrangement_ = true;
        Clip* root = RootClip();
        clip->header_.SetInt(ClipHeader::kOutputSizeId, root->OutputSizeId());
        clip->header_.SetInt(ClipHeader::kFrameRateId, root->FrameRateId());
        if (ArrangementSurfaces().allocate) ArrangementSurfaces().allocate(*clip, clip->OutputSizeId());
    } else if (type == kTextStringType || type == kGradientType) {
        if (!clip->AttachGenerator(type)) return nullptr;
        clip->SetName(Str(type));
    } else {
        return nullptr;
    }
    clip->SetParent(nullptr);
    return PlaceNewChild(std::move(clip));
}

Clip* Clip::ImportMedia(const std::string& path, std::optional<std::int32_t> at) {
    if (!arrangement_) return nullptr;
    auto clip = std::make_unique<Clip>();
    clip->SetParent(this);  // the root decides whether to ask for a missing file
    if (!clip->OpenMedia(path)) return nullptr;
    const std::int32_t length = SourceLengthMs(*clip->media_);
    clip->RestoreTimes(0, length > 0 ? length : 10000, 0);
    clip->SetParent(nullptr);
    return PlaceNewChild(std::move(clip), at);
}

// -- times ------------------------------------------------------------------

ResultFlags Clip::SetTime(std::int32_t parentTime) {
    ResultFlags result = VariableOwner::SetTime(parentTime);
    for (const auto& child : children_) result |= child->SetTime(time_);
    for (const auto& effect : videoEffects_) result |= effect->SetTime(time_);
    for (const auto& effect : audioEffects_) result |= effect->SetTime(time_);
    if (IsRoot())
        if (RootState* state = State()) state->PostPreview();
    return result;
}

ResultFlags Clip::SetPosition(std::int32_t position) {
    const ResultFlags result = VariableOwner::SetPosition(position);
    header_.SetInt(ClipHeader::kPosition, position_);
    return result;
}

ResultFlags Clip::SetSize(std::int32_t size) {
    const ResultFlags result = VariableOwner::SetSize(size);
    header_.SetInt(ClipHeader::kLength, size_);
    return result;
}

ResultFlags Clip::SetSpan(std::int32_t position, std::int32_t size) {
    const ResultFlags result = VariableOwner::SetSpan(position, size);
    header_.SetInt(ClipHeader::kPosition, position_);
    header_.SetInt(ClipHeader::kLength, size_);
    return result;
}

ResultFlags Clip::SetOffset(std::int32_t start) {
    const ResultFlags result = VariableOwner::SetOffset(start);
    header_.SetInt(ClipHeader::kStart, offset_);
    return result | kRepaint;
}

void Clip::RestoreTimes(std::int32_t position, std::int32_t length, std::int32_t start) {
    position_ = position;
    size_ = length;
    offset_ = start;
    header_.SetInt(ClipHeader::kPosition, position);
    header_.SetInt(ClipHeader::kLength, length);
    header_.SetInt(ClipHeader::kStart, start);
}

std::int32_t Clip::MediaTimeAt(std::int32_t localTime) const {
    if (!media_ || !IsMovingPictureSource(*media_)) return localTime;
    const Variable* mapper = table_.ByName(kTimeMapper);
    if (!mapper) return localTime;
    const double media = double(SourceLengthMs(*media_)) * mapper->ValueAt(localTime);
    if (!(media > INT32_MIN && media < INT32_MAX)) return localTime;
    return std::int32_t(media);
}

// -- header-held settings ---------------------------------------------------

void Clip::SetView(std::int32_t start, std::int32_t span) {
    header_.SetInt(ClipHeader::kViewStart, start);
    header_.SetInt(ClipHeader::kViewSpan, span);
}

void Clip::SetMakeRange(std::int32_t start, std::int32_t end) {
    header_.SetInt(ClipHeader::kMakeStart, start);
    header_.SetInt(ClipHeader::kMakeEnd, end);
}

std::string Clip::Words() const { return header_.Words().value_or(Str(kTextStringType)); }

std::string Clip::Typeface() const { return header_.TypefaceName().value_or(kDefaultTypeface); }

std::int32_t Clip::Locator(int index) const {
    if (index < 0 || index >= kLocatorCount) return 0;
    return header_.Int(ClipHeader::kLocators + std::size_t(index) * 4);
}

void Clip::SetLocator(int index, std::int32_t time) {
    if (index < 0 || index >= kLocatorCount) return;
    header_.SetInt(ClipHeader::kLocators + std::size_t(index) * 4, time);
}

ResultFlags Clip::GotoLocator(int index) {
    if (index < 0 || index >= kLocatorCount) return 0;
    // The locator is a local time; the root's time is the sum down the chain.
    std::int64_t global = Locator(index);
    for (const Clip* clip = this; clip->ParentClip(); clip = clip->ParentClip())
        global += std::int64_t(clip->position_) - clip->offset_;
    return SetGlobalTime(SaturateInt32(global));
}

bool Clip::SetOutputSizeId(int id) {
    if (!FindOutputSize(id)) return false;
    header_.SetInt(ClipHeader::kOutputSizeId, id);
    return true;
}

bool Clip::SetFrameRateId(int id) {
    if (!FindFrameRate(id)) return false;
    header_.SetInt(ClipHeader::kFrameRateId, id);
    return true;
}

// -- media, generator, effects ----------------------------------------------

bool Clip::OpenMedia(const std::string& path, bool fromProjectFile) {
    Clip* root = RootClip();
    OpenMediaOptions options;
    options.fromProjectFile = fromProjectFile;
    options.owner = root->GetWindow();
    // Only an edited project has somebody to ask.
    options.askWhenMissing = root->State() && root->State()->AsksForMissingMedia();
    if (Clip* parent = ParentClip()) options.status = [parent](const std::string& text) { parent->SetStatusText(text); };
    // Reading a step back from the history finds its media open already.
    std::unique_ptr<MediaSource> source = MediaPool::Current() ? MediaPool::Current()->Take(path) : nullptr;
    if (!source) source = OpenMediaFile(path, options);
    if (!source) return false;
    generator_.reset();
    media_ = std::move(source);
    const std::string opened = media_->Path().empty() ? path : media_->Path();
    SetName(BaseName(opened));
    SetMediaPath(opened);
    for (const char* id : kSourceRectIds)
        if (Variable* variable = table_.ByName(id)) variable->ClearKeys();
    const bool moving = IsMovingPictureSource(*media_);
    DeclareAll(table_, ClipDeclarations(moving ? ClipKind::kMediaWithVideo : ClipKind::kMediaWithoutVideo));
    if (moving) {
        if (Variable* mapper = table_.ByName(kTimeMapper)) {
            mapper->ClearKeys();
            mapper->SetValueAt(0, 0.0);
            mapper->SetValueAt(SourceLengthMs(*media_), 1.0);
        }
    }
    if (media_->HasAudio()) header_.SetInt(ClipHeader::kAudioOpened, 10000);
    return true;
}

void Clip::CloseMedia() { media_.reset(); }

std::unique_ptr<MediaSource> Clip::TakeMedia() { return std::move(media_); }

bool Clip::AttachGenerator(int type) {
    if (generator_) return false;
    std::unique_ptr<ClipGenerator> generator = MakeGenerator(type, *this);
    if (!generator) return false;
    generator_ = std::move(generator);
    type_ = type;
    DeclareAll(table_, ClipDeclarations(type == kTextStringType ? ClipKind::kTextString : ClipKind::kGradient));
    return true;
}

std::int32_t Clip::MediaLength() const { return media_ ? SourceLengthMs(*media_) : 0; }

Surface* Clip::Picture() const {
    if (generator_) return generator_->Picture();
    return media_ && media_->HasPicture() ? &media_->Picture() : nullptr;
}

Rect Clip::MediaRectangle() const {
    if (media_ && media_->HasPicture()) return {0, 0, media_->Width(), media_->Height()};
    if (generator_ && generator_->Picture()) return generator_->Picture()->Bounds();
    return {};
}

bool Clip::HoldsPicture() const { return (media_ && media_->HasPicture()) || generator_; }

bool Clip::HasVideo() const {
    if (MuteVideo()) return false;
    if (HoldsPicture()) return true;
    if (arrangement_)
        for (const auto& child : children_)
            if (child->HasVideo()) return true;
    return false;
}

bool Clip::HasAudio() const {
    if (MuteAudio()) return false;
    if (media_ && media_->HasAudio()) return true;
    if (arrangement_)
        for (const auto& child : children_)
            if (child->HasAudio()) return true;
    return false;
}

bool Clip::CanPlay() const {
    return media_ && (media_->Kind() == SourceKind::Avi || media_->Kind() == SourceKind::Wav ||
                      media_->Kind() == SourceKind::Movie);
}

VariableOwner* Clip::AddEffect(EffectKind kind, int type) {
    EffectList& list = kind == EffectKind::kVideo ? videoEffects_ : audioEffects_;
    if (int(list.size()) >= kMaxEffects) return nullptr;
    std::unique_ptr<VariableOwner> effect = MakeEffect(kind, type);
    if (!effect) return nullptr;
    effect->SetParent(this);
    effect->SetTime(time_);
    list.push_back(std::move(effect));
    return list.back().get();
}

void Clip::SelectCurrentEffects(bool opacities) {
    if (opacities) {
        currentVideoEffect_ = nullptr;
        for (const auto& effect : videoEffects_) {
            const int id = effect->GetId();
            if (id == 103 || id == 106 || id == 111 || id == 182) currentVideoEffect_ = effect.get();
        }
    } else {
        currentAudioEffect_ = nullptr;
        for (const auto& effect : audioEffects_)
            if (effect->GetId() == 142) currentAudioEffect_ = effect.get();
    }
    for (const auto& child : children_) child->SelectCurrentEffects(opacities);
}

void Clip::WorkWithOpacities() { SelectCurrentEffects(true); }
void Clip::WorkWithVolumes() { SelectCurrentEffects(false); }

// -- root state -------------------------------------------------------------

void Clip::SetStatusText(const std::string& text) {
    Clip* root = RootClip();
    if (root != this) {
        root->SetStatusText(text);
        return;
    }
    statusText_ = text;
}

// -- apply / undo -----------------------------------------------------------

int Clip::CommitAll() {
    FillHeader();
    committed_ = header_;
    grid_.Commit();
    VariableOwner::CommitAll();
    SetChanged(false);
    for (const auto& child : children_) child->CommitAll();
    for (const auto& effect : videoEffects_) effect->CommitAll();
    for (const auto& effect : audioEffects_) effect->CommitAll();
    return 1;
}

int Clip::RevertAll() {
    if (IsChanged()) {
        header_ = committed_;
        RestoreTimes(committed_.Int(ClipHeader::kPosition), committed_.Int(ClipHeader::kLength),
                     committed_.Int(ClipHeader::kStart));
    }
    grid_.Revert();
    VariableOwner::RevertAll();
    SetChanged(false);
    for (const auto& child : children_) child->RevertAll();
    for (const auto& effect : videoEffects_) effect->RevertAll();
    for (const auto& effect : audioEffects_) effect->RevertAll();
    return 1;
}

}  // namespace vantrel
