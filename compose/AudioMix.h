#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/sources/MediaSource.h"

namespace vantrel {

class Clip;

// The source audio of one media clip around its current time: ten blocks of
// one second each, read at whole seconds of local time, and the window of at
// most six of them that covers [w, w + 6000) ms for the last time read.
class AudioBlockCache {
public:
    static constexpr int kBlockCount = 10;
    static constexpr int kWindowBlocks = 6;
    static constexpr std::int32_t kEmpty = INT32_MIN;

    // Frees the blocks and makes ten empty ones of secondBytes each.
    void Remake(int secondBytes);
    int SecondBytes() const { return secondBytes_; }

    // The read step for local time t. False when a second of the window found
    // no block to live in (nothing can be mixed for this step then).
    bool Read(MediaSource& source, std::int32_t t);
    // Appends d ms of source audio from local time t, block by block in the
    // source's layout. False only for a layout the mix cannot take (not 8 or
    // 16 bits, not 1 or 2 channels); a span beyond the window copies nothing.
    bool CopyOut(const AudioFormat& format, std::int32_t t, std::int32_t d, std::vector<std::uint8_t>& out) const;

    std::int32_t BlockStart(int index) const { return blocks_[std::size_t(index)].start; }
    const std::vector<int>& Window() const { return window_; }
    std::int32_t WindowStart() const { return windowStart_; }
    // How many seconds were read from the source since the last Remake.
    int SourceReads() const { return sourceReads_; }

    // Whole seconds toward minus infinity.
    static std::int32_t FloorToSecond(std::int32_t t);

private:
    struct Block {
        std::int32_t start = kEmpty;
        std::vector<std::uint8_t> data;
    };
    std::array<Block, kBlockCount> blocks_{};
    std::vector<int> window_;
    std::int32_t windowStart_ = 0;
    std::int32_t requested_ = 0;
    int secondBytes_ = 0;
    int sourceReads_ = 0;
};

bool IsMixableLayout(const AudioFormat& format);
// 8-bit value v as a 16-bit sample: v * 255 - 32640.
std::int16_t EightBitSample(std::uint8_t v);
// m bytes of source audio (block align k = format.blockAlign) to n bytes of
// 44100 Hz 16-bit stereo: output frame i takes source frame (m / k) * i /
// (n / 4); a mono sample goes to both channels.
void ConvertAudio(const AudioFormat& format, const std::uint8_t* in, std::size_t m, std::int16_t* out,
                  std::size_t n);

// The output of one time step and the two scratch areas of the mix. Clips
// add into a wide sum that saturates once when the step is finished, so
// loud passages clip instead of wrapping and the order of clips is moot.
class MixBuffers {
public:
    // Two seconds of output: the size of each region of the mixing block.
    static constexpr int kRegionBytes = 352800;
    // Clears the sum for a step of `bytes` bytes (grows as needed).
    void Begin(int bytes);
    int Bytes() const { return bytes_; }
    // Adds 16-bit samples (bytes / 2 of them) into the sum.
    void Add(const std::int16_t* samples, int count);
    // The saturated 16-bit output of the step.
    const std::int16_t* Finish();
    const std::vector<std::int16_t>& Output() const { return output_; }

    std::vector<std::uint8_t> a, b;  // scratch

private:
    std::vector<std::int32_t> sum_;
    std::vector<std::int16_t> output_;
    int bytes_ = 0;
};

// The walks over the tree for one time step, starting at an arrangement (or
// a media clip). The clip the walk starts on is walked whatever its own time;
// below it only children active at their local time take part.
// flags: bit 0 follows the current child's path.
bool ReadAudioWalk(Clip& clip, int flags);
// Mixes d ms as n bytes of output into buffers (Begin must have run).
void MixAudioWalk(Clip& clip, MixBuffers& buffers, std::int32_t d, int n);
// Both walks, then the saturated result: the audio of a step of the tree.
const std::int16_t* MixStep(Clip& clip, MixBuffers& buffers, std::int32_t d, int n, int flags);

}  // namespace vantrel
