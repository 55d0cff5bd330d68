#include <gtest/gtest.h>
#include <unistd.h>

#include "model/clips/Clip.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::MakeRoot;
using testing::ScopedDialogs;

struct QuantizeCase {
    std::int32_t mode;
    double bpm;
    std::int32_t time, expected;
};

TEST(TimeGrid, QuantizesEveryMode) {
    const QuantizeCase cases[] = {
        {kQuantizeOff, 60, 1234, 1234},
        {kQuantizeSec100, 60, 15, 10},        // half a unit rounds down
        {kQuantizeSec100, 60, 16, 20},
        {kQuantizeSec10, 60, 151, 200},
        {kQuantizeSecond, 60, 1499, 1000},
        {kQuantizeSecond, 60, 1501, 2000},
        {kQuantizeSec15, 60, 101, 133},        // 2 x 66.67, truncated
        {kQuantizeSec20, 60, 74, 50},
        {kQuantizeSec24, 60, 63, 83},
        {kQuantizeSec25, 60, 61, 80},
        {kQuantizeSec30, 60, 51, 66},
        {kQuantizeBar, 120, 2999, 2000},       // 500 ms beats, 4 units of size 4
        {kQuantizeBar, 120, 3001, 4000},
        {kQuantizeHalf, 60, 2999, 2000},
        {kQuantizeQuarter, 60, 1600, 2000},
        {kQuantizeEighth, 60, 740, 500},
        {kQuantizeSixteenth, 60, 130, 250},
        {kQuantizeThirtySecond, 60, 190, 250},
        {kQuantizeSixtyFourth, 60, 40, 62},
        {99, 60, 151, 200},                    // an unknown mode steps by 100
        {kQuantizeBar, 0, 777, 777},           // a zero tempo from a file snaps nothing
        {kQuantizeSecond, 60, -1400, 0},      // truncation works toward zero
    };
    for (const QuantizeCase& c : cases) {
        TimeGrid grid;
        TimeGridSettings settings;
        settings.beatsPerMinute = c.bpm;
        settings.quantizeMode = c.mode;
        grid.SetSettings(settings);
        EXPECT_EQ(grid.Quantize(c.time), c.expected) << "mode " << c.mode << " time " << c.time;
    }
}

TEST(ClipView, MakeStripDefaultsAndAutoAdjust) {
    auto root = MakeRoot();
    Clip* sub = AddAt(*root, kSubArrangementType, 2000, 5000, 0);
    ASSERT_NE(sub, nullptr);
    sub->SetView(0, 0);
    sub->DefaultMakeStrip();
    EXPECT_EQ(sub->ViewSpan(), 9000);
    EXPECT_EQ(sub->ViewStart(), 2000);
    EXPECT_EQ(sub->MakeStart(), 2000);
    EXPECT_EQ(sub->MakeEnd(), 7000);
    sub->DefaultMakeStrip();  // only while the span is not set
    EXPECT_EQ(sub->ViewSpan(), 9000);


    Clip* a = AddAt(*sub, kGradientType, 3000, 1000, 0);
    Clip* b = AddAt(*sub, kGradientType, 1500, 1000, 1);
    sub->AutoAdjustMakeStrip();
    EXPECT_TRUE(sub->AutoAdjust());
    EXPECT_EQ(b->GetPosition(), 0);
    EXPECT_EQ(a->GetPosition(), 1500);
    EXPECT_EQ(sub->Length(), 2500);
    EXPECT_EQ(sub->MakeStart(), 0);
    EXPECT_EQ(sub->MakeEnd(), 2500);
}

