#include "internet/InternetSession.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>

#include "items/ProgramContext.h"
#include "internet/DownloadFolder.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {
constexpr long kConnectTimeoutSeconds = 15;
// A server that stops sending without closing would otherwise block the
// user interface forever: less than one byte a second for this long fails.
constexpr long kStallSeconds = 30;
constexpr long kMaxRedirects = 10;
constexpr const char* kProtocols = "http,https,ftp";

struct Target {
    int fd = -1;
    bool failed = false;
    curl_off_t written = 0;
    curl_off_t limit = 0;
};

// The preferences, within bounds that keep a download meaningful.
struct Limits {
    long milliseconds;
    curl_off_t bytes;
};
Limits CurrentLimits() {
    const Preferences& prefs = SettingsStore::Instance().Prefs();
    const long seconds = std::clamp<long>(prefs.downloadSeconds, 1, 24 * 3600);
    const curl_off_t megabytes = std::clamp<curl_off_t>(prefs.downloadMegabytes, 1, 1 << 20);
    return {seconds * 1000, megabytes * 1024 * 1024};
}

std::size_t WritePiece(char* data, std::size_t size, std::size_t count, void* user) {
    auto* target = static_cast<Target*>(user);
    const std::size_t bytes = size * count;
    // Servers may send more than they announced (or announce nothing).
    if (target->written + curl_off_t(bytes) > target->limit) {
        target->failed = true;
        return 0;
    }
    target->written += curl_off_t(bytes);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t wrote = ::write(target->fd, data + done, bytes - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            target->failed = true;
            return 0;  // tells curl to stop
        }
        done += std::size_t(wrote);
    }
    return bytes;
}

// A fresh name beside the target, so the final rename stays on one file
// system and is atomic. Created with the usual permissions (umask applies).
int CreatePartFile(const std::string& localPath, std::string& partPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        partPath = localPath + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}
}  // namespace

InternetSession& InternetSession::Instance() {
    if (InternetSession* own = Context().internet) return *own;
    static InternetSession session;
    return session;
}

InternetSession::~InternetSession() {
    if (handle_) curl_easy_cleanup(static_cast<CURL*>(handle_));
}

bool InternetSession::OpenHandle() {
    if (handle_) return true;
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    if (!ready) return false;
    handle_ = curl_easy_init();
    return handle_ != nullptr;
}

std::optional<std::string> InternetSession::Transfer(const std::string& address, const std::string& target) {
    if (!OpenHandle()) return std::nullopt;
    CURL* curl = static_cast<CURL*>(handle_);

    std::string partPath;
    Target sink;
    sink.fd = CreatePartFile(target, partPath);
    if (sink.fd < 0) return std::nullopt;
    const Limits limits = CurrentLimits();
    sink.limit = limits.bytes;

    // Options are set again for every download: an earlier one may have
    // left others behind, but the handle keeps its connections.
    curl_easy_reset(curl);
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.milliseconds);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, limits.bytes);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WritePiece);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    bool ok = result == CURLE_OK && !sink.failed;
    if (::fsync(sink.fd) != 0 && errno != EINVAL) ok = false;
    if (::close(sink.fd) != 0) ok = false;
    if (!ok) {
        std::remove(partPath.c_str());
        return std::nullopt;
    }
    return partPath;
}

bool InternetSession::Download(const std::string& address, const std::string& localPath) {
    if (address.empty() || localPath.empty()) return false;
    std::lock_guard lock(busy_);
    const std::optional<std::string> part = Transfer(address, localPath);
    if (!part) return false;
    if (std::rename(part->c_str(), localPath.c_str()) == 0) return true;
    std::remove(part->c_str());
    return false;
}

std::optional<std::string> InternetSession::DownloadNew(const std::string& address, const std::string& folder,
                                                        const std::string& name) {
    if (address.empty() || name.empty()) return std::nullopt;
    std::lock_guard lock(busy_);
    const std::optional<std::string> part = Transfer(address, folder + name);
    if (!part) return std::nullopt;
    // link() claims a name only if nobody has it, atomically: a file that
    // appeared meanwhile is skipped, never replaced.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = FreshNameIn(folder, name, attempt);
        if (::link(part->c_str(), candidate.c_str()) == 0) {
            ::unlink(part->c_str());
            return candidate;
        }
        if (errno != EEXIST) break;
    }
    ::unlink(part->c_str());
    return std::nullopt;
}

}  // namespace vantrel
