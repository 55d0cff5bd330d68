#include "internet/Endpoints.h"

#include <cstdlib>

namespace vantrel {

namespace {
// Reserved names: an installation that has not been told where the maker
// lives fails its lookups quickly instead of reaching a stranger's server.
constexpr const char* kMemberArea = "http://www.vantrel.example/members/";
constexpr const char* kInstaller = "http://www.vantrel.example/download/vantrel-setup.tar.gz";
constexpr const char* kWebSite = "http://www.vantrel.example/";
constexpr const char* kSupportMail = "support@vantrel.example";

std::string FromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}
}  // namespace

std::string MemberArea() {
    std::string base = FromEnvironment("VANTREL_MEMBER_AREA", kMemberArea);
    // Names are appended to it directly.
    if (base.back() != '/') base += '/';
    return base;
}

std::string InstallerAddress() { return FromEnvironment("VANTREL_INSTALLER_URL", kInstaller); }
std::string WebSiteAddress() { return FromEnvironment("VANTREL_WEB_SITE", kWebSite); }
std::string SupportMailAddress() { return FromEnvironment("VANTREL_SUPPORT_MAIL", kSupportMail); }

}  // namespace vantrel