TEST(ClipTimes, LocalTimeActiveRangeAndSetStart) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, 1000, 2000, 0);
    clip->RestoreTimes(1000, 2000, 300);
    root->SetTime(999);
    EXPECT_FALSE(clip->IsActive());
    root->SetTime(1000);
    EXPECT_EQ(clip->Time(), 300);
    EXPECT_TRUE(clip->IsActive());
    root->SetTime(3000);
    EXPECT_TRUE(clip->IsActive());  // both ends included
    root->SetTime(3001);
    EXPECT_FALSE(clip->IsActive());

    clip->SetOffset(800);  // same material at the same time, right edge kept
    EXPECT_EQ(clip->GetPosition(), 1500);
    EXPECT_EQ(clip->Length(), 1500);
    EXPECT_EQ(clip->Start(), 800);
    EXPECT_EQ(clip->Header().Int(ClipHeader::kPosition), 1500);
    EXPECT_EQ(clip->Header().Int(ClipHeader::kLength), 1500);
    EXPECT_EQ(clip->Header().Int(ClipHeader::kStart), 800);
}

TEST(Tracks, PlacementAvoidsOverlapIncludingTouchingEnds) {
    auto root = MakeRoot();
    root->SetTimeValue(0);
    Clip* a = root->NewChildClip(kGradientType);
    a->RestoreTimes(0, 1000, 0);
    EXPECT_EQ(a->Track(), 0);
    root->SetTimeValue(1000);  // touches a's end
    Clip* b = root->NewChildClip(kGradientType);
    EXPECT_EQ(b->Track(), 1);
    root->SetTimeValue(20000);
    Clip* c = root->NewChildClip(kTextStringType);
    EXPECT_EQ(c->Track(), 0);
    EXPECT_EQ(root->TrackCount(), 2);
    EXPECT_EQ(root->CurrentChild(), c);
    ASSERT_EQ(root->Selection().size(), 1u);

    root->InsertTrack(1);
    EXPECT_EQ(a->Track(), 0);
    EXPECT_EQ(b->Track(), 2);
    root->CompactTracks();
    EXPECT_EQ(b->Track(), 1);  // a on the row above still overlaps it

    Clip empty;
    EXPECT_EQ(empty.TrackCount(), 0);
}

TEST(Tracks, UpDownTopBottomAndTheirMenuConditions) {
    auto root = MakeRoot();
    Clip* a = AddAt(*root, kGradientType, 0, 1000, 0);
    Clip* b = AddAt(*root, kGradientType, 500, 1000, 1);
    Clip* c = AddAt(*root, kGradientType, 800, 1000, 2);

    const auto offers = [&](const Clip& clip, int command) {
        const std::vector<int> commands = root->MenuCommands(clip);
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    };
    EXPECT_FALSE(offers(*a, kClipUp));
    EXPECT_FALSE(offers(*a, kClipTop));
    EXPECT_TRUE(offers(*a, kClipDown));
    EXPECT_FALSE(offers(*c, kClipBottom));
    EXPECT_TRUE(offers(*c, kClipUp));
    EXPECT_TRUE(offers(*b, kClipDuplicate));
    EXPECT_TRUE(offers(*b, kClipDelete));
    EXPECT_FALSE(offers(*b, kClipPlay));  // a generated picture does not play

    root->RunClipCommand(c, kClipTop);
    EXPECT_EQ(c->Track(), 0);
    EXPECT_EQ(a->Track(), 1);
    EXPECT_EQ(b->Track(), 2);

    root->RunClipCommand(c, kClipBottom);  // compacting lifts the others again
    EXPECT_EQ(a->Track(), 0);
    EXPECT_EQ(b->Track(), 1);
    EXPECT_EQ(c->Track(), 2);

    root->RunClipCommand(c, kClipUp);
    EXPECT_EQ(c->Track(), 1);
    EXPECT_EQ(b->Track(), 2);
    root->RunClipCommand(a, kClipDown);
    EXPECT_EQ(c->Track(), 0);
    EXPECT_EQ(a->Track(), 1);
}

