// Random word soups: the tokenizer and the statement runner must neither
// crash nor grow without bound, whatever they are fed.
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "items/ProgramFolder.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/ScriptContext.h"
#include "tests/script/FakeHost.h"

// Freed blocks wait in the sanitizer's quarantine; keep it small so that the
// resident size says something about the engine's own memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

namespace vantrel {
namespace {

// Words that steer the runner into every statement form, plus noise.
const std::vector<std::string> kVocabulary = {
    "<vrs>", ";", ";", ";", "{", "}", "{", "}", "loop", "if", "break", "return", "call", "debug", "//",
    "=", "=", "+=", "-=", "*=", "/=", "<", ">", "==", ">=", "<=", "!", "MilliTicksGet", "MilliTicksWait",
    "MilliTicksWaitFor", "AskUserYesNo", "AskUserNoYes", "x", "y", "X", "a", "b", "0", "1", "-5", "2.5",
    "1e39", "PI", "sin(PI)", "int(x)", "sqrt(-1)", "log(0)", "foo(1)", "sin(cos(1))", "(", ")", "rec",
    "cc.X", "#12", "12", ".", "*", "prefs", "help", "get", "set", "ShowStatusMessages", "GetTime",
    "SetTime", "GetValue", "SetValue", "other.vrm", "../x.vrm", "self.vrm", "ids_x",
};

std::string RandomWord(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 9);
    if (pick(rng) < 8) return kVocabulary[std::uniform_int_distribution<std::size_t>(0, kVocabulary.size() - 1)(rng)];
    // Raw bytes, white space and zero bytes included, to stress the splitter.
    std::string word(std::uniform_int_distribution<int>(1, 12)(rng), ' ');
    for (char& c : word) c = char(std::uniform_int_distribution<int>(0, 255)(rng));
    return word;
}

std::string RandomSoup(std::mt19937& rng) {
    std::string text = std::uniform_int_distribution<int>(0, 9)(rng) ? "<vrs> " : "";
    const int words = std::uniform_int_distribution<int>(0, 1500)(rng);
    for (int i = 0; i < words; ++i) {
        text += RandomWord(rng);
        text += std::uniform_int_distribution<int>(0, 5)(rng) ? " " : "\n\t";
    }
    return text;
}

std::size_t ResidentKiB() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    unsigned long size = 0, resident = 0;
    const int read = std::fscanf(f, "%lu %lu", &size, &resident);
    std::fclose(f);
    return read == 2 ? resident * 4 : 0;
}

// Called scripts live in a program folder of the test's own.
class ScriptFuzzTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ProgramFolder();
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-fuzz-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        SetProgramFolder(folder_ + "/");
        std::ofstream(folder_ + "/self.vrm") << "<vrs> a ; a += 1 ; { { call self.vrm a ; } }";
        std::ofstream(folder_ + "/other.vrm") << "<vrs> p q ; return p q";
    }
    void TearDown() override {
        SetProgramFolder(previous_);
        std::filesystem::remove_all(folder_);
    }
    std::string folder_, previous_;
};

TEST_F(ScriptFuzzTest, DeepNestingFailsBeforeTheStackRunsOut) {
    test::FakeRoot root;
    std::string deep = "<vrs> ;";
    for (int i = 0; i < 500; ++i) deep += " {";
    deep += " call self.vrm ;";
    for (int i = 0; i < 500; ++i) deep += " }";
    std::string output;
    EXPECT_FALSE(ScriptContext::FromText(&root, deep)->Run("", output));
}

TEST_F(ScriptFuzzTest, RandomWordSoupsNeitherCrashNorGrow) {
    ScriptedPlatform platform;  // questions answered at once, waits on a scripted clock
    test::FakeRoot root;
    root.AddVariable("IDS_X", 45, 1);
    test::FakeClip* clip = root.AddClip(12, 100);
    clip->AddVariable("IDS_X", 46, 2);
    root.currentClip = clip;
    auto rec = std::make_unique<test::RecordingTarget>();
    rec->SetId(77);
    root.Add(std::move(rec));
    test::FakePreferences prefs;
    SetScriptPreferences(&prefs);

    std::mt19937 rng(20261208);
    const auto start = std::chrono::steady_clock::now();
    const auto budget = std::chrono::seconds(4);
    std::size_t baseline = 0;
    int runs = 0;
    // The stop check also keeps loops without a break from running away.
    while (std::chrono::steady_clock::now() - start < budget) {
        const std::string text = RandomSoup(rng);
        auto context = ScriptContext::FromText(&root, text, "soup.vrm");
        int statements = 0;
        ScriptStopCheck stop = [&statements] { return ++statements > 5000; };
        context->SetStopCheck(&stop);
        std::string output;
        (void)context->Run("1 2 3", output);
        EXPECT_LE(output.size(), ScriptContext::kMaxOutputLength);
        for (const auto& v : context->OwnVariables()) {
            EXPECT_LE(v.name.size(), ScriptContext::kMaxNameLength);
            EXPECT_LE(v.value.size(), ScriptContext::kMaxValueLength);
        }
        EXPECT_LE(context->OwnVariables().size(), ScriptContext::kMaxVariables);
        if (++runs == 200) baseline = ResidentKiB();
        // The recorders keep what they were told; empty them so that only
        // the script engine's own memory is measured.
        static_cast<test::RecordingTarget*>(root.children.back().get())->commands.clear();
        platform.dialogs.boxes.clear();
        if (auto* help = dynamic_cast<PageRequestRecorder*>(ScriptHelp())) help->pages.clear();
    }
    SetScriptPreferences(nullptr);
    EXPECT_GT(runs, 200);
    // Every context is freed after its run; what stays resident must not
    // climb with the number of runs.
    if (baseline) {
        EXPECT_LT(ResidentKiB(), baseline + 64 * 1024) << runs << " runs";
    }
}

}  // namespace
}  // namespace vantrel
