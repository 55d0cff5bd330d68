#pragma once
#include <string>

namespace vantrel {

// The folder of the executable with a trailing separator: pictures, page
// files, skins and plugins are found beside the program.
const std::string& ProgramFolder();
// Tests and the batch command line may point it elsewhere.
void SetProgramFolder(const std::string& folder);
// The system's temporary folder with a trailing separator.
std::string TemporaryFolder();

}  // namespace vantrel
