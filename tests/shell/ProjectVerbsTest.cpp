#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "tests/internet/LocalServer.h"
#include "tests/support/TinyWav.h"

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
    void MakeProject(const std::string& name, std::int32_t makeEnd = 0, int rateId = 0) {
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        ASSERT_NE(root.NewChildClip(kGradientType), nullptr);
        root.SetMakeRange(0, makeEnd);
        if (rateId) {
            ASSERT_TRUE(root.SetFrameRateId(rateId));
        }
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

// A project copied elsewhere still records the path it was saved under; a
// script that saves it must write the copy it was given, never the original.
TEST_F(ProjectVerbsTest, ScriptSavesTheProjectItLoadedNotThePathRecordedInIt) {
    fs::create_directory(folder_ + "elsewhere");
    const std::string original = folder_ + "elsewhere/orig.kwp";
    {
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        ASSERT_NE(root.NewChildClip(kGradientType), nullptr);
        root.SetMediaPath(original);
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, original, error)) << error;
    }
    fs::rename(original, folder_ + "in.kwp");
    const auto before = fs::file_size(folder_ + "in.kwp");
    Write("save.vrm", "<vrs> ;\n* SetTime 2 ;\ncc.DST_L SetValue 0.5 ;\n* Command 342 ;\n* Command 26 ;\n");
    const Run run = Program("--script save.vrm in.kwp");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(original));
    EXPECT_GT(fs::file_size(folder_ + "in.kwp"), before);  // the new key frame is in it
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

TEST_F(ProjectVerbsTest, ChunkVerbsMakeJoinAndRefuseBadArguments) {
    MakeProject("in.kwp", 2000);  // 30 frames at 15 fps
    const Run first = Program("--make in.kwp a.0-15of30.mkv --range 0 1000 --quiet");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "frames 0-15\n");
    EXPECT_EQ(Program("--make in.kwp --range 1000 2000 a.15-30of30.mkv").status, 0);
    const Run joined = Program("--join a.mkv a.0-15of30.mkv a.15-30of30.mkv");
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_TRUE(fs::exists(folder_ + "a.mkv"));
    const Run gap = Program("--join b.mkv a.15-30of30.mkv");
    EXPECT_EQ(gap.status, 1);
    EXPECT_NE(gap.err.find("b.mkv was not written"), std::string::npos) << gap.err;
    EXPECT_FALSE(fs::exists(folder_ + "b.mkv"));

    for (const char* wrong : {"--make in.kwp c.mkv --range 1000", "--make in.kwp c.mkv --range 900 100",
                              "--make in.kwp c.mkv --range 0 1s", "--join c.mkv",
                              "--cluster slurm in.kwp c.mkv", "--cluster pbs in.kwp c.mkv --chunks 2",
                              "--cluster slurm in.kwp c.mkv --chunks 0", "--cluster slurm in.kwp c.mkv --chunks 2 --fast"})
        EXPECT_EQ(Program(wrong).status, 2) << wrong;
    EXPECT_FALSE(fs::exists(folder_ + "c.mkv"));
    EXPECT_FALSE(fs::exists(folder_ + "c.mkv.cluster"));
}

TEST_F(ProjectVerbsTest, InfoDescribesAMediaFileOrFails) {
    const std::string wav = testing::TinyWav();
    Write("tone.wav", wav);

    const Run info = Program("--info tone.wav");
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("tone.wav"), std::string::npos) << info.out;
    EXPECT_EQ(Program("--info nothing.wav").status, 1);
    EXPECT_EQ(info.out.find("Frame Rate"), std::string::npos) << info.out;

    // A made 29.97 fps movie tells its rate as the exact fraction.
    MakeProject("ntsc.kwp", 500, 833);
    ASSERT_EQ(Program("--make ntsc.kwp ntsc.mkv --quiet").status, 0);
    const Run movie = Program("--info ntsc.mkv");
    EXPECT_NE(movie.out.find("Frame Rate: 29.970 fps (30000/1001)\n"), std::string::npos) << movie.out;
}

