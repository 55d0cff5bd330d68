#include "media/sources/FfmpegSource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/time.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "values/RowBands.h"

namespace vantrel {

namespace {

template <auto Free>
struct FreeWith {
    template <class T>
    void operator()(T* p) const noexcept { Free(&p); }
};
// A hostile or damaged file must not hold the program inside FFmpeg: every
// open and every read runs against a deadline that FFmpeg's interrupt
// callback checks between its own I/O steps.
struct Deadline {
    std::int64_t until = 0;  // av_gettime_relative() microseconds
};
constexpr std::int64_t kOpenMicroseconds = 5'000'000;
constexpr std::int64_t kReadMicroseconds = 5'000'000;
// Bytes and stream time looked at to find the streams' formats; FFmpeg's
// own defaults, written down so that a library build with larger ones does
// not read on through a file of padding.
constexpr const char* kProbeBytes = "5000000";
constexpr const char* kAnalyzeMicroseconds = "5000000";

int PastDeadline(void* opaque) {
    const auto* deadline = static_cast<const Deadline*>(opaque);
    return deadline && av_gettime_relative() > deadline->until ? 1 : 0;
}

struct FormatFree {
    void operator()(AVFormatContext* format) const noexcept {
        auto* deadline = static_cast<Deadline*>(format->interrupt_callback.opaque);
        avformat_close_input(&format);
        delete deadline;
    }
};
using FormatHandle = std::unique_ptr<AVFormatContext, FormatFree>;

void Arm(AVFormatContext* format, std::int64_t microseconds) {
    if (auto* deadline = static_cast<Deadline*>(format->interrupt_callback.opaque))
        deadline->until = av_gettime_relative() + microseconds;
}
using CodecHandle = std::unique_ptr<AVCodecContext, FreeWith<avcodec_free_context>>;
using FrameHandle = std::unique_ptr<AVFrame, FreeWith<av_frame_free>>;
using PacketHandle = std::unique_ptr<AVPacket, FreeWith<av_packet_free>>;
using ResamplerHandle = std::unique_ptr<SwrContext, FreeWith<swr_free>>;
struct ScalerFree {
    void operator()(SwsContext* p) const noexcept { sws_freeContext(p); }
};
using ScalerHandle = std::unique_ptr<SwsContext, ScalerFree>;

constexpr int kMaxSampleRate = 768000;
constexpr AVRational kMilliseconds{1, 1000};

// Demuxers that hand out single pictures: those files are stills.
bool IsPictureDemuxer(const AVInputFormat* format) {
    const std::string_view name = format->name;
    return name.find("_pipe") != std::string_view::npos || name == "image2" ||
           name == "gif" || name == "tty" || name == "apng" || name == "webp";
}

// Below this a probe guess is not trusted: random bytes score that low.
constexpr int kMinProbeScore = AVPROBE_SCORE_RETRY;

// `until`: the deadline of the whole open of a source, which may read the
// file with more than one demuxer.
FormatHandle OpenFormat(const std::string& path, std::int64_t until) {
    // Damaged files are expected here and simply fail to open; the
    // library's complaints about them would only clutter the terminal.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_FATAL); });
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) return nullptr;
    auto* deadline = new Deadline{until};
    raw->interrupt_callback = {&PastDeadline, deadline};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "probesize", kProbeBytes, 0);
    av_dict_set(&options, "analyzeduration", kAnalyzeMicroseconds, 0);
    // On failure the context is freed by FFmpeg, the deadline by us.
    const int opened = avformat_open_input(&raw, path.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        delete deadline;
        return nullptr;
    }
    FormatHandle format(raw);
    if (format->probe_score < kMinProbeScore || IsPictureDemuxer(format->iformat)) return nullptr;
    if (avformat_find_stream_info(format.get(), nullptr) < 0) return nullptr;
    // Opening was the open's deadline; reads arm their own.
    Arm(format.get(), kReadMicroseconds);
    return format;
}

