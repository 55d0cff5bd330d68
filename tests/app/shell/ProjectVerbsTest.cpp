#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/workspace/ProjectFiles.h"
#include "app/workspace/Workspace.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

constexpr int kGradientType = 568;

class ProjectVerbsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-verbs-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        folder_ = pattern + "/";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    struct Run {
        int status = -1;
        std::string out, err;
    };
    Run Program(const std::string& arguments) {
        const std::string out = folder_ + "stdout", err = folder_ + "stderr";
        const std::string command = std::string("cd \"") + folder_ + "\" && \"" + VANTREL_PROGRAM_DIR +
                                    "/vantrel\" " + arguments + " >" + out + " 2>" + err + " </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ + name, std::ios::binary) << text;
    }
    // A project with one gradient clip, saved through the real save path.
    void MakeProject(const std::string& name, std::int32_t makeEnd = 0) {
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        ASSERT_NE(root.NewChildClip(kGradientType), nullptr);
        root.SetMakeRange(0, makeEnd);
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, folder_ + name, error)) << error;
    }

    std::string folder_;
};

TEST_F(ProjectVerbsTest, ScriptMovesTimeSetsAClipVariableAndTheSavedProjectKeepsIt) {
    MakeProject("in.kwp");
    Write("edit.vrm",
          "<vrs> ;\n"
          "* SetTime 1.5 ;\n"
          "cc.DST_L SetValue 0.25 ;\n"
          "t = * GetTime ;\n"
          "return t ;\n");
    const Run run = Program("--script edit.vrm in.kwp --save-as out.kwp");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1.500000\n");

    WorkspaceOptions options;
    options.startWorker = false;
    Workspace loaded(nullptr, nullptr, nullptr, options);
    bool opened = false;
    ASSERT_TRUE(ReadProjectFile(loaded, folder_ + "out.kwp", opened));
    ASSERT_EQ(loaded.ChildCount(), 1);
    EXPECT_DOUBLE_EQ(loaded.ChildAt(0)->Table().ValueByName("IDS_DST_L", 1500), 0.25);
}

TEST_F(ProjectVerbsTest, ScriptExitStatusFollowsItsResultAndBadArgumentsAreUsageErrors) {
    Write("no.vrm", "<vrs> ;\nx = 1 ;\nif x == 2 { return ok ; }\nx /= 0 ;\n");
    EXPECT_EQ(Program("--script no.vrm").status, 1);
    EXPECT_EQ(Program("--script missing.vrm").status, 1);
    EXPECT_EQ(Program("--script no.vrm --timeout").status, 2);
    EXPECT_EQ(Program("--script no.vrm a.kwp b.kwp").status, 2);
    EXPECT_EQ(Program("--script no.vrm --bogus x").status, 2);

    Write("forever.vrm", "<vrs> ;\nloop { x += 1 ; }\n");
    const Run stopped = Program("--script forever.vrm --timeout 0.3");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_FALSE(stopped.err.empty());
}

TEST_F(ProjectVerbsTest, SaveAsWritesALoadableCopyAndRefusesWhatItCannotRead) {
    MakeProject("in.kwp");
    EXPECT_EQ(Program("--save-as in.kwp copy.kwp").status, 0);
    EXPECT_TRUE(fs::exists(folder_ + "copy.kwp"));
    EXPECT_EQ(Program("--save-as copy.kwp again.kwp").status, 0);
    EXPECT_EQ(fs::file_size(folder_ + "copy.kwp"), fs::file_size(folder_ + "again.kwp"));

    Write("junk.kwp", "not a project at all");
    const Run junk = Program("--save-as junk.kwp out.kwp");
    EXPECT_EQ(junk.status, 1);
    EXPECT_NE(junk.err.find("junk.kwp"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ + "out.kwp"));
}

TEST_F(ProjectVerbsTest, MakeAndPictureWriteTheirFilesAndRefuseBadArguments) {
    MakeProject("empty.kwp");
    const Run nothing = Program("--make empty.kwp none.mkv");  // an empty make range
    EXPECT_EQ(nothing.status, 1);
    EXPECT_NE(nothing.err.find("The Vantrel make operation failed...."), std::string::npos) << nothing.err;

    MakeProject("in.kwp", 400);
    const Run made = Program("--make in.kwp out.mkv");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err.rfind("Processing", 0), 0u) << made.err;  // progress lines only
    ASSERT_TRUE(fs::exists(folder_ + "out.mkv"));
    EXPECT_GT(fs::file_size(folder_ + "out.mkv"), 0u);

    // Not on a terminal: the status lines; --quiet, wherever it stands,
    // silences them and nothing else.
    for (const char* quiet :
         {"--quiet --make in.kwp q1.mkv", "--make in.kwp --quiet q2.mkv", "--make in.kwp q3.mkv --quiet"}) {
        const Run silent = Program(quiet);
        EXPECT_EQ(silent.status, 0) << quiet << ": " << silent.err;
        EXPECT_EQ(silent.err, "") << quiet;
    }
    EXPECT_GT(fs::file_size(folder_ + "q2.mkv"), 0u);
    EXPECT_EQ(Program("--quiet").status, 2);

    const Run picture = Program("--picture in.kwp 500 p.bmp");
    EXPECT_EQ(picture.status, 0) << picture.err;
    const std::string bmp = Read(folder_ + "p.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp[28], 24);  // bits per pixel
    EXPECT_EQ(bmp.size(), 54u + 320u * 240u * 3u);  // the default output size

    EXPECT_EQ(Program("--picture in.kwp half p.bmp").status, 2);
    EXPECT_EQ(Program("--make in.kwp").status, 2);
    EXPECT_EQ(Program("--make missing.kwp out.mkv").status, 1);
}

TEST_F(ProjectVerbsTest, InfoDescribesAMediaFileOrFails) {
    // 0.5 s of 8-bit mono silence at 8000 Hz.
    std::string wav = "RIFF";
    auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) wav += char((v >> (8 * i)) & 255); };
    auto put16 = [&](std::uint16_t v) { wav += char(v & 255), wav += char(v >> 8); };
    put32(36 + 4000);
    wav += "WAVEfmt ";
    put32(16), put16(1), put16(1), put32(8000), put32(8000), put16(1), put16(8);
    wav += "data";
    put32(4000);
    wav += std::string(4000, char(128));
    Write("tone.wav", wav);

    const Run info = Program("--info tone.wav");
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("tone.wav"), std::string::npos) << info.out;
    EXPECT_EQ(Program("--info nothing.wav").status, 1);
}

}  // namespace
}  // namespace vantrel
