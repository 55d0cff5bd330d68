#include <gtest/gtest.h>

#include "model/clips/History.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::MakeRoot;
using testing::SaveBytes;
using testing::TempFolder;

class History : public ::testing::Test {
protected:
    void SetUp() override {
        root = MakeRoot();
        ASSERT_TRUE(testing::WriteWav(folder.File("a.wav"), 900));
        sound = root->ImportMedia(folder.File("a.wav"));
        ASSERT_NE(sound, nullptr);
        text = AddAt(*root, kTextStringType, 500, 2000, 1);  // over the sound: a track of its own
        ASSERT_NE(text, nullptr);
    }
    TempFolder folder;
    std::unique_ptr<Clip> root;
    Clip* sound = nullptr;
    Clip* text = nullptr;
};

// A step holds what changed and nothing else, and its bytes are the file's.
TEST_F(History, ASnapshotSharesWhatDidNotChange) {
    const Snapshot before = TakeSnapshot(*root, nullptr);
    EXPECT_EQ(SnapshotBytes(*before), SaveBytes(*root));
    EXPECT_EQ(TakeSnapshot(*root, before), before);

    text->RestoreTimes(4000, 2000, 0);
    const Snapshot after = TakeSnapshot(*root, before);
    EXPECT_EQ(SnapshotBytes(*after), SaveBytes(*root));
    EXPECT_EQ(after->children[0], before->children[0]);
    EXPECT_NE(after->children[1], before->children[1]);
    EXPECT_EQ(after->own, before->own);
    EXPECT_EQ(NewBytes(*after, before.get()), after->children[1]->own->size());
}

// Going back brings a deleted clip back with the very media it had open,
// and the record equals the one before the delete to the byte.
TEST_F(History, RestoringReusesOpenMediaAndGivesTheSameRecord) {
    const Snapshot before = TakeSnapshot(*root, nullptr);
    const std::vector<std::uint8_t> bytes = SaveBytes(*root);
    const MediaSource* media = sound->Source();
    root->RemoveChild(text);
    ASSERT_EQ(root->ChildCount(), 1);

    ASSERT_TRUE(RestoreSnapshot(*root, *before));
    const std::vector<std::uint8_t> again = SaveBytes(*root);
    ASSERT_EQ(again.size(), bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(again[i], bytes[i]) << i;
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->ChildAt(0)->Source(), media);
    EXPECT_EQ(MediaPool::Current(), nullptr);
}

TEST(EditHistory, UndoRedoAndANewStepAfterUndoDropsTheRedo) {
    auto state = [](std::uint8_t byte) {
        auto s = std::make_shared<ClipSnapshot>();
        s->own = std::make_shared<const std::vector<std::uint8_t>>(100, byte);
        return Snapshot(s);
    };
    EditHistory history;
    const Snapshot a = state(1), b = state(2), c = state(3), d = state(4);
    history.Reset(a);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(), nullptr);
    history.Record("Move Clip", b);
    history.Record("Delete", c);
    EXPECT_EQ(history.UndoName(), "Delete");
    EXPECT_EQ(history.Undo(), b.get());
    EXPECT_EQ(history.RedoName(), "Delete");
    EXPECT_EQ(history.Undo(), a.get());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Redo(), b.get());
    history.Record("Change Text", d);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_EQ(history.UndoName(), "Change Text");
    EXPECT_EQ(history.MemoryBytes(), 300u);
}

// Over the limit the oldest steps go; the state the project is in stays,
// however small the limit.
TEST(EditHistory, TheMemoryLimitDropsTheOldestStepsFirst) {
    EditHistory history(1000);
    for (int i = 0; i < 30; ++i) {
        auto s = std::make_shared<ClipSnapshot>();
        s->own = std::make_shared<const std::vector<std::uint8_t>>(100, std::uint8_t(i));
        if (i == 0)
            history.Reset(s);
        else
            history.Record("Step " + std::to_string(i), s);
    }
    EXPECT_LE(history.MemoryBytes(), 1000u);
    EXPECT_EQ(history.StepCount(), 9u);
    EXPECT_EQ(history.UndoName(), "Step 29");
    history.SetMemoryLimit(1);
    EXPECT_EQ(history.StepCount(), 0u);
    EXPECT_EQ((*history.Current()->own)[0], 29);
}

}  // namespace
}  // namespace vantrel
