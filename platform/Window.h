#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "values/Rect.h"

namespace vantrel {

class DrawContext;
class MenuBar;

enum class Cursor { Arrow, Wait, SizeHorizontal, SizeVertical, SizeAll, Hand, Cross };

// The one main window as the item tree sees it. Coordinates are client
// coordinates of the window.
class Window {
public:
    virtual ~Window() = default;
    virtual Rect ClientRect() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;
    virtual bool IsMinimised() const = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    // A timer delivers WM_TIMER with its id every period until stopped.
    virtual bool StartTimer(int id, int periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    virtual std::optional<Point> PointerPosition() const = 0;
    // The paths of the drop whose handle came with WM_DROPFILES.
    virtual std::vector<std::string> DroppedFiles(std::intptr_t dropHandle) const = 0;
    // Drawing onto the window's picture; what is drawn shows when the
    // context is destroyed.
    virtual std::unique_ptr<DrawContext> BeginDraw() = 0;
    // Closes the window once the event at hand is handled, asking the
    // program first as the window's close box does.
    virtual void Close() = 0;
    // The size the items lay out in (at most the client area). A window
    // with a larger client area draws that area scaled up to fill it, at
    // its own resolution.
    virtual void SetLayoutSize(int width, int height) { (void)width, (void)height; }
    // Asks for a refresh of the whole window on the main thread soon; any
    // thread may call it (the worker, when a preview is finished).
    virtual void RequestRefresh() {}
    // Puts what was drawn on the screen now, from the main thread while it
    // is busy (a script that waits); nothing else runs meanwhile.
    virtual void ShowNow() {}
    // The window's menu bar; null for a window without one.
    virtual MenuBar* GetMenuBar() { return nullptr; }
    // Whether a key (a virtual-key code) is held down now.
    virtual bool KeyHeld(std::uint32_t key) const { return (void)key, false; }
};

}  // namespace vantrel
