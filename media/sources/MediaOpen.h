#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "media/sources/MediaSource.h"

namespace vantrel {

class Window;

// Fetches an "http://" or "ftp://" address into the temporary folder under
// its base name and answers the local path. The internet services install
// the real one; until then every download fails.
using DownloadFunction = std::optional<std::string> (*)(const std::string& url);
void SetDownloadFunction(DownloadFunction download);  // nullptr: back to failing
std::optional<std::string> DownloadToTemp(const std::string& url);

// Whether a media address found inside a project file may be fetched: a
// project is a file from anywhere, and its addresses must not make the
// program download behind the user's back. The editor asks, naming the
// address; batch runs answer from their command line. Unset: never.
using RemoteConsent = std::function<bool(const std::string& address, Window* owner)>;
void SetRemoteMediaConsent(RemoteConsent consent);
bool RemoteMediaConsent(const std::string& address, Window* owner);

// The folder (with a trailing '/') of the last media file the user located
// by hand; missing files are looked for there first.
const std::string& LastLocatedFolder();
void SetLastLocatedFolder(const std::string& folder);

// The part after the last '\\', '/' or ':'.
std::string BaseName(std::string_view path);
bool IsRemoteAddress(std::string_view path);
// A project names its media relative to its own folder and opens them while
// it loads from there; readers that come later run from wherever the program
// is and need the whole path.
std::string PathBesideProject(const std::string& projectPath, const std::string& mediaPath);

// The four openers in their order: AVI, WAV, movie stream, still picture.
// No questions, no downloads.
std::unique_ptr<MediaSource> OpenMediaSource(const std::string& path);

struct OpenMediaOptions {
    Window* owner = nullptr;
    // Receives "Importing: <path>" before anything else happens.
    std::function<void(const std::string&)> status;
    // False for the batch command line: a missing file simply fails.
    bool askWhenMissing = true;
    // The path comes from a project file: an address in it is fetched only
    // with consent, and otherwise the file counts as missing.
    bool fromProjectFile = false;
};

// Opening as a media clip does it: download addresses, ask for missing
// files (through the platform's dialogs), then the four openers. The
// source's Path() is the file really opened.
std::unique_ptr<MediaSource> OpenMediaFile(const std::string& path, const OpenMediaOptions& options = {});

// The texts of the two questions for a missing file.
std::string SubstituteQuestion(const std::string& candidate, const std::string& missing);
std::string LocateQuestion(const std::string& missing);
inline constexpr std::string_view kFileNotFoundCaption = "File Not Found!";
inline constexpr std::string_view kImportDialogTitle = "Import Video Clip/Picture";
inline constexpr std::string_view kImportPatterns =
    "*.avi;*.mov;*.wav;*.png;*.jpg;*.gif;*.bmp;*.mpg;*.mpeg;*.asf;*.kwp";

}  // namespace vantrel
