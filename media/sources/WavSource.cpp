#include "media/sources/WavSource.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace vantrel {

namespace {

// Beyond this a format block is not believed: a one-second buffer of it
// would be an allocation chosen by the file.
constexpr int kMaxBytesPerSecond = 1 << 24;

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

struct Chunk {
    char id[4];
    std::int64_t offset = 0;  // of the chunk's data
    std::int64_t size = 0;
};

bool ReadChunkHeader(std::FILE* file, Chunk& chunk) {
    std::uint8_t header[8];
    if (std::fread(header, 1, 8, file) != 8) return false;
    std::memcpy(chunk.id, header, 4);
    chunk.size = Le32(header + 4);
    chunk.offset = std::ftell(file);
    return chunk.offset >= 0;
}

// Walks the chunks from the current position up to end, as a descent that
// searches for one id does; leaves the file at the found chunk's data.
bool FindChunk(std::FILE* file, const char* id, std::int64_t end, Chunk& found) {
    for (;;) {
        const long at = std::ftell(file);
        if (at < 0 || at + 8 > end) return false;
        if (!ReadChunkHeader(file, found)) return false;
        if (std::memcmp(found.id, id, 4) == 0) return true;
        // Chunks are padded to an even size.
        const std::int64_t next = found.offset + found.size + (found.size & 1);
        if (next > end || std::fseek(file, long(next), SEEK_SET) != 0) return false;
    }
}

std::int64_t FileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    std::rewind(file);
    return size;
}

}  // namespace

std::unique_ptr<WavSource> WavSource::Open(const std::string& path) {
    std::unique_ptr<WavSource> source(new WavSource);
    source->file_ = std::fopen(path.c_str(), "rb");
    if (!source->file_) return nullptr;
    std::FILE* file = source->file_;
    const std::int64_t fileSize = FileSize(file);
    if (fileSize < 12) return nullptr;

    std::uint8_t riff[12];
    if (std::fread(riff, 1, 12, file) != 12) return nullptr;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return nullptr;
    const std::int64_t formEnd = std::min<std::int64_t>(8 + std::int64_t(Le32(riff + 4)), fileSize);

    Chunk fmt;
    if (!FindChunk(file, "fmt ", formEnd, fmt) || fmt.size < 16) return nullptr;
    std::uint8_t format[18] = {};
    const std::size_t want = std::size_t(std::min<std::int64_t>(fmt.size, 18));
    if (std::fread(format, 1, want, file) != want) return nullptr;
    AudioFormat& audio = source->audio_;
    audio.formatTag = Le16(format);
    audio.channels = Le16(format + 2);
    audio.samplesPerSecond = int(Le32(format + 4));
    const std::uint32_t bytesPerSecond = Le32(format + 8);
    audio.blockAlign = Le16(format + 12);
    audio.bitsPerSample = Le16(format + 14);
    if (audio.formatTag != 1 || audio.channels <= 0 || audio.blockAlign <= 0 ||
        audio.samplesPerSecond <= 0 || bytesPerSecond == 0 || bytesPerSecond > kMaxBytesPerSecond)
        return nullptr;
    audio.bytesPerSecond = int(bytesPerSecond);

    // Out of the format chunk, then on to the data that follows it.
    const std::int64_t afterFmt = fmt.offset + fmt.size + (fmt.size & 1);
    if (std::fseek(file, long(afterFmt), SEEK_SET) != 0) return nullptr;
    Chunk data;
    if (!FindChunk(file, "data", formEnd, data) || data.size == 0) return nullptr;
    // A truncated file cannot deliver what its header promises; its length
    // is what is really there.
    source->dataOffset_ = data.offset;
    source->dataSize_ = std::min(data.size, fileSize - data.offset);
    if (source->dataSize_ <= 0) return nullptr;
    source->lengthMs_ = int(std::min<std::int64_t>(source->dataSize_ * 1000 / bytesPerSecond, INT_MAX));
    if (!source->AllocateAudioBlock()) return nullptr;
    source->SetPath(path);
    return source;
}

WavSource::~WavSource() {
    if (file_) std::fclose(file_);
}

bool WavSource::ReadAudioSecond(int timeMs) {
    FillSilence();
    if (timeMs < 0 || timeMs >= lengthMs_) return true;
    const std::int64_t bps = audio_.bytesPerSecond;
    const std::int64_t from = std::int64_t(timeMs / 1000) * bps;
    const std::int64_t to = std::min<std::int64_t>(from + bps, dataSize_);
    if (to <= from) return true;
    if (std::fseek(file_, long(dataOffset_ + from), SEEK_SET) != 0) return true;
    (void)std::fread(audioBlock_.data(), 1, std::size_t(to - from), file_);
    return true;
}

}  // namespace vantrel
