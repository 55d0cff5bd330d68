#include "skin/IniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vantrel {
namespace {

TEST(IniFileRead, NamesCompareWithoutCaseAndValuesLoseSurroundingSpace) {
    IniFile ini;
    ini.Parse("[Layout]\nShowHints =  1 \n[s_12]\nImage= pic.jpg\n");
    EXPECT_EQ(ini.ReadInt("layout", "SHOWHINTS", 7), 1);
    EXPECT_EQ(ini.ReadString("S_12", "image", ""), "pic.jpg");
    EXPECT_EQ(ini.ReadString("S_12", "tile", "none"), "none");
    EXPECT_EQ(ini.ReadInt("Missing", "x", -3), -3);
    EXPECT_FALSE(ini.Get("S_12", "fg").has_value());
}

TEST(IniFileRead, HandEditedFileWithCrlfBlankLinesAndStrangersReadsBack) {
    IniFile ini;
    ini.Parse("; written by hand\r\n\r\n[Unknown]\r\nfoo=bar\r\n\r\n[Output]\r\n  562 = 0  \r\n\r\n"
              "just some text\r\n[S_5]\r\nfg=255\r\nbg=\r\n");
    EXPECT_EQ(ini.ReadInt("Output", "562", 1), 0);
    EXPECT_EQ(ini.ReadInt("S_5", "fg", -1), 255);
    EXPECT_EQ(ini.ReadString("S_5", "bg", "x"), "");  // present but empty is not missing
    EXPECT_EQ(ini.ReadString("unknown", "FOO", ""), "bar");
    // Nothing we did not understand gets lost on the way back out.
    ini.WriteString("Output", "562", "1");
    EXPECT_EQ(ini.Text(), "; written by hand\r\n\r\n[Unknown]\r\nfoo=bar\r\n\r\n[Output]\r\n562=1\r\n\r\n"
                          "just some text\r\n[S_5]\r\nfg=255\r\nbg=\r\n");
}

TEST(IniFileRead, AByteOrderMarkDoesNotHideTheFirstSection) {
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF[Translation]\r\n646=Englisch\r\n");
    EXPECT_EQ(ini.ReadString("Translation", "646", ""), "Englisch");
}

TEST(IniFileRead, NumbersFollowTheProfileFunctions) {
    struct Case { const char* value; int expected; } cases[] = {
        {"42", 42}, {"-7", -7}, {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"4294967295", -1},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.WriteString("N", "v", c.value);
        EXPECT_EQ(ini.ReadInt("N", "v", 99), c.expected) << c.value;
    }
}

TEST(IniFileRead, ValuesAreCutAt1023CharactersAndQuotesStripped) {
    IniFile ini;
    ini.WriteString("T", "long", std::string(2000, 'x'));
    ini.WriteString("T", "quoted", "\"  a b \"");
    EXPECT_EQ(ini.ReadString("T", "long", "").size(), IniFile::kMaxValue);
    EXPECT_EQ(ini.ReadString("T", "quoted", ""), "  a b ");
}

TEST(IniFileRead, FirstOfTwoEqualSectionsAndKeysWins) {
    IniFile ini;
    ini.Parse("[A]\nk=1\nk=2\n[a]\nk=3\n");
    EXPECT_EQ(ini.ReadInt("A", "k", 0), 1);
    ini.WriteString("a", "K", "9");
    EXPECT_EQ(ini.Text(), "[A]\nk=9\nk=2\n[a]\nk=3\n");
}

TEST(IniFileWrite, ReplacesInPlaceOrAppendsToItsOwnSection) {
    IniFile ini;
    ini.Parse("[A]\nx=1\ny=2\n\n[B]\nz=3\n");
    ini.WriteString("A", "X", "10");  // in place, keeping its position
    ini.WriteString("a", "w", "4");   // at the end of A, before the blank separator
    ini.WriteString("C", "v", "5");   // a new section at the end of the file
    EXPECT_EQ(ini.Text(), "[A]\nx=10\ny=2\nw=4\n\n[B]\nz=3\n[C]\nv=5\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(ini.RemoveKey("a", "Y"));
    EXPECT_TRUE(ini.RemoveSection("b"));
    EXPECT_EQ(ini.Text(), "[A]\nx=10\nw=4\n\n[C]\nv=5\n");
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() /
                 ("vantrel_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                    .string();
        std::filesystem::remove(path_);
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::string path_;
};

TEST_F(ProfileFile, WritingCreatesTheFileAndReadingAMissingFileGivesDefaults) {
    EXPECT_EQ(ReadProfileString(path_, "Version", "Build", "none"), "none");
    EXPECT_EQ(ReadProfileInt(path_, "Version", "Build", 12), 12);
    ASSERT_TRUE(WriteProfileString(path_, "Version", "Build", "228"));
    ASSERT_TRUE(WriteProfileString(path_, "version", "Date", "2026-12-08"));
    EXPECT_EQ(ReadProfileInt(path_, "VERSION", "build", 0), 228);
    std::ifstream in(path_);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "[Version]\nBuild=228\nDate=2026-12-08\n");
}

TEST_F(ProfileFile, UnwritableFileIsReportedAsFailureAndSavingLeavesNoStrayFile) {
    EXPECT_FALSE(WriteProfileString(path_ + "/no/such/folder.ini", "A", "b", "c"));
    ASSERT_TRUE(WriteProfileString(path_, "A", "b", "c"));
    ASSERT_TRUE(WriteProfileString(path_, "A", "b", "d"));
    EXPECT_FALSE(std::filesystem::exists(path_ + ".new"));
    EXPECT_EQ(ReadProfileString(path_, "A", "b", ""), "d");
}

}  // namespace
}  // namespace vantrel
