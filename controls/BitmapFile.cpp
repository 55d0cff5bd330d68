#include "controls/BitmapFile.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "values/Surface.h"

namespace vantrel {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v)), out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

}  // namespace

bool SaveBitmapFile(const Surface& picture, const std::string& path) {
    if (picture.IsEmpty()) return false;
    const std::uint32_t width = std::uint32_t(picture.Width()), height = std::uint32_t(picture.Height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;  // rows are padded to four bytes
    const std::uint32_t imageBytes = stride * height;
    const std::uint32_t headerBytes = 14 + 40;
    std::vector<std::uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    out.push_back('B'), out.push_back('M');
    Put32(out, headerBytes + imageBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);  // positive: rows bottom to top
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // uncompressed
    Put32(out, imageBytes);
    Put32(out, 2835), Put32(out, 2835);  // 72 dots per inch
    Put32(out, 0), Put32(out, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const Pixel* row = picture.Row(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(std::uint8_t(PixelBlue(row[x])));
            out.push_back(std::uint8_t(PixelGreen(row[x])));
            out.push_back(std::uint8_t(PixelRed(row[x])));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    file.flush();
    return bool(file);
}

}  // namespace vantrel
