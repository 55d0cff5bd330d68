#pragma once

#include "platform/Dialogs.h"
#include "platform/DrawContext.h"
#include "platform/Menus.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace vantrel {

// The services of the windowing system, process-wide like the string table.
// The Qt implementation serves the editor; the scripted one serves tests and
// the batch command line. Until one is installed a quiet scripted one answers
// (every question with its default, every dialog with cancel).
struct PlatformServices {
    Dialogs* dialogs = nullptr;
    Menus* menus = nullptr;
    Clipboard* clipboard = nullptr;
    Shell* shell = nullptr;
    Clock* clock = nullptr;
};

const PlatformServices& Platform();
// Installs services; members left null keep the current ones. Answers the
// previous set so that a test can restore it.
PlatformServices SetPlatform(const PlatformServices& services);

}  // namespace vantrel
