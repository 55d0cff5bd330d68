#pragma once
// Small media files and clip trees that the composition and make tests
// build in a temporary folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "values/Surface.h"
#include "model/clips/Clip.h"
#include "tests/support/TempFolder.h"

namespace vantrel::testing {

// A 24-bit BMP of one colour per half (left, right); colours as pixels.
std::string WriteBitmap(const TempFolder& folder, const std::string& name, int width, int height, Pixel left,
                        Pixel right);
// PCM WAV with the given layout; each sample frame takes `value` per channel
// (as stored: unsigned for 8 bits).
std::string WriteWave(const TempFolder& folder, const std::string& name, int rate, int bits, int channels,
                      int frames, int value);
// The same with samples from a function of the frame index and channel.
std::string WriteWaveWith(const TempFolder& folder, const std::string& name, int rate, int bits, int channels,
                          int frames, int (*sample)(int frame, int channel));

// A root arrangement at an output size (string id) and frame rate id, with
// the effects and generators of the composition installed.
void MakeRoot(Clip& root, int outputSizeId = 82, int frameRateId = 134);
// Sets a variable of a clip or effect at time 0.
void SetValue(VariableOwner& owner, int stringId, double value);
// Places the child over [position, position + length] on the track.
void Place(Clip& child, int track, std::int32_t position, std::int32_t length);

}  // namespace vantrel::testing
