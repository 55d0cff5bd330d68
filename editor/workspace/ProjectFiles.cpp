#include "editor/workspace/ProjectFiles.h"

#include <filesystem>
#include <functional>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "values/Stream.h"
#include "editor/workspace/Workspace.h"
#include "model/clips/Clip.h"
#include "media/sources/MediaOpen.h"

namespace vantrel {

std::string ForceExtension(std::string_view path, std::string_view extension) {
    for (std::size_t i = path.size(); i-- > 0;) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':') break;
        if (c == '.') return std::string(path.substr(0, i)) + std::string(extension);
    }
    return std::string(path) + std::string(extension);
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

namespace {
// The mode a replacement should have: the old file's, or what a new file
// would get under the current umask.
mode_t ReplacementMode(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}
}  // namespace

std::string FollowLinks(const std::string& path) {
    std::string current = path;
    // As deep as the system itself follows links; a loop ends here too and
    // then fails at the write.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(std::size_t(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || std::size_t(length) >= target.size()) return current;
        target.resize(std::size_t(length));
        current = target.front() == '/' ? target : FolderOf(current) + target;
    }
    return current;
}

bool IsWriteProtected(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;  // a new file
    // No write bit for anyone is the user's "read-only", which holds for
    // root as well, who passes every access check.
    return (info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

bool WriteFileBeside(const std::string& path, unsigned mode, const std::string& what,
                     const std::function<bool(OutStream&)>& write, std::string& error) {
    std::string pattern = FolderOf(path);
    if (pattern.empty()) pattern = "./";
    pattern += ".vantrel-save-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = std::string("cannot create a file in the folder: ") + std::strerror(errno);
        return false;
    }
    fchmod(fd, mode_t(mode));
    std::FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(pattern.c_str());
        error = "cannot write the file";
        return false;
    }
    FileOutStream out(file);
    bool ok = write(out);
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        unlink(pattern.c_str());
        error = "writing the " + what + " failed";
        return false;
    }
    if (std::rename(pattern.c_str(), path.c_str()) != 0) {
        error = std::string("cannot replace the file: ") + std::strerror(errno);
        unlink(pattern.c_str());
        return false;
    }
    return true;
}

bool WriteProjectFile(Clip& root, const std::string& requested, std::string& error) {
    // A link stays a link: the file it names is the one replaced.
    const std::string path = FollowLinks(requested);
    if (IsWriteProtected(path)) {
        error = requested + " is write-protected";
        return false;
    }
    return WriteFileBeside(path, ReplacementMode(path), "project", [&](OutStream& out) { return root.Save(out) != 0; },
                           error);
}

ProjectFolderScope::ProjectFolderScope(const std::string& project) {
    if (project.empty()) return;
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    if (error) return;
    const std::filesystem::path folder = std::filesystem::absolute(project, error).parent_path();
    if (!error && !folder.empty()) std::filesystem::current_path(folder, error);
    changed_ = !error;
}

ProjectFolderScope::~ProjectFolderScope() {
    std::error_code error;
    if (changed_) std::filesystem::current_path(previous_, error);
}

bool ReadProjectFile(Clip& root, const std::string& path, bool& opened, const std::string& mediaBeside) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    opened = file != nullptr;
    if (!file) return false;
    ProjectFolderScope folder(mediaBeside.empty() ? path : mediaBeside);
    FileInStream in(file);
    const bool ok = root.Load(in) != 0;
    std::fclose(file);
    return ok;
}

void DialogFolders::Remember(int key, const std::string& chosenFile) {
    const std::string folder = FolderOf(chosenFile);
    for (int i = 0; i < count_; ++i)
        if (entries_[std::size_t(i)].key == key) {
            entries_[std::size_t(i)].folder = folder;
            return;
        }
    if (count_ >= kMaxKeys) return;
    entries_[std::size_t(count_++)] = {key, folder};
}

std::optional<std::string> DialogFolders::Folder(int key) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[std::size_t(i)].key == key) return entries_[std::size_t(i)].folder;
    return std::nullopt;
}

int SaveProjectAs(const std::string& in, const std::string& out, std::string& message) {
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    if (!LoadProjectQuietly(root, in, message)) return 1;
    return SaveRootAs(root, out, message) ? 0 : 1;
}

bool LoadProjectQuietly(Clip& root, const std::string& path, std::string& message) {
    if (RootState* state = root.State()) state->SetAsksForMissingMedia(false);
    bool opened = false;
    if (ReadProjectFile(root, path, opened)) {
        // The file records the path it was last saved under, which may be
        // another copy of it: a later save must write here, not there.
        root.SetName(BaseName(path));
        root.SetMediaPath(path);
        root.CommitAll();
        return true;
    }
    message = (opened ? "cannot read the project " : "cannot open ") + path;
    return false;
}

bool SaveRootAs(Workspace& root, const std::string& out, std::string& message) {
    root.SetName(BaseName(out));
    root.SetMediaPath(out);
    std::string error;
    if (!WriteProjectFile(root, out, error)) {
        message = "cannot save " + out + ": " + error;
        return false;
    }
    return true;
}

}  // namespace vantrel
