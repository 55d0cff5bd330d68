#include "make/Join.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

namespace vantrel {

namespace {

namespace fs = std::filesystem;

std::string LowerExtension(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

bool ParseCount(std::string_view text, int& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

std::string Name(const std::string& path) { return fs::path(path).filename().string(); }

std::string Frames(int first, int end) { return std::to_string(first) + "-" + std::to_string(end); }

// The places of the chunks, checked to follow each other from the make's
// first frame to its last.
bool CheckPlaces(const std::vector<std::string>& chunks, std::vector<ChunkPlace>& places, std::string& message) {
    places.clear();
    for (const std::string& chunk : chunks) {
        ChunkPlace place;
        if (!ChunkPlaceFromName(chunk, place)) {
            message = Name(chunk) + " is not named as a chunk (STEM.FIRST-ENDofTOTAL.EXT)";
            return false;
        }
        places.push_back(place);
    }
    // Out of order first: a list in the wrong order also has gaps, but
    // saying so would send the user looking for a chunk that is there.
    for (std::size_t i = 1; i < places.size(); ++i)
        if (places[i].frames.first < places[i - 1].frames.first) {
            message = Name(chunks[i]) + " comes before " + Name(chunks[i - 1]) + ": the chunks are out of order";
            return false;
        }
    const int total = places.front().total;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const ChunkPlace& place = places[i];
        if (place.total != total) {
            message = Name(chunks[i]) + " is a chunk of a make of " + std::to_string(place.total) + " frames, " +
                      Name(chunks[0]) + " of one of " + std::to_string(total);
            return false;
        }
        const int expected = i == 0 ? 0 : places[i - 1].frames.end;
        if (place.frames.first > expected) {
            message = "frames " + Frames(expected, place.frames.first) + " are missing before " + Name(chunks[i]);
            return false;
        }
        if (place.frames.first < expected) {
            message = Name(chunks[i]) + " overlaps " + Name(chunks[i - 1]) + " at frames " +
                      Frames(place.frames.first, expected);
            return false;
        }
    }
    if (places.back().frames.end != total) {
        message = "frames " + Frames(places.back().frames.end, total) + " are missing after " + Name(chunks.back());
        return false;
    }
    return true;
}

// Removes the temporary file unless it was renamed into place.
struct PartialFile {
    std::string path;
    bool kept = false;
    ~PartialFile() {
        if (kept) return;
        std::error_code error;
        fs::remove(path, error);
    }
    bool RenameTo(const std::string& target, std::string& message) {
        std::error_code error;
        fs::rename(path, target, error);
        if (error) {
            message = "cannot write " + target + ": " + error.message();
            return false;
        }
        kept = true;
        return true;
    }
};

// ---- WAV: the sample data laid end to end under one header.

std::uint32_t Le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
void PutLe32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xff));
}

struct Wave {
    std::string format;  // the "fmt " chunk's body
    std::uint64_t dataAt = 0, dataBytes = 0;
};

bool ReadWave(const std::string& path, Wave& wave, std::string& message) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[12];
    if (!in.read(reinterpret_cast<char*>(head), 12) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0) {
        message = Name(path) + " is not a WAV file";
        return false;
    }
    std::error_code error;
    const std::uint64_t size = fs::file_size(path, error);
    if (error) {
        message = "cannot read " + Name(path);
        return false;
    }
    std::uint64_t at = 12;
    while (at + 8 <= size) {
        unsigned char chunk[8];
        in.seekg(std::streamoff(at));
        if (!in.read(reinterpret_cast<char*>(chunk), 8)) break;
        const std::uint64_t bytes = Le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            wave.format.resize(std::size_t(std::min<std::uint64_t>(bytes, 4096)));
            if (!in.read(wave.format.data(), std::streamsize(wave.format.size()))) break;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            wave.dataAt = at + 8;
            wave.dataBytes = std::min(bytes, size - wave.dataAt);
            if (!wave.format.empty()) return true;
        }
        at += 8 + bytes + (bytes & 1);
    }
    message = Name(path) + " is not a whole WAV file (no format or no sample data)";
    return false;
}

