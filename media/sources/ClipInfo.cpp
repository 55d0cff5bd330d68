#include "media/sources/ClipInfo.h"

#include <charconv>
#include <cmath>

#include "media/sources/MediaOpen.h"

namespace vantrel {

namespace {

std::string Int(long long value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

const char* TypeOf(const MediaSource* source) {
    if (!source) return "Unknown";
    const bool audio = source->HasAudio(), picture = source->HasPicture();
    switch (source->Kind()) {
    case SourceKind::Wav: return "Audio";
    case SourceKind::Avi: return audio && picture ? "Audio / Video" : "Video";
    case SourceKind::Movie:
        return audio && picture ? "Audio / Video" : picture ? "Video" : "Audio";
    case SourceKind::Still: break;
    }
    return picture ? "Still Image" : "Unknown";
}

}  // namespace

std::string FormatFixed3(double value) {
    if (!std::isfinite(value)) value = 0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string("0.000");
}

std::string FormatClipInfo(const ClipInfoFacts& facts) {
    std::string text = "Clip Name: " + facts.name + "\n";
    text += "Clip Type: " + facts.type + "\n\n";
    text += facts.extraLines;
    if (facts.lengthSeconds > 0) text += "Length: " + FormatFixed3(facts.lengthSeconds) + " Seconds\n";
    if (facts.showDimensions)
        text += "Dimensions (width/height): " + Int(facts.width) + "/" + Int(facts.height) + "\n";
    if (facts.audio)
        text += "Audio Format: " + Int(facts.audio->samplesPerSecond) + " Hz, / " +
                Int(facts.audio->bitsPerSample) + " Bits / " + Int(facts.audio->channels) + " Chan.\n";
    return text;
}

ClipInfoFacts MediaClipInfo(const std::string& clipName, const MediaSource* source) {
    ClipInfoFacts facts;
    facts.name = clipName;
    facts.type = TypeOf(source);
    if (!source) return facts;
    facts.lengthSeconds = source->Kind() == SourceKind::Movie ? source->DurationSeconds()
                                                              : source->LengthMs() / 1000.0;
    facts.showDimensions = source->HasPicture();
    facts.width = source->Width();
    facts.height = source->Height();
    if (source->HasAudio()) facts.audio = &source->Audio();
    return facts;
}

std::string ClipInfoText(const std::string& clipName, const MediaSource* source) {
    return FormatClipInfo(MediaClipInfo(clipName, source));
}

std::string ClipInfoText(const std::string& path, bool& ok) {
    OpenMediaOptions options;
    options.askWhenMissing = false;
    const std::unique_ptr<MediaSource> source = OpenMediaFile(path, options);
    ok = source != nullptr;
    if (!ok) return {};
    std::string text = ClipInfoText(BaseName(source->Path()), source.get());
    // The dialog's lines, then the rate a make's reader needs to check: as
    // the fraction the file states, so 29.97 is told from 30000/1001.
    if (const MediaSource::Rate rate = source->FrameRate(); rate.num > 0 && rate.den > 0)
        text += "Frame Rate: " + FormatFixed3(double(rate.num) / rate.den) + " fps (" + Int(rate.num) + "/" +
                Int(rate.den) + ")\n";
    return text;
}

}  // namespace vantrel
