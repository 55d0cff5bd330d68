#pragma once
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vantrel {

// Copies of unsaved changes in the user's state folder, so that a crash or
// a killed process loses at most the last minute. An autosave never
// replaces the project itself; the project's own save stays the user's act.

// The autosave of a project: autosave/<name>-<hash of the path>.kwp in the
// state folder (a project never saved is "untitled"). Empty when the state
// folder is unknown.
std::string AutosavePath(const std::string& projectPath);
// Writes the bytes beside `path` under a temporary name, flushed to disk,
// then renames: a reader finds the old autosave or the new one, whole.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Writes the autosave of a project and notes which project it belongs to.
bool WriteAutosave(const std::string& projectPath, const std::vector<std::uint8_t>& bytes);
// Removes a project's autosave (a clean exit, a save, discarded changes).
void RemoveAutosave(const std::string& projectPath);

// An autosave found at start.
struct Recoverable {
    std::string autosave;     // the autosave file
    std::string project;      // the project it belongs to; empty: never saved
    std::time_t written = 0;  // when the autosave was written
};
// Autosaves newer than their projects (or of projects never saved): what a
// run that ended uncleanly left. Newest first.
std::vector<Recoverable> FindRecoverable();
// Keeps an autosave the user chose not to recover: renamed with its time,
// out of the way of later runs, never deleted. The new path; empty on failure.
std::string SetAutosaveAside(const Recoverable& found);
// "Recover the unsaved changes of NAME from TIME?"
std::string RecoverQuestion(const Recoverable& found);

// Writes autosaves on a thread of its own, so that a slow disk never holds
// the window; the newest copy waiting replaces an older one not yet written.
class AutosaveWriter {
public:
    AutosaveWriter();
    ~AutosaveWriter();
    AutosaveWriter(const AutosaveWriter&) = delete;
    AutosaveWriter& operator=(const AutosaveWriter&) = delete;

    void Post(std::string projectPath, std::vector<std::uint8_t> bytes);
    // Waits until everything posted is written; the number of writes so far.
    int Flush();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::optional<std::pair<std::string, std::vector<std::uint8_t>>> pending_;
    bool writing_ = false, stop_ = false;
    int written_ = 0;
    std::thread thread_;
};

}  // namespace vantrel
