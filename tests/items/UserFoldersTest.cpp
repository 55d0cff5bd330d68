#include "items/UserFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "items/ProgramFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// Each test gets a folder of its own and the environment it sets back.
class UserFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-folders-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
        previousProgram_ = ProgramFolder();
        ForgetPrivateTemporaryFolder();
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name, value->c_str(), 1);
            else unsetenv(name);
        }
        SetProgramFolder(previousProgram_);
        ForgetPrivateTemporaryFolder();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    static void Write(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    static mode_t Mode(const std::string& path) {
        struct stat info {};
        lstat(path.c_str(), &info);
        return info.st_mode & 07777;
    }
    std::string Fixed() const { return (folder_ / ("vantrel-" + std::to_string(getuid()))).string(); }

    fs::path folder_;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
    std::string previousProgram_;
};

TEST_F(UserFoldersTest, FoldersFollowTheXdgRules) {
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
    setenv("XDG_DATA_HOME", "/elsewhere/data/", 1);
    EXPECT_EQ(ConfigFolder(), "/elsewhere/config/vantrel/");
    EXPECT_EQ(DataFolder(), "/elsewhere/data/vantrel/");
    // Relative values are to be ignored, and so are empty ones.
    setenv("XDG_CONFIG_HOME", "config", 1);
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(ConfigFolder(), "/home/someone/.config/vantrel/");
    EXPECT_EQ(DataFolder(), "/home/someone/.local/share/vantrel/");
    // Without HOME the password database still knows the user's home.
    unsetenv("HOME");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigFolder().substr(0, 1), "/");
    EXPECT_TRUE(ConfigFolder().ends_with("/.config/vantrel/"));
}

TEST_F(UserFoldersTest, TheUsersCopyIsReadFirstAndWritesNeverReachTheProgramFolder) {
    SetProgramFolder((folder_ / "program").string());
    const std::string user = (folder_ / "user").string() + "/";
    Write(folder_ / "program/9/a.vrh", "shipped");
    Write(folder_ / "program/9/b.vrh", "shipped");
    Write(folder_ / "user/9/a.vrh", "edited");
    EXPECT_EQ(ReadPath(user, "9/a.vrh"), user + "9/a.vrh");
    EXPECT_EQ(ReadPath(user, "9/b.vrh"), ProgramFolder() + "9/b.vrh");
    EXPECT_EQ(ReadPath(user, "9/missing.vrh"), ProgramFolder() + "9/missing.vrh");
    EXPECT_EQ(ReadPath("", "9/a.vrh"), ProgramFolder() + "9/a.vrh") << "no home: the shipped copy";
    // A folder of that name is no copy.
    fs::create_directories(folder_ / "user/9/b.vrh");
    EXPECT_EQ(ReadPath(user, "9/b.vrh"), ProgramFolder() + "9/b.vrh");

    const std::string written = WritePath(user, "9/tuts/new.vrm");
    EXPECT_EQ(written, user + "9/tuts/new.vrm");
    EXPECT_TRUE(fs::is_directory(user + "9/tuts"));
    for (const char* outside : {"../x.vrm", "9/../../x.vrm", "/etc/x.vrm", ""}) {
        EXPECT_EQ(WritePath(user, outside), "") << outside;
        EXPECT_EQ(ReadPath(user, outside), ProgramFolder() + outside) << outside;
    }
    EXPECT_EQ(WritePath("", "9/a.vrh"), "");
}

TEST_F(UserFoldersTest, ThePrivateTemporaryFolderIsOursAlone) {
    setenv("TMPDIR", folder_.c_str(), 1);
    const std::string made = PrivateTemporaryFolder();
    EXPECT_EQ(made, Fixed() + "/");
    EXPECT_EQ(Mode(Fixed()), 0700u);
    EXPECT_EQ(TemporaryFolder(), made);
    EXPECT_EQ(PrivateTemporaryFolder(), made) << "the same folder for the whole run";

    // Removed by a cleaner while the program runs: made again.
    fs::remove(Fixed());
    EXPECT_EQ(PrivateTemporaryFolder(), made);
    EXPECT_TRUE(fs::is_directory(Fixed()));

    // Ours but opened up by someone: closed again.
    chmod(Fixed().c_str(), 0777);
    ForgetPrivateTemporaryFolder();
    EXPECT_EQ(PrivateTemporaryFolder(), made);
    EXPECT_EQ(Mode(Fixed()), 0700u);

    // A relative TMPDIR means /tmp.
    setenv("TMPDIR", "relative", 1);
    ForgetPrivateTemporaryFolder();
    EXPECT_EQ(PrivateTemporaryFolder().rfind("/tmp/vantrel-", 0), 0u);
}

// Somebody who got there first must not receive our files: a link (to a
// folder they can read), a plain file or a folder of theirs is left alone
// and a fresh folder with an unpredictable name is used instead.
TEST_F(UserFoldersTest, WhatOthersPutInItsPlaceIsNeverUsed) {
    setenv("TMPDIR", folder_.c_str(), 1);
    fs::create_directories(folder_ / "theirs");
    fs::create_directory_symlink(folder_ / "theirs", Fixed());
    std::string made = PrivateTemporaryFolder();
    EXPECT_NE(made, Fixed() + "/");
    EXPECT_EQ(made.rfind(Fixed() + "-", 0), 0u) << made;
    EXPECT_EQ(Mode(made.substr(0, made.size() - 1)), 0700u);
    EXPECT_TRUE(fs::is_symlink(Fixed())) << "left as it was";
    EXPECT_TRUE(fs::is_empty(folder_ / "theirs"));

    fs::remove(Fixed());
    Write(Fixed(), "a file");
    ForgetPrivateTemporaryFolder();
    made = PrivateTemporaryFolder();
    EXPECT_NE(made, Fixed() + "/");
    EXPECT_FALSE(made.empty());

    if (getuid() == 0) {  // only root can hand a folder to someone else
        fs::remove(Fixed());
        fs::create_directory(Fixed());
        ASSERT_EQ(chown(Fixed().c_str(), 65534, 65534), 0);
        ForgetPrivateTemporaryFolder();
        made = PrivateTemporaryFolder();
        EXPECT_NE(made, Fixed() + "/");
        EXPECT_FALSE(made.empty());
    }
}

}  // namespace
}  // namespace vantrel