// Media time 0 is where the file starts; a negative start (encoder priming)
// is not a start the user sees.
std::int64_t OriginMicroseconds(const AVFormatContext* format) {
    return format->start_time != AV_NOPTS_VALUE && format->start_time > 0 ? format->start_time : 0;
}

// One decoding reader over its own demuxer, so that video and audio can be
// positioned independently.
struct Track {
    FormatHandle format;
    CodecHandle codec;
    AVStream* stream = nullptr;
    PacketHandle packet{av_packet_alloc()};
    FrameHandle frame{av_frame_alloc()};
    bool flushing = false;
    int seeks = 0;

    // firstOfType: the first stream of the type, as an AVI's stream 0 is;
    // otherwise the container's primary one.
    bool Open(FormatHandle opened, AVMediaType type, bool firstOfType) {
        format = std::move(opened);
        if (!format || !packet || !frame) return false;
        int index = -1;
        if (firstOfType) {
            for (unsigned i = 0; i < format->nb_streams && index < 0; ++i)
                if (format->streams[i]->codecpar->codec_type == type) index = int(i);
        } else {
            index = av_find_best_stream(format.get(), type, -1, -1, nullptr, 0);
        }
        if (index < 0) return false;
        stream = format->streams[index];
        if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) return false;
        const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
        if (!decoder) return false;
        codec.reset(avcodec_alloc_context3(decoder));
        if (!codec || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0) return false;
        codec->pkt_timebase = stream->time_base;
        codec->max_pixels = Surface::kMaxPixels;
        codec->thread_count = 2;
        if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return false;
        // Only this stream's packets are wanted from this demuxer.
        for (unsigned i = 0; i < format->nb_streams; ++i)
            if (int(i) != index) format->streams[i]->discard = AVDISCARD_ALL;
        return true;
    }

    // The next decoded frame into `frame`; false at the end or on a read error.
    bool NextFrame() {
        Arm(format.get(), kReadMicroseconds);
        for (int guard = 0; guard < 1 << 20; ++guard) {
            const int received = avcodec_receive_frame(codec.get(), frame.get());
            if (received >= 0) return true;
            if (received != AVERROR(EAGAIN)) return false;  // drained or broken
            if (flushing) return false;
            const int read = av_read_frame(format.get(), packet.get());
            if (read < 0) {
                flushing = true;
                avcodec_send_packet(codec.get(), nullptr);
                continue;
            }
            if (packet->stream_index == stream->index)
                avcodec_send_packet(codec.get(), packet.get());  // a damaged packet is skipped
            av_packet_unref(packet.get());
        }
        return false;
    }

    bool SeekTo(std::int64_t ts) {
        ++seeks;
        flushing = false;
        Arm(format.get(), kReadMicroseconds);
        int result = av_seek_frame(format.get(), stream->index, ts, AVSEEK_FLAG_BACKWARD);
        if (result < 0) result = av_seek_frame(format.get(), stream->index, ts, AVSEEK_FLAG_ANY);
        if (result < 0) result = avformat_seek_file(format.get(), -1, INT64_MIN, 0, 0, 0);
        avcodec_flush_buffers(codec.get());
        return result >= 0;
    }

    std::int64_t FrameTime() const { return frame->best_effort_timestamp; }
};

