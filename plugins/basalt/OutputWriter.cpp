#include "plugins/basalt/OutputWriter.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace basalt {

namespace {
constexpr int kRate = 44100;
constexpr int kChannels = 2;
// Short gaps between audio blocks come from the caller cutting each block
// to whole samples; holding the last sample there avoids a click. Longer
// gaps are real pauses and are filled with silence.
constexpr std::int64_t kHoldGap = 64;
// The output surfaces the program composes are far smaller; anything beyond
// this is a broken setting, not a picture.
constexpr int kMaxDimension = 16384;
// Jobs waiting for the encoding thread (a frame and its audio are two):
// enough to ride out a slow frame or a thread that waits for a core, few
// enough that a stopped make does not wait long for what is queued.
constexpr std::size_t kQueueDepth = 16;

// The sample position of a time in ms, floored also below zero.
std::int64_t SampleAt(std::int64_t timeMs) {
    const std::int64_t scaled = timeMs * kRate;
    return scaled >= 0 ? scaled / 1000 : -((-scaled + 999) / 1000);
}

const char* MuxerName(Container container) {
    switch (container) {
        case Container::Mp4: return "mp4";
        case Container::Avi: return "avi";
        case Container::Mkv: return "matroska";
        case Container::Wav: break;
    }
    return "wav";
}

const char* X264Preset(Speed speed, int width, int height) {
    switch (speed) {
        case Speed::Fast: return "veryfast";
        case Speed::Thorough: return "medium";
        case Speed::Automatic: break;
    }
    return std::int64_t(width) * height <= 352 * 288 ? "medium" : "veryfast";
}

bool Supports(const AVSampleFormat* list, AVSampleFormat format) {
    if (!list) return format == AV_SAMPLE_FMT_S16;
    for (; *list != AV_SAMPLE_FMT_NONE; ++list)
        if (*list == format) return true;
    return false;
}

// Sample formats we can fill from 16-bit input, in order of preference.
AVSampleFormat PickSampleFormat(const AVCodec* codec) {
    for (AVSampleFormat format : {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_S16P, AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_FLT,
                                  AV_SAMPLE_FMT_S32})
        if (Supports(codec->sample_fmts, format)) return format;
    return AV_SAMPLE_FMT_NONE;
}
}  // namespace

// One call of the caller's, copied: a frame in its staging picture or a
// block of samples.
struct Job {
    std::int32_t timeMs = 0;
    AVFrame* frame = nullptr;  // owned; null for audio
    std::vector<std::int16_t> samples;
};

struct OutputWriter::State {
    OutputOptions options;
    AVFormatContext* format = nullptr;
    AVPacket* packet = nullptr;
    bool headerWritten = false;
    std::atomic<bool> failed{false};

    // The caller's frames are copied into pictures of this layout: the
    // encoder's own when it takes the caller's pixels as they are (FFV1 and
    // raw video), else BGRA for the scaler to convert.
    AVPixelFormat stagingFormat = AV_PIX_FMT_BGRA;
    AVBufferPool* stagingPool = nullptr;
    int stagingWidth = 0, stagingHeight = 0, stagingLine = 0;

    std::thread encoder;
    std::mutex queueLock;
    std::condition_variable queueChanged;
    std::deque<Job> queue;
    bool closing = false;

    bool haveOrigin = false;
    std::int64_t originMs = 0;

    AVCodecContext* video = nullptr;
    AVStream* videoStream = nullptr;
    AVFrame* videoFrame = nullptr;
    SwsContext* scaler = nullptr;
    std::int64_t lastVideoPts = -1;

    AVCodecContext* audio = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* audioFrame = nullptr;
    int audioFrameSize = 0;
    std::vector<std::int16_t> pending;  // interleaved, not yet encoded
    std::int64_t placedSamples = 0;     // encoded + pending
    std::int64_t audioPts = 0;
    std::int64_t audioEndSample = 0;  // where the latest-ending block ends
    std::int16_t lastSample[kChannels] = {0, 0};

