#pragma once
#include <string>
#include <string_view>

namespace vantrel {

class Item;

constexpr int kMajorVersion = 2;
constexpr int kMinorVersion = 28;

// "Vantrel V2.28 ", blank included, until the root clip sets its own.
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
// The Exec line's program part, quoted as desktop entries require.
std::string DesktopExecArgument(const std::string& path);

extern const char kProjectMimeType[];

}  // namespace vantrel
