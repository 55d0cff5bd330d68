#include "media/sources/MediaOpen.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "media/sources/FfmpegSource.h"
#include "media/sources/StillPicture.h"
#include "media/sources/WavSource.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

std::optional<std::string> NoDownload(const std::string&) { return std::nullopt; }

DownloadFunction& Downloader() {
    static DownloadFunction download = &NoDownload;
    return download;
}

RemoteConsent& Consent() {
    static RemoteConsent consent;
    return consent;
}

std::string& LastFolder() {
    static std::string folder;
    return folder;
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string FolderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

BoxAnswer Ask(Window* owner, const std::string& text) {
    MessageBoxRequest request;
    request.text = text;
    request.caption = std::string(kFileNotFoundCaption);
    request.icon = BoxIcon::Question;
    request.buttons = BoxButtons::OkCancel;
    return Platform().dialogs->MessageBox(owner, request);
}

// The missing-file conversation; the path to open, or nothing.
std::optional<std::string> FindMissing(const std::string& missing, Window* owner) {
    const std::string candidate = LastFolder().empty() ? std::string() : LastFolder() + BaseName(missing);
    if (IsFile(candidate) && Ask(owner, SubstituteQuestion(candidate, missing)) == BoxAnswer::Ok)
        return candidate;
    if (Ask(owner, LocateQuestion(missing)) != BoxAnswer::Ok) return std::nullopt;
    FileDialogRequest request;
    request.title = std::string(kImportDialogTitle);
    request.filters = {{"Video Clip/Picture", std::string(kImportPatterns)}};
    request.folder = LastFolder();
    request.fileName = BaseName(missing);
    request.mustExist = true;
    std::optional<std::string> chosen = Platform().dialogs->OpenFile(owner, request);
    if (!chosen || chosen->empty()) return std::nullopt;
    LastFolder() = FolderOf(*chosen);
    return chosen;
}

}  // namespace

void SetDownloadFunction(DownloadFunction download) { Downloader() = download ? download : &NoDownload; }

std::optional<std::string> DownloadToTemp(const std::string& url) { return Downloader()(url); }

void SetRemoteMediaConsent(RemoteConsent consent) { Consent() = std::move(consent); }

bool RemoteMediaConsent(const std::string& address, Window* owner) {
    return Consent() && Consent()(address, owner);
}

const std::string& LastLocatedFolder() { return LastFolder(); }

void SetLastLocatedFolder(const std::string& folder) {
    LastFolder() = folder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') LastFolder() += '/';
}

std::string BaseName(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool IsRemoteAddress(std::string_view path) {
    return StartsWithFolded(path, "http://") || StartsWithFolded(path, "ftp://");
}

std::string SubstituteQuestion(const std::string& candidate, const std::string& missing) {
    return "Do you want to load \n \"" + candidate + "\"\n  Instead of \n " + missing;
}

std::string LocateQuestion(const std::string& missing) {
    return "\"" + missing + "\"\n\nDo you want to locate this file?";
}

std::unique_ptr<MediaSource> OpenMediaSource(const std::string& path) {
    if (auto avi = FfmpegSource::OpenAvi(path)) return avi;
    if (auto wav = WavSource::Open(path)) return wav;
    if (auto movie = FfmpegSource::OpenMovie(path)) return movie;
    if (auto still = StillSource::Open(path)) return still;
    return nullptr;
}

std::unique_ptr<MediaSource> OpenMediaFile(const std::string& requested, const OpenMediaOptions& options) {
    if (options.status) options.status("Importing: " + requested);
    std::string path = requested;
    if (IsRemoteAddress(path) && (!options.fromProjectFile || RemoteMediaConsent(path, options.owner))) {
        std::optional<std::string> local = DownloadToTemp(path);
        if (!local) return nullptr;
        path = *local;
    }
    if (!IsFile(path)) {
        if (!options.askWhenMissing) return nullptr;
        std::optional<std::string> found = FindMissing(path, options.owner);
        if (!found) return nullptr;
        path = *found;
    }
    return OpenMediaSource(path);
}

std::string PathBesideProject(const std::string& projectPath, const std::string& mediaPath) {
    const std::filesystem::path media(mediaPath);
    if (!media.is_relative() || IsRemoteAddress(mediaPath) || projectPath.empty()) return mediaPath;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(projectPath, error).parent_path();
    return error ? mediaPath : (folder / media).lexically_normal().string();
}

}  // namespace vantrel