    ~State() {
        StopEncoder();
        for (Job& job : queue) av_frame_free(&job.frame);
        av_buffer_pool_uninit(&stagingPool);
        sws_freeContext(scaler);
        av_frame_free(&videoFrame);
        av_frame_free(&audioFrame);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        av_packet_free(&packet);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    std::int64_t Relative(std::int32_t timeMs) {
        if (!haveOrigin) {
            haveOrigin = true;
            originMs = timeMs;
        }
        return std::int64_t(timeMs) - originMs;
    }

    // Sends one frame (or the flush request when frame is null) and writes
    // every packet the encoder has ready.
    bool Encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
        if (failed) return false;
        if (avcodec_send_frame(codec, frame) < 0) return failed = true, false;
        for (;;) {
            const int got = avcodec_receive_packet(codec, packet);
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
            if (got < 0) return failed = true, false;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet) < 0) return failed = true, false;
        }
    }

    AVFrame* Stage(int width, int height, int pitch, const std::uint32_t* pixels);
    void Submit(Job job);
    void Run(Job& job);
    void EncoderLoop();
    void StopEncoder();
    void EncodeVideo(std::int32_t timeMs, AVFrame* input);
    void EncodeAudio(std::int32_t timeMs, const std::int16_t* samples, int sampleFrames);

    bool OpenVideo(Quality quality);
    bool OpenAudio(Quality quality);
    void AppendAudio(const std::int16_t* samples, std::int64_t frames);
    void AppendFill(std::int64_t frames);
    void EncodePending(bool final);
};

bool OutputWriter::State::OpenVideo(Quality quality) {
    const AVRational rate = options.rateNum > 0 && options.rateDen > 0 ? AVRational{options.rateNum, options.rateDen}
                                                                       : av_d2q(options.framesPerSecond, 1000000);
    if (rate.num <= 0 || rate.den <= 0) return false;

    struct Candidate {
        const AVCodec* codec;
        AVPixelFormat pixels;
    };
    std::vector<Candidate> candidates;
    switch (options.container) {
        case Container::Mp4: {
            if (const AVCodec* x264 = avcodec_find_encoder_by_name("libx264"))
                candidates.push_back({x264, AV_PIX_FMT_YUV420P});
            void* it = nullptr;
            while (const AVCodec* codec = av_codec_iterate(&it))
                if (av_codec_is_encoder(codec) && codec->id == AV_CODEC_ID_H264 &&
                    std::strcmp(codec->name, "libx264") != 0 && std::strcmp(codec->name, "libx264rgb") != 0)
                    candidates.push_back({codec, AV_PIX_FMT_YUV420P});
            // Without any H.264 encoder, MPEG-4 part 2 still plays everywhere
            // an MP4 does; only the codec inside differs.
            if (const AVCodec* mpeg4 = avcodec_find_encoder(AV_CODEC_ID_MPEG4))
                candidates.push_back({mpeg4, AV_PIX_FMT_YUV420P});
            break;
        }
        case Container::Avi:
            candidates.push_back({avcodec_find_encoder(AV_CODEC_ID_RAWVIDEO), AV_PIX_FMT_BGRA});
            break;
        case Container::Mkv:
            // bgr0: lossless colour; the alpha of a composed frame means
            // nothing to a player and would only make it show black.
            candidates.push_back({avcodec_find_encoder(AV_CODEC_ID_FFV1), AV_PIX_FMT_BGR0});
            break;
        case Container::Wav: return false;
    }

    for (const Candidate& candidate : candidates) {
        if (!candidate.codec) continue;
        AVCodecContext* codec = avcodec_alloc_context3(candidate.codec);
        if (!codec) return false;
        codec->width = options.width;
        codec->height = options.height;
        if (candidate.pixels == AV_PIX_FMT_YUV420P) {
            // Chroma is subsampled by two: an odd edge is rounded up.
            codec->width += codec->width & 1;
            codec->height += codec->height & 1;
        }
        codec->pix_fmt = candidate.pixels;
        // FFV1 at level 3 cuts the picture into slices that encode side by
        // side, x264 has threads of its own; they take whatever the frame
        // loop leaves of every core. Raw video is a copy: threads there
        // would only add hand-overs.
        codec->thread_count = candidate.codec->id == AV_CODEC_ID_RAWVIDEO ? 1 : std::max(1, options.threads);
        if (candidate.pixels == AV_PIX_FMT_YUV420P) {
            // What the scaler produces by default; tagged so players agree.
            codec->colorspace = AVCOL_SPC_SMPTE170M;
            codec->color_primaries = AVCOL_PRI_SMPTE170M;
            codec->color_trc = AVCOL_TRC_SMPTE170M;
            codec->color_range = AVCOL_RANGE_MPEG;
        }
        codec->time_base = av_inv_q(rate);
        codec->framerate = rate;
        codec->gop_size = std::max(1, int(std::lround(options.framesPerSecond * 5)));
        if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary* settings = nullptr;
        if (std::strcmp(candidate.codec->name, "libx264") == 0) {
            const char* crf = quality == Quality::High ? "18" : quality == Quality::Low ? "28" : "23";
            av_dict_set(&settings, "crf", crf, 0);
            av_dict_set(&settings, "preset", X264Preset(options.speed, codec->width, codec->height), 0);
            // Its statistics would land on the program's stderr.
            av_dict_set(&settings, "x264-params", "log=-1", 0);
        } else if (candidate.codec->id == AV_CODEC_ID_H264 || candidate.codec->id == AV_CODEC_ID_MPEG4) {
            const double bitsPerPixel = quality == Quality::High ? 0.3 : quality == Quality::Low ? 0.08 : 0.15;
            codec->bit_rate = std::int64_t(bitsPerPixel * codec->width * codec->height * options.framesPerSecond);
        } else if (candidate.codec->id == AV_CODEC_ID_FFV1) {
            av_dict_set(&settings, "level", "3", 0);
            av_dict_set(&settings, "slicecrc", "1", 0);
        }
        const int opened = avcodec_open2(codec, candidate.codec, &settings);
        av_dict_free(&settings);
        if (opened < 0) {
            avcodec_free_context(&codec);
            continue;  // e.g. a hardware encoder with no hardware
        }
        video = codec;
        break;
    }
    if (!video) return false;

    videoStream = avformat_new_stream(format, nullptr);
    if (!videoStream || avcodec_parameters_from_context(videoStream->codecpar, video) < 0) return false;
    videoStream->time_base = video->time_base;
    videoStream->avg_frame_rate = rate;
    videoStream->r_frame_rate = rate;

    if (video->pix_fmt == AV_PIX_FMT_BGR0 || video->pix_fmt == AV_PIX_FMT_BGRA) stagingFormat = video->pix_fmt;
    videoFrame = av_frame_alloc();
    if (!videoFrame) return false;
    videoFrame->format = video->pix_fmt;
    videoFrame->width = video->width;
    videoFrame->height = video->height;
    return av_frame_get_buffer(videoFrame, 0) >= 0;
}

