#pragma once
#include <string>

#include "media/sources/MediaSource.h"

namespace vantrel {

// What the "Clip Info" box says about a clip, line by line.
struct ClipInfoFacts {
    std::string name;
    std::string type;            // "Audio", "Video", "Still Image", a generator's name ...
    std::string extraLines;      // a generator's own lines, right after the type
    double lengthSeconds = 0;    // the line is left out unless positive
    bool showDimensions = false;
    int width = 0, height = 0;   // of the media rectangle
    const AudioFormat* audio = nullptr;
};

inline constexpr const char* kClipInfoCaption = "Clip Info";

std::string FormatClipInfo(const ClipInfoFacts& facts);
// The facts of a media clip with this source (nullptr: no source).
ClipInfoFacts MediaClipInfo(const std::string& clipName, const MediaSource* source);
std::string ClipInfoText(const std::string& clipName, const MediaSource* source);
// Opens the file without asking anything (the batch "--info"); ok tells
// whether it opened. A video's frame rate follows the dialog's lines.
std::string ClipInfoText(const std::string& path, bool& ok);

// "%0.3f" in the "C" locale whatever the user's locale.
std::string FormatFixed3(double value);

}  // namespace vantrel
