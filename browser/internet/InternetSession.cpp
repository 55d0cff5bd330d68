#include "browser/internet/InternetSession.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>

#include "app/core/ProgramContext.h"

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
};

std::size_t WritePiece(char* data, std::size_t size, std::size_t count, void* user) {
    auto* target = static_cast<Target*>(user);
    const std::size_t bytes = size * count;
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

bool InternetSession::Download(const std::string& address, const std::string& localPath) {
    if (address.empty() || localPath.empty()) return false;
    std::lock_guard lock(busy_);
    if (!OpenHandle()) return false;
    CURL* curl = static_cast<CURL*>(handle_);

    std::string partPath;
    Target target;
    target.fd = CreatePartFile(localPath, partPath);
    if (target.fd < 0) return false;

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
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WritePiece);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &target);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    bool ok = result == CURLE_OK && !target.failed;
    if (::fsync(target.fd) != 0 && errno != EINVAL) ok = false;
    if (::close(target.fd) != 0) ok = false;
    if (ok && std::rename(partPath.c_str(), localPath.c_str()) != 0) ok = false;
    if (!ok) std::remove(partPath.c_str());
    return ok;
}

}  // namespace vantrel
