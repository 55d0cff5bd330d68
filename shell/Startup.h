#pragma once
#include <string>
#include <string_view>

#include "items/Version.h"

namespace vantrel {

class Item;

constexpr int kMajorVersion = kVersionMajor;
constexpr int kMinorVersion = kVersionMinor;

// "Vantrel V2.28 " (the version from Version.h), blank included, until the root clip sets its own.
std::string WindowTitle();
// "Vantrel V2.28", what --version prints.
std::string VersionText();

// Writes version.ini into the folder only when kestlib.lib can be read
// there; answers whether the file was written.
bool WriteVersionFile(const std::string& programFolder);

// A command line names a project when it ends in ".kwp" in any letter case
// and is more than the extension.
bool IsProjectPath(std::string_view commandLine);
// Opens the file and hands it to the root's Load; false when it cannot be
// opened (the editor then starts empty).
bool OpenProject(Item& root, const std::string& path);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; empty
// when neither can be found.
std::string DataHome();
// Registers the program for *.kwp with the desktop: a desktop entry and a
// shared-mime-info package below dataHome. Answers whether both files are
// in place; callers ignore failure.
bool WriteFileAssociation(const std::string& executable, const std::string& dataHome);
// An installed program (PREFIX/lib/vantrel/) comes with its desktop entry
// in PREFIX/share/applications; a copy in the user's folder would only
// shadow it, and go stale when the package is upgraded or removed.
bool HasInstalledDesktopEntry(const std::string& programFolder);
// The Exec line's program part, quoted as desktop entries require.
std::string DesktopExecArgument(const std::string& path);

extern const char kProjectMimeType[];

}  // namespace vantrel
