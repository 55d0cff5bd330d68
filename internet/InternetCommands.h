#pragma once
#include <functional>
#include <optional>
#include <string>

#include "items/Version.h"

namespace vantrel {

class Window;

// What the internet commands hand on to the program as a whole: the info
// browser (one per process) shows addresses, and the program quits. Both are
// set once at start and reach nothing that goes before the process ends.
// Unset hooks do nothing and answer false.
struct InternetHooks {
    // Writes the Surf page for an address and opens it with the shell; unset,
    // the address goes to the shell directly.
    std::function<bool(const std::string& address)> openSurfPage;
    // Asks the program to quit normally.
    std::function<void()> quit;
};
InternetHooks& Hooks();

// The running version, compared with the member area's "version.ini".
constexpr int kVersionBig = kVersionMajor;
constexpr int kVersionSmall = kVersionMinor;

enum class UpdateCheck {
    Silent,     // no version file, or one without a version: nothing shown
    UpToDate,   // "Your Vantrel is up-to-date." was shown
    Declined,   // a newer version was offered and not taken (or its page could not be shown)
    Upgrading,  // the installer page was opened and the program told to quit
};

// "Update": downloads version.ini into the temporary folder and compares.
UpdateCheck CheckForUpdate(Window* owner);

// "Open Project URL": asks for an address (starting with the web site),
// downloads it into the temporary folder as a ".kwp" file and opens it
// with `open`. False when cancelled or when the download or the opening
// fails.
bool OpenProjectFromAddress(Window* owner, const std::function<bool(const std::string& path)>& open);

// True for names that begin with "http://", "https://" or "ftp://" in any case.
bool IsRemoteAddress(const std::string& name);
// The file name a download of address gets: the last component of its path,
// without query or fragment, reduced to characters safe in a file name;
// "download" when nothing usable is left.
std::string LocalNameFor(const std::string& address);
// Fetches a remote address into the private download folder under
// localName, or a fresh variant of it when that name is taken (an existing
// file is never replaced); the local path, or nothing when the download
// fails.
std::optional<std::string> FetchToTemporaryFolder(const std::string& address,
                                                  const std::string& localName);
// The name the media side should open: the local copy of a remote address
// (downloaded now), or the name itself; nothing when the download fails.
std::optional<std::string> LocalCopyOf(const std::string& name);

// The address pages and scripts are refreshed from: the preference, else
// VANTREL_MEMBER_AREA, ending in "/"; empty when neither is set.
std::string ConfiguredMemberArea();
// Pages and tutorial scripts: fetches the member area's copy of name over
// localPath. A failure leaves the local copy, so the program keeps working
// offline with what it has; without a configured address it fails at once.
bool RefreshFromMemberArea(const std::string& name, const std::string& localPath);

// "Email Support": the address for the shell's mail program.
std::string SupportMailto();

}  // namespace vantrel