bool OutputWriter::State::OpenAudio(Quality quality) {
    AVCodecID id = AV_CODEC_ID_PCM_S16LE;
    if (options.container == Container::Mp4) id = AV_CODEC_ID_AAC;
    if (options.container == Container::Mkv) id = AV_CODEC_ID_FLAC;
    const AVCodec* encoder = avcodec_find_encoder(id);
    if (!encoder) return false;
    const AVSampleFormat sampleFormat = PickSampleFormat(encoder);
    if (sampleFormat == AV_SAMPLE_FMT_NONE) return false;

    audio = avcodec_alloc_context3(encoder);
    if (!audio) return false;
    audio->sample_fmt = sampleFormat;
    audio->sample_rate = kRate;
    av_channel_layout_default(&audio->ch_layout, kChannels);
    audio->time_base = AVRational{1, kRate};
    if (id == AV_CODEC_ID_AAC)
        audio->bit_rate = quality == Quality::High ? 192000 : quality == Quality::Low ? 96000 : 128000;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(audio, encoder, nullptr) < 0) return false;

    audioStream = avformat_new_stream(format, nullptr);
    if (!audioStream || avcodec_parameters_from_context(audioStream->codecpar, audio) < 0) return false;
    audioStream->time_base = audio->time_base;

    // PCM takes any count; keep the pieces small enough to interleave well.
    audioFrameSize = audio->frame_size > 0 ? audio->frame_size : 1024;
    audioFrame = av_frame_alloc();
    if (!audioFrame) return false;
    audioFrame->format = audio->sample_fmt;
    audioFrame->nb_samples = audioFrameSize;
    audioFrame->sample_rate = kRate;
    if (av_channel_layout_copy(&audioFrame->ch_layout, &audio->ch_layout) < 0) return false;
    return av_frame_get_buffer(audioFrame, 0) >= 0;
}

