#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "items/StringTable.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/Builtins.h"
#include "script/ScriptContext.h"
#include "tests/script/FakeHost.h"

namespace vantrel {
namespace {

class BuiltinTest : public ::testing::Test {
protected:
    void SetUp() override {
        StringTable::Instance().LoadResources();
        platform_.clock.now = 1000;
    }
    bool Run(const std::string& body, std::string* output = nullptr) {
        context_ = ScriptContext::FromText(&host_, "<vrs> ; " + body, "b.vrm");
        std::string out;
        const bool result = context_->Run("", out);
        if (output) *output = out;
        return result;
    }
    std::string Value(const std::string& name) {
        auto* v = context_->FindVariable(name);
        return v ? v->value : "<none>";
    }
    ScriptedPlatform platform_;
    test::FakeRoot host_;
    std::unique_ptr<ScriptContext> context_;
};

struct WaitCase {
    std::string statement;
    bool result;
    std::uint32_t startTicks;
    std::uint32_t endTicks;  // the scripted clock advances only by the 10 ms polls
};

void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.statement << " from " << c.startTicks; }

class WaitTest : public BuiltinTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(WaitTest, PollsInTenMillisecondStepsUntilTheTarget) {
    const WaitCase& c = GetParam();
    platform_.clock.now = c.startTicks;
    EXPECT_EQ(Run(c.statement + " ; x = 1 ;"), c.result) << c.statement;
    EXPECT_EQ(platform_.clock.now, c.endTicks) << c.statement;
}

INSTANTIATE_TEST_SUITE_P(
    Waits, WaitTest,
    ::testing::Values(WaitCase{"! MilliTicksWait 0", true, 1000, 1000}, WaitCase{"! MilliTicksWait 25", true, 1000, 1030},
                      WaitCase{"! MilliTicksWait 20", true, 1000, 1020},
                      WaitCase{"! millitickswait 5", true, 1000, 1010},
                      WaitCase{"! MilliTicksWait -5", false, 1000, 1000},
                      WaitCase{"! MilliTicksWait", false, 1000, 1000},
                      WaitCase{"! MilliTicksWait 5 6", false, 1000, 1000},
                      WaitCase{"! MilliTicksWait abc", false, 1000, 1000},
                      WaitCase{"! MilliTicksWaitFor 1500", true, 1000, 1500},
                      WaitCase{"! MilliTicksWaitFor 900", true, 1000, 1000},
                      WaitCase{"! MilliTicksWaitFor -1", false, 1000, 1000},
                      // Signed on both sides: a count just below the wrap is
                      // negative and still waits for a small target.
                      WaitCase{"! MilliTicksWaitFor 5", true, 0xFFFFFFF0u, 14},
                      // ... and a target that wraps past 2^31 counts as reached.
                      WaitCase{"! MilliTicksWait 10", true, 0x7FFFFFFBu, 0x7FFFFFFBu}));

TEST_F(BuiltinTest, TicksAreASignedWholeNumber) {
    platform_.clock.now = 0xFFFFFFF0u;
    ASSERT_TRUE(Run("t = ! MilliTicksGet ;"));
    EXPECT_EQ(Value("t"), "-16");
    platform_.clock.now = 1234;
    ASSERT_TRUE(Run("t = ! MilliTicksGet ignored words ;"));
    EXPECT_EQ(Value("t"), "1234");
}

TEST_F(BuiltinTest, ArgumentsAreTakenAsWritten) {
    EXPECT_FALSE(Run("t = ! MilliTicksGet ; ! MilliTicksWaitFor t ; after = 1 ;"));
    EXPECT_EQ(Value("after"), "<none>");
    EXPECT_FALSE(Run("n = 5 ; ! MilliTicksWait n ;"));
}

TEST_F(BuiltinTest, UnknownBuiltinFails) {
    EXPECT_FALSE(Run("! NoSuchThing 1 ;"));
    EXPECT_TRUE(platform_.dialogs.boxes.empty());
}

struct QuestionCase {
    std::string name;
    BoxButtons buttons;
    BoxAnswer defaultButton;
    std::string unanswered;  // the result when the box takes its default
};

void PrintTo(const QuestionCase& c, std::ostream* os) { *os << c.name; }

class QuestionTest : public BuiltinTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionTest, AsksWithItsButtonsAndDefault) {
    const QuestionCase& c = GetParam();
    ASSERT_TRUE(Run("a = ! " + c.name + " Go   on? ;"));
    ASSERT_EQ(platform_.dialogs.boxes.size(), 1u);
    const MessageBoxRequest& box = platform_.dialogs.boxes[0];
    EXPECT_EQ(box.text, "Go on? ");
    EXPECT_EQ(box.caption, "Question");
    EXPECT_EQ(box.icon, BoxIcon::Question);
    EXPECT_EQ(box.buttons, c.buttons);
    EXPECT_EQ(box.defaultButton, c.defaultButton);
    EXPECT_EQ(Value("a"), c.unanswered);

