#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "script/ScriptContext.h"
#include "script/ScriptNames.h"
#include "tests/script/FakeHost.h"

namespace vantrel {
namespace {

using test::FakeClip;
using test::FakeVariable;

// A root with its own variable, one clip holding IDS_X, children with ids and
// the preferences object.
class NamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        rootVar_ = root_.AddVariable("IDS_ROOTVAR", 50, 0.25);
        clip_ = root_.AddClip(12, 2000);
        x_ = clip_->AddVariable("IDS_X", 45, 0.5);
        plain_ = clip_->AddVariable("PLAIN", 46, 0.75);
        other_ = root_.AddClip(45, 0);  // an id equal to x's string id
        SetScriptPreferences(&prefs_);
    }
    void TearDown() override {
        SetScriptPreferences(nullptr);
        SetScriptHelp(nullptr);
    }
    bool Run(const std::string& body) {
        context_ = ScriptContext::FromText(&root_, "<vrs> ; " + body);
        std::string out;
        return context_->Run("", out);
    }
    std::string Value(const std::string& name) {
        auto* v = context_->FindVariable(name);
        return v ? v->value : "<none>";
    }

    test::FakeRoot root_;
    test::FakePreferences prefs_;
    FakeClip* clip_ = nullptr;
    FakeClip* other_ = nullptr;
    FakeVariable* rootVar_ = nullptr;
    FakeVariable* x_ = nullptr;
    FakeVariable* plain_ = nullptr;
    std::unique_ptr<ScriptContext> context_;
};

