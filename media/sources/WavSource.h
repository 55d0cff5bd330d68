#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "media/sources/MediaSource.h"

namespace vantrel {

// A RIFF "WAVE" file with plain PCM (format tag 1), read one second at a
// time straight from the "data" chunk.
class WavSource final : public MediaSource {
public:
    static std::unique_ptr<WavSource> Open(const std::string& path);
    ~WavSource() override;

    SourceKind Kind() const override { return SourceKind::Wav; }
    int LengthMs() const override { return lengthMs_; }
    bool ReadAudioSecond(int timeMs) override;

    std::int64_t DataOffset() const { return dataOffset_; }
    std::int64_t DataSize() const { return dataSize_; }

private:
    WavSource() = default;
    std::FILE* file_ = nullptr;
    std::int64_t dataOffset_ = 0, dataSize_ = 0;
    int lengthMs_ = 0;
};

}  // namespace vantrel
