#include "platform/Platform.h"

#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {

namespace {
struct Fallback {
    ScriptedDialogs dialogs;
    ScriptedMenus menus;
    ScriptedClipboard clipboard;
    ScriptedShell shell;
    SteadyClock clock;
};

PlatformServices& Current() {
    static Fallback fallback;
    static PlatformServices services{&fallback.dialogs, &fallback.menus, &fallback.clipboard,
                                     &fallback.shell, &fallback.clock};
    return services;
}
}  // namespace

const PlatformServices& Platform() { return Current(); }

PlatformServices SetPlatform(const PlatformServices& services) {
    PlatformServices& current = Current();
    PlatformServices previous = current;
    if (services.dialogs) current.dialogs = services.dialogs;
    if (services.menus) current.menus = services.menus;
    if (services.clipboard) current.clipboard = services.clipboard;
    if (services.shell) current.shell = services.shell;
    if (services.clock) current.clock = services.clock;
    return previous;
}

// In the order of the Pen enumeration.
constexpr Colour kPenColours[] = {Rgb(255, 0, 0),     Rgb(0, 255, 0),     Rgb(0, 0, 255), Rgb(0, 0, 0),
                                  Rgb(255, 255, 255), Rgb(192, 192, 192), Rgb(96, 96, 96)};

Colour PenColour(Pen pen) { return kPenColours[static_cast<int>(pen)]; }

}  // namespace vantrel
