#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "items/PictureStore.h"
#include "values/Rect.h"
#include "values/Surface.h"

namespace vantrel {

class Window;

// What other parts start and stop with the media system, in its order.
struct MediaSystemHooks {
    std::function<void()> startInternet;  // after "Initializing Internet Access"
    std::function<void()> loadPlugins;    // before the surfaces are made
    std::function<void()> unloadPlugins;  // first thing at shutdown
    std::function<void()> stopInternet;
};

struct MediaSystemOptions {
    Window* window = nullptr;
    // Each progress text as it is reached ("Initializing Surfaces" ...).
    std::function<void(const std::string&)> progress;
    // False stands in for a system without a display: no surface can be
    // made, which leaves the media system unusable.
    bool displayAvailable = true;
    MediaSystemHooks hooks;
};

// The one owner of picture surfaces and keyed pictures. Every surface is
// 32-bit with its width rounded up to a multiple of 4.
class MediaSystem final : public PictureStore {
public:
    static constexpr int kWorkWidth = 1024, kWorkHeight = 768;
    static constexpr int kSmallStartupKey = -2, kLargeStartupKey = -3;
    static constexpr const char* kStartupFileName = "tmp048f7.jpg";

    MediaSystem() = default;
    ~MediaSystem() override;
    MediaSystem(const MediaSystem&) = delete;
    MediaSystem& operator=(const MediaSystem&) = delete;

    // Runs the start-up steps; false when the system is not usable, which
    // the application answers by exiting with -411.
    bool Start(const MediaSystemOptions& options);
    bool IsUsable() const { return usable_; }
    void Shutdown();

    // A cleared surface of width rounded up to 4 by height; null without a
    // display or when the size is refused.
    std::unique_ptr<Surface> CreateSurface(int width, int height) const;
    // The two 1024 x 768 work surfaces (index 0 and 1), null before start-up.
    Surface* WorkSurface(int index);

    // Keyed pictures. Storing under a key that exists frees the old picture;
    // key 0 is never stored. width/height are the picture's true size
    // (0: the surface's).
    bool StorePicture(int key, std::unique_ptr<Surface> picture, int width = 0, int height = 0);
    bool RemovePicture(int key);
    Surface* MutablePicture(int key);
    // The true size of a keyed picture as a rectangle at 0, 0; empty if none.
    Rect PictureRect(int key) const;
    // Entries of the table, the two unkeyed work surfaces included.
    int EntryCount() const { return int(entries_.size()); }

    bool HasPicture(int key) const override;
    // Loads the file through the still-picture readers.
    bool LoadPicture(int key, const std::string& path) override;
    const Surface* Picture(int key) const override;

    // Where the start-up picture goes in a window of this client rectangle.
    static Rect StartupPictureRect(const Rect& client);
    // Stretches picture -3 there; false when there is nothing to show.
    bool ShowStartupPicture(Window* window) const;

private:
    struct Entry {
        int key = 0;  // 0 only for the work surfaces
        std::unique_ptr<Surface> surface;
        int width = 0, height = 0;
    };
    Entry* Find(int key);
    const Entry* Find(int key) const;
    void LoadStartupPictures();
    void Progress(const char* text) const;

    MediaSystemOptions options_;
    bool started_ = false;
    bool usable_ = false;
    bool display_ = false;
    std::vector<Entry> entries_;
};

}  // namespace vantrel
