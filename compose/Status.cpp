#include "compose/Status.h"

#include "model/clips/Clip.h"

namespace vantrel {

void ShowStatus(Clip& clip, const std::string& first, const std::string& second) {
    clip.RootClip()->SetStatusText(first + ": " + second);
}

void ShowStatus(Clip& clip, const std::string& first, const std::string& second, const std::string& third) {
    clip.RootClip()->SetStatusText(first + ": " + second + " " + third);
}

}  // namespace vantrel
