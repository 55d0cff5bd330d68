#pragma once
#include <string>

namespace vantrel {

// Every ending our readers open, as "*.aac;*.aif;...", sorted and without
// repeats: FFmpeg's usual containers and audio files, our WAV reader,
// libjpeg, and the image library's formats as this machine has them.
std::string EveryImportPattern();

}  // namespace vantrel
