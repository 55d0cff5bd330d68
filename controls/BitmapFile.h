#pragma once
#include <string>

namespace vantrel {

class Surface;

// Writes the surface as an uncompressed 24-bit BMP file; false when the
// surface is empty or the file cannot be written.
bool SaveBitmapFile(const Surface& picture, const std::string& path);

}  // namespace vantrel