TEST_F(NamesTest, OwnerNamesResolveInTheirOrder) {
    struct Case {
        std::string name;
        Control* expected;
    };
    const std::vector<Case> cases = {
        {"", nullptr},           {".", clip_},           {"IDS_X", x_},        {"ids_x", x_},
        {"X", x_},               {"x", x_},              {"PLAIN", plain_},    {"IDS_PLAIN", nullptr},
        {"46", plain_},          {"#46", nullptr},       {"45", x_},           {"0", nullptr},
        {"prefs", &prefs_},      {".PREFS", &prefs_},    {"*.prefs", &prefs_}, {"help", ScriptHelp()},
        {"*.Help", ScriptHelp()}, {"nothing", nullptr},  {"mt", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(clip_->ResolveName(c.name), c.expected) << '"' << c.name << '"';
}

TEST_F(NamesTest, NumbersFindChildrenBeforeVariables) {
    // 45 is both a child's id and x's string id: the child wins, "#" too.
    EXPECT_EQ(root_.ResolveName("45"), other_);
    EXPECT_EQ(root_.ResolveName("#45"), other_);
    EXPECT_EQ(root_.ResolveName("#12"), clip_);
    EXPECT_EQ(root_.ResolveName("12"), clip_);
    EXPECT_EQ(root_.ResolveName("50"), rootVar_);  // no child 50: the variable's string id
    EXPECT_EQ(root_.ResolveName("#50"), nullptr);
}

TEST_F(NamesTest, OnlyTheFirst256ChildrenAreSearched) {
    for (int i = 0; i < 300; ++i) root_.AddClip(1000 + i, 0);
    // Two children were there before: 1253 is the 256th.
    EXPECT_NE(root_.ResolveName("#1253"), nullptr);
    EXPECT_EQ(root_.ResolveName("#1254"), nullptr);
}

TEST_F(NamesTest, CurrentClipPrefixFallsThroughWhenThereIsNone) {
    EXPECT_EQ(root_.ResolveName("*"), &root_);
    EXPECT_EQ(root_.ResolveName("cc.ROOTVAR"), nullptr);  // no fall through to "ROOTVAR"
    EXPECT_EQ(root_.ResolveName("cc.X"), nullptr);
    EXPECT_FALSE(Run("a = cc.X GetValue ;"));
    root_.currentClip = clip_;
    EXPECT_EQ(root_.ResolveName("cc.X"), x_);
    EXPECT_EQ(root_.ResolveName("CC.x"), x_);
    EXPECT_EQ(root_.ResolveName("cc.."), clip_);
    EXPECT_EQ(root_.ResolveName("cc.ROOTVAR"), nullptr);  // the clip decides once it is there
    ASSERT_TRUE(Run("a = cc.X GetValue ; b = cc.X SetValue 0.125 ;"));
    EXPECT_EQ(Value("a"), "0.500000");
    EXPECT_EQ(Value("b"), "0.500000");
    EXPECT_EQ(x_->value, 0.125);
}

TEST_F(NamesTest, RootPrefixesFallThroughToTheRootsOwnNames) {
    // Names like "cc.X" with no current clip end in the common resolution,
    // where a variable spelled that way would be found.
    FakeVariable* odd = root_.AddVariable("ca.Y", 60, 1);
    EXPECT_EQ(root_.ResolveName("ca.Y"), odd);
    RootNames names;
    names.self = &root_;
    FakeClip effect;
    FakeVariable* level = effect.AddVariable("IDS_LEVEL", 70, 1);
    names.currentVideoEffect = &effect;
    EXPECT_EQ(ResolveRootName("cv.level", names, root_.Names()), level);
    EXPECT_EQ(ResolveRootName("ca.Y", names, root_.Names()), odd);
    // Once the object is there it decides alone.
    names.currentAudioEffect = &effect;
    EXPECT_EQ(ResolveRootName("ca.Y", names, root_.Names()), nullptr);
}

TEST_F(NamesTest, RectanglePanelNamesFallBackToThePanel) {
    Control panel, next, left, cornerSw;
    RectanglePanelNames rect;
    rect.panel = &panel, rect.nextKeyFrame = &next;
    rect.edges[0] = &left;
    rect.corners[3] = &cornerSw;
    EXPECT_EQ(ResolveRectanglePanelName("#612", rect), &next);
    EXPECT_EQ(ResolveRectanglePanelName("Left", rect), &left);
    EXPECT_EQ(ResolveRectanglePanelName("SW", rect), &cornerSw);
    EXPECT_EQ(ResolveRectanglePanelName("anything", rect), &panel);
}

TEST_F(NamesTest, TimeGridAndItsFourControls) {
    class Grid final : public Control {
    public:
        std::array<Control*, 4> controls{};
        Control* ResolveName(const std::string& rest) override { return ResolveTimeGridName(rest, controls); }
        bool RunCommand(const std::string&, std::string& answer) override { return answer.clear(), false; }
    } grid;
    Control bpm, units, size, quantize;
    grid.controls = {&bpm, &units, &size, &quantize};
    OwnerNames names = clip_->Names();
    names.timeGrid = &grid;
    EXPECT_EQ(ResolveOwnerName("MT", names), &grid);
    EXPECT_EQ(ResolveOwnerName("mt.336", names), &bpm);
    EXPECT_EQ(ResolveOwnerName("mt.#339", names), &quantize);
    EXPECT_EQ(ResolveOwnerName("mt.340", names), nullptr);
    EXPECT_EQ(ResolveOwnerName("mt.X", names), nullptr);
    EXPECT_EQ(ResolveOwnerName("mt.", names), nullptr);
}

TEST_F(NamesTest, TimeCommandsSpeakSeconds) {
    clip_->SetTimeValue(2500);
    clip_->SetSize(4000);
    clip_->SetOffset(-250);
    ASSERT_TRUE(Run("t = #12 GetTime ; p = #12 getposition ; s = #12 GetSize ; o = #12 GetOffset ;"));
    EXPECT_EQ(Value("t"), "2.500000");
    EXPECT_EQ(Value("p"), "2.000000");
    EXPECT_EQ(Value("s"), "4.000000");
    EXPECT_EQ(Value("o"), "-0.250000");
    for (const char* bad : {"#12 GetTime now ;", "#12 SetTime ;", "#12 SetTime 1 2 ;", "#12 SetTime x ;",
                            "#12 ;", "#12 Jump ;"})
        EXPECT_FALSE(Run(bad)) << bad;
    EXPECT_TRUE(Run("a = #12 GetID ; b = #12 GetType ;"));
    EXPECT_EQ(Value("a"), "12");
    EXPECT_EQ(Value("b"), "UIItem");
}

TEST_F(NamesTest, SetTimeAddsTheAncestorsPositionsAndDropsTheFraction) {
    root_.SetTimeValue(0);
    ASSERT_TRUE(Run("old = * SetTime 1.0009 ;"));
    EXPECT_EQ(root_.Time(), 1000);
    EXPECT_EQ(Value("old"), "0.000000");
    // The clip starts at 2 s: its own 1 s is the root's 3 s.
    FakeClip* inner = clip_->AddClip(99, 500);
    ASSERT_TRUE(Run("old = #12 SetTime 1 ;"));
    EXPECT_EQ(root_.Time(), 3000);
    EXPECT_EQ(clip_->Time(), 1000);
    EXPECT_EQ(Value("old"), "-1.000000");
    // Deeper down the positions add up.
    auto innerHost = ScriptContext::FromText(inner, "<vrs> ; x = . SetTime 0.25 ;");
    std::string out;
    ASSERT_TRUE(innerHost->Run("", out));
    EXPECT_EQ(root_.Time(), 2750);
    EXPECT_EQ(inner->Time(), 250);
}

TEST_F(NamesTest, PreferencesGetAndSet) {
    ASSERT_TRUE(Run("a = prefs get ShowStatusMessages ; b = prefs set ShowStatusMessages no ;"
                    " c = prefs GET showstatusmessages ; d = prefs set ShowStatusMessages YES extra words ;"));
    EXPECT_EQ(Value("a"), "1");
    EXPECT_EQ(Value("b"), "1");
    EXPECT_EQ(Value("c"), "0");
    EXPECT_EQ(Value("d"), "0");
    EXPECT_TRUE(prefs_.showStatusMessages);
    for (const char* bad : {"prefs set ShowStatusMessages ;", "prefs get ShowStatusMessages x ;",
                            "prefs get Other ;", "prefs put ShowStatusMessages x y ;", "prefs ;"})
        EXPECT_FALSE(Run(bad)) << bad;
    EXPECT_TRUE(Run("prefs get ShowStatusMessages x y ;"));
    SetScriptPreferences(nullptr);
    EXPECT_FALSE(Run("prefs get ShowStatusMessages ;"));
}

TEST_F(NamesTest, HelpRecordsThePagesUntilTheBrowserIsThere) {
    PageRequestRecorder recorder;
    SetScriptHelp(&recorder);
    ASSERT_TRUE(Run("help 12 ; .help #12 ; *.help intro.txt ; help 12a ;"));
    const std::vector<PageReference> expected = {
        {true, 12, ""}, {true, 12, ""}, {false, 0, "intro.txt"}, {false, 0, "12a"}};
    EXPECT_EQ(recorder.pages, expected);
}

TEST(PageReferenceTest, NumbersAndNames) {
    EXPECT_EQ(ParsePageReference("007"), (PageReference{true, 7, ""}));
    EXPECT_EQ(ParsePageReference("#3"), (PageReference{true, 3, ""}));
    EXPECT_EQ(ParsePageReference("#"), (PageReference{false, 0, "#"}));
    EXPECT_EQ(ParsePageReference(""), (PageReference{false, 0, ""}));
    EXPECT_EQ(ParsePageReference("99999999999").number, 2147483647);
}

}  // namespace
}  // namespace vantrel
