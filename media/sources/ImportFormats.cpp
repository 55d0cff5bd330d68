#include "media/sources/ImportFormats.h"

#include <QImageReader>
#include <iterator>
#include <set>

namespace vantrel {

namespace {
// Containers and audio files FFmpeg opens as a movie or sound; the list is
// fixed rather than asked of FFmpeg, whose demuxers know hundreds of
// endings nobody imports (".txt", ".srt").
constexpr const char* kMovieEndings[] = {
    "avi", "mov", "qt", "mp4", "m4v", "mkv", "webm", "flv", "wmv", "asf", "mpg", "mpeg", "m1v", "m2v",
    "vob", "ts", "mts", "m2ts", "ogv", "ogg", "3gp", "3g2", "dv", "mxf", "nut", "y4m", "gif",
    "wav", "mp3", "m4a", "aac", "flac", "opus", "oga", "aif", "aiff", "au", "wma", "ac3", "mka",
};
// The endings the still reader takes by name besides the image library's.
constexpr const char* kStillEndings[] = {"jpg", "jpeg", "bmp", "dib", "ico", "cur"};
}  // namespace

std::string EveryImportPattern() {
    std::set<std::string> endings(std::begin(kMovieEndings), std::end(kMovieEndings));
    endings.insert(std::begin(kStillEndings), std::end(kStillEndings));
    for (const QByteArray& format : QImageReader::supportedImageFormats()) endings.insert(format.toLower().toStdString());
    std::string patterns;
    for (const std::string& ending : endings) patterns += (patterns.empty() ? "*." : ";*.") + ending;
    return patterns;
}

}  // namespace vantrel
