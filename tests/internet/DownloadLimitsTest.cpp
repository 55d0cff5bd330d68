#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "internet/DownloadFolder.h"
#include "internet/InternetCommands.h"
#include "internet/InternetSession.h"
#include "skin/SettingsStore.h"
#include "tests/internet/LocalServer.h"
#include "tests/internet/TestFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::LocalServer;
using test::ReadAll;
using test::Route;
using test::TestFolder;
using test::WriteAll;

// The preferences a test lowers, put back afterwards.
class ScopedLimits {
public:
    ScopedLimits(std::int32_t seconds, std::int32_t megabytes) : prefs_(SettingsStore::Instance().Prefs()) {
        oldSeconds_ = prefs_.downloadSeconds;
        oldMegabytes_ = prefs_.downloadMegabytes;
        prefs_.downloadSeconds = seconds;
        prefs_.downloadMegabytes = megabytes;
    }
    ~ScopedLimits() {
        prefs_.downloadSeconds = oldSeconds_;
        prefs_.downloadMegabytes = oldMegabytes_;
    }

private:
    Preferences& prefs_;
    std::int32_t oldSeconds_, oldMegabytes_;
};

int PartFilesUnder(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".part") != std::string::npos) ++count;
    return count;
}

TEST(DownloadLimits, DefaultsAreSaneAndLiveInThePreferences) {
    SettingsStore::Instance().BuildDefaults();
    const Preferences& prefs = SettingsStore::Instance().Prefs();
    EXPECT_GE(prefs.downloadSeconds, 30);
    EXPECT_LE(prefs.downloadSeconds, 3600);
    EXPECT_GE(prefs.downloadMegabytes, 64);
    EXPECT_LE(prefs.downloadMegabytes, 4096);
}

TEST(DownloadLimits, ATricklingServerIsAbandonedAtTheOverallLimit) {
    LocalServer server;
    TestFolder folder;
    ScopedLimits limits(1, 1024);
    // 2 bytes a second: never slow enough for the stall limit, and it
    // would go on for a minute and a half.
    Route trickle{200, std::string(180, 't')};
    trickle.trickleMs = 500;
    server.Set("/slow.avi", trickle);
    const std::string local = folder.File("slow.avi");
    WriteAll(local, "old copy");
    const auto began = std::chrono::steady_clock::now();
    EXPECT_FALSE(InternetSession::Instance().Download(server.Url("/slow.avi"), local));
    const auto took = std::chrono::steady_clock::now() - began;
    // Abandoned, not finished: far short of the 90 s the server needs.
    EXPECT_LT(took, std::chrono::seconds(30));
    EXPECT_EQ(ReadAll(local), "old copy");
    EXPECT_FALSE(FetchToTemporaryFolder(server.Url("/slow.avi"), "slow.avi"));
    EXPECT_EQ(PartFilesUnder(folder.Path()), 0);
}

TEST(DownloadLimits, ALargerBodyThanTheSizeLimitFailsAndLeavesNothing) {
    LocalServer server;
    TestFolder folder;
    ScopedLimits limits(60, 1);
    server.Set("/big.avi", {200, std::string(1024 * 1024 + 1, 'b')});
    server.Set("/fits.avi", {200, std::string(1024 * 1024, 'f')});
    EXPECT_FALSE(FetchToTemporaryFolder(server.Url("/big.avi"), "big.avi"));
    const auto fits = FetchToTemporaryFolder(server.Url("/fits.avi"), "fits.avi");
    ASSERT_TRUE(fits);
    EXPECT_EQ(fs::file_size(*fits), 1024u * 1024u);
    EXPECT_EQ(PartFilesUnder(folder.Path()), 0);
}

TEST(DownloadFolderTest, IsPrivateToTheUserAndBelowTheTemporaryFolder) {
    TestFolder folder;
    const auto downloads = DownloadFolder();
    ASSERT_TRUE(downloads);
    const std::string expected =
        (folder.Path() / ("vantrel-" + std::to_string(::getuid())) / "downloads").string() + "/";
    EXPECT_EQ(*downloads, expected);
    for (const fs::path& level : {fs::path(expected).parent_path(), fs::path(expected).parent_path().parent_path()}) {
        struct stat info {};
        ASSERT_EQ(::lstat(level.c_str(), &info), 0) << level;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << level;
    }
}

TEST(DownloadFolderTest, APlantedLinkIsNotFollowedAndAFreshFolderIsMade) {
    TestFolder folder;
    const fs::path elsewhere = folder.Path() / "attacker";
    fs::create_directories(elsewhere);
    fs::create_directory_symlink(elsewhere, folder.Path() / ("vantrel-" + std::to_string(::getuid())));
    const auto downloads = DownloadFolder();
    ASSERT_TRUE(downloads);
    EXPECT_EQ(downloads->find(elsewhere.string()), std::string::npos) << *downloads;
    EXPECT_EQ(downloads->rfind(folder.Path().string(), 0), 0u) << *downloads;
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

TEST(DownloadFolderTest, PartFilesOfDeadRunsAreSweptAndLiveOnesKept) {
    TestFolder folder;
    const auto downloads = DownloadFolder();
    ASSERT_TRUE(downloads);
    // A process id that surely belongs to nobody now: a child that ended.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string dead = *downloads + "clip.avi.part-" + std::to_string(child) + "-0";
    const std::string live = *downloads + "clip.avi.part-" + std::to_string(::getpid()) + "-0";
    WriteAll(dead, "left by a killed run");
    WriteAll(live, "in flight");
    // A change of temporary folder makes the next ask look again.
    {
        fs::create_directories(folder.Path() / "other");
        test::ScopedEnv other("TMPDIR", (folder.Path() / "other").string());
        ASSERT_TRUE(DownloadFolder());
    }
    ASSERT_EQ(DownloadFolder(), downloads);
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live));
}

TEST(DownloadNew, NeverReplacesAFileThatIsAlreadyThere) {
    LocalServer server;
    TestFolder folder;
    server.Set("/pics/tiny.jpg", {200, "downloaded"});
    const auto downloads = DownloadFolder();
    ASSERT_TRUE(downloads);
    WriteAll(*downloads + "tiny.jpg", "the user's own");
    WriteAll(*downloads + "tiny-1.jpg", "another of theirs");
    const auto first = FetchToTemporaryFolder(server.Url("/pics/tiny.jpg"), "tiny.jpg");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, *downloads + "tiny-2.jpg");
    EXPECT_EQ(ReadAll(*first), "downloaded");
    EXPECT_EQ(ReadAll(*downloads + "tiny.jpg"), "the user's own");
    EXPECT_EQ(ReadAll(*downloads + "tiny-1.jpg"), "another of theirs");
    // A file of the same name in the temporary folder itself is not ours.
    WriteAll(folder.File("tiny.jpg"), "lying in /tmp");
    const auto second = FetchToTemporaryFolder(server.Url("/pics/tiny.jpg"), "tiny.jpg");
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, *downloads + "tiny-3.jpg");
    EXPECT_EQ(ReadAll(folder.File("tiny.jpg")), "lying in /tmp");
    // Names without an extension count on the same way.
    EXPECT_EQ(FreshNameIn("/d/", "readme", 2), "/d/readme-2");
}

}  // namespace
}  // namespace vantrel
