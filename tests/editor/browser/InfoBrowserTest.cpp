#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "items/ProgramFolder.h"
#include "items/UserFolders.h"
#include "editor/browser/InfoBrowser.h"
#include "editor/browser/PageText.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

using testing::RecordingDrawContext;
using testing::TempFolder;

// Ten pixels a character, sixteen a line; bold words two pixels wider.
std::array<int, 2> Measure(const std::string& text, bool bold) {
    return {int(text.size()) * 10 + (bold ? 2 : 0), 16};
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// An item tree root that names one object and records what it was sent.
class NamingRoot final : public Control {
public:
    struct Object final : Control {
        std::vector<int> commands;
        bool Command(Window*, int command, ResultFlags&) override {
            commands.push_back(command);
            return true;
        }
    } object;
    std::string known = "cc.IDS_OPACITY";
    Control* ResolveName(const std::string& name) override { return name == known ? &object : nullptr; }
};

// A browser in its own program folder, with the shell and the Surf folder
// recorded rather than used.
struct BrowserFixture : ::testing::Test {
    TempFolder program, surf;
    std::string savedProgram = ProgramFolder();
    std::vector<std::string> opened;
    InfoBrowser browser;
    NamingRoot root;

    BrowserFixture() {
        SetProgramFolder(program.Slash());
        InfoBrowser::Outside outside;
        outside.open = [this](const std::string& path) { return opened.push_back(path), true; };
        outside.language = [] { return 9; };
        outside.refreshOff = [] { return true; };
        outside.surfFolder = [this] { return surf.Slash() + "VantrelSurf/"; };
        browser.SetOutside(outside);
        browser.SetParent(&root);
        browser.SetRectangle({0, 0, 400, 300});
    }
    ~BrowserFixture() override { SetProgramFolder(savedProgram); }

    void LayOut() {
        RecordingDrawContext dc;
        dc.charWidth = 10;
        dc.lineHeight = 16;
        browser.LayOut(dc);
    }
    // The panel point over the middle of a word.
    Point Over(const PageWord& word) const {
        const Rect area = browser.TextArea();
        return {area.left + (word.rect.left + word.rect.right) / 2,
                area.top + (word.rect.top + word.rect.bottom) / 2 - browser.ScrollPosition()};
    }
    const PageWord& Word(const std::string& shown) const {
        for (const PageWord& word : browser.Words())
            if (word.shown == shown) return word;
        throw std::runtime_error("no word " + shown);
    }
};

TEST(PageMarkup, BreaksAndWrapsLines) {
    std::vector<PageWord> words = ParsePage("<vrh> one two\n <br> <BR>   three");
    ASSERT_EQ(words.size(), 6u);
    EXPECT_TRUE(words[0].tag);
    const int height = LayOutWords(words, 400, Measure);
    EXPECT_EQ(words[1].rect, (Rect{0, 0, 30, 16}));
    EXPECT_EQ(words[2].rect, (Rect{40, 0, 70, 16}));  // one space after "one"
    EXPECT_EQ(words[5].rect.top, 32);                   // line 2 stays empty
    EXPECT_EQ(words[5].rect.left, 0);
    EXPECT_EQ(height, 48);

    // A word that does not fit starts a line; one wider than the area
    // stays alone on its line.
    words = ParsePage("aaaa bbbb wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww cc");
    LayOutWords(words, 100, Measure);
    EXPECT_EQ(words[1].rect.top, 0);
    EXPECT_EQ(words[2].rect.top, 16);
    EXPECT_EQ(words[2].rect.left, 0);
    EXPECT_EQ(words[3].rect.top, 32);
}

TEST(PageMarkup, TaggedWords) {
    const PageWord go = ClassifyWord("<H=Go=12>");
    EXPECT_EQ(go.kind, WordKind::Link);
    EXPECT_EQ(go.shown, "Go");
    EXPECT_EQ(go.target, "12");
    EXPECT_TRUE(go.IsLink());

    for (const char* inert : {"<H=Go>", "<h=Go=>"}) {
        const PageWord word = ClassifyWord(inert);
        EXPECT_EQ(word.kind, WordKind::Plain) << inert;
        EXPECT_EQ(word.shown, "Go") << inert;
        EXPECT_FALSE(word.HasTarget()) << inert;
    }
    const PageWord both = ClassifyWord("<m=Opacity=cc.IDS_OPACITY>");
    EXPECT_EQ(both.kind, WordKind::LinkAndObject);
    EXPECT_TRUE(both.NamesObject() && both.IsLink());
    EXPECT_EQ(ClassifyWord("<T=Preview=ne>").kind, WordKind::ObjectName);
    EXPECT_FALSE(ClassifyWord("<T=Preview=ne>").Clickable());
    EXPECT_EQ(ClassifyWord("<C=Run=9/tuts/a.vrm>").kind, WordKind::Script);
    EXPECT_EQ(ClassifyWord("<X=a=b>").kind, WordKind::Plain);
    EXPECT_EQ(ClassifyWord("<H=a=b").kind, WordKind::Plain);  // no closing ">"

    // Words with a target are measured bold.
    std::vector<PageWord> words = ParsePage("<H=Go=12> Go");
    LayOutWords(words, 400, Measure);
    EXPECT_EQ(words[0].rect.Width(), 22);
    EXPECT_EQ(words[1].rect.Width(), 20);
}

TEST(PageMarkup, TargetsAndNames) {
    EXPECT_EQ(ClassifyTarget("MAILTO:a@b.example").kind, LinkTarget::Mail);
    EXPECT_EQ(ClassifyTarget("http://a.example/").kind, LinkTarget::Web);
    EXPECT_EQ(ClassifyTarget("ftp://a.example/").kind, LinkTarget::Web);
    EXPECT_EQ(ClassifyTarget("#605").kind, LinkTarget::Numbered);
    EXPECT_EQ(ClassifyTarget("605").number, 605);
    EXPECT_EQ(ClassifyTarget("9/home.vrh").kind, LinkTarget::Named);
    EXPECT_EQ(NumberedPageName(9, 605), "9/h0000605.txt");
    EXPECT_EQ(RelativePageName("9\\tuts\\menu.vrh"), "9/tuts/menu.vrh");
    EXPECT_FALSE(RelativePageName("../etc/passwd"));
    EXPECT_FALSE(RelativePageName("/etc/passwd"));
}

TEST(PageMarkup, History) {
    PageHistory history;
    EXPECT_FALSE(history.Back());
    history.Navigate("9/a.vrh", 0);
    EXPECT_FALSE(history.Back());  // one entry
    history.Navigate("9/A.VRH", 0);
    EXPECT_EQ(history.Count(), 1u);  // the same page only reloads
    for (int i = 1; i <= 33; ++i) history.Navigate(NumberedPageName(9, i), i);
    EXPECT_EQ(history.Count(), 32u);
    EXPECT_EQ(history.Current().number, 33);
    EXPECT_EQ(history.At(31).number, 2);
    history.SetReplace(true);
    history.Navigate("9/b.vrh", 0);
    EXPECT_EQ(history.Count(), 32u);
    EXPECT_EQ(history.At(1).number, 32);
    ASSERT_TRUE(history.Back());
    EXPECT_EQ(history.Current().number, 32);
}

TEST(PageMarkup, TopicsAndFigures) {
    TopicTable topics;
    RegisterEffectCatalogueTopics(topics);
    EXPECT_FALSE(topics.Register(0, {1}, {}));
    EXPECT_FALSE(topics.Register(1024, {1}, {}));
    EXPECT_TRUE(topics.Register(605, {1, 2}, {}));  // the first list stays
    EXPECT_EQ(*topics.SubTopics(605), (std::vector<int>{105, 75, 77, 251, 442, 271}));
    EXPECT_EQ(topics.SubTopics(75)->size(), 18u);
    EXPECT_EQ(*topics.Related(606), (std::vector<int>{606}));

    VariableFigures figures;
    figures.stringId = 103;
    figures.identifier = "IDS_OPACITY";
    figures.maximum = 1;
    figures.keyCount = 2;
    figures.lowestKeyMs = 500;
    figures.highestKeyMs = 2250;
    topics.Register(103, {}, {105});
    std::vector<InfoEntry> entries;
    const auto text = [](int id) { return "#" + std::to_string(id); };
    const int bottom = LayOutInfoEntries(entries, 103, figures, topics, 100, 10, text, Measure);
    std::vector<std::string> shown;
    for (const InfoEntry& entry : entries) shown.push_back(entry.text);
    EXPECT_EQ(shown, (std::vector<std::string>{"#237", "IDS_OPACITY", "#126 = 0.000", "#127 = 1.000", "#125 = 0.000",
                                               "#184 = 2", "#185 = 0.500", "#186 = 2.250", "#597", "#105"}));
    EXPECT_EQ(entries[0].rect.top, 132);  // two lines before a title
    EXPECT_EQ(entries[0].rect.left, 30);
    EXPECT_EQ(entries[1].rect.left, 10);
    EXPECT_EQ(entries.back().rect.left, 60);
    EXPECT_EQ(entries.back().stringId, 105);
    EXPECT_EQ(bottom, entries.back().rect.bottom);
    // Another page does not show the figures.
    LayOutInfoEntries(entries, 105, figures, topics, 0, 10, text, Measure);
    EXPECT_EQ(entries.front().text, "#596");
}

TEST_F(BrowserFixture, ReadsPagesByTheirRules) {
    WriteAll(program / "9/caps.vrh", "<VRH> Capital tag");
    WriteAll(program / "9/untagged.vrh", "no tag here");
    WriteAll(program / "9/h0000605.txt", "  \n ");
    browser.ShowNamedPage("9/caps.vrh");
    EXPECT_EQ(browser.PageText(), "<VRH> Capital tag");
    browser.ShowNamedPage("9/untagged.vrh");
    EXPECT_EQ(browser.PageText(), "More info on this topic coming soon...");
    browser.ShowNumberedPage(12);  // missing topic page
    EXPECT_EQ(browser.PageText(), "More info on this topic coming soon...");
    browser.ShowNumberedPage(605);  // white space only
    EXPECT_EQ(browser.PageText(), " File Not Found.");
    EXPECT_EQ(browser.GetId(), 605);
    EXPECT_EQ(browser.Title(), "Video Effects (#605)");
    browser.ShowNamedPage("9/missing.dat");
    EXPECT_EQ(browser.PageText(), " File Not Found.");
    EXPECT_EQ(browser.GetId(), InfoBrowser::kNamedPageId);
    EXPECT_EQ(browser.Title(), "Help");

    // The home page, for German and for any other language.
    browser.ShowHomePage();
    EXPECT_EQ(Word("Tutorials").target, "9/tuts/menu.vrh");
    EXPECT_EQ(Word("Options").target, "9/home.vrh");
    InfoBrowser::Outside german;
    german.language = [] { return 7; };
    german.refreshOff = [] { return true; };
    browser.SetOutside(german);
    browser.ShowNamedPage("9/caps.vrh");
    browser.ShowHomePage();
    EXPECT_EQ(Word("Tutorials").target, "7/tuts/menu.vrh");
}

TEST_F(BrowserFixture, ScriptsTurnPages) {
    std::string answer;
    EXPECT_TRUE(browser.RunCommand("12", answer));
    EXPECT_EQ(browser.History().Current().number, 12);
    EXPECT_TRUE(browser.RunCommand("#605", answer));
    EXPECT_EQ(browser.History().Current().name, "9/h0000605.txt");
    EXPECT_TRUE(browser.RunCommand("9/home.vrh", answer));
    EXPECT_EQ(browser.History().Current().number, 0);
    EXPECT_EQ(browser.History().Count(), 3u);
    ResultFlags out = 0;
    EXPECT_TRUE(browser.Command(nullptr, InfoBrowser::kBackCommand, out));
    EXPECT_EQ(browser.History().Current().number, 605);

    // The start page takes the place of the page shown, and only when the
    // preference wants it.
    browser.ShowStartPage();
    EXPECT_EQ(browser.History().Count(), 2u);
    EXPECT_EQ(browser.History().Current().number, 215);
    InfoBrowser::Outside outside = browser.GetOutside();
    outside.startPageWanted = [] { return false; };
    browser.SetOutside(outside);
    browser.ShowNumberedPage(12);
    browser.ShowStartPage();
    EXPECT_EQ(browser.History().Current().number, 12);
}

TEST_F(BrowserFixture, ClicksAndHovers) {
    WriteAll(program / "9/page.vrh", "<vrh> <H=Go=12> <H=Inert> <M=Opacity=cc.IDS_OPACITY> <T=Nothing=cc.IDS_NONE>");
    browser.ShowNamedPage("9/page.vrh");
    LayOut();
    // Moving over the object word lights the object up every time.
    browser.Input(nullptr, kMouseMove, Over(Word("Opacity")).x, Over(Word("Opacity")).y, 0);
    browser.Input(nullptr, kMouseMove, Over(Word("Opacity")).x, Over(Word("Opacity")).y + 1, 0);
    EXPECT_EQ(root.object.commands, (std::vector<int>{InfoBrowser::kHelpHoverCommand, 359}));
    browser.Input(nullptr, kMouseMove, Over(Word("Nothing")).x, Over(Word("Nothing")).y, 0);  // resolves to nothing
    EXPECT_EQ(root.object.commands.size(), 2u);

    const Point inert = Over(Word("Inert"));
    EXPECT_EQ(browser.Input(nullptr, kLeftButtonDown, inert.x, inert.y, 0), 0u);
    EXPECT_EQ(browser.History().Count(), 1u);

    const Point opacity = Over(Word("Opacity"));
    browser.Input(nullptr, kLeftButtonDown, opacity.x, opacity.y, 0);
    EXPECT_EQ(browser.History().Current().name, "cc.IDS_OPACITY");
    browser.Back();
    LayOut();
    const Point go = Over(Word("Go"));
    browser.Input(nullptr, kLeftButtonDown, go.x, go.y, 0);
    EXPECT_EQ(browser.History().Current().number, 12);

    // The Go link is drawn bold in the links colour, the inert word plainly.
    browser.Back();
    RecordingDrawContext dc;
    dc.charWidth = 10;
    dc.lineHeight = 16;
    browser.Paint(dc, 0, 0, 400, 300, 0);
    bool sawGo = false, sawInert = false;
    for (std::size_t i = 0; i < dc.texts.size(); ++i) {
        const TextStyle& style = dc.textStyles[i];
        EXPECT_TRUE(dc.texts[i] != "Go" || (sawGo = style.bold && style.serif && style.colour == Rgb(0, 127, 0)));
        EXPECT_TRUE(dc.texts[i] != "Inert" || (sawInert = !style.bold && style.colour == 0));
    }
    EXPECT_TRUE(sawGo && sawInert);

    // The close box hides the browser until the next page.
    const Rect close = browser.CloseBox();
    browser.Input(nullptr, kLeftButtonDown, close.left + 2, close.top + 2, 0);
    EXPECT_FALSE(browser.Shown());
    browser.ShowNumberedPage(605);
    EXPECT_TRUE(browser.Shown());
}

TEST_F(BrowserFixture, ScrollBarFollowsThePointer) {
    std::string page = "<vrh>";
    for (int i = 0; i < 60; ++i) page += " line <br>";
    WriteAll(program / "9/long.vrh", page);
    browser.ShowNamedPage("9/long.vrh");
    LayOut();
    ASSERT_GT(browser.ScrollRange(), 0);
    const Rect bar = browser.ScrollBar(), area = browser.TextArea();
    EXPECT_EQ(browser.Input(nullptr, kLeftButtonDown, bar.left + 2, area.top, 0) & kCaptureMe, kCaptureMe);
    browser.Input(nullptr, kMouseMove, 0, area.bottom + 50, 0);  // clamped at the end
    EXPECT_EQ(browser.ScrollPosition(), browser.ScrollRange());
    browser.Input(nullptr, kMouseMove, 0, area.top + area.Height() / 2, 0);
    EXPECT_NEAR(browser.ScrollPosition(), browser.ScrollRange() / 2, 1);
    EXPECT_EQ(browser.Input(nullptr, kLeftButtonUp, 0, 0, 0) & kReleaseMe, kReleaseMe);
}

TEST_F(BrowserFixture, AddressesGoThroughFilesTheShellOpens) {
    browser.FollowTarget("mailto:support@vantrel.example");
    const std::string folder = surf.Slash() + "VantrelSurf/";
    ASSERT_EQ(opened, (std::vector<std::string>{folder + "Vantrel Web Directions.url"}));
    EXPECT_EQ(ReadAll(opened[0]), "[InternetShortcut]\nURL=mailto:support@vantrel.example\n\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "Vantrel Web Directions.htm"));
    EXPECT_TRUE(browser.History().Empty());

    browser.FollowTarget("http://a.example/?x=\"><script>");
    ASSERT_EQ(opened.size(), 2u);
    const std::string html = ReadAll(folder + "Vantrel Web Directions.htm");
    EXPECT_NE(html.find("<a href=\"http://a.example/?x=&quot;&gt;&lt;script&gt;\">"), std::string::npos);
    EXPECT_NE(html.find("Vantrel Surf would like to take you"), std::string::npos);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
}

TEST_F(BrowserFixture, EditMakesTheUsersCopy) {
    EXPECT_EQ(browser.EditCurrentPage(), "");  // no page yet
    const std::string name = "9/edit-" + std::to_string(::getpid()) + ".vrh";
    browser.ShowNamedPage(name);
    const std::string path = browser.EditCurrentPage();
    ASSERT_EQ(path, DataFolder() + name);
    EXPECT_EQ(ReadAll(path), "Replace this text for file \"" + name + "\"\n");
    EXPECT_EQ(opened, std::vector<std::string>{path});
    EXPECT_FALSE(std::filesystem::exists(program / name));  // the shipped folder is left alone
    // A shipped page is copied for editing, and the copy is what shows.
    const std::string shipped = "9/shipped-" + std::to_string(::getpid()) + ".vrh";
    WriteAll(program / shipped, "<vrh> shipped words");
    browser.ShowNamedPage(shipped);
    EXPECT_EQ(ReadAll(browser.EditCurrentPage()), "<vrh> shipped words");
    std::filesystem::remove(path);
    std::filesystem::remove(DataFolder() + shipped);
}

}  // namespace
}  // namespace vantrel
