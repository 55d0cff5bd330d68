#include "media/sources/PictureExport.h"

#include <algorithm>
#include <cstdio>

#include "platform/Platform.h"

namespace vantrel {

namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BitmapFileBytes(const Surface& picture, int width, int height) {
    width = std::min(width, picture.Width());
    height = std::min(height, picture.Height());
    if (picture.IsEmpty() || width <= 0 || height <= 0) return {};
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes * std::size_t(height);
    std::vector<std::uint8_t> file(54 + imageBytes, 0);
    std::uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, std::uint32_t(imageBytes + 54));
    Put32(h + 10, 54);
    Put32(h + 14, 40);
    Put32(h + 18, std::uint32_t(width));
    Put32(h + 22, std::uint32_t(height));
    Put16(h + 26, 1);
    Put16(h + 28, 24);
    Put32(h + 30, 0);
    Put32(h + 34, std::uint32_t(imageBytes));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = reinterpret_cast<const std::uint8_t*>(picture.Row(height - 1 - y));
        std::uint8_t* out = h + 54 + rowBytes * std::size_t(y);
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return file;
}

bool SaveBitmapFile(const Surface& picture, int width, int height, const std::string& path) {
    const std::vector<std::uint8_t> bytes = BitmapFileBytes(picture, width, height);
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool CopyPictureToClipboard(const Surface& picture, int width, int height) {
    width = std::min(width, picture.Width());
    height = std::min(height, picture.Height());
    Clipboard* clipboard = Platform().clipboard;
    if (picture.IsEmpty() || width <= 0 || height <= 0 || !clipboard) return false;
    // A bitmap on the clipboard has no alpha: what the user pastes is the
    // colour, whatever coverage the frame carried.
    Surface copy;
    if (!copy.Allocate(width, height)) return false;
    for (int y = 0; y < height; ++y) {
        const Pixel* in = picture.Row(y);
        Pixel* out = copy.Row(y);
        for (int x = 0; x < width; ++x) out[x] = in[x] | 0xFF000000u;
    }
    return clipboard->SetImage(copy);
}

}  // namespace vantrel
