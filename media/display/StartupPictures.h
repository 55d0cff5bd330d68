#pragma once
#include <cstddef>
#include <cstdint>

namespace vantrel {

// JPEG data of the two start-up pictures (keys -2 and -3).
extern const std::uint8_t kStartupPictureSmall[];
extern const std::size_t kStartupPictureSmallSize;
extern const std::uint8_t kStartupPictureLarge[];
extern const std::size_t kStartupPictureLargeSize;

}  // namespace vantrel
