#pragma once
#include <string>

namespace vantrel {

class Clip;

// Status texts of composition and mixing go to the root of the clip:
// "%s: %s" and "%s: %s %s".
void ShowStatus(Clip& clip, const std::string& first, const std::string& second);
void ShowStatus(Clip& clip, const std::string& first, const std::string& second, const std::string& third);

}  // namespace vantrel