void OutputWriter::State::AppendAudio(const std::int16_t* samples, std::int64_t frames) {
    if (frames <= 0) return;
    pending.insert(pending.end(), samples, samples + frames * kChannels);
    std::memcpy(lastSample, samples + (frames - 1) * kChannels, sizeof lastSample);
    placedSamples += frames;
}

void OutputWriter::State::AppendFill(std::int64_t frames) {
    if (frames <= 0) return;
    const bool hold = frames <= kHoldGap;
    for (std::int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < kChannels; ++c) pending.push_back(hold ? lastSample[c] : 0);
    if (!hold) std::memset(lastSample, 0, sizeof lastSample);
    placedSamples += frames;
}

void OutputWriter::State::EncodePending(bool final) {
    std::size_t used = 0;
    const std::size_t total = pending.size() / kChannels;
    const bool shortLast = audio->codec->capabilities &
                           (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    while (!failed) {
        std::size_t count = std::min<std::size_t>(audioFrameSize, total - used);
        if (count == 0) break;
        if (count < std::size_t(audioFrameSize) && !final) break;
        if (av_frame_make_writable(audioFrame) < 0) {
            failed = true;
            break;
        }
        // An encoder that needs whole frames gets the tail padded with
        // silence; ours (AAC, FLAC, PCM) all take a short last frame.
        const int frameSamples = shortLast ? int(count) : audioFrameSize;
        audioFrame->nb_samples = frameSamples;
        const std::int16_t* in = pending.data() + used * kChannels;
        for (int i = 0; i < frameSamples; ++i)
            for (int c = 0; c < kChannels; ++c) {
                const std::int16_t s = std::size_t(i) < count ? in[i * kChannels + c] : 0;
                switch (audio->sample_fmt) {
                    case AV_SAMPLE_FMT_S16:
                        reinterpret_cast<std::int16_t*>(audioFrame->data[0])[i * kChannels + c] = s;
                        break;
                    case AV_SAMPLE_FMT_S16P: reinterpret_cast<std::int16_t*>(audioFrame->data[c])[i] = s; break;
                    case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(audioFrame->data[c])[i] = s / 32768.0f; break;
                    case AV_SAMPLE_FMT_FLT:
                        reinterpret_cast<float*>(audioFrame->data[0])[i * kChannels + c] = s / 32768.0f;
                        break;
                    default:
                        reinterpret_cast<std::int32_t*>(audioFrame->data[0])[i * kChannels + c] =
                            std::int32_t(s) * 65536;
                        break;
                }
            }
        audioFrame->pts = audioPts;
        audioPts += frameSamples;
        used += count;
        Encode(audio, audioStream, audioFrame);
    }
    pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(used * kChannels));
}

OutputWriter::OutputWriter() = default;
OutputWriter::~OutputWriter() { Close(); }

bool OutputWriter::IsOpen() const { return state_ != nullptr; }

std::string OutputWriter::VideoEncoderName() const {
    return state_ && state_->video ? state_->video->codec->name : "";
}

