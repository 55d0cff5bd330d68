#include "tests/make/ChunkProject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "tests/compose/Fixtures.h"

namespace vantrel::testing {

namespace {
int Saw(int frame, int channel) { return ((frame * (channel ? 7 : 3)) % 20000) - 10000; }
}  // namespace

std::string WriteChunkProject(const TempFolder& folder, int frameRateId, std::int32_t makeStart, std::int32_t makeEnd,
                              int sizeId) {
    Clip root;
    MakeRoot(root, sizeId, frameRateId);
    Clip* gradient = root.NewChildClip(kGradientType);
    Place(*gradient, 2, 0, 60000);
    Clip* still = root.ImportMedia(
        WriteBitmap(folder, "still.bmp", 40, 30, MakePixel(0, 0, 255, 0), MakePixel(255, 255, 0, 0)));
    Place(*still, 0, 430, 900);
    SetValue(*still, 49, 0.1);
    Clip* sound = root.ImportMedia(WriteWaveWith(folder, "saw.wav", 44100, 16, 2, 44100 * 3, &Saw));
    Place(*sound, 3, 0, 3000);
    root.SetMakeRange(makeStart, makeEnd);
    const std::string path = folder.File("project" + std::to_string(frameRateId) + "-" + std::to_string(sizeId) + ".kwp");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FileOutStream out(file);
    EXPECT_NE(root.Save(out), 0);
    std::fclose(file);
    return path;
}

std::vector<std::uint8_t> DecodedMedia(const std::string& media, char what) {
    const std::string raw = media + (what == 'v' ? ".bgr" : ".pcm");
    const std::string format = what == 'v' ? "-map 0:v -f rawvideo -pix_fmt bgr24" : "-map 0:a -f s16le";
    const std::string command = "ffmpeg -v error -y -i '" + media + "' " + format + " '" + raw + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(raw, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool HaveFfmpegCommand() { return std::system("ffmpeg -version > /dev/null 2>&1") == 0; }

}  // namespace vantrel::testing
