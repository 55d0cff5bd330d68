#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace vantrel::testing {

// A project for chunked makes: a gradient, a still that comes and goes and
// a saw sound, 176 x 144 unless another size id is given, over
// [makeStart, makeEnd) at the rate id given.
std::string WriteChunkProject(const TempFolder& folder, int frameRateId, std::int32_t makeStart, std::int32_t makeEnd,
                              int sizeId = 489);
// The decoded pictures (what = 'v', BGR rows) or samples (what = 'a', 16-bit
// stereo) of a media file, through the ffmpeg command line.
std::vector<std::uint8_t> DecodedMedia(const std::string& media, char what);
bool HaveFfmpegCommand();

}  // namespace vantrel::testing
