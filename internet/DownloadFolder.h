#pragma once
#include <optional>
#include <string>

namespace vantrel {

// The folder downloads go into: "downloads/" in the program's private
// temporary folder (PrivateTemporaryFolder), mode 0700 like it. Part files
// of runs that died are removed the first time the folder is asked for.
// The answer ends with '/'; nothing when no folder can be had.
std::optional<std::string> DownloadFolder();

// A name in folder that nothing has yet: name itself, else "stem-1.ext",
// "stem-2.ext", ... Only a hint: the download claims the name atomically.
std::string FreshNameIn(const std::string& folder, const std::string& name, int attempt);

}  // namespace vantrel