int JoinWaves(const std::string& output, const std::vector<std::string>& chunks, std::string& message) {
    std::vector<Wave> waves(chunks.size());
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        if (!ReadWave(chunks[i], waves[i], message)) return 1;
        if (waves[i].format != waves[0].format) {
            message = Name(chunks[i]) + " holds samples of another format than " + Name(chunks[0]);
            return 1;
        }
        total += waves[i].dataBytes;
    }
    if (total + 36 + waves[0].format.size() > std::numeric_limits<std::uint32_t>::max()) {
        message = "the joined samples would not fit a WAV file (4 GB)";
        return 1;
    }
    std::string header = "RIFF";
    PutLe32(header, std::uint32_t(4 + 8 + waves[0].format.size() + (waves[0].format.size() & 1) + 8 + total));
    header += "WAVEfmt ";
    PutLe32(header, std::uint32_t(waves[0].format.size()));
    header += waves[0].format;
    if (waves[0].format.size() & 1) header.push_back('\0');
    header += "data";
    PutLe32(header, std::uint32_t(total));

    PartialFile partial{PartialName(output)};
    {
        std::ofstream out(partial.path, std::ios::binary | std::ios::trunc);
        out.write(header.data(), std::streamsize(header.size()));
        std::vector<char> buffer(1 << 20);
        for (std::size_t i = 0; i < chunks.size() && out; ++i) {
            std::ifstream in(chunks[i], std::ios::binary);
            in.seekg(std::streamoff(waves[i].dataAt));
            for (std::uint64_t left = waves[i].dataBytes; left > 0 && out;) {
                const std::size_t piece = std::size_t(std::min<std::uint64_t>(left, buffer.size()));
                if (!in.read(buffer.data(), std::streamsize(piece))) {
                    message = "cannot read " + Name(chunks[i]);
                    return 1;
                }
                out.write(buffer.data(), std::streamsize(piece));
                left -= piece;
            }
        }
        if (total & 1) out.put('\0');
        out.flush();
        if (!out) {
            message = "cannot write " + partial.path;
            return 1;
        }
    }
    return partial.RenameTo(output, message) ? 0 : 1;
}

// ---- Containers: FFmpeg's remuxing.

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using Input = std::unique_ptr<AVFormatContext, InputCloser>;

