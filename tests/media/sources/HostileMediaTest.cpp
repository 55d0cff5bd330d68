// Media files made to hold the program inside FFmpeg: every open and read
// has a deadline, so they fail (or open) within seconds, not hours.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "media/sources/FfmpegSource.h"
#include "media/sources/MediaOpen.h"
#include "tests/media/sources/MediaFixtures.h"
#include "tests/support/TinyWav.h"

namespace vantrel {
namespace {

using testing::TempFolder;

// Half a second of 8-bit mono WAV followed by `padding` zero bytes; the tail
// is a hole in the file, so gigabytes cost no disk.
std::string PaddedWav(const TempFolder& folder, const std::string& name, std::int64_t padding) {
    const std::string wav = testing::TinyWav();
    const std::string path = folder / name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::write(fd, wav.data(), wav.size()), ssize_t(wav.size()));
    EXPECT_EQ(::ftruncate(fd, off_t(wav.size() + padding)), 0);
    ::close(fd);
    return path;
}

TEST(HostileMedia, AWavWithGigabytesOfPaddingIsDealtWithWithinTheDeadline) {
    TempFolder folder;
    const std::string padded = PaddedWav(folder, "padded.wav", std::int64_t(5) << 30);
    const auto began = std::chrono::steady_clock::now();
    // FFmpeg's WAV reader walks the whole tail looking for chunks; the
    // movie opener gives up at its deadline instead.
    FfmpegSource::OpenMovie(padded);
    EXPECT_EQ(FfmpegSource::OpenAvi(padded), nullptr);  // not even looked at: no AVI header
    // The openers in their order: the WAV reader takes it, at once.
    const std::unique_ptr<MediaSource> source = OpenMediaSource(padded);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), SourceKind::Wav);
    // Hours without the deadline; a generous bound that only a hang breaks.
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(60));
}

}  // namespace
}  // namespace vantrel
