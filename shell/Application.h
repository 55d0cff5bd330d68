#pragma once
#include <functional>
#include <memory>

#include "values/Colour.h"
#include "items/Item.h"
#include "platform/Window.h"

namespace vantrel {

class Application;

// The media system is built elsewhere; the shell asks this hook for it and
// takes null as "not usable on this machine".
using MediaSystemFactory = std::function<std::unique_ptr<PictureStore>(Window& window)>;
// The root clip of the item tree, built for the application and its window.
using RootClipFactory = std::function<std::unique_ptr<Item>(Application& application, Window& window)>;

// Owns the process-wide drawing resources, the media system and the root
// clip; its input goes to the root clip unchanged.
class Application : public Item {
public:
    enum class Brush { Red, Green, Blue };

    // beforeRoot runs once the media system is usable and before the root
    // clip is built, so that the window can already reach the application
    // while the root is being made.
    Application(Window& window, const MediaSystemFactory& makeMedia, const RootClipFactory& makeRoot,
                const std::function<void(Application&)>& beforeRoot = {});
    ~Application() override;

    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    // The root clip first, then the drawing resources, then the media system.
    // Safe to call twice.
    virtual void Destroy();

    bool HasMediaSystem() const { return media_ != nullptr; }
    Item* RootClip() const { return root_.get(); }
    void DestroyRootClip() { root_.reset(); }
    // The root lays itself out over the client area and repaints.
    void Refresh();
    // The refresh timer: a root editor that has nothing new to show is not
    // drawn again.
    void Tick();

    void CreateDrawingResources() { resourcesReady_ = true; }
    bool HasDrawingResources() const { return resourcesReady_; }
    static Colour BrushColour(Brush brush);
    // Cursors kept under their resource numbers (104, 105, 106, 116); the
    // arrow for any other.
    static Cursor ResourceCursor(int id);
    void SetResourceCursor(int id);

private:
    Window& mainWindow_;
    std::unique_ptr<PictureStore> ownedMedia_;
    std::unique_ptr<Item> root_;
    bool resourcesReady_ = false;
};

}  // namespace vantrel
