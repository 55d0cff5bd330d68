#pragma once
#include <cstdint>
#include <string>

namespace vantrel::testing {

// Half a second of 8-bit mono silence at 8000 Hz as the bytes of a WAV file:
// the smallest media file every opener accepts.
inline std::string TinyWav() {
    std::string wav = "RIFF";
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) wav += char((v >> (8 * i)) & 255);
    };
    auto put16 = [&](std::uint16_t v) { wav += char(v & 255), wav += char(v >> 8); };
    put32(36 + 4000);
    wav += "WAVEfmt ";
    put32(16), put16(1), put16(1), put32(8000), put32(8000), put16(1), put16(8);
    wav += "data";
    put32(4000);
    wav += std::string(4000, char(128));
    return wav;
}

}  // namespace vantrel::testing
