#include "shell/TerminalProgress.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

using namespace std::chrono_literals;

TEST(ProgressBarLineTest, FiguresFollowFromFramesAndTime) {
    // 250 of 1000 frames in 10 s: 25 fps, 750 frames left take 30 s.
    const std::string line = ProgressBarLine(250, 1000, 10.0, 80);
    EXPECT_EQ(line.size(), 79u) << "one column short of the width, so the terminal never wraps";
    EXPECT_NE(line.find("  25%  frame 250/1000  25.0 fps  0:30 left"), std::string::npos) << line;
    const std::size_t open = line.find('['), close = line.find(']');
    ASSERT_EQ(open, 0u);
    const std::string bar = line.substr(1, close - 1);
    EXPECT_EQ(bar.find_first_not_of('#'), bar.size() / 4) << bar;

    // Nothing done yet: no speed to tell, no time left to guess.
    EXPECT_EQ(ProgressBarLine(0, 1000, 0.0, 80).find("fps"), std::string::npos);
    // Long makes count hours; the last frame fills the bar.
    EXPECT_NE(ProgressBarLine(1, 100000, 1.0, 80).find("27:46:39 left"), std::string::npos);
    const std::string done = ProgressBarLine(40, 40, 2.0, 60);
    EXPECT_NE(done.find("100%  frame 40/40  20.0 fps  0:00 left"), std::string::npos) << done;
    EXPECT_EQ(done.find('.'), done.find("20.0") + 2) << "no empty part left in the bar";
}

TEST(ProgressBarLineTest, OddInputsNeitherCrashNorOverflowTheLine) {
    EXPECT_NE(ProgressBarLine(5, 0, 1.0, 80).find("frame 0/0"), std::string::npos);
    EXPECT_NE(ProgressBarLine(-3, 10, 1.0, 80).find("  0%  frame 0/10"), std::string::npos);
    EXPECT_NE(ProgressBarLine(12, 10, 1.0, 80).find("100%  frame 10/10"), std::string::npos);
    // A narrow terminal loses the bar, then the end of the figures.
    const std::string narrow = ProgressBarLine(5, 10, 1.0, 30);
    EXPECT_EQ(narrow.find('['), std::string::npos);
    EXPECT_LE(narrow.size(), 29u);
    EXPECT_TRUE(ProgressBarLine(5, 10, 1.0, 0).empty());
}

TEST(ProgressStyleTest, ABarOnlyOnATerminalAndNothingWhenQuiet) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);

    EXPECT_EQ(ChooseProgressStyle(false, terminal), ProgressStyle::Bar);
    EXPECT_EQ(ChooseProgressStyle(false, pipeEnds[1]), ProgressStyle::Lines);
    EXPECT_EQ(ChooseProgressStyle(true, terminal), ProgressStyle::Quiet);
    EXPECT_EQ(ChooseProgressStyle(true, pipeEnds[1]), ProgressStyle::Quiet);
    EXPECT_EQ(TerminalColumns(pipeEnds[1]), 80) << "not a terminal: the usual width";

    for (int fd : {master, terminal, pipeEnds[0], pipeEnds[1]}) close(fd);
}

TEST(TerminalProgressBarTest, RedrawsOverOneLineAtMostTenTimesASecondAndEndsIt) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    auto now = std::chrono::steady_clock::time_point{};
    {
        TerminalProgressBar bar(out, 80, [&] { return now; });
        for (int frame = 0; frame < 100; ++frame) {
            now += 10ms;  // 100 frames a second
            bar.Frame(frame, 100);
        }
    }  // the destructor finishes the line
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += char(c);
    std::fclose(out);

    int draws = 0;
    for (char c : text) draws += c == '\r';
    // The first frame, one every 100 ms of the second, the last, the finish.
    EXPECT_GE(draws, 10);
    EXPECT_LE(draws, 13);
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line end, at the very end";
    const std::size_t last = text.rfind('\r');
    EXPECT_NE(text.find("100%  frame 100/100  100.0 fps  0:00 left", last), std::string::npos) << text.substr(last);
    EXPECT_NE(text.find("\x1b[K"), std::string::npos) << "a shorter line clears what the longer one left";
}

TEST(TerminalProgressBarTest, ABarThatDrewNothingWritesNothing) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    { TerminalProgressBar bar(out, 80); }
    EXPECT_EQ(std::ftell(out), 0);
    std::fclose(out);
}

}  // namespace
}  // namespace vantrel
