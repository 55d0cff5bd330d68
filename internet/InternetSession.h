#pragma once
#include <mutex>
#include <optional>
#include <string>

#include "items/Version.h"

namespace vantrel {

class Window;

// The one connection to the network the program keeps: every download goes
// through it, one at a time, on the calling thread. Its handle is opened at
// the first download and kept, with its connections, until the program ends.
class InternetSession {
public:
    // "%s (freeware)" filled with the product and version.
    static constexpr const char* kAgent = VANTREL_PRODUCT_VERSION " (freeware)";

    static InternetSession& Instance();

    InternetSession() = default;
    ~InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    // Fetches address (http, https or ftp) into localPath, always from the
    // server, never from a cache; proxies come from the environment
    // (http_proxy, https_proxy, no_proxy). The data goes to a temporary file
    // beside localPath that replaces it only when the whole transfer
    // arrived, so a failed or broken download leaves the old copy as it
    // was. A transfer of 0 bytes gives an empty file and succeeds. An error
    // page (status 400 and above) is a failure, not content.
    //
    // Every download also ends at the overall time limit and the size limit
    // of the preferences, whatever the server does: one that trickles a few
    // bytes a second never trips the stall limit alone.
    bool Download(const std::string& address, const std::string& localPath);

    // Fetches address into folder under name, or, when a file of that name
    // is already there, under the first free "stem-N.ext": an existing file
    // is never replaced. The path written, or nothing on failure.
    std::optional<std::string> DownloadNew(const std::string& address, const std::string& folder,
                                           const std::string& name);

    void SetOwner(Window* owner) { owner_ = owner; }
    Window* Owner() const { return owner_; }

private:
    bool OpenHandle();
    // The transfer into a fresh part file beside target; its path, or
    // nothing (and no part file left) on failure.
    std::optional<std::string> Transfer(const std::string& address, const std::string& target);

    // One transfer at a time, even if a worker ever asks while the user
    // interface waits on another: the handle is not shareable.
    std::mutex busy_;
    Window* owner_ = nullptr;
    void* handle_ = nullptr;  // the curl easy handle; void keeps curl out of the header
};

}  // namespace vantrel
