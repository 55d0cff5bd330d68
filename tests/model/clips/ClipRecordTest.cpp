#include <gtest/gtest.h>

#include "model/clips/Clip.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::LoadBytes;
using testing::MakeRoot;
using testing::SaveBytes;
using Bytes = std::vector<std::uint8_t>;

std::int32_t At(const Bytes& bytes, std::size_t offset) { return LoadInt32(bytes.data() + offset); }
void Put(Bytes& bytes, std::size_t offset, std::int32_t value) { StoreInt32(bytes.data() + offset, value); }

// A lone gradient clip's record: no media needed to read it back.
Bytes GradientRecord(std::int32_t position = 100, std::int32_t length = 2000, std::int32_t start = 0) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, position, length, 0);
    clip->RestoreTimes(position, length, start);
    return SaveBytes(*clip);
}

// Clips read into a parent, so that the reader sees a root like the editor's.
struct Reader {
    std::unique_ptr<Clip> root = MakeRoot();
    Clip* clip = root->AddChild(std::make_unique<Clip>());
    bool Load(const Bytes& bytes) { return LoadBytes(*clip, bytes); }
};

TEST(ClipHeaderBytes, EveryFieldAtItsOffset) {
    auto root = MakeRoot();
    Clip* sub = AddAt(*root, kSubArrangementType, 1234, 5678, 0);
    sub->RestoreTimes(1234, 5678, 91);
    sub->SetView(11, 22);
    sub->SetMakeRange(33, 44);
    sub->SetTrack(3);
    sub->SetMuteAudio(true);
    sub->SetMuteVideo(true);
    sub->SetName("Sub");
    sub->SetMediaPath("/nowhere/sub");
    for (int i = 0; i < 8; ++i) sub->SetLocator(i, 1000 * (i + 1));
    TimeGridSettings grid;
    grid.beatsPerMinute = 98.5;
    grid.unitSize = 8;
    grid.unitsPerBar = 3;
    grid.quantizeMode = kQuantizeEighth;
    sub->Grid().SetSettings(grid);
    sub->AddEffect(EffectKind::kVideo, 103);
    sub->AddEffect(EffectKind::kVideo, 149);
    sub->AddEffect(EffectKind::kAudio, 142);
    AddAt(*sub, kGradientType, 0, 100, 0);
    AddAt(*sub, kTextStringType, 0, 100, 1);
    sub->Header().Bytes()[2000] = 0xAB;  // unlisted: written as held
    sub->Header().Bytes()[5799] = 0xCD;
    sub->Header().SetInt(ClipHeader::kViewFlag, 0x5A);
    sub->SetOutputSizeId(640);
    sub->SetFrameRateId(129);

    const Bytes bytes = SaveBytes(*sub);
    ASSERT_GT(bytes.size(), 5800u);
    EXPECT_EQ(At(bytes, 0), 5800);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[4])), "Sub");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[260])), "/nowhere/sub");
    const std::pair<std::size_t, std::int32_t> fields[] = {
        {520, 1234}, {524, 5678}, {528, 91},  {532, 22},  {536, 11},  {540, 33},  {544, 44},
        {552, 3},    {556, 1},    {560, 1},   {564, 2},   {568, 1},   {572, 2},   {576, 1},
        {580, 142},  {836, 103},  {840, 149}, {1104, 8},  {1108, 3},  {1112, kQuantizeEighth},
        {1120, 1000}, {1148, 8000}, {1152, -1}, {1160, 640}, {1164, 129}, {1172, 0x5A}, {1176, 412},
    };
    for (const auto& [offset, value] : fields) EXPECT_EQ(At(bytes, offset), value) << "offset " << offset;
    EXPECT_DOUBLE_EQ(LoadDouble(&bytes[1096]), 98.5);
    EXPECT_EQ(bytes[2000], 0xAB);
    EXPECT_EQ(bytes[5799], 0xCD);
}

TEST(ClipHeaderBytes, ShorterHeaderReadsWithZeroTailLongerIsRefused) {
    Bytes record = GradientRecord();
    record[5300] = 0x77;  // inside the last 800 bytes
    // Cut the header to 5000 bytes: the rest of the record follows at once.
    Bytes shorter(record.begin(), record.begin() + 5000);
    shorter.insert(shorter.end(), record.begin() + 5800, record.end());
    Put(shorter, 0, 5000);
    Reader reader;
    EXPECT_TRUE(reader.Load(shorter));
    for (std::size_t i = 5000; i < 5800; ++i) ASSERT_EQ(reader.clip->Header().Bytes()[i], 0) << i;
    EXPECT_EQ(reader.clip->Type(), kGradientType);

    Bytes longer = record;
    longer.insert(longer.begin() + 5800, 200, 0);
    Put(longer, 0, 6000);
    Reader refused;
    EXPECT_FALSE(refused.Load(longer));
}