// Packed RGB layouts copied straight into the picture in one pass, alpha
// 0: uncompressed AVIs hold these, and the scaler would need a second pass
// to clear the alpha it writes.
bool CopyPacked(const AVFrame* frame, Surface& picture, int width, int height) {
    const AVPixelFormat format = AVPixelFormat(frame->format);
    // Bottom-up files come with a negative line size; stepping by it works
    // the same. The picture's rounded-up padding is left as it is.
    if (frame->width != width || frame->height != height || picture.Width() < width || picture.Height() < height)
        return false;
    const int w = frame->width;
    switch (format) {
        case AV_PIX_FMT_BGR24:
            for (int y = 0; y < frame->height; ++y) {
                const std::uint8_t* in = frame->data[0] + std::ptrdiff_t(y) * frame->linesize[0];
                Pixel* out = picture.Row(y);
                int x = 0;
                // Four pixels from three little-endian words.
                for (; x + 4 <= w; x += 4, in += 12) {
                    std::uint32_t a, b, c;
                    std::memcpy(&a, in, 4);
                    std::memcpy(&b, in + 4, 4);
                    std::memcpy(&c, in + 8, 4);
                    out[x] = a & 0x00FFFFFFu;
                    out[x + 1] = (a >> 24 | b << 8) & 0x00FFFFFFu;
                    out[x + 2] = (b >> 16 | c << 16) & 0x00FFFFFFu;
                    out[x + 3] = c >> 8;
                }
                for (; x < w; ++x, in += 3) out[x] = Pixel(in[0]) | Pixel(in[1]) << 8 | Pixel(in[2]) << 16;
            }
            return true;
        case AV_PIX_FMT_BGRA:
        case AV_PIX_FMT_BGR0:
            for (int y = 0; y < frame->height; ++y) {
                Pixel* out = picture.Row(y);
                std::memcpy(out, frame->data[0] + std::ptrdiff_t(y) * frame->linesize[0], std::size_t(w) * 4);
                for (int x = 0; x < w; ++x) out[x] &= 0x00FFFFFFu;
            }
            return true;
        default: return false;
    }
}

// Converts to the picture's layout in bands of rows on every core. The
// bands are the scaler's own: each computes its rows exactly as one pass
// over the whole picture would.
SwsContext* ThreadedScaler(int width, int height, AVPixelFormat from, int toWidth, int toHeight) {
    SwsContext* scaler = sws_alloc_context();
    if (!scaler) return nullptr;
    const bool set = av_opt_set_int(scaler, "srcw", width, 0) >= 0 && av_opt_set_int(scaler, "srch", height, 0) >= 0 &&
                     av_opt_set_int(scaler, "src_format", from, 0) >= 0 &&
                     av_opt_set_int(scaler, "dstw", toWidth, 0) >= 0 &&
                     av_opt_set_int(scaler, "dsth", toHeight, 0) >= 0 &&
                     av_opt_set_int(scaler, "dst_format", AV_PIX_FMT_BGR0, 0) >= 0 &&
                     av_opt_set_int(scaler, "sws_flags", SWS_BILINEAR, 0) >= 0 &&
                     av_opt_set_int(scaler, "threads", RowBandCount(), 0) >= 0;
    if (!set || sws_init_context(scaler, nullptr, nullptr) < 0) {
        sws_freeContext(scaler);
        return nullptr;
    }
    return scaler;
}

}  // namespace

struct FfmpegSource::Video {
    Track track;
    ScalerHandle scaler;
    std::int64_t origin = 0;  // stream time of media time 0
    std::int64_t step = 1;    // one frame's duration in stream time, a guess for missing stamps
    bool haveCurrent = false;
    std::int64_t currentTime = 0;
    FrameHandle pending{av_frame_alloc()};  // decoded, not yet shown
    FrameHandle chosen{av_frame_alloc()};   // the frame a read settles on; let go once copied
    bool havePending = false;
    std::int64_t pendingTime = 0;
    bool atEnd = false;
    std::int64_t lastTime = AV_NOPTS_VALUE;

    // The picture shown before the latest one, with the stream times it
    // stands for: a scrub back and forth between two times then swaps the
    // two instead of seeking and decoding a GOP each time. `swapped` says
    // the source's picture is that earlier one, not the decoder's latest.
    FrameHandle output{av_frame_alloc()};  // the picture as the scaler's output
    int scaledWidth = 0, scaledHeight = 0, scaledFormat = -1;

    Surface earlier;
    std::int64_t earlierFrom = 0, earlierUntil = 0;
    std::int64_t shownFrom = 0, shownUntil = 0;
    bool haveShown = false, haveEarlier = false, swapped = false;

    std::int64_t ToStreamTime(int mediaTimeMs) const {
        return origin + av_rescale_q_rnd(mediaTimeMs, kMilliseconds, track.stream->time_base,
                                         AVRounding(AV_ROUND_DOWN | AV_ROUND_PASS_MINMAX));
    }

