#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>

#include "editor/workspace/Autosave.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Each test gets a state folder of its own.
class Autosave : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_STATE_HOME");
        previous = old ? old : "";
        ::setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
    }
    void TearDown() override { ::setenv("XDG_STATE_HOME", previous.c_str(), 1); }
    static void Age(const std::string& path, std::time_t when) {
        const utimbuf times{when, when};
        ::utime(path.c_str(), &times);
    }
    TempFolder state, projects;
    std::string previous;
};

TEST_F(Autosave, TwoProjectsOfOneNameGetTwoAutosavesAndNeitherTouchesTheProject) {
    const std::string a = projects / "film.kwp", b = projects / "old/film.kwp";
    EXPECT_NE(AutosavePath(a), AutosavePath(b));
    EXPECT_EQ(AutosavePath(a), AutosavePath(a));
    EXPECT_EQ(AutosavePath(a).rfind(state.Path() + "/vantrel/autosave/film-", 0), 0u);
    std::ofstream(a) << "saved";
    ASSERT_TRUE(WriteAutosave(a, {1, 2, 3}));
    EXPECT_EQ(fs::file_size(a), 5u);
    EXPECT_EQ(fs::file_size(AutosavePath(a)), 3u);
    // Nothing is left under a temporary name.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(AutosavePath(a)).parent_path())) files += !entry.path().empty();
    EXPECT_EQ(files, 2);  // the autosave and the note of its project
}

// Only autosaves newer than their projects are offered; one kept aside is
// never offered again and never deleted.
TEST_F(Autosave, RecoveryOffersWhatTheProjectNeverGotAndKeepsWhatIsDeclined) {
    const std::string saved = projects / "saved.kwp", changed = projects / "changed.kwp";
    std::ofstream(saved) << "x";
    std::ofstream(changed) << "x";
    ASSERT_TRUE(WriteAutosave(saved, {1}));
    ASSERT_TRUE(WriteAutosave(changed, {2}));
    ASSERT_TRUE(WriteAutosave("", {3}));
    Age(AutosavePath(saved), 1000000);
    Age(AutosavePath(changed), 2000000000);
    Age(AutosavePath(""), 1900000000);
    Age(saved, 1500000000);
    Age(changed, 1500000000);

    std::vector<Recoverable> found = FindRecoverable();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].project, changed);
    EXPECT_EQ(found[1].project, "");
    EXPECT_NE(RecoverQuestion(found[0]).find("Recover the unsaved changes of changed.kwp from "), std::string::npos);

    const std::string kept = SetAutosaveAside(found[0]);
    ASSERT_FALSE(kept.empty());
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(AutosavePath(changed)));
    found = FindRecoverable();
    ASSERT_EQ(found.size(), 1u);
    RemoveAutosave("");
    EXPECT_TRUE(FindRecoverable().empty());
    EXPECT_TRUE(fs::exists(kept));
}

// The writer thread takes the newest copy; Flush waits for the disk.
TEST_F(Autosave, TheWriterWritesTheNewestCopyOffTheCallersThread) {
    const std::string project = projects / "p.kwp";
    AutosaveWriter writer;
    writer.Post(project, std::vector<std::uint8_t>(10, 1));
    writer.Post(project, std::vector<std::uint8_t>(20, 2));
    EXPECT_GE(writer.Flush(), 1);
    EXPECT_EQ(fs::file_size(AutosavePath(project)), 20u);
}

}  // namespace
}  // namespace vantrel
