#pragma once
#include <cstdint>
#include <string>

#include "items/ResultFlags.h"
#include "values/Rect.h"

namespace vantrel {

class Clip;
class Control;
class DrawContext;
class Window;
struct RootNames;

// What the root clip tells its window side, and the little it asks of it.
// The root is the model of a project; everything on screen (layout, hover
// help, splitters, keys, painting, the panels and the arrangement window)
// sits behind this interface, so the root never names a view.
class RootView {
public:
    virtual ~RootView() = default;

    // -- the root's Item calls, handed on ---------------------------------------
    // Lays the editor out for a client area (left as it is while a make
    // runs) and answers the layout area, which is what gets drawn.
    virtual Rect LayOutClient(int clientWidth, int clientHeight) = 0;
    // Draws the whole editor in layout coordinates.
    virtual void Paint(DrawContext& dc) = 0;
    virtual ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) = 0;
    virtual bool ShowHoverText(const std::string& text, const Rect& rect) = 0;
    // Before the root finishes an input: the view takes what is its own
    // (kResetPanes) and answers the flags to go on with.
    virtual ResultFlags Settle(ResultFlags flags) = 0;

    // -- notifications ---------------------------------------------------------
    // The tree may have lost clips the view points at (before any command).
    virtual void TreeEdited() = 0;
    // The root's time moved (any thread, under the tree lock).
    virtual void TimeChanged(std::int32_t rootTime) = 0;
    // A status line text (any thread).
    virtual void ShowStatus(const std::string& text) = 0;
    // The project was emptied ("New Project", loading).
    virtual void ProjectCleared() = 0;

    // -- the idle timer --------------------------------------------------------
    // Whether a tick of the refresh timer has anything new to draw for this
    // client area; an idle editor answers false and costs nothing.
    virtual bool WantsTickPaint(int clientWidth, int clientHeight) {
        (void)clientWidth, (void)clientHeight;
        return true;
    }

    // -- questions --------------------------------------------------------------
    // The arrangement shown; null while it shows none.
    virtual Clip* ShownArrangement() const = 0;
    // The control attached with this id; null for none.
    virtual Control* ControlById(int id) const = 0;
    // Fills in the editor's controls that scripts name.
    virtual void NameControls(RootNames& names) const = 0;
};

}  // namespace vantrel
