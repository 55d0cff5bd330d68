#include "compose/AudioMix.h"

#include <algorithm>
#include <cstring>

#include "items/StringTable.h"
#include "effects/EffectRegistry.h"
#include "model/clips/Clip.h"
#include "compose/ClipState.h"
#include "compose/Status.h"

namespace vantrel {

namespace {

std::vector<Clip*> AudibleChildren(const Clip& arrangement) {
    std::vector<Clip*> chosen;
    if (Clip* master = arrangement.AudioMaster()) {
        chosen.push_back(master);
        return chosen;
    }
    for (int i = 0; i < arrangement.ChildCount(); ++i)
        if (arrangement.ChildAt(i)->HasAudio()) chosen.push_back(arrangement.ChildAt(i));
    return chosen;
}

std::uint8_t SilenceByte(const AudioFormat& format) { return format.bitsPerSample == 8 ? 128 : 0; }

bool ReadWalk(Clip& clip, int flags, bool top) {
    if (!clip.HasAudio() || (!top && !clip.IsActive())) return false;
    if (clip.IsArrangement()) {
        bool any = false;
        for (Clip* child : AudibleChildren(clip)) {
            ShowStatus(clip, "Processing", "Reading Audio", child->Name());
            const int childFlags = child == clip.CurrentChild() ? flags : flags & ~1;
            any = ReadWalk(*child, childFlags, false) || any;
        }
        return any;
    }
    MediaSource* source = clip.Source();
    if (!source || !source->HasAudio()) return false;
    return MediaState(clip).audio.Read(*source, clip.Time());
}

void MixWalk(Clip& clip, MixBuffers& buffers, std::int32_t d, int n, bool top) {
    if (!clip.HasAudio() || (!top && !clip.IsActive())) return;
    if (clip.IsArrangement()) {
        for (Clip* child : AudibleChildren(clip)) MixWalk(*child, buffers, d, n, false);
        return;
    }
    MediaSource* source = clip.Source();
    if (!source || !source->HasAudio() || n <= 0) return;
    const AudioFormat& format = source->Audio();
    std::vector<std::uint8_t>& a = buffers.a;
    a.clear();
    if (!MediaState(clip).audio.CopyOut(format, clip.Time(), d, a)) return;
    // Nothing copied (the span lies beyond the window): the clip is silent
    // here; converting an empty copy would read cleared bytes as 8-bit
    // samples, which are full-scale negative.
    if (a.empty()) return;
    const std::size_t m = a.size();
    const std::size_t room = std::max<std::size_t>(std::size_t(n) + 4, m);
    if (format.samplesPerSecond == 44100 && format.bitsPerSample == 16 && format.channels == 2 &&
        format.blockAlign == 4) {
        a.resize(room, 0);
        if (m < std::size_t(n)) std::fill(a.begin() + std::ptrdiff_t(m), a.begin() + n, 0);
    } else {
        buffers.b.assign(room, 0);
        ConvertAudio(format, a.data(), m, reinterpret_cast<std::int16_t*>(buffers.b.data()), std::size_t(n));
        std::swap(buffers.a, buffers.b);
    }
    buffers.b.resize(buffers.a.size());
    for (const auto& owner : clip.AudioEffects()) {
        auto* effect = dynamic_cast<AudioEffect*>(owner.get());
        if (!effect) continue;
        ShowStatus(clip, "Processing", Str(effect->Type()), clip.Name());
        if (effect->Process(buffers.a.data(), buffers.b.data(), n)) std::swap(buffers.a, buffers.b);
    }
    buffers.Add(reinterpret_cast<const std::int16_t*>(buffers.a.data()), n / 2);
}

}  // namespace

// -- block cache ----------------------------------------------------------

std::int32_t AudioBlockCache::FloorToSecond(std::int32_t t) {
    if (t >= 0) return t / 1000 * 1000;
    return std::int32_t((std::int64_t(t) - 999) / 1000 * 1000);
}

void AudioBlockCache::Remake(int secondBytes) {
    secondBytes_ = std::max(secondBytes, 0);
    for (Block& block : blocks_) {
        block.start = kEmpty;
        block.data.assign(std::size_t(secondBytes_) + 4, 0);
    }
    window_.clear();
    sourceReads_ = 0;
}

bool AudioBlockCache::Read(MediaSource& source, std::int32_t t) {
    if (secondBytes_ != source.AudioSecondBytes()) Remake(source.AudioSecondBytes());
    window_.clear();
    requested_ = t;
    const std::int32_t w = FloorToSecond(t);
    windowStart_ = w;
    const std::int64_t windowEnd = std::int64_t(w) + 6000;
    const std::uint8_t silence = SilenceByte(source.Audio());
    for (int step = 0; step < kWindowBlocks; ++step) {
        const std::int64_t s64 = std::int64_t(w) + 1000 * step;
        if (s64 > INT32_MAX) return false;
        const std::int32_t s = std::int32_t(s64);
        int found = -1, candidate = -1;
        for (int i = 0; i < kBlockCount; ++i) {
            const Block& block = blocks_[std::size_t(i)];
            if (block.start == s) {
                found = i;
                break;
            }
            if (candidate < 0 && (block.start == kEmpty || block.start < w || block.start > windowEnd)) candidate = i;
        }
        if (found >= 0) {
            window_.push_back(found);
            continue;
        }
        if (candidate < 0) return false;
        Block& block = blocks_[std::size_t(candidate)];
        std::fill(block.data.begin(), block.data.end(), silence);
        if (s >= 0) {
            ++sourceReads_;
            if (source.ReadAudioSecond(s)) {
                const std::vector<std::uint8_t>& read = source.AudioBlock();
                std::memcpy(block.data.data(), read.data(), std::min(read.size(), block.data.size()));
            }
        }
        block.start = s;
        window_.push_back(candidate);
    }
    return true;
}

bool AudioBlockCache::CopyOut(const AudioFormat& format, std::int32_t t, std::int32_t d,
                              std::vector<std::uint8_t>& out) const {
    if (!IsMixableLayout(format)) return false;
    if (window_.empty() || d < 0) return true;
    const std::int64_t r = format.samplesPerSecond, k = format.blockAlign;
    const std::int64_t from = std::int64_t(t) - windowStart_, to = from + d;
    if (from < 0) return true;
    const std::int64_t first = from / 1000, last = to / 1000;
    if (first >= std::int64_t(window_.size()) || last >= std::int64_t(window_.size())) return true;
    const std::int64_t firstSample = r * (from % 1000) / 1000;
    const std::int64_t endSample = r * (to % 1000) / 1000;
    for (std::int64_t b = first; b <= last; ++b) {
        const Block& block = blocks_[std::size_t(window_[std::size_t(b)])];
        const std::int64_t begin = b == first ? firstSample : 0;
        const std::int64_t end = b == last ? endSample : r;
        const std::int64_t limit = std::int64_t(secondBytes_) / k;
        const std::int64_t b0 = std::min(begin, limit), b1 = std::min(end, limit);
        if (b1 <= b0) continue;
        out.insert(out.end(), block.data.begin() + b0 * k, block.data.begin() + b1 * k);
    }
    return true;
}

// -- conversion -----------------------------------------------------------

bool IsMixableLayout(const AudioFormat& format) {
    return (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           (format.channels == 1 || format.channels == 2) && format.blockAlign > 0 &&
           format.blockAlign >= format.channels * format.bitsPerSample / 8 && format.samplesPerSecond > 0;
}

std::int16_t EightBitSample(std::uint8_t v) { return std::int16_t(int(v) * 255 - 32640); }

void ConvertAudio(const AudioFormat& format, const std::uint8_t* in, std::size_t m, std::int16_t* out,
                  std::size_t n) {
    const std::size_t frames = n / 4;
    const std::size_t k = std::size_t(format.blockAlign);
    const std::size_t sourceFrames = k ? m / k : 0;
    if (sourceFrames == 0 || !IsMixableLayout(format)) {
        std::fill(out, out + frames * 2, std::int16_t(0));
        return;
    }
    const bool eight = format.bitsPerSample == 8;
    const bool stereo = format.channels == 2;
    auto sampleAt = [&](const std::uint8_t* p) -> std::int16_t {
        if (eight) return EightBitSample(p[0]);
        return std::int16_t(std::uint16_t(p[0] | p[1] << 8));
    };
    const std::size_t sampleBytes = eight ? 1 : 2;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t j = std::size_t(std::uint64_t(sourceFrames) * i / frames);
        const std::uint8_t* p = in + j * k;
        const std::int16_t left = sampleAt(p);
        out[2 * i] = left;
        out[2 * i + 1] = stereo ? sampleAt(p + sampleBytes) : left;
    }
}

// -- mix buffers ----------------------------------------------------------

void MixBuffers::Begin(int bytes) {
    bytes_ = std::max(bytes, 0);
    const std::size_t samples = std::size_t(bytes_ + 1) / 2;
    sum_.assign(samples, 0);
    output_.assign(samples, 0);
}

void MixBuffers::Add(const std::int16_t* samples, int count) {
    const int limit = std::min<int>(count, int(sum_.size()));
    for (int i = 0; i < limit; ++i) sum_[std::size_t(i)] += samples[i];
}

const std::int16_t* MixBuffers::Finish() {
    for (std::size_t i = 0; i < sum_.size(); ++i) output_[i] = std::int16_t(std::clamp(sum_[i], -32768, 32767));
    return output_.data();
}

// -- walks ----------------------------------------------------------------

bool ReadAudioWalk(Clip& clip, int flags) { return ReadWalk(clip, flags, true); }

void MixAudioWalk(Clip& clip, MixBuffers& buffers, std::int32_t d, int n) { MixWalk(clip, buffers, d, n, true); }

const std::int16_t* MixStep(Clip& clip, MixBuffers& buffers, std::int32_t d, int n, int flags) {
    buffers.Begin(n);
    ReadAudioWalk(clip, flags);
    MixAudioWalk(clip, buffers, d, n);
    return buffers.Finish();
}

}  // namespace vantrel