    // Decodes one more frame into pending; false at the end.
    bool Decode() {
        if (!track.NextFrame()) {
            atEnd = true;
            return false;
        }
        std::int64_t time = track.FrameTime();
        if (time == AV_NOPTS_VALUE) time = lastTime == AV_NOPTS_VALUE ? origin : lastTime + step;
        lastTime = time;
        av_frame_unref(pending.get());
        av_frame_move_ref(pending.get(), track.frame.get());
        pendingTime = time;
        havePending = true;
        return true;
    }

    // Decoding on is cheaper than seeking for short steps, and reads that
    // follow each other must never seek. A seek pays for a far target with
    // a key frame between the current frame and it.
    bool SeekPays(std::int64_t target) const {
        const std::int64_t oneSecond = av_rescale_q(1, AVRational{1, 1}, track.stream->time_base);
        if (target - currentTime <= oneSecond) return false;
        const int key = av_index_search_timestamp(track.stream, target, AVSEEK_FLAG_BACKWARD);
        if (key >= 0) {
            const AVIndexEntry* entry = avformat_index_get_entry(track.stream, key);
            return entry && entry->timestamp > currentTime;
        }
        return target - currentTime > 3 * oneSecond;
    }
};

struct FfmpegSource::Sound {
    Track track;
    ResamplerHandle resampler;
    std::int64_t originSamples = 0;
    int rate = 0, channels = 0;
    // Converted samples from sample index bufferStart on.
    std::vector<std::uint8_t> buffer;
    std::int64_t bufferStart = 0;
    bool positioned = false;
    bool atEnd = false;

    std::int64_t BufferEnd() const { return bufferStart + std::int64_t(buffer.size()) / (2 * channels); }

    bool Convert() {
        AVFrame* frame = track.frame.get();
        if (frame->nb_samples <= 0) return true;
        const int bytes = frame->nb_samples * 2 * channels;
        const std::size_t old = buffer.size();
        buffer.resize(old + std::size_t(bytes));
        std::uint8_t* out = buffer.data() + old;
        const int converted = swr_convert(resampler.get(), &out, frame->nb_samples,
                                          const_cast<const std::uint8_t**>(frame->extended_data),
                                          frame->nb_samples);
        buffer.resize(old + std::size_t(std::max(converted, 0)) * 2 * std::size_t(channels));
        return converted >= 0;
    }

    // Decodes until the buffer reaches sample `until` or the stream ends.
    void Fill(std::int64_t until) {
        while (!atEnd && (!positioned || BufferEnd() < until)) {
            if (!track.NextFrame()) {
                atEnd = true;
                break;
            }
            if (!positioned) {
                const std::int64_t time = track.FrameTime();
                bufferStart = time == AV_NOPTS_VALUE
                                  ? 0
                                  : av_rescale_q(time, track.stream->time_base, AVRational{1, rate}) -
                                        originSamples;
                buffer.clear();
                positioned = true;
            }
            if (!Convert()) atEnd = true;
        }
    }

    void SeekToSample(std::int64_t sample) {
        const std::int64_t ts =
            av_rescale_q(sample + originSamples, AVRational{1, rate}, track.stream->time_base);
        track.SeekTo(ts);
        buffer.clear();
        positioned = false;
        atEnd = false;
    }
};

FfmpegSource::FfmpegSource() = default;
FfmpegSource::~FfmpegSource() = default;

int FfmpegSource::VideoSeeks() const { return video_ ? video_->track.seeks : 0; }
int FfmpegSource::AudioSeeks() const { return sound_ ? sound_->track.seeks : 0; }

std::unique_ptr<FfmpegSource> FfmpegSource::OpenAvi(const std::string& path) {
    std::unique_ptr<FfmpegSource> source(new FfmpegSource);
    if (!source->Open(path, true)) return nullptr;
    return source;
}

std::unique_ptr<FfmpegSource> FfmpegSource::OpenMovie(const std::string& path) {
    std::unique_ptr<FfmpegSource> source(new FfmpegSource);
    if (!source->Open(path, false)) return nullptr;
    return source;
}

