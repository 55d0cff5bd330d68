#include "internet/DownloadFolder.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "items/UserFolders.h"

namespace vantrel {

namespace {

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

}  // namespace

std::optional<std::string> DownloadFolder() {
    // Part files are swept once for each folder the downloads land in (tests
    // change TMPDIR, and with it the folder).
    static std::mutex mutex;
    static std::string swept;
    const std::string folder = PrivateTemporarySubfolder("downloads");
    if (folder.empty()) return std::nullopt;
    std::lock_guard lock(mutex);
    if (folder != swept) {
        RemoveStaleParts(folder);
        swept = folder;
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
