#include "browser/internet/DownloadFolder.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "app/core/UserFolders.h"

namespace vantrel {

namespace {

// A folder of ours: a real folder (lstat, so a planted link does not
// count), owned by us, reachable by nobody else.
bool IsOwnPrivateFolder(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
    if ((info.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

bool MakeOrCheck(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return IsOwnPrivateFolder(path);
}

// "<name>.part-<pid>-<n>" of a process that no longer runs.
bool IsStalePart(const std::string& name) {
    const std::size_t mark = name.rfind(".part-");
    if (mark == std::string::npos) return false;
    const char* digits = name.c_str() + mark + 6;
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || pid <= 0) return false;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void RemoveStaleParts(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> doomed;
    while (const dirent* entry = ::readdir(dir))
        if (IsStalePart(entry->d_name)) doomed.push_back(folder + entry->d_name);
    ::closedir(dir);
    for (const std::string& path : doomed) ::unlink(path.c_str());
}

// Inside the program's private temporary folder, which already refuses
// links and folders of others.
std::optional<std::string> MakeDownloadFolder() {
    std::string user = PrivateTemporaryFolder();
    if (user.empty()) return std::nullopt;
    while (user.size() > 1 && user.back() == '/') user.pop_back();
    const std::string downloads = user + "/downloads";
    if (!MakeOrCheck(downloads)) return std::nullopt;
    return downloads + "/";
}

}  // namespace

std::optional<std::string> DownloadFolder() {
    // Asked again when TMPDIR changes (tests set their own).
    static std::mutex mutex;
    static std::string forTemporary;
    static std::optional<std::string> folder;
    std::lock_guard lock(mutex);
    const std::string temporary = PrivateTemporaryFolder();
    if (!folder || temporary != forTemporary || !IsOwnPrivateFolder(folder->substr(0, folder->size() - 1))) {
        forTemporary = temporary;
        folder = MakeDownloadFolder();
        if (folder) RemoveStaleParts(*folder);
    }
    return folder;
}

std::string FreshNameIn(const std::string& folder, const std::string& name, int attempt) {
    if (attempt <= 0) return folder + name;
    const std::size_t dot = name.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : std::string();
    return folder + stem + "-" + std::to_string(attempt) + extension;
}

}  // namespace vantrel