TEST_F(ProjectVerbsTest, AScriptRunThatFailsOrTimesOutWritesNothing) {
    MakeProject("proj.kwp");
    const std::string before = Read(folder_ + "proj.kwp");
    Write("forever.vrm", "<vrs> ;\nloop { cc.DST_L SetValue 0.5 ; }\n");
    Write("no.vrm", "<vrs> ;\ncc.DST_L SetValue 0.5 ;\nx = 1 ;\nif x == 2 { return ok ; }\nx /= 0 ;\n");
    for (const char* arguments : {"--script missing.vrm --save-as proj.kwp",
                                  "--script missing.vrm proj.kwp --save-as proj.kwp",
                                  "--script forever.vrm proj.kwp --save-as proj.kwp --timeout 0.3",
                                  "--script no.vrm proj.kwp --save-as proj.kwp",
                                  "--script no.vrm proj.kwp --save-as fresh.kwp"}) {
        const Run run = Program(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find("was not written"), std::string::npos) << arguments << ": " << run.err;
        EXPECT_EQ(Read(folder_ + "proj.kwp"), before) << arguments;
    }
    EXPECT_FALSE(fs::exists(folder_ + "fresh.kwp"));
}

TEST_F(ProjectVerbsTest, SavesRefuseWriteProtectedTargetsFollowLinksAndKeepPermissions) {
    MakeProject("in.kwp");
    Write("locked.kwp", "the user's read-only project");
    ASSERT_EQ(::chmod((folder_ + "locked.kwp").c_str(), 0444), 0);
    const Run locked = Program("--save-as in.kwp locked.kwp");
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("is write-protected"), std::string::npos) << locked.err;
    EXPECT_EQ(Read(folder_ + "locked.kwp"), "the user's read-only project");

    // A link stays a link and the project it names gets the new contents.
    ASSERT_EQ(::mkdir((folder_ + "real").c_str(), 0755), 0);
    Write("real/project.kwp", "old contents");
    ASSERT_EQ(::chmod((folder_ + "real/project.kwp").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real/project.kwp", (folder_ + "link.kwp").c_str()), 0);
    ASSERT_EQ(::symlink("link.kwp", (folder_ + "chain.kwp").c_str()), 0);
    for (const char* target : {"link.kwp", "chain.kwp"}) {
        Write("real/project.kwp", "old contents");
        const Run linked = Program(std::string("--save-as in.kwp ") + target);
        EXPECT_EQ(linked.status, 0) << target << ": " << linked.err;
        EXPECT_TRUE(fs::is_symlink(folder_ + "link.kwp")) << target;
        EXPECT_TRUE(fs::is_symlink(folder_ + target)) << target;
        EXPECT_EQ(Read(folder_ + "real/project.kwp").size(), fs::file_size(folder_ + "in.kwp")) << target;
        struct stat info {};
        ASSERT_EQ(::stat((folder_ + "real/project.kwp").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u) << target;
    }
    // A read-only file behind a link is refused as well.
    ASSERT_EQ(::chmod((folder_ + "real/project.kwp").c_str(), 0440), 0);
    const Run behind = Program("--save-as in.kwp link.kwp");
    EXPECT_EQ(behind.status, 1);
    EXPECT_NE(behind.err.find("is write-protected"), std::string::npos) << behind.err;
    EXPECT_TRUE(fs::is_symlink(folder_ + "link.kwp"));
}

TEST_F(ProjectVerbsTest, AMediaAddressInAProjectIsFetchedOnlyWithConsent) {
    test::LocalServer server;
    const std::string wav = testing::TinyWav();
    server.Set("/clips/tiny.wav", {200, wav});
    {
        // A project as only a hand-made file holds one: a media clip whose
        // path is an address.
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        Clip* clip = root.AddChild(std::make_unique<Clip>());
        ASSERT_NE(clip, nullptr);
        clip->SetMediaPath(server.Url("/clips/tiny.wav"));
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, folder_ + "remote.kwp", error)) << error;
    }
    ASSERT_EQ(::mkdir((folder_ + "tmp").c_str(), 0700), 0);
    Write("tmp/tiny.wav", "the user's own file");
    const std::string environment = "TMPDIR=\"" + folder_ + "tmp\" no_proxy=127.0.0.1 ";
    const std::string downloads = folder_ + "tmp/vantrel-" + std::to_string(::getuid()) + "/downloads/";

    for (const char* verb : {"--save-as remote.kwp out.kwp", "--picture remote.kwp 0 p.bmp"}) {
        const std::string command = "cd \"" + folder_ + "\" && " + environment + "\"" + VANTREL_PROGRAM_DIR +
                                    "/vantrel\" " + verb + " >stdout 2>stderr </dev/null";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << verb;
        const std::string err = Read(folder_ + "stderr");
        EXPECT_NE(err.find(server.Url("/clips/tiny.wav")), std::string::npos) << verb << ": " << err;
        EXPECT_NE(err.find("--allow-downloads"), std::string::npos) << verb << ": " << err;
    }
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_FALSE(fs::exists(folder_ + "out.kwp"));

    const std::string allowed = "cd \"" + folder_ + "\" && " + environment + "\"" + VANTREL_PROGRAM_DIR +
                                "/vantrel\" --save-as remote.kwp out.kwp --allow-downloads >stdout 2>stderr </dev/null";
    const int raw = std::system(allowed.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0) << Read(folder_ + "stderr");
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(Read(downloads + "tiny.wav"), wav);
    EXPECT_EQ(Read(folder_ + "tmp/tiny.wav"), "the user's own file");
    // The saved project names the local copy, never the address.
    const std::string saved = Read(folder_ + "out.kwp");
    EXPECT_EQ(saved.find("http://"), std::string::npos);
    EXPECT_NE(saved.find(downloads + "tiny.wav"), std::string::npos);
}