struct Output {
    AVFormatContext* context = nullptr;
    ~Output() {
        if (!context) return;
        if (context->pb) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

bool SameExtradata(const AVCodecParameters* a, const AVCodecParameters* b) {
    return a->extradata_size == b->extradata_size &&
           (a->extradata_size == 0 || std::memcmp(a->extradata, b->extradata, std::size_t(a->extradata_size)) == 0);
}

// The 34 bytes of a FLAC stream's STREAMINFO inside the codec's extra data
// (bare, or after "fLaC" and a block header); null when there are none.
std::uint8_t* FlacStreamInfo(AVCodecParameters* codec) {
    if (codec->codec_id != AV_CODEC_ID_FLAC || !codec->extradata) return nullptr;
    if (codec->extradata_size >= 42 && std::memcmp(codec->extradata, "fLaC", 4) == 0) return codec->extradata + 8;
    return codec->extradata_size >= 34 ? codec->extradata : nullptr;
}
std::uint64_t FlacTotalSamples(const std::uint8_t* info) {
    std::uint64_t total = info[13] & 0x0f;
    for (int i = 14; i < 18; ++i) total = total << 8 | info[i];
    return total;
}

// Why two chunks' streams cannot be laid end to end, or empty.
std::string StreamMismatch(const AVStream* a, const AVStream* b) {
    const AVCodecParameters *p = a->codecpar, *q = b->codecpar;
    if (p->codec_type != q->codec_type || p->codec_id != q->codec_id) return "another codec";
    if (p->format != q->format) return "another sample or pixel format";
    if (p->codec_type == AVMEDIA_TYPE_VIDEO) {
        if (p->width != q->width || p->height != q->height) return "another picture size";
        if (av_cmp_q(a->r_frame_rate, b->r_frame_rate) != 0) return "another frame rate";
        if (!SameExtradata(p, q)) return "other encoder settings";
    } else if (p->codec_type == AVMEDIA_TYPE_AUDIO) {
        if (p->sample_rate != q->sample_rate || p->ch_layout.nb_channels != q->ch_layout.nb_channels)
            return "another sample rate or channel count";
    }
    return {};
}

int Remux(const std::string& output, const std::vector<std::string>& chunks, const std::vector<ChunkPlace>& places,
          std::string& message) {
    std::vector<Input> inputs;
    for (const std::string& chunk : chunks) {
        AVFormatContext* context = nullptr;
        if (avformat_open_input(&context, chunk.c_str(), nullptr, nullptr) < 0) {
            message = "cannot read " + chunk;
            return 1;
        }
        inputs.emplace_back(context);
        if (avformat_find_stream_info(context, nullptr) < 0) {
            message = "cannot read the streams of " + chunk;
            return 1;
        }
    }
    AVFormatContext* first = inputs[0].get();
    int video = -1;
    for (unsigned s = 0; s < first->nb_streams; ++s)
        if (first->streams[s]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && video < 0) video = int(s);
    for (std::size_t i = 1; i < inputs.size(); ++i) {
        if (inputs[i]->nb_streams != first->nb_streams) {
            message = Name(chunks[i]) + " holds other streams than " + Name(chunks[0]);
            return 1;
        }
        for (unsigned s = 0; s < first->nb_streams; ++s) {
            const std::string why = StreamMismatch(first->streams[s], inputs[i]->streams[s]);
            if (!why.empty()) {
                message = Name(chunks[i]) + " has " + why + " than " + Name(chunks[0]);
                return 1;
            }
        }
    }
    AVRational rate{0, 1};
    if (video >= 0) {
        rate = first->streams[video]->r_frame_rate;
        if (rate.num <= 0 || rate.den <= 0) rate = first->streams[video]->avg_frame_rate;
        if (rate.num <= 0 || rate.den <= 0) {
            message = "cannot tell the frame rate of " + Name(chunks[0]);
            return 1;
        }
    }
    const AVRational frameTime = video >= 0 ? av_inv_q(rate) : AVRational{1, 1};

    PartialFile partial{PartialName(output)};
    Output out;
    if (avformat_alloc_output_context2(&out.context, nullptr, nullptr, output.c_str()) < 0 || !out.context) {
        message = "cannot write the format of " + output;
        return 1;
    }
    av_dict_copy(&out.context->metadata, first->metadata, 0);
    for (unsigned s = 0; s < first->nb_streams; ++s) {
        AVStream* stream = avformat_new_stream(out.context, nullptr);
        if (!stream || avcodec_parameters_copy(stream->codecpar, first->streams[s]->codecpar) < 0) {
            message = "out of memory";
            return 1;
        }
        stream->codecpar->codec_tag = 0;
        stream->time_base = first->streams[s]->time_base;
        if (int(s) == video) stream->avg_frame_rate = stream->r_frame_rate = rate;
        // Each chunk's encoder summed up its own samples; the joined stream
        // holds them all. Its checksum covered one chunk only: zero says
        // "not known".
        if (std::uint8_t* info = FlacStreamInfo(stream->codecpar)) {
            std::uint64_t samples = 0;
            for (const Input& input : inputs)
                if (const std::uint8_t* own = FlacStreamInfo(input->streams[s]->codecpar))
                    samples += FlacTotalSamples(own);
            samples = std::min<std::uint64_t>(samples, (std::uint64_t(1) << 36) - 1);
            info[13] = std::uint8_t((info[13] & 0xf0) | ((samples >> 32) & 0x0f));
            for (int i = 0; i < 4; ++i) info[14 + i] = std::uint8_t(samples >> (8 * (3 - i)));
            std::memset(info + 18, 0, 16);
        }
    }
    if (avio_open(&out.context->pb, partial.path.c_str(), AVIO_FLAG_WRITE) < 0) {
        message = "cannot write " + partial.path;
        return 1;
    }
    if (avformat_write_header(out.context, nullptr) < 0) {
        message = "cannot start " + output;
        return 1;
    }

    const std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    const unsigned streams = first->nb_streams;
    std::vector<std::int64_t> lastDts(streams, AV_NOPTS_VALUE);
    // Without video the chunks follow each other where the previous one's
    // packets ended.
    std::vector<std::int64_t> chunkEnd(streams, 0), offset(streams, 0);
    for (std::size_t c = 0; c < inputs.size(); ++c) {
        AVFormatContext* in = inputs[c].get();
        const std::int64_t firstFrame = places[c].frames.first;
        int videoPackets = 0;
        if (video < 0) offset = chunkEnd;
        while (av_read_frame(in, packet.get()) >= 0) {
            const int s = packet->stream_index;
            if (s < 0 || unsigned(s) >= streams) {
                av_packet_unref(packet.get());
                continue;
            }
            const AVRational from = in->streams[s]->time_base, to = out.context->streams[s]->time_base;
            // An audio packet that ends before its chunk begins is the
            // encoder's delay (AAC's 1024 priming samples), which a player
            // skips only at the very start of a file: kept at a seam it
            // would shift all later sound by its length.
            if (c > 0 && int(s) != video && packet->pts != AV_NOPTS_VALUE && packet->duration > 0 &&
                packet->pts + packet->duration <= 0) {
                av_packet_unref(packet.get());
                continue;
            }
            auto place = [&](std::int64_t t) -> std::int64_t {
                if (t == AV_NOPTS_VALUE) return t;
                // Video on whole frames of the make: the joined frame times
                // are the single make's, not sums of rounded offsets.
                if (s == video) return av_rescale_q(av_rescale_q(t, from, frameTime) + firstFrame, frameTime, to);
                if (video >= 0) return av_rescale_q(t, from, to) + av_rescale_q(firstFrame, frameTime, to);
                return av_rescale_q(t, from, to) + offset[std::size_t(s)];
            };
            const std::int64_t pts = place(packet->pts);
            std::int64_t dts = place(packet->dts);
            const std::int64_t duration = av_rescale_q(packet->duration, from, to);
            if (s == video) ++videoPackets;
            if (pts != AV_NOPTS_VALUE) chunkEnd[std::size_t(s)] = std::max(chunkEnd[std::size_t(s)], pts + duration);
            // Rounding to the container's clock may let an audio packet
            // start a tick before the last one of the previous chunk.
            std::int64_t& last = lastDts[std::size_t(s)];
            if (dts != AV_NOPTS_VALUE && last != AV_NOPTS_VALUE && dts <= last) dts = last + 1;
            if (dts != AV_NOPTS_VALUE) last = dts;
            packet->pts = pts != AV_NOPTS_VALUE && dts != AV_NOPTS_VALUE ? std::max(pts, dts) : pts;
            packet->dts = dts;
            packet->duration = duration;
            packet->pos = -1;
            if (av_interleaved_write_frame(out.context, packet.get()) < 0) {
                message = "cannot write " + output;
                return 1;
            }
        }
        if (video >= 0 && videoPackets != places[c].frames.Count()) {
            message = Name(chunks[c]) + " holds " + std::to_string(videoPackets) + " frames, its name says " +
                      std::to_string(places[c].frames.Count());
            return 1;
        }
    }
    if (av_write_trailer(out.context) < 0 || avio_closep(&out.context->pb) < 0) {
        message = "cannot finish " + output;
        return 1;
    }
    return partial.RenameTo(output, message) ? 0 : 1;
}

}  // namespace

std::string ChunkFileName(const std::string& output, const ChunkPlace& place, const std::string& folder) {
    const fs::path target(output);
    const std::string name = target.stem().string() + "." + Frames(place.frames.first, place.frames.end) + "of" +
                             std::to_string(place.total) + target.extension().string();
    return ((folder.empty() ? target.parent_path() : fs::path(folder)) / name).string();
}

bool ChunkPlaceFromName(const std::string& path, ChunkPlace& place) {
    // The last "." part of the stem: FIRST-ENDofTOTAL.
    const std::string stem = fs::path(path).stem().string();
    const std::size_t dot = stem.find_last_of('.');
    if (dot == std::string::npos) return false;
    const std::string_view tag = std::string_view(stem).substr(dot + 1);
    const std::size_t dash = tag.find('-'), of = tag.find("of");
    if (dash == std::string_view::npos || of == std::string_view::npos || of < dash) return false;
    ChunkPlace parsed;
    if (!ParseCount(tag.substr(0, dash), parsed.frames.first) ||
        !ParseCount(tag.substr(dash + 1, of - dash - 1), parsed.frames.end) ||
        !ParseCount(tag.substr(of + 2), parsed.total))
        return false;
    if (parsed.frames.first >= parsed.frames.end || parsed.frames.end > parsed.total) return false;
    place = parsed;
    return true;
}

int JoinChunks(const std::string& output, const std::vector<std::string>& chunks, std::string& message) {
    if (chunks.empty()) {
        message = "no chunk to join";
        return 1;
    }
    const std::string extension = LowerExtension(output);
    for (const std::string& chunk : chunks)
        if (LowerExtension(chunk) != extension) {
            message = Name(chunk) + " is not a " + extension + " file like " + Name(output);
            return 1;
        }
    for (const std::string& chunk : chunks) {
        std::error_code error;
        if (!fs::is_regular_file(chunk, error)) {
            message = "the chunk " + chunk + " does not exist";
            return 1;
        }
        if (fs::equivalent(chunk, output, error)) {
            message = "the joined file would overwrite the chunk " + chunk;
            return 1;
        }
    }
    std::vector<ChunkPlace> places;
    if (!CheckPlaces(chunks, places, message)) return 1;
    if (extension == ".wav") return JoinWaves(output, chunks, message);
    if (extension == ".mkv" || extension == ".mp4" || extension == ".avi") return Remux(output, chunks, places, message);
    message = "cannot join " + extension + " files (only .mkv, .mp4, .avi and .wav)";
    return 1;
}

}  // namespace vantrel
