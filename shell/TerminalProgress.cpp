#include "shell/TerminalProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {
constexpr int kDefaultColumns = 80;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

std::string Duration(double seconds) {
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}
}  // namespace

ProgressStyle ChooseProgressStyle(bool quiet, int errorDescriptor) {
    if (quiet) return ProgressStyle::Quiet;
    return isatty(errorDescriptor) ? ProgressStyle::Bar : ProgressStyle::Lines;
}

int TerminalColumns(int descriptor) {
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return kDefaultColumns;
}

std::string ProgressBarLine(int done, int frames, double seconds, int columns) {
    frames = std::max(frames, 0);
    done = std::clamp(done, 0, frames);
    const double fraction = frames > 0 ? double(done) / frames : 0.0;
    char tail[128];
    int length = std::snprintf(tail, sizeof tail, " %3d%%  frame %d/%d", int(fraction * 100.0), done, frames);
    std::string text(tail, std::size_t(std::max(length, 0)));
    if (done > 0 && seconds > 0.0) {
        const double speed = done / seconds;
        length = std::snprintf(tail, sizeof tail, "  %.1f fps  %s left", speed,
                               Duration((frames - done) / speed).c_str());
        text.append(tail, std::size_t(std::max(length, 0)));
    }
    // The bar takes what the figures leave, and is dropped on a terminal too
    // narrow for it rather than wrapping the line (which would break the
    // redraw over the same line).
    const int barWidth = columns - 1 - int(text.size()) - 2;
    if (barWidth < 10) return text.substr(0, std::size_t(std::max(columns - 1, 0)));
    const int filled = int(fraction * barWidth);
    return "[" + std::string(std::size_t(filled), '#') + std::string(std::size_t(barWidth - filled), '.') + "]" + text;
}

TerminalProgressBar::TerminalProgressBar(std::FILE* out, int columns, Clock clock)
    : out_(out),
      columns_(columns > 0 ? columns : TerminalColumns(fileno(out))),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      start_(clock_()) {}

TerminalProgressBar::~TerminalProgressBar() { Finish(); }

void TerminalProgressBar::Frame(int index, int frames) {
    const auto now = clock_();
    lastDone_ = index + 1;
    frames_ = frames;
    if (drawn_ && lastDone_ < frames && now - lastDraw_ < kRedrawEvery) return;
    lastDraw_ = now;
    Draw(lastDone_, frames);
}

void TerminalProgressBar::Draw(int done, int frames) {
    const double seconds = std::chrono::duration<double>(clock_() - start_).count();
    // Back to the line's start and clear it: the line may have got shorter.
    std::fprintf(out_, "\r%s\x1b[K", ProgressBarLine(done, frames, seconds, columns_).c_str());
    std::fflush(out_);
    drawn_ = true;
}

void TerminalProgressBar::Finish() {
    if (!drawn_) return;
    Draw(lastDone_, frames_);
    std::fputc('\n', out_);
    std::fflush(out_);
    drawn_ = false;
}

}  // namespace vantrel
