#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace vantrel {

// How --make reports while it runs: a bar that redraws itself on a
// terminal, the "Processing" status lines anywhere else, nothing at all
// with --quiet.
enum class ProgressStyle { Quiet, Lines, Bar };
ProgressStyle ChooseProgressStyle(bool quiet, int errorDescriptor);

// One line of the bar for `columns` columns, without line end:
//   [#######.............]  35%  frame 350/1000  24.8 fps  0:26 left
// seconds is the time since the make started; the speed and the time left
// follow from it once a frame is done.
std::string ProgressBarLine(int done, int frames, double seconds, int columns);

// The bar on a terminal. Redraws at most ten times a second over its own
// line; Finish ends the line so the shell's prompt starts on a fresh one.
class TerminalProgressBar {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit TerminalProgressBar(std::FILE* out, int columns = 0, Clock clock = {});
    ~TerminalProgressBar();
    void Frame(int index, int frames);
    void Finish();

private:
    void Draw(int done, int frames);

    std::FILE* out_;
    int columns_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_, lastDraw_;
    int lastDone_ = 0, frames_ = 0;
    bool drawn_ = false;
};

// The terminal's width in columns, 80 when it cannot be asked.
int TerminalColumns(int descriptor);

}  // namespace vantrel
