#include "internet/InternetCommands.h"

#include <cstdio>
#include <cstdlib>

#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "internet/DownloadFolder.h"
#include "internet/Endpoints.h"
#include "internet/InternetSession.h"
#include "platform/Platform.h"
#include "skin/IniFile.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {
constexpr int kQuestionCaption = 302;
constexpr int kUpToDate = 587;
constexpr int kUpgradeTo = 589;
constexpr int kOpenProjectUrl = 654;
constexpr const char* kVersionFile = "version.ini";

// The wait cursor for as long as a blocking download runs.
class WaitCursor {
public:
    explicit WaitCursor(Window* window) : window_(window) {
        if (window_) window_->SetCursor(Cursor::Wait);
    }
    ~WaitCursor() {
        if (window_) window_->SetCursor(Cursor::Arrow);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Window* window_;
};

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

std::string WithExtension(const std::string& name, const char* extension) {
    const std::size_t dot = name.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + extension;
}
}  // namespace

InternetHooks& Hooks() {
    static InternetHooks hooks;
    return hooks;
}

bool IsRemoteAddress(const std::string& name) {
    // https as well: most addresses a user copies today are secure ones.
    return StartsWithNoCase(name, "http://") || StartsWithNoCase(name, "https://") ||
           StartsWithNoCase(name, "ftp://");
}

std::string LocalNameFor(const std::string& address) {
    std::string path = address;
    const std::size_t scheme = path.find("://");
    if (scheme != std::string::npos) {
        path = path.substr(scheme + 3);
        const std::size_t slash = path.find('/');
        path = slash == std::string::npos ? std::string() : path.substr(slash);  // drop the host
    }
    path = path.substr(0, path.find_first_of("?#"));
    const std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) path = path.substr(slash + 1);
    // The name comes from a stranger: nothing in it may lead out of the
    // temporary folder or be taken for an option or a hidden file.
    std::string name;
    for (char c : path) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '.' || c == '-' || c == '_' || c == '+' || c == '%';
        name += safe ? c : '_';
    }
    while (!name.empty() && (name.front() == '.' || name.front() == '-')) name.erase(0, 1);
    return name.empty() ? std::string("download") : name;
}

std::optional<std::string> FetchToTemporaryFolder(const std::string& address, const std::string& localName) {
    // Our own folder, and a fresh name in it: a file the user keeps in the
    // temporary folder under the same name is none of a download's business.
    const std::optional<std::string> folder = DownloadFolder();
    if (!folder) return std::nullopt;
    return InternetSession::Instance().DownloadNew(address, *folder, localName);
}

std::optional<std::string> LocalCopyOf(const std::string& name) {
    if (!IsRemoteAddress(name)) return name;
    return FetchToTemporaryFolder(name, LocalNameFor(name));
}

UpdateCheck CheckForUpdate(Window* owner) {
    int big = 0, small = 0;
    {
        WaitCursor wait(owner);
        const std::optional<std::string> file = FetchToTemporaryFolder(MemberArea() + kVersionFile, kVersionFile);
        if (!file) return UpdateCheck::Silent;
        big = ReadProfileInt(*file, "Version", "big", 0);
        small = ReadProfileInt(*file, "Version", "small", 0);
        std::remove(file->c_str());  // each check downloads afresh
    }
    if (big == 0) return UpdateCheck::Silent;

    Dialogs& dialogs = *Platform().dialogs;
    const bool newer = big > kVersionBig || (big == kVersionBig && small > kVersionSmall);
    if (!newer) {
        dialogs.MessageBox(owner, {Str(kUpToDate), Str(kUpToDate), BoxIcon::Information, BoxButtons::Ok});
        return UpdateCheck::UpToDate;
    }
    char question[1100];
    std::snprintf(question, sizeof question, "%s %d.%02d?", Str(kUpgradeTo).c_str(), big, small);
    const BoxAnswer answer =
        dialogs.MessageBox(owner, {question, Str(kQuestionCaption), BoxIcon::Question, BoxButtons::OkCancel});
    if (answer != BoxAnswer::Ok) return UpdateCheck::Declined;
    // Quitting without having shown where the installer is would leave the
    // user with neither the program nor the new version.
    const std::string installer = InstallerAddress();
    const bool shown = Hooks().openSurfPage ? Hooks().openSurfPage(installer) : Platform().shell->Open(installer);
    if (!shown) return UpdateCheck::Declined;
    if (Hooks().quit) Hooks().quit();
    return UpdateCheck::Upgrading;
}

bool OpenProjectFromAddress(Window* owner, const std::function<bool(const std::string& path)>& open) {
    const std::optional<std::string> address =
        Platform().dialogs->TextEntry(owner, Str(kOpenProjectUrl), Str(kOpenProjectUrl), WebSiteAddress());
    if (!address || address->empty()) return false;
    // Downloaded straight under the project name it is opened by, so the
    // file opened is the one that just arrived.
    std::optional<std::string> local;
    {
        WaitCursor wait(owner);
        local = FetchToTemporaryFolder(*address, WithExtension(LocalNameFor(*address), ".kwp"));
    }
    return local && open && open(*local);
}

std::string ConfiguredMemberArea() {
    std::string base = SettingsStore::Instance().Prefs().memberAreaAddress;
    if (base.empty())
        if (const char* given = std::getenv("VANTREL_MEMBER_AREA")) base = given;
    if (!base.empty() && base.back() != '/') base += '/';
    return base;
}

bool RefreshFromMemberArea(const std::string& name, const std::string& localPath) {
    // Offline first: without an address nothing waits on the network and
    // the shipped pages stay as they are.
    const std::string base = ConfiguredMemberArea();
    if (base.empty()) return false;
    return InternetSession::Instance().Download(base + name, localPath);
}

std::string SupportMailto() { return "mailto:" + SupportMailAddress(); }

}  // namespace vantrel
