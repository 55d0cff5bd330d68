#include "platform/Platform.h"

#include <algorithm>
#include <cmath>

#include "platform/DrawContext.h"
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

Rect AspectFitted(const Rect& room, int width, int height, double pixelAspect, double scale) {
    if (room.IsEmpty() || width <= 0 || height <= 0 || !(pixelAspect > 0) || !(scale > 0)) return {};
    // In units: a unit is pixelAspect times as wide as it is high, so the
    // picture takes fewer units across the wider they are.
    const double unitsWide = width / pixelAspect;
    const double fit = std::min(room.Width() / unitsWide, double(room.Height()) / height) * scale;
    const int w = std::clamp(int(std::lround(unitsWide * fit)), 1, room.Width());
    const int h = std::clamp(int(std::lround(height * fit)), 1, room.Height());
    const int x = room.left + (room.Width() - w) / 2, y = room.top + (room.Height() - h) / 2;
    return {x, y, x + w, y + h};
}

}  // namespace vantrel
