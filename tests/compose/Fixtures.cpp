#include "tests/compose/Fixtures.h"

#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "compose/Composition.h"
#include "media/sources/PictureExport.h"

namespace vantrel::testing {

namespace {
void Put16(std::vector<std::uint8_t>& b, int v) {
    b.push_back(std::uint8_t(v & 255));
    b.push_back(std::uint8_t((v >> 8) & 255));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t((v >> (8 * i)) & 255));
}
void PutText(std::vector<std::uint8_t>& b, const char* t) { b.insert(b.end(), t, t + 4); }
}  // namespace

std::string WriteBitmap(const TempFolder& folder, const std::string& name, int width, int height, Pixel left,
                        Pixel right) {
    Surface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.At(x, y) = x < width / 2 ? left : right;
    const std::string path = folder.File(name);
    SaveBitmapFile(picture, width, height, path);
    return path;
}

std::string WriteWaveWith(const TempFolder& folder, const std::string& name, int rate, int bits, int channels,
                          int frames, int (*sample)(int frame, int channel)) {
    const int align = bits / 8 * channels;
    std::vector<std::uint8_t> b;
    PutText(b, "RIFF");
    Put32(b, std::uint32_t(36 + frames * align));
    PutText(b, "WAVE");
    PutText(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);
    Put16(b, channels);
    Put32(b, std::uint32_t(rate));
    Put32(b, std::uint32_t(rate * align));
    Put16(b, align);
    Put16(b, bits);
    PutText(b, "data");
    Put32(b, std::uint32_t(frames * align));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const int v = sample(i, c);
            if (bits == 8)
                b.push_back(std::uint8_t(v));
            else
                Put16(b, v);
        }
    const std::string path = folder.File(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(b.data(), 1, b.size(), file);
    std::fclose(file);
    return path;
}

namespace {
thread_local int constantValue = 0;
int Constant(int, int) { return constantValue; }
}  // namespace

std::string WriteWave(const TempFolder& folder, const std::string& name, int rate, int bits, int channels,
                      int frames, int value) {
    constantValue = value;
    return WriteWaveWith(folder, name, rate, bits, channels, frames, &Constant);
}

void MakeRoot(Clip& root, int outputSizeId, int frameRateId) {
    InstallCompositionParts();
    root.SetArrangement(true);
    root.SetOutputSizeId(outputSizeId);
    root.SetFrameRateId(frameRateId);
    root.RestoreTimes(0, 60000, 0);
}

void SetValue(VariableOwner& owner, int stringId, double value) {
    Variable* variable = owner.Table().ById(stringId);
    ASSERT_NE(variable, nullptr) << "variable " << stringId;
    variable->ClearKeys();
    variable->SetValueAt(0, value);
}

void Place(Clip& child, int track, std::int32_t position, std::int32_t length) {
    child.RestoreTimes(position, length, child.Start());
    child.SetTrack(track);
}

}  // namespace vantrel::testing
