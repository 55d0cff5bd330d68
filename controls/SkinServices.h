#pragma once
#include <functional>
#include <string>
#include <vector>

#include "items/ControlServices.h"
#include "platform/Menus.h"

namespace vantrel {

class SettingsEditor;
class Surface;

// The skin side of every control: image paths, painting, the skin menu and
// the skin commands, all from the one SettingsStore.
class SkinServices final : public ControlServices {
public:
    std::string SkinImagePath(int id) override;
    void SetSkinImagePath(int id, const std::string& path) override;
    void PaintControl(Control& control, DrawContext& dc) override;
    int SkinMenu(Control& control, Window* window) override;
    bool SkinCommand(Control& control, Window* window, int command, ResultFlags& out) override;
    // Passed on to the hook below.
    void SkinImageLoaded(Control& control, int id) override;

    // Where the reminder to confirm the preferences goes (the status line).
    void SetStatusText(std::function<void(const std::string&)> sink) { status_ = std::move(sink); }
    // Told whenever a skin picture was loaded into the control's picture
    // store (a drop, "Change Picture", a loaded skin, "Reset"), so that the
    // media side can derive what it makes from a picture (the dark
    // background from 555).
    void SetImageLoaded(std::function<void(Control&, int)> hook) { imageLoaded_ = std::move(hook); }

    // The entries of the skin menu, with the "Skin" submenu last; the
    // preview's own menu offers SkinSubmenu() as well.
    static std::vector<MenuEntry> MenuEntries();
    static MenuEntry SkinSubmenu();
    // The picture a control shows: its own, else its style's, else the
    // application background.
    static const Surface* CurrentPicture(const Control& control);

private:
    void Remind();
    void ReloadPictures(Control& control);
    std::function<void(const std::string&)> status_;
    std::function<void(Control&, int)> imageLoaded_;
};

struct SkinStartup {
    int language = 0;                     // 0: the user's locale
    SettingsEditor* settingsEditor = nullptr;  // the preferences dialog
    std::function<void(const std::string&)> statusText;  // the status line
    std::function<void(Control&, int)> imageLoaded;      // see SetImageLoaded
};

// Called once when the program starts, before the first control attaches:
// builds the store for the language, loads its default skin file and
// installs the skin services every control paints through.
SkinServices& StartSkin(const SkinStartup& startup);

}  // namespace vantrel
