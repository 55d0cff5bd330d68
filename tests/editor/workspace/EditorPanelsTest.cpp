#include <gtest/gtest.h>

#include "items/StringTable.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

struct EditorPanelsTest : testing::ScriptedEditorTest {
    Clip* clip = nullptr;

    void SetUp() override { Start(); }
    void Start(WorkspaceOptions options = Options()) {
        Open(std::move(options));
        root->SetTimeValue(0);
        clip = root->NewChildClip(kTextStringType);
        root->Editor().LayOut(1024, 768);
    }
    ResultFlags Run(int command) {
        ResultFlags out = 0;
        EXPECT_TRUE(root->Command(&window, command, out)) << command;
        return out;
    }
};

TEST_F(EditorPanelsTest, AddedEffectsBecomeCurrentAndTheListEditsThem) {
    EditorPanels& panels = root->Editor().Panels();
    platform.menus.answers = {149};  // "Blur", under "Convolution Filters"
    EXPECT_TRUE(Run(366) & kChanged);
    const auto& menu = platform.menus.shown.back();
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_EQ(menu[2].caption, Str(77));
    ASSERT_EQ(clip->VideoEffects().size(), 1u);
    VariableOwner* blur = clip->VideoEffects()[0].get();
    EXPECT_EQ(clip->CurrentVideoEffect(), blur);
    panels.Sync();
    EXPECT_EQ(panels.Parameters().Target(), blur);
    EXPECT_EQ(panels.SecondRectangle().Target(), blur);  // the effect rectangle
    EXPECT_EQ(panels.FirstRectangle().Target(), clip);

    platform.menus.answers = {103};
    Run(366);
    VariableOwner* opacity = clip->VideoEffects()[1].get();
    Run(kMoveEffectUpCommand);
    EXPECT_EQ(clip->VideoEffects()[0].get(), opacity);
    EXPECT_FALSE(Run(kMoveEffectUpCommand) & kChanged);  // already first

    // A click on the list's first row goes back to the clip's own table.
    panels.Sync();
    root->Editor().LayOut(1024, 768);
    const Rect first = panels.List().RowRect(0);
    root->Input(&window, kLeftButtonDown, first.right - 5, first.top + 2, 0);
    EXPECT_EQ(clip->CurrentVideoEffect(), nullptr);
    EXPECT_EQ(panels.Parameters().Target(), clip);
    EXPECT_EQ(Run(kRemoveEffectCommand), 0u);  // not offered without a current effect
    // The second row chooses the opacity; its enable box turns it off.
    const Rect second = panels.List().RowRect(1);
    root->Input(&window, kLeftButtonDown, second.right - 5, second.top + 2, 0);
    EXPECT_EQ(clip->CurrentVideoEffect(), opacity);
    const Rect box = panels.List().EnableBox(1);
    root->Input(&window, kLeftButtonDown, box.left + 4, box.top + 4, 0);
    EXPECT_FALSE(EffectListView::IsEnabled(*opacity));
    EXPECT_TRUE(Run(kRemoveEffectCommand) & kChanged);
    EXPECT_EQ(clip->VideoEffects().size(), 1u);
    EXPECT_EQ(clip->CurrentVideoEffect(), nullptr);

    // Audio effects go to the other list, which then shows.
    platform.menus.answers = {142};
    Run(365);
    EXPECT_TRUE(panels.ShowsAudio());
    EXPECT_EQ(clip->AudioEffects().size(), 1u);
    Run(362);
    EXPECT_FALSE(panels.ShowsAudio());
    panels.Sync();
    EXPECT_EQ(panels.List().Entries().size(), 2u);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST_F(EditorPanelsTest, AnAudioClipsListMenuCarriesTheEnvelopeCommands) {
    std::vector<int> ran;
    WorkspaceOptions options = Options();
    options.envelope = {[&](int command, Clip& arrangement, Clip&, Variable* variable, double releaseMs) {
        ran.push_back(command);
        EXPECT_EQ(&arrangement, root.get());
        EXPECT_EQ(releaseMs, kDefaultReleaseMs);
        return command != kToClipStrip || variable != nullptr;
    }};
    Start(std::move(options));
    const EnvelopeOperations& envelope = root->Options().envelope;
    EXPECT_EQ(EnvelopeSubmenu(envelope, *clip), nullptr);  // a text clip has no audio
    testing::TempFolder folder;
    const std::string wav = folder.File("tone.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 400));
    Clip* tone = root->ImportMedia(wav);
    ASSERT_NE(tone, nullptr);
    root->Editor().LayOut(1024, 768);
    const Rect list = root->Editor().Panels().List().RowRect(0);
    platform.menus.answers = {kFullRangeEnvelope};
    const ResultFlags out = root->Input(&window, kRightButtonUp, list.left + 30, list.top + 2, 0);
    EXPECT_TRUE(out & kChanged);
    ASSERT_FALSE(platform.menus.shown.empty());
    EXPECT_EQ(platform.menus.shown.back().back().caption, Str(772));
    EXPECT_EQ(ran, std::vector<int>{kFullRangeEnvelope});
    EXPECT_TRUE(RunEnvelopeCommand(envelope, kToClipStrip, *tone, root->Editor().Panels().Curve().Shown()) & kChanged);
    EXPECT_EQ(EnvelopeSubmenu({}, *tone), nullptr);
}

}  // namespace
}  // namespace vantrel
