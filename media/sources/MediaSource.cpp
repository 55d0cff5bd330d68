#include "media/sources/MediaSource.h"

#include <algorithm>
#include <new>

namespace vantrel {

int RoundedWidth(int width) { return width <= 0 ? 0 : int((std::int64_t(width) + 3) / 4 * 4); }

bool AllocatePictureSurface(Surface& surface, int width, int height) {
    const int rounded = RoundedWidth(width);
    if (rounded <= 0 || height <= 0) return false;
    return surface.Allocate(rounded, height, rounded);
}

void MediaSource::FillSilence() {
    std::fill(audioBlock_.begin(), audioBlock_.end(),
              std::uint8_t(audio_.bitsPerSample == 8 ? 128 : 0));
}

bool MediaSource::AllocateAudioBlock() {
    try {
        audioBlock_.assign(std::size_t(audio_.bytesPerSecond), 0);
    } catch (const std::bad_alloc&) {
        audio_ = {};
        audioBlock_.clear();
        return false;
    }
    FillSilence();
    return true;
}

}  // namespace vantrel