TEST(Tracks, CompactingAfterBottomFillsEmptyRows) {
    auto root = MakeRoot();
    Clip* a = AddAt(*root, kGradientType, 0, 1000, 0);
    Clip* b = AddAt(*root, kGradientType, 5000, 1000, 1);
    Clip* c = AddAt(*root, kGradientType, 9000, 1000, 2);
    root->RunClipCommand(a, kClipBottom);
    // Nothing overlaps: every clip ends on row 0.
    EXPECT_EQ(a->Track(), 0);
    EXPECT_EQ(b->Track(), 0);
    EXPECT_EQ(c->Track(), 0);
    EXPECT_EQ(root->TrackCount(), 1);
}

TEST(Duplicate, CopiesThroughMemoryOntoTheSourceTrackWhereverTheProgramRuns) {
    auto root = MakeRoot();
    Clip* a = AddAt(*root, kGradientType, 0, 1000, 0);
    a->Table().SetValueByName("IDS_COLOR_LT_R", 100, 0.25);
    Clip* b = AddAt(*root, kGradientType, 0, 1000, 1);

    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(chdir("/proc"), 0);  // a folder nobody can write to
    Clip* copy = root->DuplicateChild(a);
    ASSERT_EQ(chdir(previous), 0);
    std::free(previous);

    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(root->ChildAt(root->ChildCount() - 1), copy);
    EXPECT_EQ(copy->Track(), 0);
    EXPECT_EQ(a->Track(), 1);
    EXPECT_EQ(b->Track(), 2);
    EXPECT_EQ(copy->Type(), kGradientType);
    ASSERT_NE(copy->Generator(), nullptr);
    EXPECT_DOUBLE_EQ(copy->Table().ValueByName("IDS_COLOR_LT_R", 100), 0.25);
    EXPECT_EQ(root->StatusText(), "Done!");
}

TEST(Split, OnlyStrictlyInsideTheClip) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, 1000, 4000, 0);
    clip->RestoreTimes(1000, 4000, 200);
    for (std::int32_t at : {1000, 5000, 500, 6000}) {
        root->SetTimeValue(at);
        EXPECT_EQ(root->SplitChild(clip), 0u) << at;
        EXPECT_EQ(root->ChildCount(), 1);
    }
    root->Grid().SetQuantizeMode(kQuantizeSecond);
    root->SetTimeValue(2400);  // snaps to 2000
    EXPECT_NE(root->SplitChild(clip), 0u);
    ASSERT_EQ(root->ChildCount(), 2);
    Clip* copy = root->ChildAt(1);
    EXPECT_EQ(clip->GetPosition(), 1000);
    EXPECT_EQ(clip->Length(), 1000);
    EXPECT_EQ(copy->GetPosition(), 2000);
    EXPECT_EQ(copy->Start(), 1200);
    EXPECT_EQ(copy->GetPosition() + copy->Length(), 5000);
}

TEST(Split, BothPiecesStayOnTheClipsRowAndOthersKeepTheirs) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, 1000, 4000, 0);
    Clip* beside = AddAt(*root, kGradientType, 6000, 1000, 0);
    Clip* below = AddAt(*root, kTextStringType, 2000, 1000, 1);
    root->SetTimeValue(3000);
    EXPECT_NE(root->RunClipCommand(clip, kClipSplit), 0u);
    ASSERT_EQ(root->ChildCount(), 4);
    Clip* copy = root->ChildAt(3);
    EXPECT_EQ(copy->GetPosition(), 3000);
    EXPECT_EQ(clip->Track(), 0);
    EXPECT_EQ(copy->Track(), 0);
    EXPECT_EQ(beside->Track(), 0);
    EXPECT_EQ(below->Track(), 1);
    EXPECT_EQ(root->TrackCount(), 2);
}

