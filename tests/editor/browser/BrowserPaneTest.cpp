// The browser in the editor: its pane, F1 over the controls, "Help Home",
// the start page and the close box, through the root's own input.
#include <gtest/gtest.h>

#include "items/ProgramFolder.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "editor/browser/InfoBrowser.h"
#include "platform/Platform.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/support/TempFolder.h"
#include "script/ScriptContext.h"

#include <filesystem>
#include <fstream>

namespace vantrel {
namespace {

struct BrowserPaneTest : testing::ScriptedEditorTest {
    InfoBrowser browser;

    void SetUp() override {
        InfoBrowser::Outside outside;
        outside.language = [] { return 9; };
        outside.refreshOff = [] { return true; };
        browser.SetOutside(outside);
        WorkspaceOptions options = Options();
        options.infoBrowser = &browser;
        options.infoBrowserShown = [this] { return browser.Shown(); };
        options.showHelpTopic = [this](int topic) { browser.ShowNumberedPage(topic); };
        Open(std::move(options));
        root->Editor().LayOut(1024, 768);
    }
    // The root lets go of the browser it holds before the browser goes.
    void TearDown() override { root.reset(); }
    Point Centre(const Rect& r) const { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(BrowserPaneTest, TheBrowserHasItsPaneWhileShown) {
    // The start page is up, so the bottom-left pane is the browser's.
    ASSERT_EQ(browser.History().Current().number, 215);
    const Rect pane = root->Editor().Layout().Of(kInfoBrowserRegion);
    ASSERT_FALSE(pane.IsEmpty());
    EXPECT_EQ(browser.Rectangle(), pane);
    EXPECT_EQ(root->Editor().HitAt(Centre(pane)), kInfoBrowserRegion);

    // F1 over a control shows that control's page.
    const Rect clipInfo = root->Editor().ControlById(367)->Rectangle();
    root->Input(&window, kKeyUp, Centre(clipInfo).x, Centre(clipInfo).y, kVkF1);
    EXPECT_EQ(browser.History().Current().number, 367);

    // A click on the close box, routed by the root, hides the pane.
    const Point close = Centre(browser.CloseBox());
    root->Input(&window, kLeftButtonDown, close.x, close.y, kLeftButtonHeld);
    root->Editor().LayOut(1024, 768);
    EXPECT_FALSE(browser.Shown());
    EXPECT_TRUE(root->Editor().Layout().Of(kInfoBrowserRegion).IsEmpty());
    EXPECT_TRUE(browser.Rectangle().IsEmpty());

    // "Help Home" brings it back with the generated home page.
    ResultFlags out = 0;
    ASSERT_TRUE(root->Command(&window, InfoBrowser::kHomePage, out));
    root->Editor().LayOut(1024, 768);
    EXPECT_EQ(browser.History().Current().number, InfoBrowser::kHomePage);
    EXPECT_FALSE(root->Editor().Layout().Of(kInfoBrowserRegion).IsEmpty());
}

// Offline, "Help Home" is the shipped home page; the wheel scrolls the page
// under the pointer; a tutorial's file dialog opens in the sample folder.
TEST_F(BrowserPaneTest, OfflineHomeTheWheelAndATutorialsDialog) {
    testing::TempFolder program;
    const std::string savedProgram = ProgramFolder();
    SetProgramFolder(program.Slash());
    std::filesystem::create_directories(program / "9/tuts");
    std::string page = "<vrh>";
    for (int i = 0; i < 80; ++i) page += " line <br>";
    std::ofstream(program / "9/home.vrh") << page;
    std::ofstream(program / "9/tuts/pick.vrm") << "<vrs> ;\n* Command 1 ;\n";

    InfoBrowser::Outside outside = browser.GetOutside();
    outside.memberArea = [] { return false; };
    browser.SetOutside(outside);
    ResultFlags out = 0;
    ASSERT_TRUE(root->Command(&window, InfoBrowser::kHomePage, out));
    EXPECT_EQ(browser.History().Current().name, "9/home.vrh");
    EXPECT_EQ(browser.History().Current().number, 0);

    root->Editor().LayOut(1024, 768);
    testing::RecordingDrawContext dc;
    dc.lineHeight = 16;
    root->Paint(dc, 0, 0, 1024, 768, 0);
    ASSERT_GT(browser.ScrollRange(), InfoBrowser::kWheelStepPx);
    const Point middle = Centre(root->Editor().Layout().Of(kInfoBrowserRegion));
    for (int turn : {-120, 240})  // down the page, then up past its top
        root->Input(&window, kMouseWheel, middle.x, middle.y, std::uintptr_t(std::uint16_t(turn)) << 16);
    EXPECT_EQ(browser.ScrollPosition(), 0);
    root->Input(&window, kMouseWheel, middle.x, middle.y, std::uintptr_t(std::uint16_t(-120)) << 16);
    EXPECT_EQ(browser.ScrollPosition(), InfoBrowser::kWheelStepPx);

    // The script runs as a tutorial from a page does.
    std::string output;
    RunScriptFile(root.get(), "9/tuts/pick.vrm", "", output);
    ASSERT_EQ(platform.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.openRequests[0].folder, program / "9/samps/");
    // Other languages share these samples until their folder has its own.
    EXPECT_EQ(ExampleFolder(7), program.Slash() + "9/samps/");
    std::filesystem::create_directories(program / "7/samps");
    EXPECT_EQ(ExampleFolder(7), program.Slash() + "7/samps/");
    SetProgramFolder(savedProgram);
}

}  // namespace
}  // namespace vantrel
