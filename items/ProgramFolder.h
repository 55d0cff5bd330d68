#pragma once
#include <string>

namespace vantrel {

// The folder of the executable with a trailing separator: pictures, page
// files, skins and plugins are found beside the program.
const std::string& ProgramFolder();
// Tests and the batch command line may point it elsewhere.
void SetProgramFolder(const std::string& folder);
// The folder with a trailing separator added when it has none.
std::string WithSeparator(std::string folder);
// The program's private temporary folder (see UserFolders.h) with a
// trailing separator; the system's own only when that cannot be made.
std::string TemporaryFolder();

}  // namespace vantrel