namespace {
// "RIFF", size, "AVI ": anything else is no AVI, and FFmpeg need not spend
// its open deadline finding that out (a WAV with a long tail of padding
// keeps its demuxer busy for as long as it is let).
bool StartsAsAvi(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char head[12] = {};
    const bool read = std::fread(head, 1, sizeof head, file) == sizeof head;
    std::fclose(file);
    return read && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI ", 4) == 0;
}
}  // namespace

bool FfmpegSource::Open(const std::string& path, bool asAvi) {
    kind_ = asAvi ? SourceKind::Avi : SourceKind::Movie;
    if (asAvi && !StartsAsAvi(path)) return false;
    const std::int64_t until = av_gettime_relative() + kOpenMicroseconds;
    // The container decides whether the file is ours before any decoder is set up.
    FormatHandle format = OpenFormat(path, until);
    if (!format) return false;
    {
        const bool isAvi = std::string_view(format->iformat->name) == "avi";
        const bool hasVideo = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) >= 0;
        if (asAvi && (!isAvi || !hasVideo)) return false;
        if (!asAvi && isAvi && hasVideo) return false;
        const std::int64_t duration = format->duration;
        durationSeconds_ = duration != AV_NOPTS_VALUE && duration > 0 ? double(duration) / AV_TIME_BASE : 0;
    }

    auto video = std::make_unique<Video>();
    if (video->pending && video->chosen && video->track.Open(std::move(format), AVMEDIA_TYPE_VIDEO, asAvi)) {
        const AVCodecParameters* par = video->track.stream->codecpar;
        if (par->width > 0 && par->height > 0 &&
            std::int64_t(RoundedWidth(par->width)) * par->height <= Surface::kMaxPixels &&
            AllocatePictureSurface(picture_, par->width, par->height)) {
            width_ = par->width;
            height_ = par->height;
            AVStream* stream = video->track.stream;
            video->origin = av_rescale_q(OriginMicroseconds(video->track.format.get()), AV_TIME_BASE_Q,
                                         stream->time_base);
            const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
            if (rate.num > 0 && rate.den > 0) {
                video->step = std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(rate), stream->time_base));
                framesPerSecond_ = av_q2d(rate);
                rate_ = {rate.num, rate.den};
            }
            video_ = std::move(video);
            // A stream that cannot give its first picture is no video.
            if (!ReadFrame(0) || !video_->haveCurrent) {
                video_.reset();
                picture_.Release();
                width_ = height_ = 0;
            }
        }
    }
    if (asAvi && !video_) return false;

    auto sound = std::make_unique<Sound>();
    if (sound->track.Open(OpenFormat(path, until), AVMEDIA_TYPE_AUDIO, asAvi)) {
        AVCodecContext* codec = sound->track.codec.get();
        const int inChannels = codec->ch_layout.nb_channels;
        const int rate = codec->sample_rate;
        if (inChannels > 0 && rate > 0 && rate <= kMaxSampleRate) {
            sound->rate = rate;
            sound->channels = inChannels == 1 ? 1 : 2;
            AVChannelLayout outLayout{};
            av_channel_layout_default(&outLayout, sound->channels);
            AVChannelLayout inLayout{};
            if (codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
                av_channel_layout_default(&inLayout, inChannels);
            else
                av_channel_layout_copy(&inLayout, &codec->ch_layout);
            SwrContext* raw = nullptr;
            if (swr_alloc_set_opts2(&raw, &outLayout, AV_SAMPLE_FMT_S16, rate, &inLayout,
                                    codec->sample_fmt, rate, 0, nullptr) >= 0) {
                sound->resampler.reset(raw);
                if (swr_init(raw) < 0) sound->resampler.reset();
            }
            av_channel_layout_uninit(&inLayout);
            av_channel_layout_uninit(&outLayout);
        }
        if (sound->resampler) {
            sound->originSamples =
                av_rescale_q(OriginMicroseconds(sound->track.format.get()), AV_TIME_BASE_Q, AVRational{1, rate});
            // A stream whose first block does not decode is no audio.
            sound->Fill(1);
            if (sound->positioned) {
                audio_.formatTag = 1;
                audio_.channels = sound->channels;
                audio_.samplesPerSecond = rate;
                audio_.bitsPerSample = 16;
                audio_.blockAlign = 2 * sound->channels;
                audio_.bytesPerSecond = rate * audio_.blockAlign;
                if (AllocateAudioBlock()) sound_ = std::move(sound);
            }
        }
    }
    if (!sound_) audio_ = {};
    if (!video_ && !sound_) return false;

    if (asAvi) {
        const AVStream* stream = video_->track.stream;
        lengthMs_ = stream->duration != AV_NOPTS_VALUE && stream->duration > 0
                        ? int(std::min<std::int64_t>(av_rescale_q(stream->duration, stream->time_base, kMilliseconds), INT32_MAX))
                        : 10000;
        durationSeconds_ = lengthMs_ / 1000.0;
    } else {
        if (durationSeconds_ <= 0) durationSeconds_ = 10.0;
        lengthMs_ = int(std::min(durationSeconds_ * 1000.0, double(INT32_MAX)));
    }
    SetPath(path);
    return true;
}

