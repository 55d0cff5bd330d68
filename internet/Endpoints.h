#pragma once
#include <string>

namespace vantrel {

// The maker's addresses. Each has a built-in default and can be replaced by
// an environment variable, so that tests and offline installations point
// them at loopback or a mirror:
//   VANTREL_MEMBER_AREA    base of pages, scripts and "version.ini"; ends in "/"
//   VANTREL_INSTALLER_URL  installer of the newest version
//   VANTREL_WEB_SITE       first text of "Open Project URL"
//   VANTREL_SUPPORT_MAIL   address of "Email Support"
// Read at every call, so a change to the environment takes effect at once.
std::string MemberArea();
std::string InstallerAddress();
std::string WebSiteAddress();
std::string SupportMailAddress();

}  // namespace vantrel
