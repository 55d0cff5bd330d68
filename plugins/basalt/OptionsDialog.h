#pragma once
#include <optional>

#include "plugins/basalt/OutputWriter.h"

namespace basalt {

struct Choice {
    Container container = Container::Mp4;
    Quality quality = Quality::Medium;
    Speed speed = Speed::Automatic;
};

// Modal; nothing when the user cancels. Needs a running QApplication.
std::optional<Choice> AskForOptions(const Choice& current);

}  // namespace basalt