bool OutputWriter::Open(const OutputOptions& options) {
    Close();
    const bool video = options.video && options.container != Container::Wav;
    if (!video && !options.audio) return false;
    if (video && (options.width <= 0 || options.height <= 0 || options.width > kMaxDimension ||
                  options.height > kMaxDimension || !std::isfinite(options.framesPerSecond) ||
                  options.framesPerSecond <= 0 || options.framesPerSecond > 1000))
        return false;

    auto state = std::make_unique<State>();
    state->options = options;
    state->options.video = video;
    if (avformat_alloc_output_context2(&state->format, nullptr, MuxerName(options.container),
                                       options.path.c_str()) < 0 ||
        !state->format)
        return false;
    state->packet = av_packet_alloc();
    if (!state->packet) return false;
    if (video && !state->OpenVideo(options.quality)) return false;
    if (options.audio && !state->OpenAudio(options.quality)) return false;
    av_dict_set(&state->format->metadata, "encoder", "basalt", 0);
    for (const auto& [key, value] : {std::pair{"artist", &options.artist}, std::pair{"copyright", &options.copyright},
                                     std::pair{"comment", &options.comment}})
        if (!value->empty()) av_dict_set(&state->format->metadata, key, value->c_str(), 0);

    if (avio_open(&state->format->pb, options.path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(state->format, nullptr) < 0) {
        avio_closep(&state->format->pb);
        std::remove(options.path.c_str());
        return false;
    }
    state->headerWritten = true;
    if (options.threads > 1) {
        try {
            state->encoder = std::thread([s = state.get()] { s->EncoderLoop(); });
        } catch (const std::system_error&) {
            // No thread to be had: encode on the caller's thread.
        }
    }
    state_ = std::move(state);
    return true;
}

// The caller's pixels copied row by row into a pooled picture: the only
// pass over the frame on the caller's side. For FFV1 the alpha byte rides
// along unread, as the encoder's layout ignores it.
AVFrame* OutputWriter::State::Stage(int width, int height, int pitch, const std::uint32_t* pixels) {
    if (!stagingPool || width != stagingWidth || height != stagingHeight) {
        av_buffer_pool_uninit(&stagingPool);  // freed once its last picture comes back
        stagingWidth = width;
        stagingHeight = height;
        stagingLine = FFALIGN(width * 4, 64);
        stagingPool = av_buffer_pool_init(std::size_t(stagingLine) * std::size_t(height) + 64, nullptr);
        if (!stagingPool) return nullptr;
    }
    AVFrame* frame = av_frame_alloc();
    if (!frame) return nullptr;
    frame->buf[0] = av_buffer_pool_get(stagingPool);
    if (!frame->buf[0]) {
        av_frame_free(&frame);
        return nullptr;
    }
    frame->format = stagingFormat;
    frame->width = width;
    frame->height = height;
    frame->data[0] = frame->buf[0]->data;
    frame->linesize[0] = stagingLine;
    av_image_copy_plane(frame->data[0], stagingLine, reinterpret_cast<const std::uint8_t*>(pixels), pitch * 4,
                        width * 4, height);
    return frame;
}

// Only with the encoding thread running; without it the writers encode at once.
void OutputWriter::State::Submit(Job job) {
    std::unique_lock lock(queueLock);
    queueChanged.wait(lock, [this] { return queue.size() < kQueueDepth || failed; });
    if (failed) {
        av_frame_free(&job.frame);
        return;
    }
    queue.push_back(std::move(job));
    queueChanged.notify_all();
}

void OutputWriter::State::Run(Job& job) {
    if (job.frame)
        EncodeVideo(job.timeMs, job.frame);
    else
        EncodeAudio(job.timeMs, job.samples.data(), int(job.samples.size() / kChannels));
    av_frame_free(&job.frame);
}

void OutputWriter::State::EncoderLoop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(queueLock);
            queueChanged.wait(lock, [this] { return !queue.empty() || closing; });
            if (queue.empty()) return;
            job = std::move(queue.front());
            queue.pop_front();
            queueChanged.notify_all();
        }
        Run(job);
    }
}

// Lets the encoding thread finish what is queued, then ends it.
void OutputWriter::State::StopEncoder() {
    if (!encoder.joinable()) return;
    {
        std::lock_guard lock(queueLock);
        closing = true;
    }
    queueChanged.notify_all();
    encoder.join();
}