bool FfmpegSource::ReadFrame(int mediaTimeMs) {
    if (!video_) return false;
    Video& v = *video_;
    // Before the start there is only the first frame; asking for it by a
    // negative time would seek every time.
    const std::int64_t target = v.ToStreamTime(std::max(mediaTimeMs, 0));

    if (!v.swapped && v.haveCurrent && v.currentTime <= target && (v.havePending ? target < v.pendingTime : v.atEnd))
        return true;  // already shown
    if (v.swapped && v.shownFrom <= target && target < v.shownUntil) return true;
    if (v.haveEarlier && v.earlierFrom <= target && target < v.earlierUntil) {
        std::swap(picture_, v.earlier);
        std::swap(v.shownFrom, v.earlierFrom);
        std::swap(v.shownUntil, v.earlierUntil);
        v.swapped = !v.swapped;
        return true;
    }
    const bool seek = !v.haveCurrent || target < v.currentTime || v.SeekPays(target);

    AVFrame* chosen = v.chosen.get();
    av_frame_unref(chosen);
    bool haveChosen = false;
    std::int64_t chosenTime = 0;
    constexpr int kAttempts = 4;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (seek) {
            // Files without an index may land after the target; each retry
            // starts further back.
            const std::int64_t back =
                attempt == 0 ? 0
                             : av_rescale_q(std::int64_t(1) << (attempt - 1), AVRational{1, 1},
                                            v.track.stream->time_base);
            v.track.SeekTo(target - back);
            v.haveCurrent = v.havePending = v.atEnd = false;
            v.lastTime = AV_NOPTS_VALUE;
            haveChosen = false;
        }
        for (;;) {
            if (!v.havePending && !v.Decode()) break;
            if (v.pendingTime > target) {
                // Before the first frame of a file there is nothing else to show.
                if (haveChosen || v.haveCurrent) break;
                haveChosen = true;
                chosenTime = v.pendingTime;
                av_frame_unref(chosen);
                av_frame_move_ref(chosen, v.pending.get());
                v.havePending = false;
                break;
            }
            chosenTime = v.pendingTime;
            av_frame_unref(chosen);
            av_frame_move_ref(chosen, v.pending.get());
            v.havePending = false;
            haveChosen = true;
        }
        if (!seek || !haveChosen || chosenTime <= target || target <= v.origin) break;
    }
    if (!haveChosen) {
        if (v.swapped) {
            // Shows the decoder's latest again, as if nothing had been kept.
            std::swap(picture_, v.earlier);
            std::swap(v.shownFrom, v.earlierFrom);
            std::swap(v.shownUntil, v.earlierUntil);
            v.swapped = false;
        }
        return v.haveCurrent;
    }

    // What is shown now becomes the earlier picture; the new frame goes
    // into the surface that held the earlier one.
    const bool keep = v.haveShown && (!v.earlier.IsEmpty() || AllocatePictureSurface(v.earlier, width_, height_));
    if (keep) {
        std::swap(picture_, v.earlier);
        v.earlierFrom = v.shownFrom;
        v.earlierUntil = v.shownUntil;
        v.haveEarlier = v.earlierFrom < v.earlierUntil;
    }
    v.swapped = false;
    // A frame that cannot be converted leaves the picture that was shown.
    auto failed = [&] {
        if (keep)
            std::swap(picture_, v.earlier);
        else
            v.haveShown = false;
        v.haveEarlier = false;
        return false;
    };
    auto shown = [&] {
        av_frame_unref(chosen);
        v.currentTime = chosenTime;
        v.haveCurrent = true;
        v.haveShown = true;
        v.shownFrom = chosenTime;
        v.shownUntil = v.havePending ? v.pendingTime : v.atEnd ? INT64_MAX : chosenTime + 1;
        return true;
    };
    const AVFrame* frame = chosen;
    if (CopyPacked(frame, picture_, width_, height_)) return shown();
    if (!v.scaler || v.scaledWidth != frame->width || v.scaledHeight != frame->height ||
        v.scaledFormat != frame->format) {
        v.scaler.reset(ThreadedScaler(frame->width, frame->height, AVPixelFormat(frame->format), width_, height_));
        v.scaledWidth = frame->width;
        v.scaledHeight = frame->height;
        v.scaledFormat = frame->format;
    }
    if (!v.scaler) return failed();
    // The picture's own pixels are the scaler's target; the buffer around
    // them only tells the scaler they are there and frees nothing.
    AVFrame* output = v.output.get();
    av_frame_unref(output);
    output->buf[0] = av_buffer_create(picture_.Bytes(), std::size_t(picture_.Pitch()) * 4 * std::size_t(height_),
                                      [](void*, std::uint8_t*) {}, nullptr, 0);
    if (!output->buf[0]) return failed();
    output->data[0] = picture_.Bytes();
    output->linesize[0] = picture_.Pitch() * 4;
    output->width = width_;
    output->height = height_;
    output->format = AV_PIX_FMT_BGR0;
    const int scaled = sws_scale_frame(v.scaler.get(), output, frame);
    av_frame_unref(output);
    if (scaled < 0) return failed();
    // Decoded video carries no coverage: alpha 0 like every decoded picture.
    ForRowBands(0, height_, width_, [this](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            Pixel* row = picture_.Row(y);
            for (int x = 0; x < width_; ++x) row[x] &= 0x00FFFFFFu;
        }
    });
    return shown();
}

