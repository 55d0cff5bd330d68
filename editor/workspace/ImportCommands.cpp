// Bringing media into the shown arrangement: the import dialog, an address
// downloaded off the main thread, and files dropped on the window.
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "media/sources/ImportFormats.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "script/ScriptContext.h"

namespace vantrel {

namespace {
constexpr int kImportTitle = 14;        // "Import Video Clip/Picture"
constexpr int kCannotImport = 783;
constexpr int kNoSuchFile = 784;
constexpr int kUnreadable = 785;
constexpr int kUnknownFormat = 786;
constexpr int kArrangementFull = 787;
constexpr int kDownloadFailed = 788;
constexpr int kDownloading = 789;
constexpr int kEveryImportable = 790;
constexpr int kAllFiles = 791;
constexpr int kClassicFilter = 792;
}  // namespace

// One download per address asked for. The thread keeps only this record
// alive, never the workspace: the workspace may close while a slow server
// still sends, and then the result is simply dropped.
struct UrlImport {
    std::string address;
    Clip* into = nullptr;  // checked against the tree before use
    bool done = false;
    std::optional<std::string> local;
};

struct UrlImports {
    std::mutex lock;
    Window* window = nullptr;  // cleared when the workspace goes
    std::vector<std::shared_ptr<UrlImport>> running;
    std::weak_ptr<UrlImports> self;  // what a download thread holds on to
};

namespace {
// The workspace's end tells the threads not to wake its window any more.
struct UrlImportsOwner {
    std::shared_ptr<UrlImports> imports;
    ~UrlImportsOwner() {
        std::lock_guard guard(imports->lock);
        imports->window = nullptr;
    }
};
}  // namespace

namespace {
bool InTree(const Clip& arrangement, const Clip* wanted) {
    if (&arrangement == wanted) return true;
    for (int i = 0; i < arrangement.ChildCount(); ++i)
        if (InTree(*arrangement.ChildAt(i), wanted)) return true;
    return false;
}
}  // namespace

std::string ImportProblem(const Workspace& root, const std::string& path, const Clip* into) {
    const Clip* target = into ? into : root.ShownArrangement();
    if (target->ChildCount() >= Clip::kMaxChildren) return Str(kArrangementFull);
    if (IsRemoteAddress(path)) return {};
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return Str(kNoSuchFile);
    if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path, std::ios::binary)) return Str(kUnreadable);
    return {};
}

Clip* ImportFile(Workspace& root, Window* window, const std::string& path, std::optional<std::int32_t> time, Clip* into) {
    (void)window;
    Clip* target = into ? into : root.ShownArrangement();
    std::string problem = ImportProblem(root, path, target);
    Clip* clip = problem.empty() ? target->ImportMedia(path, time) : nullptr;
    if (!clip) {
        if (problem.empty()) problem = Str(IsRemoteAddress(path) ? kDownloadFailed : kUnknownFormat);
        ShowErrorBox(root, Str(kCannotImport) + "\n\n\"" + path + "\"\n\n" + problem);
        return nullptr;
    }
    return clip;
}

bool ImportClipByDialog(Workspace& root, Window* window, Clip* into) {
    if (!Platform().dialogs) return false;
    FileDialogRequest request;
    request.title = Str(kImportTitle);
    request.filters = {{Str(kClassicFilter), std::string(kImportPatterns)},
                       {Str(kEveryImportable), EveryImportPattern()},
                       {Str(kAllFiles), "*"}};
    request.folder = root.Folders().Folder(Workspace::kOpenDialogKey).value_or("");
    // A tutorial names the sample files it wants: they are where it starts.
    if (PageScriptRunning()) request.folder = ExampleFolder(root.Options().language ? root.Options().language() : 9);
    request.mustExist = true;
    const auto path = Platform().dialogs->OpenFile(window, request);
    if (!path || path->empty()) return false;
    root.Folders().Remember(Workspace::kOpenDialogKey, *path);
    return ImportFile(root, window, *path, {}, into) != nullptr;
}

bool ImportClipUrl(Workspace& root, Window* window, Clip* into) {
    if (!Platform().dialogs) return false;
    const std::string title = Str(kImportClipUrlCommand);
    const auto address = Platform().dialogs->TextEntry(window, title, title, "http://");
    if (!address || address->empty() || *address == "http://") return false;
    if (!IsRemoteAddress(*address)) return ImportFile(root, window, *address, {}, into) != nullptr;
    if (!root.Downloads()) {
        auto record = std::make_shared<UrlImports>();
        record->window = root.GetWindow();
        record->self = record;
        auto owner = std::make_shared<UrlImportsOwner>();
        owner->imports = record;
        // Only the workspace holds the owner, so its end is the farewell.
        root.Downloads() = std::shared_ptr<UrlImports>(owner, record.get());
    }
    auto import = std::make_shared<UrlImport>();
    import->address = *address;
    import->into = into;
    {
        std::lock_guard guard(root.Downloads()->lock);
        root.Downloads()->running.push_back(import);
    }
    root.SetStatusText(Str(kDownloading) + ": " + *address);
    if (root.GetWindow()) root.GetWindow()->RequestRefresh();  // the command itself changed nothing yet
    // The record outlives the workspace as long as a download runs; the
    // window is woken only while the workspace still stands.
    std::thread([import, record = root.Downloads()->self.lock()] {
        std::optional<std::string> local = DownloadToTemp(import->address);
        std::lock_guard guard(record->lock);
        import->local = std::move(local);
        import->done = true;
        if (record->window) record->window->RequestRefresh();
    }).detach();
    return false;
}

bool UrlImportPending(const Workspace& root) {
    if (!root.Downloads()) return false;
    std::lock_guard guard(root.Downloads()->lock);
    return !root.Downloads()->running.empty();
}

bool FinishUrlImports(Workspace& root) {
    if (!root.Downloads()) return false;
    std::vector<std::shared_ptr<UrlImport>> finished;
    {
        std::lock_guard guard(root.Downloads()->lock);
        auto& running = root.Downloads()->running;
        for (auto it = running.begin(); it != running.end();) {
            if ((*it)->done) {
                finished.push_back(*it);
                it = running.erase(it);
            } else {
                ++it;
            }
        }
    }
    bool imported = false;
    for (const auto& import : finished) {
        if (!import->local) {
            ShowErrorBox(root, Str(kCannotImport) + "\n\n\"" + import->address + "\"\n\n" + Str(kDownloadFailed));
            continue;
        }
        // A target removed while the download ran leaves the shown arrangement.
        Clip* into = import->into && InTree(root, import->into) ? import->into : nullptr;
        if (ImportFile(root, root.GetWindow(), *import->local, {}, into)) imported = true;
    }
    if (imported) root.FinishInput(kChanged | kRepaint);
    return imported;
}

}  // namespace vantrel
