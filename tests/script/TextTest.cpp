#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "script/Text.h"

namespace vantrel {
namespace {

struct SplitCase {
    std::string text;
    std::size_t max;
    std::vector<std::string> words;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << '"' << c.text << "\" max " << c.max; }

class SplitWordsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWordsTest, GivesTheWordsWithTheRestInTheLastSlot) {
    const SplitCase& c = GetParam();
    const auto words = SplitWords(c.text, c.max);
    std::vector<std::string> got(words.begin(), words.end());
    EXPECT_EQ(got, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitWordsTest,
    ::testing::Values(SplitCase{"", 16, {}}, SplitCase{"   ", 16, {}}, SplitCase{" \t\r\n\v\f", 4, {}},
                      SplitCase{"a b  c", 16, {"a", "b", "c"}},
                      SplitCase{"\ta\r\nb\v\fc \n", 16, {"a", "b", "c"}},
                      SplitCase{"a b c d", 2, {"a", "b c d"}},
                      // The rest keeps its inner white space but loses the trailing.
                      SplitCase{"a  b \t c  \n", 2, {"a", "b \t c"}},
                      SplitCase{"  a   b", 1, {"a   b"}}, SplitCase{"a b", 0, {}},
                      SplitCase{"x=1;", 16, {"x=1;"}}, SplitCase{"a b", 2, {"a", "b"}},
                      // Only the six white-space characters separate: not a no-break space.
                      SplitCase{"a\xc2\xa0" "b", 16, {"a\xc2\xa0" "b"}}));

TEST(NoCaseTest, FoldsOnlyTheLettersAToZ) {
    EXPECT_TRUE(EqualsNoCase("GetValue", "gETvALUE"));
    EXPECT_TRUE(EqualsNoCase("IDS_X", "ids_x"));
    EXPECT_FALSE(EqualsNoCase("[", "{"));  // 0x5B and 0x7B differ by the case bit
    EXPECT_FALSE(EqualsNoCase("@", "`"));
    EXPECT_FALSE(EqualsNoCase("\xc3\x89", "\xc3\xa9"));  // É and é stay apart
    EXPECT_FALSE(EqualsNoCase("ab", "abc"));
    EXPECT_TRUE(StartsWithNoCase("<VRS> x", "<vrs>"));
    EXPECT_TRUE(EndsWithNoCase("a.VRM", ".vrm"));
    EXPECT_FALSE(EndsWithNoCase("vrm", ".vrm"));
}

struct FloatCase {
    std::string text;
    bool number;
    float value;
};

void PrintTo(const FloatCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ReadFloatTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(ReadFloatTest, ReadsLikeFormattedInput) {
    const FloatCase& c = GetParam();
    const auto read = ReadFloat(c.text);
    ASSERT_EQ(read.has_value(), c.number) << c.text;
    if (c.number) {
        EXPECT_EQ(*read, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadFloatTest,
    ::testing::Values(FloatCase{"5", true, 5}, FloatCase{"  -2.5", true, -2.5f}, FloatCase{"+.5", true, 0.5f},
                      FloatCase{"5.", true, 5}, FloatCase{"1e3", true, 1000}, FloatCase{"1E-2x", true, 0.01f},
                      FloatCase{"2e", true, 2}, FloatCase{"2e+", true, 2}, FloatCase{"3abc", true, 3},
                      FloatCase{"6.000000", true, 6}, FloatCase{"1.0009", true, 1.0009f},
                      FloatCase{"", false, 0}, FloatCase{"abc", false, 0}, FloatCase{".", false, 0},
                      FloatCase{"-", false, 0}, FloatCase{"PI", false, 0}, FloatCase{"inf", false, 0},
                      FloatCase{"nan", false, 0}, FloatCase{"0x10", true, 0}, FloatCase{"1,5", true, 1},
                      FloatCase{"1e-60", true, 0}, FloatCase{"0.000001e-50", true, 0}));

TEST(ReadFloatTest, SaturatesBeyondSinglePrecision) {
    EXPECT_TRUE(std::isinf(*ReadFloat("1e39")));
    EXPECT_TRUE(std::isinf(*ReadFloat("1e999")));
    EXPECT_LT(*ReadFloat("-1e999"), 0);
    EXPECT_EQ(*ReadFloat(std::string(400, '0') + "1e-500"), 0);
}

TEST(ReadIntTest, ReadsADecimalWholeNumberOrNothing) {
    EXPECT_EQ(ReadInt("42"), 42);
    EXPECT_EQ(ReadInt(" -5"), -5);
    EXPECT_EQ(ReadInt("7.9"), 7);
    EXPECT_EQ(ReadInt("2147483647"), 2147483647);
    EXPECT_EQ(ReadInt("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ReadInt("2147483648"));
    EXPECT_FALSE(ReadInt("99999999999999999999"));
    EXPECT_FALSE(ReadInt("x1"));
    EXPECT_FALSE(ReadInt(""));
    EXPECT_FALSE(ReadInt("+"));
}

TEST(ReadWholeNumberTest, AcceptsOnlyNonZeroDigitsWithAnOptionalHash) {
    EXPECT_EQ(ReadWholeNumber("12", false), 12);
    EXPECT_EQ(ReadWholeNumber("#12", true), 12);
    EXPECT_FALSE(ReadWholeNumber("#12", false));
    EXPECT_FALSE(ReadWholeNumber("0", true));
    EXPECT_FALSE(ReadWholeNumber("#", true));
    EXPECT_FALSE(ReadWholeNumber("12a", true));
    EXPECT_FALSE(ReadWholeNumber("-3", true));
    EXPECT_FALSE(ReadWholeNumber("99999999999", true));
}

TEST(FormatTest, WritesSixDecimalsAndWholeNumbers) {
    EXPECT_EQ(FormatFloat(2.5), "2.500000");
    EXPECT_EQ(FormatFloat(-0.0000004), "-0.000000");
    EXPECT_EQ(FormatFloat(1.4142135623), "1.414214");
    EXPECT_EQ(FormatFloat(1e20), "100000000000000000000.000000");
    EXPECT_EQ(FormatFloat(1.7976931348623157e308).size(), 309u + 7u);
    EXPECT_EQ(FormatFloat(-INFINITY), "-inf");
}

// Numbers are part of the script language, not of the user's locale.
TEST(FormatTest, IgnoresAGermanNumericLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro"})
        if (std::setlocale(LC_NUMERIC, name)) {
            german = name;
            break;
        }
    if (!german) GTEST_SKIP() << "no German locale installed";
    const std::string formatted = FormatFloat(2.5);
    const auto read = ReadFloat("2.5");
    char probe[32];
    std::snprintf(probe, sizeof probe, "%f", 2.5);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_STREQ(probe, "2,500000") << "the locale did not take effect";
    EXPECT_EQ(formatted, "2.500000");
    EXPECT_EQ(read, 2.5f);
}

}  // namespace
}  // namespace vantrel
