#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/Batch.h"
#include "script/ScriptContext.h"
#include "tests/script/FakeHost.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class BatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        StringTable::Instance().LoadResources();
        std::string pattern = (fs::temp_directory_path() / "vantrel-batch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        previousFolder_ = ProgramFolder();
        SetProgramFolder((folder_ / "program").string() + "/");
        fs::create_directories(folder_ / "program");
        options_.out = &out_;
        options_.err = &err_;
    }
    void TearDown() override {
        SetProgramFolder(previousFolder_);
        fs::remove_all(folder_);
    }
    std::string Write(const std::string& name, const std::string& text) {
        const fs::path path = folder_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    int Run(const std::string& path) { return RunScriptBatch(path, root_, options_, result_); }

    fs::path folder_;
    std::string previousFolder_;
    test::FakeRoot root_;
    ScriptBatchOptions options_;
    std::ostringstream out_, err_;
    std::string result_;
};

TEST_F(BatchTest, PrintsTheResultAndExitsZeroOnTrue) {
    EXPECT_EQ(Run(Write("ok.vrm", "<vrs> ; return done now")), 0);
    EXPECT_EQ(result_, "done now");
    EXPECT_EQ(out_.str(), "done now\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(BatchTest, ExitsOneWhenTheRunGivesFalse) {
    EXPECT_EQ(Run(Write("bad.vrm", "<vrs> ; x = 1 ; nobody Do ;")), 1);
    EXPECT_EQ(out_.str(), "\n");
}

TEST_F(BatchTest, AScriptThatCannotBeLoadedGivesFalse) {
    EXPECT_EQ(Run((folder_ / "missing.vrm").string()), 1);
    EXPECT_EQ(Run(Write("short.vrm", "<vrs> ;")), 1);
    EXPECT_EQ(Run(Write("untagged.vrm", "x = 1 ; return x")), 1);
    EXPECT_NE(err_.str().find("short.vrm"), std::string::npos);
}

TEST_F(BatchTest, ReadsThePathAsItStands) {
    // Outside the program folder, absolute, any extension: all fine here.
    Write("program/here.vrm", "<vrs> ; return program");
    EXPECT_EQ(Run(Write("elsewhere/script.txt", "<vrs> ; return elsewhere")), 0);
    EXPECT_EQ(result_, "elsewhere");
}

TEST_F(BatchTest, CallsInsideFollowTheProgramFolder) {
    Write("program/lib/add.vrm", "<vrs> a ; a += 1 ; return a");
    EXPECT_EQ(Run(Write("main.vrm", "<vrs> ; r = call lib/add.vrm 41 ; return r")), 0);
    EXPECT_EQ(result_, "42.000000");
}

TEST_F(BatchTest, QuestionsTakeTheirDefaultAndGoToTheErrorStream) {
    const std::string path = Write("ask.vrm",
                                   "<vrs> ; a = ! AskUserOkCancel Save it? ; b = ! AskUserCancelOk Really? ;"
                                   " c = ! AskUserYesNo Go on? ; d = ! AskUserNoYes Delete? ; return a b c d");
    EXPECT_EQ(Run(path), 0);
    EXPECT_EQ(result_, "1 0 1 0");
    EXPECT_EQ(err_.str(), "Question: Save it? \nQuestion: Really? \nQuestion: Go on? \nQuestion: Delete? \n");
}

TEST_F(BatchTest, LeavesTheInstalledDialogsAsTheyWere) {
    ScriptedPlatform platform;
    Run(Write("ask.vrm", "<vrs> ; ! AskUserYesNo hi ;"));
    EXPECT_EQ(Platform().dialogs, &platform.dialogs);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
}

TEST_F(BatchTest, TimeoutStopsAScriptThatNeverEnds) {
    options_.timeout = std::chrono::milliseconds(150);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(Write("forever.vrm", "<vrs> ; loop { x += 1 ; }")), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_NE(err_.str().find("stopped"), std::string::npos);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(BatchTest, TimeoutAlsoEndsAWait) {
    options_.timeout = std::chrono::milliseconds(100);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(Write("wait.vrm", "<vrs> ; ! MilliTicksWait 600000 ;")), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(BatchTest, TimeoutAlsoReachesCalledScripts) {
    Write("program/spin.vrm", "<vrs> ; loop { { x += 1 ; } }");
    options_.timeout = std::chrono::milliseconds(100);
    EXPECT_EQ(Run(Write("outer.vrm", "<vrs> ; call spin.vrm ;")), 1);
    EXPECT_NE(err_.str().find("stopped"), std::string::npos);
}

TEST_F(BatchTest, AScriptThatEndsInTimeIsNotStopped) {
    options_.timeout = std::chrono::seconds(30);
    EXPECT_EQ(Run(Write("quick.vrm", "<vrs> ; return quick")), 0);
    EXPECT_EQ(out_.str(), "quick\n");
}

TEST(ScriptTimeoutTest, ParsesPositiveSeconds) {
    EXPECT_EQ(ParseScriptTimeout("2"), std::chrono::milliseconds(2000));
    EXPECT_EQ(ParseScriptTimeout("0.25"), std::chrono::milliseconds(250));
    EXPECT_EQ(ParseScriptTimeout("0.0001"), std::chrono::milliseconds(1));
    EXPECT_FALSE(ParseScriptTimeout("0"));
    EXPECT_FALSE(ParseScriptTimeout("-3"));
    EXPECT_FALSE(ParseScriptTimeout("soon"));
}

// The whole road: a script moves the root's time, sets a clip's variables by
// name and returns a value; the tree shows every change.
TEST_F(BatchTest, DrivesTheTreeEndToEnd) {
    test::FakeClip* clip = root_.AddClip(12, 1000);
    test::FakeVariable* level = clip->AddVariable("IDS_LEVEL", 45, 0.5);
    test::FakeVariable* mix = clip->AddVariable("IDS_MIX", 46, 0.0);
    root_.currentClip = clip;
    const std::string path = Write("drive.vrm",
                                   "<vrs> ;\n"
                                   "// move to 2.5 s and tune the current clip ;\n"
                                   "old = * SetTime 2.5 ;\n"
                                   "cc.LEVEL SetValue 0.75 ;\n"
                                   "v = 0 ; loop { v += 0.25 ; if v >= 1 break ; }\n"
                                   "cc.46 SetValue v ;\n"
                                   "t = cc.. GetTime ;\n"
                                   "return t old\n");
    EXPECT_EQ(Run(path), 0);
    EXPECT_EQ(root_.Time(), 2500);
    EXPECT_EQ(clip->Time(), 1500);
    EXPECT_EQ(level->value, 0.75);
    EXPECT_EQ(mix->value, 1.0);
    EXPECT_EQ(out_.str(), "1.500000 0.000000\n");
}

}  // namespace
}  // namespace vantrel