TEST(Delete, AsksWithTheNamesAndRemovesOnlyOnYes) {
    ScopedDialogs platform;
    auto root = MakeRoot();
    Clip* a = AddAt(*root, kGradientType, 0, 1000, 0);
    Clip* b = AddAt(*root, kTextStringType, 0, 1000, 1);
    Clip* c = AddAt(*root, kGradientType, 5000, 1000, 2);
    a->SetName("first");
    c->SetName("third");
    root->Select(a);
    root->AddToSelection(c);
    EXPECT_EQ(root->DeleteQuestion(), "Are You Sure? Do you really want to delete::\n\n\t- first\n\t- third\n");

    platform.dialogs.boxAnswers = {BoxAnswer::No};
    EXPECT_EQ(root->DeleteSelection(), 0u);
    EXPECT_EQ(root->ChildCount(), 3);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "Question");
    EXPECT_EQ(platform.dialogs.boxes[0].buttons, BoxButtons::YesNo);
    EXPECT_EQ(platform.dialogs.boxes[0].defaultButton, BoxAnswer::No);

    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    root->DeleteSelection();
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(root->ChildAt(0), b);
    EXPECT_EQ(b->Track(), 0);  // compacted
    EXPECT_TRUE(root->Selection().empty());
    EXPECT_EQ(root->CurrentChild(), nullptr);
}

TEST(ClipContent, VideoAndAudioFollowTheTreeAndTheMuteFlags) {
    testing::TempFolder folder;
    const std::string wav = folder.File("tone.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 1500));
    auto root = MakeRoot();
    EXPECT_FALSE(root->HasVideo());
    EXPECT_FALSE(root->HasAudio());
    Clip* sub = AddAt(*root, kSubArrangementType, 0, 5000, 0);
    root->SetTimeValue(0);
    Clip* sound = sub->ImportMedia(wav);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Length(), 1500);
    EXPECT_EQ(sound->Name(), "tone.wav");
    EXPECT_EQ(sound->Header().Int(ClipHeader::kAudioOpened), 10000);
    EXPECT_TRUE(sound->CanPlay());
    EXPECT_TRUE(root->HasAudio());
    EXPECT_FALSE(root->HasVideo());
    Clip* picture = AddAt(*sub, kTextStringType, 0, 1000, 1);
    EXPECT_TRUE(root->HasVideo());
    picture->SetMuteVideo(true);
    EXPECT_FALSE(root->HasVideo());
    sub->SetMuteAudio(true);
    EXPECT_FALSE(root->HasAudio());
    EXPECT_EQ(sub->ImportMedia(folder.File("missing.wav")), nullptr);
    EXPECT_EQ(sub->ChildCount(), 2);
}

TEST(ClipContent, AudioMasterOnlyForSoundWithoutPictureInTheRoot) {
    testing::TempFolder folder;
    ASSERT_TRUE(testing::WriteWav(folder.File("a.wav"), 500));
    auto root = MakeRoot();
    root->SetTimeValue(0);
    Clip* sound = root->ImportMedia(folder.File("a.wav"));
    ASSERT_NE(sound, nullptr);
    Clip* picture = AddAt(*root, kGradientType, 0, 1000, 1);
    Clip* sub = AddAt(*root, kSubArrangementType, 0, 1000, 2);
    const std::vector<int> commands = root->MenuCommands(*sound);
    EXPECT_NE(std::find(commands.begin(), commands.end(), kClipMakeAudioMaster), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), kClipPlay), commands.end());
    EXPECT_FALSE(root->MakeAudioMaster(picture));
    EXPECT_TRUE(root->MakeAudioMaster(sound));
    EXPECT_EQ(root->AudioMaster(), sound);
    const std::vector<int> inSub = sub->MenuCommands(*sound);
    EXPECT_EQ(std::find(inSub.begin(), inSub.end(), kClipMakeAudioMaster), inSub.end());
    root->RemoveChild(sound);  // a removed clip is forgotten everywhere
    EXPECT_EQ(root->AudioMaster(), nullptr);
}

