#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <filesystem>
#include <string>
#include <vector>

#include "items/Records.h"
#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "tests/support/TempFolder.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel::testing {

// Scripted dialogs and menus for the life of a test.
class ScopedDialogs {
public:
    ScopedDialogs() { previous_ = SetPlatform({&dialogs, &menus}); }
    ~ScopedDialogs() { SetPlatform(previous_); }
    ScriptedDialogs dialogs;
    ScriptedMenus menus;

private:
    PlatformServices previous_;
};

// A 16-bit mono PCM WAV of the given length in ms at 8000 Hz.
inline bool WriteWav(const std::string& path, int lengthMs) {
    const std::uint32_t rate = 8000, bytes = rate * 2 * std::uint32_t(lengthMs) / 1000;
    std::vector<std::uint8_t> file(44 + bytes, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) { StoreInt32(file.data() + at, std::int32_t(v)); };
    auto put16 = [&](std::size_t at, std::uint16_t v) {
        file[at] = std::uint8_t(v);
        file[at + 1] = std::uint8_t(v >> 8);
    };
    std::memcpy(file.data(), "RIFF", 4);
    put32(4, 36 + bytes);
    std::memcpy(file.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(file.data() + 36, "data", 4);
    put32(40, bytes);
    for (std::size_t i = 44; i + 1 < file.size(); i += 2) file[i] = std::uint8_t(i);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}

inline std::vector<std::uint8_t> SaveBytes(Clip& clip) {
    MemoryOutStream out;
    clip.Save(out);
    return out.bytes;
}

inline bool LoadBytes(Clip& clip, const std::vector<std::uint8_t>& bytes) {
    MemoryInStream in(bytes);
    return clip.Load(in) != 0;
}

// A root arrangement the way a workspace starts one, without a window.
inline std::unique_ptr<Clip> MakeRoot() {
    auto root = std::make_unique<Clip>();
    root->SetArrangement(true);
    DeclareAll(root->Table(), ClipDeclarations(ClipKind::kSubArrangement));
    return root;
}

// A child placed at a position with a length, on a chosen track.
inline Clip* AddAt(Clip& parent, int type, std::int32_t position, std::int32_t length, int track) {
    parent.SetTimeValue(position);
    Clip* clip = parent.NewChildClip(type);
    if (!clip) return nullptr;
    clip->RestoreTimes(position, length, 0);
    clip->SetTrack(track);
    return clip;
}

}  // namespace vantrel::testing
