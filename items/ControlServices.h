#pragma once
#include <string>

#include "items/ResultFlags.h"

namespace vantrel {

class Control;
class DrawContext;
class Window;

// What every control needs from the skin and from control drawing. Both
// live above the item layer, so they plug in here when the program starts;
// until then a control draws nothing and has no skin.
class ControlServices {
public:
    virtual ~ControlServices() = default;
    // The skin's image path for a string id, empty when it has none.
    virtual std::string SkinImagePath(int id) { (void)id; return {}; }
    virtual void SetSkinImagePath(int id, const std::string& path) { (void)id, (void)path; }
    // Called when a dropped picture became a control's own image.
    virtual void SkinImageLoaded(Control& control, int id) { (void)control, (void)id; }
    // Background, face and caption of a control.
    virtual void PaintControl(Control& control, DrawContext& dc) { (void)control, (void)dc; }
    // The skin context menu of a control (Ctrl + right click): the chosen
    // command, 0 when nothing was chosen.
    virtual int SkinMenu(Control& control, Window* window) { (void)control, (void)window; return 0; }
    // The skin commands every control answers (edit caption, colours, ...).
    virtual bool SkinCommand(Control& control, Window* window, int command, ResultFlags& out) {
        (void)control, (void)window, (void)command, (void)out;
        return false;
    }
};

ControlServices& Services();
// Installs the services (null restores the empty ones); answers the previous.
ControlServices* SetControlServices(ControlServices* services);

}  // namespace vantrel
