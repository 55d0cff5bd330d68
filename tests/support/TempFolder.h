#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace vantrel::testing {

// A folder of its own for each test under the temporary folder, removed
// with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::string operator/(const std::string& name) const { return File(name); }
    // The folder with a trailing separator, as program folders are given.
    std::string Slash() const { return path_ + "/"; }

private:
    std::string path_;
};

}  // namespace vantrel::testing