TEST(ApplyUndo, UndoRestoresTheCommittedHeaderOnlyWhenChanged) {
    auto root = MakeRoot();
    Clip* clip = AddAt(*root, kGradientType, 1000, 2000, 0);
    clip->Table().SetValueByName("IDS_COLOR_LT_R", 0, 0.5);
    root->CommitAll();
    EXPECT_FALSE(clip->IsChanged());

    clip->SetPosition(4000);
    clip->SetMuteVideo(true);
    clip->Table().SetValueByName("IDS_COLOR_LT_R", 0, 0.1);
    root->RevertAll();  // the clip is not flagged: its header stays
    EXPECT_EQ(clip->GetPosition(), 4000);
    EXPECT_DOUBLE_EQ(clip->Table().ValueByName("IDS_COLOR_LT_R", 0), 0.5);

    clip->SetChanged(true);
    root->RevertAll();
    EXPECT_EQ(clip->GetPosition(), 1000);
    EXPECT_EQ(clip->Length(), 2000);
    EXPECT_FALSE(clip->MuteVideo());
    EXPECT_FALSE(clip->IsChanged());
    EXPECT_EQ(clip->CommittedHeader().Int(ClipHeader::kPosition), 1000);
}

TEST(MusicTime, CopiesTheGridToChildrenButNotSubArrangements) {
    auto root = MakeRoot();
    Clip* picture = AddAt(*root, kGradientType, 0, 1000, 0);
    Clip* sub = AddAt(*root, kSubArrangementType, 0, 1000, 1);
    TimeGridSettings settings;
    settings.beatsPerMinute = 133;
    settings.quantizeMode = kQuantizeBar;
    root->Grid().SetSettings(settings);
    root->MusicTimeChange();
    EXPECT_EQ(picture->Grid().Settings(), settings);
    EXPECT_EQ(sub->Grid().Settings(), TimeGridSettings{});
}

TEST(NewClips, OnlyKnownTypesOnArrangements) {
    auto root = MakeRoot();
    EXPECT_EQ(root->NewChildClip(103), nullptr);
    Clip* text = root->NewChildClip(kTextStringType);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Name(), "Text String");
    EXPECT_DOUBLE_EQ(text->Table().ValueByName("IDS_START_OPACITY", 0), 0.0);
    EXPECT_EQ(text->NewChildClip(kSubArrangementType), nullptr);  // not an arrangement
    EXPECT_FALSE(text->AttachGenerator(kGradientType));          // already has one
    Clip* sub = root->NewChildClip(kSubArrangementType);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->IsArrangement());
    EXPECT_EQ(sub->Name(), "Sub Arrangement");
    EXPECT_NE(sub->Table().ByName("IDS_CLIPTIMEMAPPER"), nullptr);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(MediaClips, MovingPicturesMapTheirTimeThroughTheMapper) {
    testing::TempFolder folder;
    const std::string avi = folder.File("clip.avi");
    const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=64x48:rate=10 -t 2 "
                                "-c:v rawvideo -pix_fmt bgr24 " + avi + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto root = testing::MakeRoot();
    root->SetTimeValue(0);
    Clip* clip = root->ImportMedia(avi);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Length(), 2000);
    EXPECT_EQ(clip->MediaRectangle(), (Rect{0, 0, 64, 48}));
    ASSERT_NE(clip->Picture(), nullptr);
    Variable* mapper = clip->Table().ByName("IDS_CLIPTIMEMAPPER");
    ASSERT_NE(mapper, nullptr);
    EXPECT_EQ(mapper->KeyCount(), 2);
    EXPECT_EQ(clip->MediaTimeAt(1000), 1000);  // the identity after opening
    mapper->SetValueAt(1000, 0.25);
    EXPECT_EQ(clip->MediaTimeAt(1000), 500);
    EXPECT_TRUE(clip->HasVideo());

    // A sound has no mapper: its media time is the local time.
    ASSERT_TRUE(testing::WriteWav(folder.File("s.wav"), 1000));
    Clip* sound = root->ImportMedia(folder.File("s.wav"));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Table().ByName("IDS_CLIPTIMEMAPPER"), nullptr);
    EXPECT_NE(sound->Table().ByName("IDS_START_OPACITY"), nullptr);
    EXPECT_EQ(sound->MediaTimeAt(700), 700);
    EXPECT_EQ(sound->Picture(), nullptr);
}

}  // namespace
}  // namespace vantrel