TEST(ClipVariables, NamesMatchWithoutCaseAndAbsentOnesKeepDefaults) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, 0, 1000, 0);
    clip->Table().SetValueByName("IDS_COLOR_LT_G", 500, 0.125);
    Bytes bytes = SaveBytes(*clip);
    // Lower-case the stored identifier, and rename another record away.
    const auto rename = [&](const std::string& from, const std::string& to) {
        const auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
        ASSERT_NE(at, bytes.end()) << from;
        std::copy(to.begin(), to.end(), at);
    };
    rename("IDS_COLOR_LT_G", "ids_color_lt_g");
    rename("IDS_COLOR_RB_B", "IDS_COLOR_XX_B");

    Reader reader;
    reader.clip->Table().Declare("IDS_COLOR_RB_B", 0, 0, 1, 1);
    ASSERT_TRUE(reader.Load(bytes));
    EXPECT_DOUBLE_EQ(reader.clip->Table().ValueByName("IDS_COLOR_LT_G", 500), 0.125);
    const Variable* untouched = reader.clip->Table().ByName("IDS_COLOR_RB_B");
    ASSERT_NE(untouched, nullptr);
    EXPECT_EQ(untouched->KeyCount(), 0);
    EXPECT_DOUBLE_EQ(untouched->ValueAt(0), 1.0);
}

TEST(ClipEffects, SeventyClaimedReadSixtyFourAndUnknownTypesFail) {
    Bytes base = GradientRecord();
    // Header + table, then 70 opacity records.
    Bytes record = base;
    Put(record, ClipHeader::kVideoEffectCount, 70);
    for (std::size_t i = 0; i < 64; ++i) Put(record, ClipHeader::kVideoEffectTypes + 4 * i, 103);
    auto effect = PlainEffect::Create(EffectKind::kVideo, 103);
    for (int i = 0; i < 70; ++i) {
        MemoryOutStream out;
        ASSERT_TRUE(effect->Save(out));
        record.insert(record.end(), out.bytes.begin(), out.bytes.end());
    }
    Reader reader;
    reader.Load(record);
    EXPECT_EQ(reader.clip->VideoEffects().size(), 64u);
    EXPECT_EQ(reader.clip->VideoEffects().back()->GetId(), 103);

    Bytes unknown = base;
    Put(unknown, ClipHeader::kAudioEffectCount, 1);
    Put(unknown, ClipHeader::kAudioEffectTypes, 103);  // a video type in the audio list
    Reader refused;
    EXPECT_FALSE(refused.Load(unknown));
    EXPECT_TRUE(refused.clip->AudioEffects().empty());
}

TEST(ClipKinds, SubArrangementTypeWinsOverTheFlagAndOpensNoMedia) {
    auto root = MakeRoot();
    Clip* sub = AddAt(*root, kSubArrangementType, 0, 4000, 0);
    AddAt(*sub, kGradientType, 0, 100, 0);
    Bytes bytes = SaveBytes(*sub);
    Put(bytes, ClipHeader::kIsArrangement, 0);
    const std::string path = "/no/such/file.avi";
    std::copy(path.begin(), path.end(), bytes.begin() + ClipHeader::kPath);
    Reader reader;
    EXPECT_TRUE(reader.Load(bytes));
    EXPECT_TRUE(reader.clip->IsArrangement());
    EXPECT_EQ(reader.clip->Source(), nullptr);
    EXPECT_EQ(reader.clip->ChildCount(), 1);
}