bool FfmpegSource::ReadAudioSecond(int timeMs) {
    if (!sound_) return false;
    FillSilence();
    if (timeMs < 0) return true;
    Sound& s = *sound_;
    const std::int64_t from = std::int64_t(timeMs / 1000) * s.rate;
    const std::int64_t to = from + s.rate;
    // Reading on from where the decoder stands costs less than a seek, as
    // long as the gap is small.
    const bool near = s.positioned && from >= s.bufferStart && from <= s.BufferEnd() + 2 * std::int64_t(s.rate);
    if (!near) s.SeekToSample(std::max<std::int64_t>(0, from - s.rate / 10));
    s.Fill(to);
    const std::int64_t start = std::max(from, s.bufferStart);
    const std::int64_t end = std::min(to, s.BufferEnd());
    const std::int64_t frameBytes = 2 * s.channels;
    if (end > start)
        std::memcpy(audioBlock_.data() + (start - from) * frameBytes,
                    s.buffer.data() + (start - s.bufferStart) * frameBytes, std::size_t((end - start) * frameBytes));
    // Keep what a following read of the next second still needs.
    const std::int64_t keepFrom = std::min(s.BufferEnd(), std::max(s.bufferStart, from));
    if (keepFrom > s.bufferStart) {
        s.buffer.erase(s.buffer.begin(), s.buffer.begin() + (keepFrom - s.bufferStart) * frameBytes);
        s.bufferStart = keepFrom;
    }
    return true;
}

}  // namespace vantrel
