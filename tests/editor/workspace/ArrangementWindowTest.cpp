#include <gtest/gtest.h>

#include "values/Messages.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "tests/model/clips/ClipFixtures.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/support/RecordingDrawContext.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::ScopedDialogs;
using testing::TempFolder;

// Input sequences through the root, as the window delivers them; the client
// area is the layout area, so layout points are client points.
struct ArrangementInputTest : testing::ScriptedEditorTest {
    void SetUp() override {
        Open();
        root->SetSize(20000);
        root->SetView(0, 20000);
    }
    ArrangementWindow& Arrangement() { return root->Editor().ArrangementEditor(); }
    void LayOut() { root->FinishInput(kRelayout); }
    Clip* Add(std::int32_t position, std::int32_t length, int track) {
        Clip* clip = AddAt(*root, kTextStringType, position, length, track);
        LayOut();
        return clip;
    }
    ResultFlags Send(std::uint32_t message, Point p, std::uintptr_t flags = 0) {
        return root->Input(&window, message, p.x, p.y, flags);
    }
    void Drag(Point from, Point to) {
        Send(kLeftButtonDown, from, kLeftButtonHeld);
        Send(kMouseMove, to, kLeftButtonHeld);
        Send(kLeftButtonUp, to);
    }
    Point Middle(const Clip& clip) {
        const Rect box = Arrangement().BoxOf(clip);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    // A point on the row of a track at a time.
    Point At(std::int32_t time, int track) {
        const Rect row = Arrangement().BoxOf(track, time, 1);
        return {Arrangement().XOf(time), (row.top + row.bottom) / 2};
    }
};

TEST_F(ArrangementInputTest, MovingAClipChangesItsPlaceAndTrackButAnOverlapSnapsBack) {
    Clip* a = Add(0, 4000, 0);
    Clip* b = Add(2000, 4000, 1);
    Clip* c = Add(10000, 2000, 2);
    root->CommitAll();

    // Onto track 0, where a stands: refused with a red outline, then nothing moved.
    const Point grab = Middle(*b);
    Send(kLeftButtonDown, grab, kLeftButtonHeld);
    EXPECT_EQ(root->CurrentChild(), b);
    Send(kMouseMove, {grab.x, At(0, 0).y}, kLeftButtonHeld);
    ASSERT_TRUE(Arrangement().Outline().has_value());
    EXPECT_TRUE(Arrangement().OutlineRefused());
    testing::RecordingDrawContext dc;
    Arrangement().Draw(dc);
    bool red = false;
    for (const auto& fill : dc.fills) red = red || fill.second == Arrangement().Palette().refused;
    EXPECT_TRUE(red);
    const ResultFlags refused = Send(kLeftButtonUp, {grab.x, At(0, 0).y});
    EXPECT_EQ(refused & kChanged, 0u);
    EXPECT_EQ(b->GetPosition(), 2000);
    EXPECT_EQ(b->Track(), 1);
    EXPECT_FALSE(root->IsChanged());

    // Later in time on track 0 it fits; track 1 empties and c closes up.
    const std::int32_t shift = Arrangement().TimeAt(Middle(*b).x + 200) - Arrangement().TimeAt(Middle(*b).x);
    Drag(Middle(*b), {Middle(*b).x + 200, At(0, 0).y});
    EXPECT_EQ(b->GetPosition(), 2000 + shift);
    // The clip's own time follows its new place, so the next frame is right.
    EXPECT_EQ(b->Time(), root->Time() - b->GetPosition() + b->Start());
    EXPECT_EQ(b->Length(), 4000);
    EXPECT_EQ(b->Start(), 0);
    EXPECT_EQ(b->Track(), 0);
    EXPECT_EQ(c->Track(), 1);
    EXPECT_EQ(a->Track(), 0);
    EXPECT_TRUE(root->IsChanged());
}

// A move along its own row is only a move: the clip stays on its row even
// where it would now fit the row above, and no other row closes up.
TEST_F(ArrangementInputTest, ASidewaysDragKeepsTheRowItsOutlineWasOn) {
    Add(0, 4000, 0);
    Clip* b = Add(2000, 4000, 1);
    Clip* c = Add(2000, 2000, 3);  // a gap above it that only a track change closes
    Drag(Middle(*b), {Middle(*b).x + Arrangement().XOf(5000) - Arrangement().XOf(0), Middle(*b).y});
    EXPECT_GE(b->GetPosition(), 6000);
    EXPECT_EQ(b->Track(), 1);
    EXPECT_EQ(c->Track(), 3);
    // Down a row is a track change, and the rows close up after it.
    Drag(Middle(*b), {Middle(*b).x, At(0, 2).y});
    EXPECT_EQ(b->Track(), 0);
    EXPECT_EQ(c->Track(), 1);
}

TEST_F(ArrangementInputTest, MovesAreQuantizedByTheTimeGrid) {
    Clip* clip = Add(0, 2000, 0);
    root->Grid().SetQuantizeMode(kQuantizeSecond);
    Drag(Middle(*clip), {Middle(*clip).x + Arrangement().XOf(1400) - Arrangement().XOf(0), Middle(*clip).y});
    EXPECT_EQ(clip->GetPosition(), 1000);
}

TEST_F(ArrangementInputTest, SizingGripsKeepTheMaterialInPlaceAndStopAtTheMediaEnd) {
    Clip* clip = Add(2000, 6000, 0);
    const Rect box = Arrangement().BoxOf(*clip);
    // The left grip moves the in point: local time at any parent time stays.
    Drag({box.left + 1, Middle(*clip).y}, {Arrangement().XOf(4000) + 1, Middle(*clip).y});
    const std::int32_t moved = clip->GetPosition() - 2000;
    EXPECT_GT(moved, 1900);
    EXPECT_EQ(clip->Start(), moved);
    EXPECT_EQ(clip->GetPosition() + clip->Length(), 8000);
    clip->SetTime(5000);
    EXPECT_EQ(clip->Time(), 3000);  // as before the drag: 5000 - 2000 + 0

    // A media clip of 1.5 s: the right grip stops at its end, the left at its start.
    TempFolder folder;
    const std::string wav = folder.File("sound.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 1500));
    root->SetTimeValue(12000);
    Clip* media = root->ImportMedia(wav);
    ASSERT_NE(media, nullptr);
    media->RestoreTimes(12000, 1000, 200);
    media->SetTrack(1);
    LayOut();
    const Rect mbox = Arrangement().BoxOf(*media);
    Drag({mbox.right - 1, Middle(*media).y}, {Arrangement().XOf(19000), Middle(*media).y});
    EXPECT_EQ(media->Start() + media->Length(), 1500);
    Drag({mbox.left + 1, Middle(*media).y}, {Arrangement().XOf(9000), Middle(*media).y});
    EXPECT_EQ(media->Start(), 0);
    EXPECT_EQ(media->GetPosition(), 11800);
}

TEST_F(ArrangementInputTest, ARulerSetsTheTimeWithoutScrollingTheViewWhileHeld) {
    Add(0, 1000, 0);
    root->SetView(0, 4000);
    const Rect ruler = root->Editor().Layout().Of(383);
    const Point near{Arrangement().XOf(1000), (ruler.top + ruler.bottom) / 2};
    const Point far{Arrangement().XOf(3000), near.y};
    Send(kLeftButtonDown, near, kLeftButtonHeld);
    EXPECT_NEAR(root->Time(), 1000, 10);
    Send(kMouseMove, far, kLeftButtonHeld);
    EXPECT_NEAR(root->Time(), 3000, 10);
    EXPECT_EQ(root->ViewStart(), 0);
    Send(kLeftButtonUp, far);
    EXPECT_EQ(root->CapturedChild(), nullptr);
    // Free again, the view follows the time.
    root->SetGlobalTime(10000);
    EXPECT_EQ(root->ViewStart(), 8000);
}

TEST_F(ArrangementInputTest, ZoomButtonsStopAtThirtyMilliseconds) {
    Add(0, 1000, 0);
    const Rect zoomIn = root->Editor().ControlById(505)->Rectangle();
    const Point button{(zoomIn.left + zoomIn.right) / 2, (zoomIn.top + zoomIn.bottom) / 2};
    root->SetView(0, 50);
    Send(kLeftButtonDown, button, kLeftButtonHeld);
    Send(kLeftButtonUp, button);
    EXPECT_EQ(root->ViewSpan(), 30);
    Send(kLeftButtonDown, button, kLeftButtonHeld);
    Send(kLeftButtonUp, button);
    EXPECT_EQ(root->ViewSpan(), 30);
}

TEST_F(ArrangementInputTest, TheWheelScrollsAndControlWheelZoomsAroundThePointer) {
    Add(0, 1000, 0);
    root->SetView(8000, 4000);
    const Point p = At(10000, 0);
    auto wheel = [](int turn, std::uint32_t keys) { return std::uintptr_t(keys) | std::uintptr_t(std::uint16_t(turn)) << 16; };
    Send(kMouseWheel, p, wheel(-120, 0));
    EXPECT_EQ(root->ViewStart(), 8500);
    EXPECT_EQ(root->ViewSpan(), 4000);
    const std::int32_t under = Arrangement().TimeAt(p.x);
    Send(kMouseWheel, p, wheel(120, kControlHeld));
    EXPECT_EQ(root->ViewSpan(), 2000);
    EXPECT_NEAR(Arrangement().TimeAt(p.x), under, 10);
}

TEST_F(ArrangementInputTest, GripsOfTheMakeStripAndCornersOnThePreviewEditTheProject) {
    Clip* clip = Add(0, 10000, 0);
    root->SetMakeRange(0, 20000);
    LayOut();
    const Rect strip = root->Editor().Layout().Of(350);
    const int y = (strip.top + strip.bottom) / 2;
    Drag({Arrangement().XOf(0) + 1, y}, {Arrangement().XOf(5000), y});
    EXPECT_NEAR(root->MakeStart(), 5000, 30);
    EXPECT_EQ(root->MakeEnd(), 20000);

    // The south-east corner of the destination, dragged to the picture's middle.
    root->SetTime(2000);
    const Rect picture = Arrangement().Rects().picture;
    ASSERT_FALSE(picture.IsEmpty());
    // A click on the picture alone keys nothing.
    const Point centre{(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
    Send(kLeftButtonDown, centre, kLeftButtonHeld);
    EXPECT_EQ(Send(kLeftButtonUp, centre) & kChanged, 0u);
    EXPECT_FALSE(clip->HasKeyNow(51));
    const Rect handle = Arrangement().HandleRect(ArrangementWindow::Part::SouthEast);
    const ResultFlags flags = [&] {
        Send(kLeftButtonDown, {(handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2}, kLeftButtonHeld);
        Send(kMouseMove, {(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2}, kLeftButtonHeld);
        return Send(kLeftButtonUp, {(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2});
    }();
    EXPECT_TRUE(flags & kChanged);
    EXPECT_NEAR(clip->ValueById(51), 0.5, 0.01);
    EXPECT_NEAR(clip->ValueById(52), 0.5, 0.01);
    EXPECT_NEAR(clip->ValueById(49), 0.0, 1e-9);
    EXPECT_TRUE(clip->HasKeyNow(51));  // keyed at the current time
}

TEST_F(ArrangementInputTest, DoubleClickEntersASubArrangementAndBackspaceLeavesIt) {
    Clip* sub = AddAt(*root, kSubArrangementType, 1000, 8000, 0);
    sub->SetName("Sub Arrangement");
    root->SetName("Root");
    Clip* inner = AddAt(*sub, kTextStringType, 0, 2000, 0);
    LayOut();
    const Point onSub = Middle(*sub);
    Send(kLeftButtonDown, onSub, kLeftButtonHeld);
    Send(kLeftButtonUp, onSub);
    Send(kLeftButtonDoubleClick, onSub, kLeftButtonHeld);
    Send(kLeftButtonUp, onSub);
    EXPECT_EQ(Arrangement().Shown(), sub);
    EXPECT_EQ(root->Editor().View().Arrangement(), sub);
    EXPECT_EQ(Arrangement().PathText(), "Root > Sub Arrangement");
    EXPECT_EQ(Arrangement().ChildAt(Middle(*inner)), inner);
    testing::RecordingDrawContext dc;
    Arrangement().Draw(dc);
    EXPECT_NE(std::find(dc.texts.begin(), dc.texts.end(), "Root > Sub Arrangement"), dc.texts.end());

    root->Input(&window, kKeyUp, onSub.x, onSub.y, kVkBack);
    EXPECT_EQ(Arrangement().Shown(), root.get());

    // A sub arrangement that goes away while shown leaves the root shown.
    Arrangement().Enter(sub);
    root->RemoveChild(sub);
    root->SetGlobalTime(500);
    EXPECT_EQ(Arrangement().Shown(), root.get());
    EXPECT_EQ(root->Editor().View().Arrangement(), root.get());
}

// Ctrl+click toggles a clip, Shift+click adds the box between two clips, a
// band over empty space chooses what it touches; none of them moves a clip.
TEST_F(ArrangementInputTest, ClicksAndTheBandChooseTheSelection) {
    Clip* a = Add(0, 2000, 0);
    Clip* b = Add(3000, 2000, 1);
    Clip* c = Add(6000, 2000, 2);
    Clip* far = Add(15000, 2000, 0);
    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld);
    Send(kLeftButtonUp, Middle(*a));
    Send(kLeftButtonDown, Middle(*c), kLeftButtonHeld | kControlHeld);
    Send(kLeftButtonUp, Middle(*c), kControlHeld);
    EXPECT_EQ(root->Selection(), (std::vector<Clip*>{a, c}));
    EXPECT_EQ(root->CurrentChild(), c);
    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld | kControlHeld);
    EXPECT_EQ(root->Selection(), (std::vector<Clip*>{c}));
    EXPECT_EQ(a->GetPosition(), 0);

    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld | kShiftHeld);  // from c, the current one, to a
    EXPECT_EQ(root->Selection().size(), 3u);
    EXPECT_TRUE(root->IsSelected(b));
    EXPECT_FALSE(root->IsSelected(far));

    // A band from empty space over b and far only.
    const Point from = At(2500, 1), to = {Middle(*far).x, At(0, 0).y};
    Drag(from, to);
    EXPECT_EQ(root->Selection().size(), 2u);
    EXPECT_TRUE(root->IsSelected(b) && root->IsSelected(far));
    // With Ctrl it adds; over nothing it leaves the selection alone.
    Send(kLeftButtonDown, At(500, 3), kLeftButtonHeld | kControlHeld);
    Send(kMouseMove, At(1500, 2), kLeftButtonHeld);
    EXPECT_TRUE(Arrangement().Band().has_value());
    Send(kLeftButtonUp, At(1500, 0));
    EXPECT_EQ(root->Selection().size(), 3u);
    Drag(At(9000, 3), At(12000, 2));
    EXPECT_EQ(root->Selection().size(), 3u);
    EXPECT_FALSE(root->IsChanged());
}

// The selection moves, duplicates and goes as one: one step each in the
// history, and one clip outside it refuses the whole move.
TEST_F(ArrangementInputTest, ASelectionMovesDuplicatesAndDeletesAsOneStep) {
    Clip* a = Add(1000, 2000, 0);
    Clip* b = Add(4000, 2000, 1);
    Add(9000, 3000, 1);
    root->SettleEdits();
    const std::size_t steps = root->History().StepCount();
    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld);
    Send(kLeftButtonUp, Middle(*a));
    Send(kLeftButtonDown, Middle(*b), kLeftButtonHeld | kControlHeld);
    Send(kLeftButtonUp, Middle(*b), kControlHeld);

    // 4000 ms later b would meet `other`: refused, nothing moves.
    const int later = Arrangement().XOf(4000) - Arrangement().XOf(0);
    Drag(Middle(*a), {Middle(*a).x + later, Middle(*a).y});
    EXPECT_EQ(a->GetPosition(), 1000);
    EXPECT_EQ(b->GetPosition(), 4000);
    // Down one row, a little later: both go, keeping their shape.
    const int step = Arrangement().XOf(500) - Arrangement().XOf(0);
    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld);
    Send(kMouseMove, {Middle(*a).x + step, At(0, 1).y}, kLeftButtonHeld);
    EXPECT_EQ(Arrangement().Outlines().size(), 2u);
    EXPECT_FALSE(Arrangement().OutlineRefused());
    Send(kLeftButtonUp, {Middle(*a).x + step, At(0, 1).y});
    const std::int32_t moved = a->GetPosition() - 1000;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(b->GetPosition(), 4000 + moved);
    EXPECT_EQ(root->History().StepCount(), steps + 1);

    // A click without a move on one of them chooses it alone.
    Send(kLeftButtonDown, Middle(*b), kLeftButtonHeld);
    Send(kLeftButtonUp, Middle(*b));
    EXPECT_EQ(root->Selection(), (std::vector<Clip*>{b}));
    Send(kLeftButtonDown, Middle(*a), kLeftButtonHeld | kControlHeld);
    Send(kLeftButtonUp, Middle(*a), kControlHeld);

    // Duplicate from the menu of one of them copies both; the copies are chosen.
    platform.menus.answers = {};
    Send(kRightButtonUp, Middle(*a));
    ASSERT_FALSE(platform.menus.shown.empty());
    for (const MenuEntry& entry : platform.menus.shown.back())
        if (entry.caption == "Duplicate") platform.menus.answers = {entry.command};
    ASSERT_EQ(platform.menus.answers.size(), 1u);
    Send(kRightButtonUp, Middle(*a));
    EXPECT_EQ(root->ChildCount(), 5);
    EXPECT_EQ(root->Selection().size(), 2u);
    EXPECT_FALSE(root->IsSelected(a) || root->IsSelected(b));
    EXPECT_EQ(root->History().StepCount(), steps + 2);

    // The Delete key asks once about both copies.
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    Send(kKeyUp, {500, 700}, kVkDelete);
    EXPECT_EQ(root->ChildCount(), 3);
    EXPECT_EQ(root->History().StepCount(), steps + 3);
    root->UndoEdit();
    EXPECT_EQ(root->ChildCount(), 5);
}

}  // namespace
}  // namespace vantrel