void OutputWriter::State::EncodeVideo(std::int32_t timeMs, AVFrame* input) {
    if (failed) return;
    const std::int64_t relative = Relative(timeMs);
    if (relative < 0) return;  // before the start of the output
    const double fps = av_q2d(video->framerate);
    std::int64_t pts = std::llround(double(relative) * fps / 1000.0);
    if (pts <= lastVideoPts) pts = lastVideoPts + 1;

    AVFrame* encoded = input;
    if (input->format != video->pix_fmt || input->width != video->width || input->height != video->height) {
        scaler = sws_getCachedContext(scaler, input->width, input->height, AVPixelFormat(input->format),
                                      video->width, video->height, video->pix_fmt, SWS_BICUBIC, nullptr, nullptr,
                                      nullptr);
        if (!scaler || av_frame_make_writable(videoFrame) < 0) {
            failed = true;
            return;
        }
        sws_scale(scaler, input->data, input->linesize, 0, input->height, videoFrame->data,
                  videoFrame->linesize);
        encoded = videoFrame;
    }
    encoded->pts = pts;
    lastVideoPts = pts;
    Encode(video, videoStream, encoded);
}

void OutputWriter::State::EncodeAudio(std::int32_t timeMs, const std::int16_t* samples, int sampleFrames) {
    if (failed) return;
    Relative(timeMs);
    // The caller cuts each block between the sample positions of its times
    // on the program's own time line, floored; placing it the same way
    // makes back-to-back blocks meet whatever time the output starts at,
    // so a make begun mid-way (a chunk) holds exactly the samples the
    // whole make holds there.
    const std::int64_t position = SampleAt(timeMs) - SampleAt(originMs);
    std::int64_t skip = 0;
    if (position > placedSamples)
        AppendFill(position - placedSamples);
    else
        skip = placedSamples - position;  // overlaps what is placed
    if (skip < sampleFrames) AppendAudio(samples + skip * kChannels, sampleFrames - skip);
    // The file ends where the last block ends, to the sample: the caller's
    // blocks are cut at the sample positions of their times, so rounding
    // their end up to a whole millisecond would add samples no frame made.
    audioEndSample = std::max(audioEndSample, position + sampleFrames);
    EncodePending(false);
}

void OutputWriter::WriteVideo(std::int32_t timeMs, int width, int height, int pitch, const std::uint32_t* pixels) {
    State* s = state_.get();
    if (!s || !s->video || s->failed || !pixels || width <= 0 || height <= 0 || pitch < width ||
        width > kMaxDimension || height > kMaxDimension)
        return;
    if (!s->encoder.joinable()) {
        // Encoded before the call returns: the caller's pixels are read in
        // place, as a staged copy would only be read once more.
        AVFrame* frame = av_frame_alloc();
        if (!frame) {
            s->failed = true;
            return;
        }
        frame->format = s->stagingFormat;
        frame->width = width;
        frame->height = height;
        frame->data[0] = reinterpret_cast<std::uint8_t*>(const_cast<std::uint32_t*>(pixels));
        frame->linesize[0] = pitch * 4;
        s->EncodeVideo(timeMs, frame);
        av_frame_free(&frame);
        return;
    }
    Job job;
    job.timeMs = timeMs;
    job.frame = s->Stage(width, height, pitch, pixels);
    if (!job.frame) {
        s->failed = true;
        return;
    }
    s->Submit(std::move(job));
}

void OutputWriter::WriteAudio(std::int32_t timeMs, const std::int16_t* samples, int sampleFrames) {
    State* s = state_.get();
    if (!s || !s->audio || s->failed || !samples || sampleFrames <= 0) return;
    if (!s->encoder.joinable()) {
        s->EncodeAudio(timeMs, samples, sampleFrames);  // no copy needed
        return;
    }
    Job job;
    job.timeMs = timeMs;
    job.samples.assign(samples, samples + std::ptrdiff_t(sampleFrames) * kChannels);
    s->Submit(std::move(job));
}

bool OutputWriter::Close() {
    if (!state_) return true;
    std::unique_ptr<State> s = std::move(state_);
    s->StopEncoder();
    if (s->audio) {
        s->AppendFill(s->audioEndSample - s->placedSamples);
        s->EncodePending(true);
        s->Encode(s->audio, s->audioStream, nullptr);
    }
    if (s->video) s->Encode(s->video, s->videoStream, nullptr);
    bool ok = !s->failed;
    if (s->headerWritten && av_write_trailer(s->format) < 0) ok = false;
    if (s->format->pb && avio_closep(&s->format->pb) < 0) ok = false;
    return ok;
}

}  // namespace basalt
