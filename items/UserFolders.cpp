#include "items/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "items/ProgramFolder.h"

namespace vantrel {

namespace fs = std::filesystem;

namespace {

constexpr char kProgramName[] = "vantrel";

// $HOME, else the password database: a desktop session always has one, a
// service started without HOME still finds the user's folders.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

// The XDG rule: an absolute value of the variable, else the home folder's
// default; relative values are to be ignored.
std::string XdgFolder(const char* variable, const char* homeDefault) {
    const char* value = std::getenv(variable);
    std::string base;
    if (value && value[0] == '/') {
        base = value;
    } else {
        const std::string home = HomeFolder();
        if (home.empty()) return {};
        base = WithSeparator(home) + homeDefault;
    }
    return WithSeparator(base) + kProgramName + "/";
}

// Ours to use: a real folder (not a link to one), owned by us. A folder of
// ours that others may enter is closed again rather than given up.
bool IsOurFolder(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != getuid()) return false;
    if ((info.st_mode & 0077) != 0 && chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

std::string TemporaryBase() {
    const char* tmpdir = std::getenv("TMPDIR");
    return WithSeparator(tmpdir && tmpdir[0] == '/' ? tmpdir : "/tmp");
}

std::string MakePrivateFolder() {
    const std::string base = TemporaryBase();
    const std::string fixed = base + kProgramName + "-" + std::to_string(getuid());
    if (mkdir(fixed.c_str(), 0700) == 0 || errno == EEXIST) {
        if (IsOurFolder(fixed)) return fixed + "/";
    }
    // Someone put something else there first: a name nobody can predict.
    std::string pattern = fixed + "-XXXXXX";
    if (mkdtemp(pattern.data())) return pattern + "/";
    return {};
}

std::mutex& TemporaryLock() {
    static std::mutex lock;
    return lock;
}
std::string& CachedTemporary() {
    static std::string folder;
    return folder;
}
// The temporary folder the cached one was made in: a changed TMPDIR (tests
// set their own) decides afresh.
std::string& CachedBase() {
    static std::string base;
    return base;
}

// A relative name that stays inside the folder it is joined to.
bool StaysInside(std::string_view relative) {
    if (relative.empty() || relative.front() == '/') return false;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string_view::npos) end = relative.size();
        if (relative.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string DataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }
std::string StateFolder() { return XdgFolder("XDG_STATE_HOME", ".local/state"); }

std::string PrivateTemporaryFolder() {
    std::lock_guard hold(TemporaryLock());
    std::string& folder = CachedTemporary();
    // Made once per process; checked again so that a folder removed by a
    // cleaner while the program runs is made again, not written through.
    const std::string base = TemporaryBase();
    if (folder.empty() || base != CachedBase() || !IsOurFolder(folder.substr(0, folder.size() - 1))) {
        folder = MakePrivateFolder();
        CachedBase() = base;
    }
    return folder;
}

std::string PrivateTemporarySubfolder(const std::string& name) {
    const std::string parent = PrivateTemporaryFolder();
    if (parent.empty()) return {};
    const std::string folder = parent + name;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return IsOurFolder(folder) ? folder + "/" : std::string();
}

void ForgetPrivateTemporaryFolder() {
    std::lock_guard hold(TemporaryLock());
    CachedTemporary().clear();
}

std::string ReadPath(const std::string& userFolder, std::string_view relative) {
    if (!userFolder.empty() && StaysInside(relative)) {
        std::string user = userFolder + std::string(relative);
        std::error_code error;
        if (fs::is_regular_file(user, error)) return user;
    }
    return ProgramFolder() + std::string(relative);
}

std::string WritePath(const std::string& userFolder, std::string_view relative) {
    if (userFolder.empty() || !StaysInside(relative)) return {};
    const std::string path = userFolder + std::string(relative);
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    return path;
}

}  // namespace vantrel
