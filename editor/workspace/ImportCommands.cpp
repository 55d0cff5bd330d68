// Bringing media into the shown arrangement: the import dialog, an address
// downloaded off the main thread, and files dropped on the window.
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/Workspace.h"
#include "media/sources/ImportFormats.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/Window.h"

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

std::string Workspace::ImportProblem(const std::string& path, const Clip* into) const {
    const Clip* target = into ? into : ShownArrangement();
    if (target->ChildCount() >= kMaxChildren) return Str(kArrangementFull);
    if (IsRemoteAddress(path)) return {};
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return Str(kNoSuchFile);
    if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path, std::ios::binary)) return Str(kUnreadable);
    return {};
}

Clip* Workspace::ImportFile(Window* window, const std::string& path, std::optional<std::int32_t> time, Clip* into) {
    (void)window;
    Clip* target = into ? into : ShownArrangement();
    std::string problem = ImportProblem(path, target);
    Clip* clip = problem.empty() ? target->ImportMedia(path) : nullptr;
    if (!clip) {
        if (problem.empty()) problem = Str(IsRemoteAddress(path) ? kDownloadFailed : kUnknownFormat);
        ShowError(Str(kCannotImport) + "\n\n\"" + path + "\"\n\n" + problem);
        return nullptr;
    }
    if (time && *time != clip->GetPosition()) {
        clip->SetPosition(*time);
        target->PlaceOnFreeTrack(clip);
        clip->SetTime(target->Time());
    }
    return clip;
}

bool Workspace::ImportClipByDialog(Window* window, Clip* into) {
    if (!Platform().dialogs) return false;
    FileDialogRequest request;
    request.title = Str(kImportTitle);
    request.filters = {{Str(kClassicFilter), std::string(kImportPatterns)},
                       {Str(kEveryImportable), EveryImportPattern()},
                       {Str(kAllFiles), "*"}};
    request.folder = folders_.Folder(kOpenDialogKey).value_or("");
    request.mustExist = true;
    const auto path = Platform().dialogs->OpenFile(window, request);
    if (!path || path->empty()) return false;
    folders_.Remember(kOpenDialogKey, *path);
    return ImportFile(window, *path, {}, into) != nullptr;
}

bool Workspace::ImportClipUrl(Window* window, Clip* into) {
    if (!Platform().dialogs) return false;
    const std::string title = Str(kImportClipUrlCommand);
    const auto address = Platform().dialogs->TextEntry(window, title, title, "http://");
    if (!address || address->empty() || *address == "http://") return false;
    if (!IsRemoteAddress(*address)) return ImportFile(window, *address, {}, into) != nullptr;
    if (!urlImports_) {
        auto record = std::make_shared<UrlImports>();
        record->window = GetWindow();
        record->self = record;
        auto owner = std::make_shared<UrlImportsOwner>();
        owner->imports = record;
        // Only the workspace holds the owner, so its end is the farewell.
        urlImports_ = std::shared_ptr<UrlImports>(owner, record.get());
    }
    auto import = std::make_shared<UrlImport>();
    import->address = *address;
    import->into = into;
    {
        std::lock_guard guard(urlImports_->lock);
        urlImports_->running.push_back(import);
    }
    SetStatusText(Str(kDownloading) + ": " + *address);
    if (GetWindow()) GetWindow()->RequestRefresh();  // the command itself changed nothing yet
    // The record outlives the workspace as long as a download runs; the
    // window is woken only while the workspace still stands.
    std::thread([import, record = urlImports_->self.lock()] {
        std::optional<std::string> local = DownloadToTemp(import->address);
        std::lock_guard guard(record->lock);
        import->local = std::move(local);
        import->done = true;
        if (record->window) record->window->RequestRefresh();
    }).detach();
    return false;
}

bool Workspace::UrlImportPending() const {
    if (!urlImports_) return false;
    std::lock_guard guard(urlImports_->lock);
    return !urlImports_->running.empty();
}

bool Workspace::FinishUrlImports() {
    if (!urlImports_) return false;
    std::vector<std::shared_ptr<UrlImport>> finished;
    {
        std::lock_guard guard(urlImports_->lock);
        auto& running = urlImports_->running;
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
            ShowError(Str(kCannotImport) + "\n\n\"" + import->address + "\"\n\n" + Str(kDownloadFailed));
            continue;
        }
        // A target removed while the download ran leaves the shown arrangement.
        Clip* into = import->into && InTree(*this, import->into) ? import->into : nullptr;
        if (ImportFile(GetWindow(), *import->local, {}, into)) imported = true;
    }
    if (imported) FinishInput(kChanged | kRepaint);
    return imported;
}

ResultFlags Workspace::DropMedia(Window* window, std::uintptr_t dropHandle, Point p) {
    if (!window || !IsArrangement()) return 0;
    const std::vector<std::string> paths = window->DroppedFiles(std::intptr_t(dropHandle));
    Clip* target = ShownArrangement();
    // Over the arrangement window the files go where the pointer is; anywhere
    // else they go to the current time.
    std::int32_t time = target->Time();
    if (arrangementWindow_->Rects().window.Contains(p))
        time = target->Quantize(std::max(arrangementWindow_->TimeAt(p.x), 0));
    ResultFlags flags = 0;
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        Clip* clip = ImportFile(window, path, time);
        if (!clip) continue;
        flags |= kChanged | kRepaint;
        time = SaturatingAdd(clip->GetPosition(), clip->Length());
    }
    return flags;
}

}  // namespace vantrel