    const bool yesNo = c.buttons == BoxButtons::YesNo;
    platform_.dialogs.boxAnswers = {yesNo ? BoxAnswer::Yes : BoxAnswer::Ok, yesNo ? BoxAnswer::No : BoxAnswer::Cancel};
    ASSERT_TRUE(Run("a = ! " + c.name + " x ; b = ! " + c.name + " y ;"));
    EXPECT_EQ(Value("a"), "1");
    EXPECT_EQ(Value("b"), "0");
}

TEST_P(QuestionTest, NeedsText) {
    EXPECT_FALSE(Run("! " + GetParam().name + " ;"));
    EXPECT_TRUE(platform_.dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Questions, QuestionTest,
                         ::testing::Values(QuestionCase{"AskUserOkCancel", BoxButtons::OkCancel, BoxAnswer::Ok, "1"},
                                           QuestionCase{"AskUserCancelOk", BoxButtons::OkCancel, BoxAnswer::Cancel, "0"},
                                           QuestionCase{"AskUserYesNo", BoxButtons::YesNo, BoxAnswer::Yes, "1"},
                                           QuestionCase{"AskUserNoYes", BoxButtons::YesNo, BoxAnswer::No, "0"}));

TEST_F(BuiltinTest, QuestionTextIsCutToItsBuffer) {
    const std::string word(3000, 'w');
    ASSERT_TRUE(Run("! AskUserYesNo " + word + " " + word + " ;"));
    ASSERT_EQ(platform_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform_.dialogs.boxes[0].text.size(), 4095u);
}

struct MathCase {
    std::string function;
    double argument;
    std::string expected;
};

void PrintTo(const MathCase& c, std::ostream* os) { *os << c.function << "(" << c.argument << ")"; }

class MathTest : public ::testing::TestWithParam<MathCase> {};

TEST_P(MathTest, WritesTheResultInItsForm) {
    const MathCase& c = GetParam();
    std::string result;
    ASSERT_TRUE(ApplyMathFunction(c.function, c.argument, result));
    EXPECT_EQ(result, c.expected);
}

// The platform's library computes; what matters is the form each result is
// written in, names in any case, and ranges "int" cannot hold.
INSTANTIATE_TEST_SUITE_P(
    Functions, MathTest,
    ::testing::Values(MathCase{"asin", 1, "1.570796"}, MathCase{"log10", 1000, "3.000000"},
                      MathCase{"SQRT", 9, "3.000000"}, MathCase{"int", 7.9, "7"}, MathCase{"int", -7.9, "-7"},
                      MathCase{"int", 1e12, "2147483647"}, MathCase{"int", -1e12, "-2147483648"},
                      MathCase{"log", 0, "-inf"}));

TEST(MathTest, UnknownNamesFail) {
    std::string result = "kept";
    EXPECT_FALSE(ApplyMathFunction("foo", 1, result));
    EXPECT_FALSE(ApplyMathFunction("", 1, result));
    EXPECT_FALSE(ApplyMathFunction("sqrtx", 1, result));
    EXPECT_EQ(result, "kept");
}

}  // namespace
}  // namespace vantrel
