#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "items/ProgramFolder.h"
#include "script/ScriptContext.h"
#include "tests/script/FakeHost.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

struct Fetch {
    std::string name, localPath;
};
std::vector<Fetch> g_fetches;
std::string g_fetchWrites;  // non-empty: the refresh writes this text

bool RecordingFetch(const std::string& name, const std::string& localPath) {
    g_fetches.push_back({name, localPath});
    if (g_fetchWrites.empty()) return false;
    std::ofstream(localPath) << g_fetchWrites;
    return true;
}

// Scripts in a program folder of their own, with the member area recorded.
class ScriptFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = ProgramFolder();
        std::string pattern = (fs::temp_directory_path() / "vantrel-script-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        SetProgramFolder(folder_.string() + "/");
        // Refreshed copies go to the user's data folder: a test's own.
        const char* data = std::getenv("XDG_DATA_HOME");
        previousData_ = data ? std::optional<std::string>(data) : std::nullopt;
        setenv("XDG_DATA_HOME", (folder_ / "home-data").c_str(), 1);
        userFolder_ = (folder_ / "home-data" / "vantrel").string() + "/";
        g_fetches.clear();
        g_fetchWrites.clear();
        SetMemberAreaFetch(&RecordingFetch);
    }
    void TearDown() override {
        SetMemberAreaFetch(nullptr);
        SetProgramFolder(previousFolder_);
        if (previousData_) setenv("XDG_DATA_HOME", previousData_->c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
        fs::remove_all(folder_);
    }
    void Write(const std::string& name, const std::string& text) {
        const fs::path path = folder_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    bool Call(const std::string& name, const std::string& arguments, std::string& output) {
        return RunScriptFile(&root_, name, arguments, output);
    }

    fs::path folder_;
    std::string previousFolder_, userFolder_;
    std::optional<std::string> previousData_;
    test::FakeRoot root_;
};

TEST_F(ScriptFileTest, LoadsFromTheProgramFolderAfterTryingTheMemberArea) {
    Write("tut/one.vrm", "<vrs> a ;\r\n return a a");
    std::string out;
    ASSERT_TRUE(Call("tut/one.vrm", "hi", out));
    EXPECT_EQ(out, "hi hi");
    ASSERT_EQ(g_fetches.size(), 1u);
    EXPECT_EQ(g_fetches[0].name, "tut/one.vrm");
    EXPECT_EQ(g_fetches[0].localPath, userFolder_ + "tut/one.vrm") << "never over the shipped copy";
    EXPECT_EQ(ScriptLocalPath("tut/one.vrm"), folder_.string() + "/tut/one.vrm");
}

// The user's copy (refreshed, or edited) wins; the shipped one stays as it
// was, and is what a user without a copy reads.
TEST_F(ScriptFileTest, TheUsersCopyWinsAndTheShippedOneIsNeverWritten) {
    Write("tut/three.vrm", "<vrs> ; return shipped");
    g_fetchWrites = "<vrs> ; return refreshed";
    std::string out;
    ASSERT_TRUE(Call("tut/three.vrm", "", out));
    EXPECT_EQ(out, "refreshed");
    std::ifstream shipped(folder_ / "tut/three.vrm");
    std::string text((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "<vrs> ; return shipped");
    g_fetchWrites.clear();  // offline now: the refreshed copy is still read
    ASSERT_TRUE(Call("tut/three.vrm", "", out));
    EXPECT_EQ(out, "refreshed");
    EXPECT_EQ(ScriptLocalPath("tut\\three.vrm"), userFolder_ + "tut/three.vrm");
    fs::remove(userFolder_ + "tut/three.vrm");
    ASSERT_TRUE(Call("tut/three.vrm", "", out));
    EXPECT_EQ(out, "shipped");
}

TEST_F(ScriptFileTest, BackslashNamesMeanFolders) {
    Write("tut/two.vrm", "<vrs> ; return two");
    std::string out;
    ASSERT_TRUE(Call("tut\\two.vrm", "", out));
    EXPECT_EQ(out, "two");
    ASSERT_EQ(g_fetches.size(), 1u);
    EXPECT_EQ(g_fetches[0].name, "tut/two.vrm");
    EXPECT_EQ(g_fetches[0].localPath, userFolder_ + "tut/two.vrm");
}

TEST_F(ScriptFileTest, ARefreshedCopyReplacesTheLocalOne) {
    Write("fresh.vrm", "<vrs> ; return old");
    g_fetchWrites = "<vrs> ; return new";
    std::string out;
    ASSERT_TRUE(Call("fresh.vrm", "", out));
    EXPECT_EQ(out, "new");
}

TEST_F(ScriptFileTest, WithoutAnyCopyTheScriptIsNotRunnable) {
    auto context = LoadScriptFile(&root_, "missing.vrm");
    ASSERT_NE(context, nullptr);
    EXPECT_FALSE(context->Valid());
    EXPECT_EQ(g_fetches.size(), 1u);  // it was still asked for
    EXPECT_EQ(LoadScriptFile(nullptr, "missing.vrm"), nullptr);
    fs::create_directories(folder_ / "folder.vrm");
    EXPECT_FALSE(LoadScriptFile(&root_, "folder.vrm")->Valid());
}

TEST_F(ScriptFileTest, NamesMustEndInVrm) {
    Write("a.VRM", "<vrs> ; return a");
    Write("b.txt", "<vrs> ; return b");
    Write(".vrm", "<vrs> ; return c");
    std::string out;
    EXPECT_TRUE(Call("a.VRM", "", out));
    EXPECT_FALSE(Call("b.txt", "", out));
    EXPECT_FALSE(Call(".vrm", "", out));
    EXPECT_FALSE(Call("", "", out));
}

// Names come from pages that may have been downloaded: none may leave the
// program folder, and none is even asked of the member area.
TEST_F(ScriptFileTest, RefusesNamesOutsideTheProgramFolder) {
    Write("inside.vrm", "<vrs> ; return inside");
    const std::string outside = (folder_.parent_path() / (folder_.filename().string() + "-outside.vrm")).string();
    std::ofstream(outside) << "<vrs> ; return outside";
    const std::string sibling = "../" + folder_.filename().string() + "-outside.vrm";
    for (const std::string& name :
         {outside, sibling, std::string("sub/../../x.vrm"), std::string("sub\\..\\inside.vrm"), std::string("..\\x.vrm"),
          std::string("\\x.vrm"), std::string("C:x.vrm"), std::string("c:\\x.vrm"), std::string("a/..") + ".vrm/../x.vrm",
          std::string("ok\0.vrm", 7), std::string(300, 'a') + ".vrm"}) {
        std::string out;
        EXPECT_FALSE(IsAcceptedScriptName(name)) << name;
        EXPECT_FALSE(Call(name, "", out)) << name;
        EXPECT_EQ(ScriptLocalPath(name), "") << name;
    }
    EXPECT_TRUE(g_fetches.empty());
    fs::remove(outside);
    // Dots that are not a ".." component are fine.
    for (const char* name : {"a..b.vrm", "..a.vrm", "sub/.../x.vrm", "./inside.vrm"})
        EXPECT_TRUE(IsAcceptedScriptName(name)) << name;
    std::string out;
    EXPECT_TRUE(Call("./inside.vrm", "", out));
}

class CallTest : public ScriptFileTest {};

TEST_F(CallTest, PassesArgumentWordsAsWritten) {
    Write("echo.vrm", "<vrs> p q ; return p q");
    std::string out;
    auto context = ScriptContext::FromText(&root_, "<vrs> ; a = 1 ; b = 2 ; x = call echo.vrm a b ; return x");
    ASSERT_TRUE(context->Run("", out));
    EXPECT_EQ(out, "a b");
}

TEST_F(CallTest, TheCalledScriptSeesNoneOfTheCallersVariables) {
    Write("peek.vrm", "<vrs> ; return secret");
    Write("set.vrm", "<vrs> ; secret = changed ;");
    auto context = ScriptContext::FromText(&root_, "<vrs> ; secret = 1 ; call set.vrm ; x = call peek.vrm ; return x secret");
    std::string out;
    ASSERT_TRUE(context->Run("", out));
    EXPECT_EQ(out, "secret 1");
}

TEST_F(CallTest, AReturnInTheCalledScriptEndsOnlyIt) {
    Write("early.vrm", "<vrs> ; loop { return r ; }");
    auto context = ScriptContext::FromText(&root_, "<vrs> ; call early.vrm ; x = call early.vrm ; return x after");
    std::string out;
    ASSERT_TRUE(context->Run("", out));
    EXPECT_EQ(out, "r after");
}

TEST_F(CallTest, FailuresTravelBack) {
    Write("fails.vrm", "<vrs> ; nobody Do ;");
    for (const char* body : {"<vrs> ; call fails.vrm ; x = 1 ;", "<vrs> ; call missing.vrm ; x = 1 ;",
                             "<vrs> ; call ; x = 1 ;", "<vrs> ; y = call fails.vrm ; x = 1 ;",
                             "<vrs> ; call ../fails.vrm ; x = 1 ;"}) {
        auto context = ScriptContext::FromText(&root_, body);
        std::string out;
        EXPECT_FALSE(context->Run("", out)) << body;
        EXPECT_EQ(context->FindVariable("x"), nullptr) << body;
    }
}

TEST_F(CallTest, AScriptCallingItselfFailsInsteadOfOverflowingTheStack) {
    Write("self.vrm", "<vrs> n ; n += 1 ; call self.vrm ;");
    std::string out;
    EXPECT_FALSE(Call("self.vrm", "", out));
    Write("count.vrm", "<vrs> ; { { { call count.vrm ; } } }");
    EXPECT_FALSE(Call("count.vrm", "", out));
}

}  // namespace
}  // namespace vantrel
