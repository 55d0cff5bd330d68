#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "script/ScriptContext.h"
#include "tests/script/FakeHost.h"

namespace vantrel {
namespace {

using test::RecordingTarget;

// Resolves a fixed set of names; every other name denotes nothing.
class MapHost final : public Control {
public:
    Control* ResolveName(const std::string& name) override {
        auto it = targets.find(name);
        return it == targets.end() ? nullptr : it->second;
    }
    std::map<std::string, Control*> targets;
};

struct Outcome {
    bool valid = false;
    bool result = false;
    std::string output;
    std::unique_ptr<ScriptContext> context;
    const std::string* Value(const std::string& name) const {
        auto* v = context->FindVariable(name);
        return v ? &v->value : nullptr;
    }
};

Outcome RunText(Control& host, const std::string& body, const std::string& arguments = "") {
    Outcome o;
    o.context = ScriptContext::FromText(&host, "<vrs> " + body, "test.vrm");
    o.valid = o.context->Valid();
    o.output = "untouched";
    o.result = o.context->Run(arguments, o.output);
    return o;
}

struct LanguageCase {
    const char* name;
    std::string body;  // after "<vrs> "
    std::string arguments;
    bool result;
    std::string output;  // checked when the run succeeds
    std::vector<std::pair<std::string, const char*>> variables;  // nullptr: must not exist
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class LanguageTest : public ::testing::TestWithParam<LanguageCase> {
protected:
    MapHost host_;
};

TEST_P(LanguageTest, RunsToTheExpectedResultAndVariables) {
    const LanguageCase& c = GetParam();
    const Outcome o = RunText(host_, c.body, c.arguments);
    EXPECT_EQ(o.result, c.result) << c.body;
    if (c.result) {
        EXPECT_EQ(o.output, c.output) << c.body;
    }
    for (const auto& [name, value] : c.variables) {
        const std::string* got = o.Value(name);
        if (!value) {
            EXPECT_EQ(got, nullptr) << name << " in " << c.body;
        } else {
            ASSERT_NE(got, nullptr) << name << " in " << c.body;
            EXPECT_EQ(*got, value) << name << " in " << c.body;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statements, LanguageTest,
    ::testing::Values(
        LanguageCase{"MinimalScriptRuns", "; x = 1 ;", "", true, "", {{"x", "1"}}},
        LanguageCase{"HeaderTakesArguments", "a b ; c = 1 ;", "1", true, "", {{"a", "1"}, {"b", ""}}},
        LanguageCase{"ExtraArgumentsIgnored", "a ; c = 1 ;", "1 2 3", true, "", {{"a", "1"}}},
        LanguageCase{"SixteenthParameterTakesTheRest",
                     "p1 p2 p3 p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 p15 p16 ; c = 1 ;",
                     "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17  18", true, "", {{"p16", "16 17  18"}}},
        LanguageCase{"PlainWordKeepsItsText", "; x = 5 ;", "", true, "", {{"x", "5"}}},
        LanguageCase{"CompoundWritesSixDecimals", "; x = 5 ; x += 1 ;", "", true, "", {{"x", "6.000000"}}},
        LanguageCase{"DivisionByZeroFailsAndKeepsTheValue", "; x = 5 ; x /= 0 ; x = 7 ;", "", false, "",
                     {{"x", "5"}}},
        LanguageCase{"CompoundCreatesFromZero", "; y += 2 ;", "", true, "", {{"y", "2.000000"}}},
        LanguageCase{"CompoundSubtractsMultipliesDivides", "; a -= 2 ; b = 3 ; b *= 2.5 ; c = 1 ; c /= 4 ;", "", true,
                     "", {{"a", "-2.000000"}, {"b", "7.500000"}, {"c", "0.250000"}}},
        LanguageCase{"CompoundNeedsNumbers", "; x = abc ; x += 1 ;", "", false, "", {{"x", "abc"}}},
        LanguageCase{"CompoundNeedsThreeWords", "; x += 1 2 ;", "", false, "", {}},
        LanguageCase{"SineOfPi", "; x = sin(PI) ;", "", true, "", {{"x", "0.000000"}}},
        LanguageCase{"PiAnyCaseAsArgument", "; x = cos(pi) ;", "", true, "", {{"x", "-1.000000"}}},
        LanguageCase{"PiAloneIsAWord", "; x = PI ;", "", true, "", {{"x", "PI"}}},
        LanguageCase{"UnknownFunctionLeavesTheValue", "; x = foo(1) ; y = 1 ; y = foo(1) ;", "", true, "",
                     {{"x", ""}, {"y", "1"}}},
        LanguageCase{"SquareRoot", "; x = sqrt(2) ;", "", true, "", {{"x", "1.414214"}}},
        LanguageCase{"IntDropsTheFraction", "; x = int(7.9) ; y = int(-7.9) ;", "", true, "",
                     {{"x", "7"}, {"y", "-7"}}},
        LanguageCase{"FunctionOfAVariable", "; a = 16 ; x = sqrt(a) ; b = abc ; y = sqrt(b) ;", "", true, "",
                     {{"x", "4.000000"}, {"y", ""}}},
        LanguageCase{"NestedCallIsAPlainWord", "; x = sin(cos(0)) ; y = sin() ;", "", true, "",
                     {{"x", "sin(cos(0))"}, {"y", "sin()"}}},
        LanguageCase{"DomainErrorsDoNotFail", "; x = log(0) ;", "", true, "", {{"x", "-inf"}}},
        LanguageCase{"BreakInIfEndsTheLoop", "; x = 0 ; loop { x += 1 ; if x > 3 break ; } return x", "", true,
                     "4.000000", {}},
        LanguageCase{"BreakInBlockEndsOnlyTheBlock",
                     "; x = 0 ; loop { x += 1 ; if x > 3 { break ; } if x >= 6 return x ; }", "", true, "6.000000",
                     {}},
        LanguageCase{"ReturnInLoopEndsTheScript", "; x = 0 ; loop { x += 1 ; if x >= 10 return x ; } x = 99 ;", "",
                     true, "10.000000", {{"x", "10.000000"}}},
        LanguageCase{"ReturnFromNestedBlocks", "; { { return 7 ; } } x = 1 ;", "", true, "7", {{"x", nullptr}}},
        LanguageCase{"EmptyStatementAfterBraceFails",
                     "; loop { x += 1 ; if x >= 3 break ; } ; y = 1 ;", "", false, "", {{"y", nullptr}}},
        LanguageCase{"DoubleSemicolonFails", "; x = 1 ; ; y = 1 ;", "", false, "", {{"y", nullptr}}},
        LanguageCase{"BraceInsideCommentSwallowsTheSemicolon", "; // note { ; x = 1 ; } y = 2 ;", "", true, "",
                     {{"x", nullptr}, {"y", "2"}}},
        LanguageCase{"DebugStatementIsSkipped", "; debug anything at all ; x = 1 ;", "", true, "", {{"x", "1"}}},
        LanguageCase{"NamesIgnoreCase", "; X = 1 ; x += 1 ;", "", true, "", {{"x", "2.000000"}, {"X", "2.000000"}}},
        LanguageCase{"KeywordsIgnoreCase", "; x = 0 ; LOOP { x += 1 ; IF x >= 2 BREAK ; } RETURN x", "", true,
                     "2.000000", {}},
        LanguageCase{"ReturnEvaluatesEachWord", "; a = 1 ; return a b", "", true, "1 b", {}},
        LanguageCase{"ReturnKeepsAFailingWord", "; return sqrt(4) foo(1)", "", true, "2.000000 foo(1)", {}},
        LanguageCase{"ReturnWithoutText", "; return ; x = 1 ;", "", true, "", {{"x", nullptr}}},
        LanguageCase{"TopLevelBreakEndsTheRun", "; x = 1 ; break ; x = 2 ;", "", true, "", {{"x", "1"}}},
        LanguageCase{"StrayClosingBraceFails", "; x = 1 ; } y = 2 ;", "", false, "", {{"y", nullptr}}},
        // Without its "{" even a statement that could run fails.
        LanguageCase{"StrayBraceBeforeAnAssignment", "; } = 5", "", false, "", {{"}", nullptr}}},
        LanguageCase{"AssignmentNeedsThreeWords", "; x = ;", "", false, "", {}},
        LanguageCase{"IfAssignsToAVariableNamedIf", "; if = 3 ;", "", true, "", {{"if", "3"}}},
        LanguageCase{"IfNeedsFiveWords", "; if 1 < 2 ;", "", false, "", {}},
        LanguageCase{"IfHasNoNotEqual", "; if 1 != 2 x = 1 ;", "", false, "", {}},
        LanguageCase{"IfNeedsNumbers", "; if a < 2 x = 1 ;", "", false, "", {}},
        LanguageCase{"IfComparisons",
                     "; if 2 <= 2 a = 1 ; if 3 < 2 b = 1 ; if 2 == 2.0 c = 1 ; if 3 >= 4 d = 1 ; if 3 > -4 e = 1 ;",
                     "", true, "", {{"a", "1"}, {"b", nullptr}, {"c", "1"}, {"d", nullptr}, {"e", "1"}}},
        LanguageCase{"UnclosedBlockFails", "; x = 1 ; { y = 1 ;", "", false, "", {{"x", "1"}}},
        LanguageCase{"EmptyBlockFails", "; { } x = 1 ;", "", false, "", {{"x", nullptr}}},
        LanguageCase{"EmptyLoopFails", "; loop { } x = 1 ;", "", false, "", {{"x", nullptr}}},
        LanguageCase{"BlockVariablesLiveOnlyInTheBlock", "; a = 1 ; { a = 2 ; b = 3 ; }", "", true, "",
                     {{"a", "2"}, {"b", nullptr}}},
        LanguageCase{"LoopVariablesLastAllRounds", "; loop { n += 1 ; if n >= 3 return n ; }", "", true,
                     "3.000000", {}},
        LanguageCase{"UnknownTargetFails", "; nobody Hello ; x = 1 ;", "", false, "", {{"x", nullptr}}},
        LanguageCase{"LoneBangIsATargetName", "; ! ;", "", false, "", {}}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(ScriptTextTest, NeedsTheTagAndThreeWords) {
    MapHost host;
    EXPECT_FALSE(ScriptContext::FromText(&host, "<vrs> ;")->Valid());
    EXPECT_TRUE(ScriptContext::FromText(&host, "<VRS>\n; x")->Valid());
    EXPECT_FALSE(ScriptContext::FromText(&host, "<vrs>; x = 1 ;")->Valid());
    EXPECT_FALSE(ScriptContext::FromText(&host, " <vrs> ; x = 1 ;")->Valid());
    EXPECT_FALSE(ScriptContext::FromText(&host, "<vrm> ; x = 1 ;")->Valid());
    EXPECT_FALSE(ScriptContext::FromText(&host, "")->Valid());
    std::string out;
    EXPECT_FALSE(ScriptContext::FromText(&host, "<vrs> ;")->Run("", out));
}

TEST(ScriptTextTest, RejectsWordsBeyondTheTokenText) {
    MapHost host;
    // "<vrs>" ";" and "x" "=" take 12 characters with their terminators.
    const std::string fits = "<vrs> ; x = " + std::string(8192 - 12 - 1, 'a');
    const std::string over = fits + "a";
    EXPECT_TRUE(ScriptContext::FromText(&host, fits)->Valid());
    EXPECT_FALSE(ScriptContext::FromText(&host, over)->Valid());
}

TEST(ScriptTextTest, TheLastTokenTakesTheRestOfALongText) {
    MapHost host;
    std::string text = "<vrs>";
    for (int i = 0; i < 1100; ++i) text += " ;";
    auto context = ScriptContext::FromText(&host, text);
    ASSERT_TRUE(context->Valid());
    ASSERT_EQ(context->TokenCount(), ScriptContext::kMaxTokens);
    EXPECT_EQ(context->Token(1023).size(), 1 + 2 * (1100 - 1023));
}

TEST(VariableLimitTest, TheSixtyFifthVariableFails) {
    MapHost host;
    std::string body = ";";
    for (int i = 1; i <= 64; ++i) body += " v" + std::to_string(i) + " = 1 ;";
    Outcome full = RunText(host, body);
    EXPECT_TRUE(full.result);
    Outcome over = RunText(host, body + " v65 = 1 ; after = 1 ;");
    EXPECT_FALSE(over.result);
    EXPECT_EQ(over.Value("v65"), nullptr);
    EXPECT_EQ(over.Value("after"), nullptr);
    // Reusing a name is no new variable.
    EXPECT_TRUE(RunText(host, body + " V64 += 1 ;").result);
    // A block has its own table of 64.
    EXPECT_TRUE(RunText(host, body + " { w = 1 ; }").result);
}

TEST(VariableLimitTest, NamesAndValuesAreCutToTheirBuffers) {
    MapHost host;
    const std::string longName(300, 'n');
    const std::string longValue(5000, 'v');
    Outcome o = RunText(host, "; " + longName + " = " + longValue + " ; return " + longName);
    ASSERT_TRUE(o.result);
    ASSERT_EQ(o.context->OwnVariables().size(), 1u);
    EXPECT_EQ(o.context->OwnVariables()[0].name.size(), 255u);
    EXPECT_EQ(o.context->OwnVariables()[0].value.size(), 4095u);
    EXPECT_EQ(o.output.size(), 4095u);
}

class TargetCommandTest : public ::testing::Test {
protected:
    void SetUp() override { host_.targets["rec"] = &rec_; }
    MapHost host_;
    RecordingTarget rec_;
};

TEST_F(TargetCommandTest, ReplacesVariablesByValueAndJoinsWithSingleSpaces) {
    Outcome o = RunText(host_, "; a = 5 ; rec   Set a   b ; rec ;");
    EXPECT_TRUE(o.result);
    EXPECT_EQ(rec_.commands, (std::vector<std::string>{"Set 5 b", ""}));
}

TEST_F(TargetCommandTest, AssignmentTakesTheAnswerAndTheResult) {
    rec_.reply = "answer";
    Outcome o = RunText(host_, "; x = rec Get ;");
    EXPECT_TRUE(o.result);
    EXPECT_EQ(*o.Value("x"), "answer");
    rec_.accept = false;
    rec_.reply = "no";
    Outcome rejected = RunText(host_, "; x = rec Get ; y = 1 ;");
    EXPECT_FALSE(rejected.result);
    EXPECT_EQ(rejected.Value("y"), nullptr);
}

TEST_F(TargetCommandTest, AStatementCommandDoesNotTouchTheOutput) {
    rec_.reply = "ignored";
    Outcome o = RunText(host_, "; rec Get ; return done");
    EXPECT_EQ(o.output, "done");
}

TEST_F(TargetCommandTest, ARejectedCommandStopsTheScriptKeepingWhatWasDone) {
    rec_.accept = false;
    Outcome o = RunText(host_, "; a = 1 ; rec Do ; b = 1 ;");
    EXPECT_FALSE(o.result);
    EXPECT_EQ(*o.Value("a"), "1");
    EXPECT_EQ(o.Value("b"), nullptr);
}

TEST_F(TargetCommandTest, FailureTravelsOutOfBlocksLoopsAndIfs) {
    rec_.accept = false;
    for (const char* body : {"; { { rec Do ; } } x = 1 ;", "; loop { rec Do ; } x = 1 ;",
                             "; if 1 < 2 { rec Do ; } x = 1 ;", "; if 1 < 2 rec Do ; x = 1 ;"}) {
        Outcome o = RunText(host_, body);
        EXPECT_FALSE(o.result) << body;
        EXPECT_EQ(o.Value("x"), nullptr) << body;
    }
}

TEST(NestingTest, DeepBlocksRunAndTooDeepFailsWithoutCrashing) {
    MapHost host;
    std::string deep = ";";
    for (int i = 0; i < 400; ++i) deep += " {";
    deep += " x = 1 ;";
    for (int i = 0; i < 400; ++i) deep += " }";
    deep += " return ok";
    EXPECT_EQ(RunText(host, deep).output, "ok");
}

}  // namespace
}  // namespace vantrel