TEST_F(ProjectVerbsTest, TimesAndTracksAtTheEndsOfTheRangeLoadAndCompose) {
    {
        WorkspaceOptions options;
        options.startWorker = false;
        Workspace root(nullptr, nullptr, nullptr, options);
        for (int i = 0; i < 3; ++i) ASSERT_NE(root.NewChildClip(kGradientType), nullptr);
        root.ChildAt(0)->RestoreTimes(0, 10000, INT_MAX);
        root.ChildAt(0)->SetTrack(INT_MAX);
        root.ChildAt(1)->RestoreTimes(INT_MAX - 1, 10000, INT_MAX - 1);
        root.ChildAt(1)->SetTrack(INT_MAX - 1);
        root.ChildAt(2)->RestoreTimes(INT_MIN, INT_MAX, INT_MIN);
        root.ChildAt(2)->SetTrack(0);
        for (int i = 0; i < 8; ++i) root.SetLocator(i, i % 2 ? INT_MAX : INT_MIN);
        root.SetMakeRange(INT_MAX - 1000, INT_MAX);
        std::string error;
        ASSERT_TRUE(WriteProjectFile(root, folder_ + "hostile.kwp", error)) << error;
    }
    for (const char* time : {"0", "500", "2147483647", "-2147483648"}) {
        const Run picture = Program(std::string("--picture hostile.kwp ") + time + " p.bmp");
        EXPECT_EQ(picture.status, 0) << time << ": " << picture.err;
        EXPECT_EQ(picture.err.find("runtime error"), std::string::npos) << picture.err;
    }
    const Run saved = Program("--save-as hostile.kwp again.kwp");
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.err.find("runtime error"), std::string::npos) << saved.err;
}

}  // namespace
}  // namespace vantrel
