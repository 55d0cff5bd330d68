#include "items/ProgramFolder.h"

#include <filesystem>
#include <system_error>

#include "items/UserFolders.h"

namespace vantrel {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

namespace {
std::string& Folder() {
    static std::string folder = [] {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        return error ? std::string("./") : WithSeparator(exe.parent_path().string());
    }();
    return folder;
}
}  // namespace

const std::string& ProgramFolder() { return Folder(); }

void SetProgramFolder(const std::string& folder) { Folder() = WithSeparator(folder); }

std::string TemporaryFolder() {
    std::string folder = PrivateTemporaryFolder();
    if (!folder.empty()) return folder;
    std::error_code error;
    const auto system = std::filesystem::temp_directory_path(error);
    return WithSeparator(error ? std::string("/tmp") : system.string());
}

}  // namespace vantrel
