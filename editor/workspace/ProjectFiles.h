#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

class Clip;
class OutStream;
class Workspace;

// Replaces everything from the last dot of the file name on with the
// extension (".kwp"), or appends it when the name has no dot. The search
// stops at the first '\\', '/' or ':' from the end.
std::string ForceExtension(std::string_view path, std::string_view extension);

// The folder part of a path, separator included; empty without one.
std::string FolderOf(std::string_view path);

// Writes through `write` into a new file (mode bits as given) beside `path`,
// flushed to disk, then renames it over `path`: a reader finds the old file
// or the new one, whole, and a failure leaves no temporary file. `error`
// says why it failed ("writing the WHAT failed" when `write` or the flush did).
bool WriteFileBeside(const std::string& path, unsigned mode, const std::string& what,
                     const std::function<bool(OutStream&)>& write, std::string& error);

// Writes the clip's record to a new file beside the target and renames it
// over the target only when every write and the close succeeded, so a
// failed save never damages the project already on disk. On failure the
// target is untouched, the temporary file is gone and `error` says why.
// A symbolic link is followed and the file it names is replaced (the link
// stays); the new file keeps the old one's permission bits. A target that
// nobody may write to is refused ("... is write-protected"), even for root.
bool WriteProjectFile(Clip& root, const std::string& path, std::string& error);

// The path with every symbolic link along its last component followed.
std::string FollowLinks(const std::string& path);
// An existing file without any write bit, or one this user may not write.
bool IsWriteProtected(const std::string& path);

// Media of a project may be named relative to the project's folder (the
// bundled example is, so that it works wherever the program lies): they
// open, while a project is read, from that folder. An empty path keeps the
// working folder.
class ProjectFolderScope {
public:
    explicit ProjectFolderScope(const std::string& project);
    ~ProjectFolderScope();
    ProjectFolderScope(const ProjectFolderScope&) = delete;
    ProjectFolderScope& operator=(const ProjectFolderScope&) = delete;

private:
    std::filesystem::path previous_;
    bool changed_ = false;
};

// Opens and reads a project into the root; false when the file cannot be
// opened or the record does not read completely. Media named relative to a
// folder are looked for beside `mediaBeside` when it is given (a copy of a
// project kept elsewhere), else beside the file.
bool ReadProjectFile(Clip& root, const std::string& path, bool& opened, const std::string& mediaBeside = {});

// Reads a project without asking the user anything (missing media fail
// their clip); false with `message` saying why.
bool LoadProjectQuietly(Clip& root, const std::string& path, std::string& message);

// Where each file dialog starts: the folder of the file last chosen with
// the same key. Only the first 16 keys used are remembered.
class DialogFolders {
public:
    static constexpr int kMaxKeys = 16;
    void Remember(int key, const std::string& chosenFile);
    std::optional<std::string> Folder(int key) const;
    int Count() const { return count_; }

private:
    struct Entry {
        int key = 0;
        std::string folder;
    };
    std::array<Entry, kMaxKeys> entries_{};
    int count_ = 0;
};

// The batch "--save-as IN OUT": loads IN without asking for anything and
// saves it as OUT (name and path fields set as "Save As" sets them).
// Answers 0 on success and 1 on failure with `message` saying why.
int SaveProjectAs(const std::string& in, const std::string& out, std::string& message);
// Saves a loaded root under a new name as "Save As" does (name and path
// fields follow the new file); false with `message` saying why.
bool SaveRootAs(Workspace& root, const std::string& out, std::string& message);

}  // namespace vantrel