TEST(ClipKinds, MediaClipsOpenTheirFileOrFailTheLoad) {
    testing::TempFolder folder;
    const std::string wav = folder.File("voice.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 800));
    auto root = MakeRoot();
    root->SetTimeValue(250);
    Clip* clip = root->ImportMedia(wav);
    ASSERT_NE(clip, nullptr);
    const Bytes bytes = SaveBytes(*clip);

    Reader reader;
    EXPECT_TRUE(reader.Load(bytes));
    ASSERT_NE(reader.clip->Source(), nullptr);
    EXPECT_EQ(reader.clip->MediaPath(), wav);
    EXPECT_EQ(reader.clip->GetPosition(), 250);

    std::filesystem::remove(wav);
    Reader missing;
    EXPECT_FALSE(missing.Load(bytes));
    EXPECT_EQ(missing.root->ChildAt(0), missing.clip);  // left in place
    EXPECT_EQ(missing.clip->Length(), 800);

    Bytes noPath = bytes;
    std::fill(noPath.begin() + ClipHeader::kPath, noPath.begin() + ClipHeader::kPath + 260, 0);
    Reader empty;
    EXPECT_FALSE(empty.Load(noPath));
}

TEST(ClipTimes, PositionLengthAndStartComeBackExactly) {
    const Bytes bytes = GradientRecord(3000, 1500, 700);
    Reader reader;
    ASSERT_TRUE(reader.Load(bytes));
    EXPECT_EQ(reader.clip->GetPosition(), 3000);
    EXPECT_EQ(reader.clip->Length(), 1500);
    EXPECT_EQ(reader.clip->Start(), 700);
    // And again: nothing drifts from load to load.
    Reader again;
    ASSERT_TRUE(again.Load(SaveBytes(*reader.clip)));
    EXPECT_EQ(again.clip->GetPosition(), 3000);
    EXPECT_EQ(again.clip->Length(), 1500);
    EXPECT_EQ(again.clip->Start(), 700);
    // A file cut off after the header still shows the clip where it was,
    // and the clip agrees with its own header when saved again.
    Reader cut;
    EXPECT_FALSE(cut.Load(Bytes(bytes.begin(), bytes.begin() + ClipHeader::kSize)));
    EXPECT_EQ(cut.clip->GetPosition(), 3000);
    EXPECT_EQ(cut.clip->Length(), 1500);
    EXPECT_EQ(cut.clip->Start(), 700);
    EXPECT_EQ(At(SaveBytes(*cut.clip), ClipHeader::kPosition), 3000);
}

TEST(HostileRecords, ChildCountsAndNestingAreBounded) {
    auto root = MakeRoot();
    Clip* sub = AddAt(*root, kSubArrangementType, 0, 4000, 0);
    Bytes bytes = SaveBytes(*sub);
    Put(bytes, ClipHeader::kChildCount, 257);
    Reader many;
    EXPECT_FALSE(many.Load(bytes));
    EXPECT_EQ(many.clip->ChildCount(), 0);
    Put(bytes, ClipHeader::kChildCount, -5);
    Reader negative;
    EXPECT_FALSE(negative.Load(bytes));

    // Each sub arrangement holding the next, deeper than allowed.
    Bytes one = SaveBytes(*sub);
    Put(one, ClipHeader::kChildCount, 1);
    Bytes nested;
    for (int i = 0; i < Clip::kMaxDepth + 5; ++i) nested.insert(nested.end(), one.begin(), one.end());
    Reader deep;
    EXPECT_FALSE(deep.Load(nested));
    int depth = 0;
    for (Clip* clip = deep.clip; clip->ChildCount() > 0; clip = clip->ChildAt(0)) ++depth;
    EXPECT_EQ(depth, Clip::kMaxDepth);

    Bytes cut(bytes.begin(), bytes.begin() + 3000);
    Reader shortRead;
    EXPECT_FALSE(shortRead.Load(cut));
}

TEST(ClipLoad, AudioMasterAndCurrentEffectsAreRestored) {
    testing::TempFolder folder;
    ASSERT_TRUE(testing::WriteWav(folder.File("a.wav"), 500));
    auto root = MakeRoot();
    Clip* picture = AddAt(*root, kGradientType, 0, 1000, 0);
    picture->AddEffect(EffectKind::kVideo, 103);
    VariableOwner* adjuster = picture->AddEffect(EffectKind::kVideo, 106);
    picture->AddEffect(EffectKind::kVideo, 149);
    root->SetTimeValue(2000);
    Clip* sound = root->ImportMedia(folder.File("a.wav"));
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(root->MakeAudioMaster(sound));
    (void)adjuster;

    auto loaded = MakeRoot();
    ASSERT_TRUE(LoadBytes(*loaded, SaveBytes(*root)));
    ASSERT_EQ(loaded->ChildCount(), 2);
    EXPECT_EQ(loaded->AudioMaster(), loaded->ChildAt(1));
    ASSERT_NE(loaded->ChildAt(0)->CurrentVideoEffect(), nullptr);
    EXPECT_EQ(loaded->ChildAt(0)->CurrentVideoEffect()->GetId(), 106);

    // A parent whose own video is muted still leaves its picture clips
    // working with their opacities; the parent itself turns to volumes.
    root->SetMuteVideo(true);
    auto muted = MakeRoot();
    ASSERT_TRUE(LoadBytes(*muted, SaveBytes(*root)));
    ASSERT_EQ(muted->ChildCount(), 2);
    ASSERT_NE(muted->ChildAt(0)->CurrentVideoEffect(), nullptr);
    EXPECT_EQ(muted->ChildAt(0)->CurrentVideoEffect()->GetId(), 106);
}

TEST(RoundTrip, NestedProjectSavesLoadsAndSavesToTheSameBytes) {
    testing::TempFolder folder;
    ASSERT_TRUE(testing::WriteWav(folder.File("music.wav"), 3000));
    auto root = MakeRoot();
    root->SetName("show.kwp");
    root->SetMediaPath(folder.File("show.kwp"));
    root->SetOutputSizeId(640);
    for (int i = 0; i < 8; ++i) root->SetLocator(i, 250 * i + 17);
    root->Table().SetValueByName("IDS_DST_L", 0, -0.5);

    Clip* text = AddAt(*root, kTextStringType, 0, 4000, 0);
    text->Table().SetValueByName("IDS_STR_FONTSIZE", 0, 48);
    text->Table().SetValueByName("IDS_STR_FONTSIZE", 2000, 96);
    VariableOwner* opacity = text->AddEffect(EffectKind::kVideo, 103);
    ASSERT_NE(opacity, nullptr);
    opacity->Table().SetValueByName(opacity->Table().At(opacity->Table().Count() - 1).Identifier(), 1000, 0.3);
    text->AddEffect(EffectKind::kVideo, 266);

    Clip* sub = AddAt(*root, kSubArrangementType, 1000, 6000, 1);
    sub->RestoreTimes(1000, 6000, 400);
    sub->SetLocator(2, 1234);
    Clip* gradient = AddAt(*sub, kGradientType, 0, 2000, 0);
    gradient->Table().SetValueByName("IDS_COLOR_RB_G", 1500, 0.75);
    Clip* inner = AddAt(*sub, kSubArrangementType, 500, 2500, 1);
    AddAt(*inner, kTextStringType, 100, 900, 0);
    inner->SetTimeValue(0);
    Clip* music = inner->ImportMedia(folder.File("music.wav"));
    ASSERT_NE(music, nullptr);
    music->AddEffect(EffectKind::kAudio, 142)->Table().SetValueByName("IDS_VOLUME", 0, 0.8);
    music->AddEffect(EffectKind::kAudio, 514);

    const Bytes first = SaveBytes(*root);
    auto loaded = MakeRoot();
    ASSERT_TRUE(LoadBytes(*loaded, first));
    const Bytes second = SaveBytes(*loaded);
    ASSERT_EQ(first.size(), second.size());
    EXPECT_TRUE(first == second);

    ASSERT_EQ(loaded->ChildCount(), 2);
    Clip* loadedSub = loaded->ChildAt(1);
    EXPECT_EQ(loadedSub->Start(), 400);
    EXPECT_EQ(loadedSub->Locator(2), 1234);
    ASSERT_EQ(loadedSub->ChildCount(), 2);
    EXPECT_EQ(loadedSub->ChildAt(1)->ChildCount(), 2);
    EXPECT_DOUBLE_EQ(loaded->ChildAt(0)->Table().ValueByName("IDS_STR_FONTSIZE", 1000), 72);
    EXPECT_EQ(loaded->Locator(7), 1767);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(TextClips, WordsAndTypefaceSurviveTheRecordAndOldFilesReadTheDefaults) {
    auto root = MakeRoot();
    Clip* text = AddAt(*root, kTextStringType, 0, 1000, 0);
    EXPECT_EQ(text->Words(), "Text String");
    EXPECT_EQ(text->Typeface(), "System");

    text->SetWords("Two\tlines\nünd more");
    text->SetTypeface("DejaVu Serif");
    Bytes bytes = SaveBytes(*text);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + ClipHeader::kWords)), "Two\tlines\nünd more");
    Reader reader;
    ASSERT_TRUE(reader.Load(bytes));
    EXPECT_EQ(reader.clip->Words(), "Two\tlines\nünd more");
    EXPECT_EQ(reader.clip->Typeface(), "DejaVu Serif");
    // The bytes before are the listed fields, untouched.
    EXPECT_EQ(At(bytes, ClipHeader::kType), kTextStringType);

    // An empty text is a text, not the default.
    text->SetWords("");
    Reader empty;
    ASSERT_TRUE(empty.Load(SaveBytes(*text)));
    EXPECT_EQ(empty.clip->Words(), "");

    // A file written before these bytes were used holds zeros there.
    std::fill(bytes.begin() + ClipHeader::kTextFlags, bytes.begin() + ClipHeader::kTypeface + 64, 0);
    Reader old;
    ASSERT_TRUE(old.Load(bytes));
    EXPECT_EQ(old.clip->Words(), "Text String");
    EXPECT_EQ(old.clip->Typeface(), "System");

    // Too long: cut to the room, never inside a character.
    text->SetWords(std::string(1022, 'a') + "é");
    EXPECT_EQ(text->Words(), std::string(1022, 'a'));
}

}  // namespace
}  // namespace vantrel
