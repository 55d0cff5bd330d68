#pragma once
// Media files made on the spot with ffmpeg's command line and small writers
// of our own, in a folder that goes away with the fixture.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "values/Surface.h"
#include "tests/support/TempFolder.h"

namespace vantrel::testing {

// Runs "ffmpeg -v error -y <arguments>"; true when it succeeded.
inline bool Ffmpeg(const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -v error -y " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Frame n of the numbered video shows n in binary: eight 8-pixel stripes,
// stripe k white when bit k is set. 64 x 48, `fps` frames a second.
inline std::string NumberedVideoInput(int fps, double seconds) {
    return "-f lavfi -i \"color=black:s=64x48:r=" + std::to_string(fps) + ":d=" + std::to_string(seconds) +
           ",format=gray,geq=lum='if(mod(floor(N/pow(2,floor(X/8))),2),235,16)'\"";
}

// The frame number shown in a decoded picture.
inline int FrameNumberOf(const Surface& picture) {
    int number = 0;
    for (int bit = 0; bit < 8; ++bit) {
        const int red = PixelRed(picture.At(bit * 8 + 4, 24));
        if (red > 128) number |= 1 << bit;
    }
    return number;
}

inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}
inline void Append16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void AppendId(std::vector<std::uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(id[i]));
}

struct WavLayout {
    int formatTag = 1;
    int channels = 1;
    int rate = 8000;
    int bits = 16;
    std::uint32_t bytesPerSecond = 0;  // 0: derived
    std::vector<std::uint8_t> data;
    std::uint32_t dataSizeField = 0xFFFFFFFF;  // as written; default: data.size()
    bool junkBeforeFmt = false;
};

// A RIFF WAVE file, written the way the format is defined.
inline std::vector<std::uint8_t> MakeWav(const WavLayout& layout) {
    std::vector<std::uint8_t> body;
    AppendId(body, "WAVE");
    if (layout.junkBeforeFmt) {
        AppendId(body, "JUNK");
        Append32(body, 3);
        body.insert(body.end(), {1, 2, 3, 0});  // odd size: one pad byte
    }
    const int blockAlign = layout.channels * layout.bits / 8;
    AppendId(body, "fmt ");
    Append32(body, 16);
    Append16(body, std::uint16_t(layout.formatTag));
    Append16(body, std::uint16_t(layout.channels));
    Append32(body, std::uint32_t(layout.rate));
    Append32(body, layout.bytesPerSecond ? layout.bytesPerSecond : std::uint32_t(layout.rate * blockAlign));
    Append16(body, std::uint16_t(blockAlign));
    Append16(body, std::uint16_t(layout.bits));
    AppendId(body, "data");
    Append32(body, layout.dataSizeField == 0xFFFFFFFF ? std::uint32_t(layout.data.size()) : layout.dataSizeField);
    body.insert(body.end(), layout.data.begin(), layout.data.end());
    std::vector<std::uint8_t> file;
    AppendId(file, "RIFF");
    Append32(file, std::uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace vantrel::testing
