#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "values/Surface.h"

namespace vantrel {

// The top-left width x height pixels of a picture (clamped to the surface)
// as a 24-bit bottom-up BMP file: 54 bytes of headers, then the rows from
// the bottom up, blue, green, red per pixel, each row padded with zeros to a
// multiple of 4 bytes. Empty when there is nothing to write.
std::vector<std::uint8_t> BitmapFileBytes(const Surface& picture, int width, int height);
bool SaveBitmapFile(const Surface& picture, int width, int height, const std::string& path);

// Hands the picture to the platform's clipboard as an opaque bitmap; false
// when the clipboard would not take it.
bool CopyPictureToClipboard(const Surface& picture, int width, int height);

}  // namespace vantrel
