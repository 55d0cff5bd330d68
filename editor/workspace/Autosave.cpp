#include "editor/workspace/Autosave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "editor/workspace/EditorIds.h"
#include "editor/workspace/ProjectFiles.h"
#include "items/StringTable.h"
#include "items/UserFolders.h"
#include "values/Stream.h"

namespace vantrel {

namespace {
namespace fs = std::filesystem;
constexpr const char* kFolder = "autosave/";
constexpr const char* kOrigin = ".origin";  // beside each autosave: the project's path
constexpr const char* kKept = "-kept-";

std::string Folder() {
    const std::string state = StateFolder();
    if (state.empty()) return {};
    const std::string folder = state + kFolder;
    std::error_code error;
    if (fs::create_directories(folder, error)) {
        chmod(state.c_str(), 0700);
        chmod(folder.c_str(), 0700);
    }
    return folder;
}

std::uint64_t Hash(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a: stable across runs and builds
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string Stem(const std::string& projectPath) {
    if (projectPath.empty()) return "untitled";
    std::string stem = fs::path(projectPath).stem().string();
    std::replace_if(stem.begin(), stem.end(), [](char c) { return c == '/' || c == '\0'; }, '_');
    return stem.empty() ? "project" : stem;
}

std::time_t WriteTime(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TimeText(std::time_t time, const char* format) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}
}  // namespace

std::string AutosavePath(const std::string& projectPath) {
    const std::string folder = Folder();
    if (folder.empty()) return {};
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Hash(projectPath)));
    return folder + Stem(projectPath) + "-" + hash + ".kwp";
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    return WriteFileBeside(path, 0600, "autosave",
                           [&](OutStream& out) { return bytes.empty() || out.Write(bytes.data(), bytes.size()); }, error);
}

bool WriteAutosave(const std::string& projectPath, const std::vector<std::uint8_t>& bytes) {
    const std::string path = AutosavePath(projectPath);
    if (path.empty()) return false;
    const std::vector<std::uint8_t> origin(projectPath.begin(), projectPath.end());
    return WriteFileAtomically(path + kOrigin, origin) && WriteFileAtomically(path, bytes);
}

void RemoveAutosave(const std::string& projectPath) {
    const std::string path = AutosavePath(projectPath);
    if (path.empty()) return;
    unlink(path.c_str());
    unlink((path + kOrigin).c_str());
}

std::vector<Recoverable> FindRecoverable() {
    std::vector<Recoverable> found;
    const std::string folder = Folder();
    if (folder.empty()) return found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string path = entry.path().string();
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".kwp" || name.find(kKept) != std::string::npos) continue;
        Recoverable item{path, ReadText(path + kOrigin), WriteTime(path)};
        // Newer than the project: changes the project never got. An older
        // one is what a later save already holds.
        if (!item.project.empty() && fs::exists(item.project) && WriteTime(item.project) > item.written) continue;
        found.push_back(std::move(item));
    }
    std::sort(found.begin(), found.end(), [](const Recoverable& a, const Recoverable& b) { return a.written > b.written; });
    return found;
}

std::string SetAutosaveAside(const Recoverable& found) {
    const fs::path from(found.autosave);
    std::string to = (from.parent_path() / from.stem()).string() + kKept +
                     TimeText(found.written, "%Y%m%d-%H%M%S") + ".kwp";
    for (int n = 2; fs::exists(to); ++n)
        to = (from.parent_path() / from.stem()).string() + kKept + TimeText(found.written, "%Y%m%d-%H%M%S") + "-" +
             std::to_string(n) + ".kwp";
    if (std::rename(found.autosave.c_str(), to.c_str()) != 0) return {};
    std::rename((found.autosave + kOrigin).c_str(), (to + kOrigin).c_str());
    return to;
}

std::string RecoverQuestion(const Recoverable& found) {
    const std::string name = found.project.empty() ? Str(kUntitledProjectText) : fs::path(found.project).filename().string();
    // The translated sentence may put the name and the time in any order
    // it needs, but in this order.
    std::string text = Str(kRecoverQuestionText);
    for (const std::string& value : {name, TimeText(found.written, "%Y-%m-%d %H:%M")})
        if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

// -- the writer ------------------------------------------------------------------

AutosaveWriter::AutosaveWriter() : thread_([this] { Run(); }) {}

AutosaveWriter::~AutosaveWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void AutosaveWriter::Post(std::string projectPath, std::vector<std::uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(std::move(projectPath), std::move(bytes));
    }
    wake_.notify_all();
}

int AutosaveWriter::Flush() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !pending_ && !writing_; });
    return written_;
}

void AutosaveWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || pending_; });
        if (!pending_) return;  // stopping with nothing left to write
        auto job = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        const bool ok = WriteAutosave(job.first, job.second);
        lock.lock();
        writing_ = false;
        if (ok) ++written_;
        done_.notify_all();
    }
}

}  // namespace vantrel
