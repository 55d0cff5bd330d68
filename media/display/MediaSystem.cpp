#include "media/display/MediaSystem.h"

#include <cstdio>

#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "media/display/StartupPictures.h"
#include "media/sources/StillPicture.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

constexpr int kErrorCaption = 590;       // "Error"
constexpr int kInternetProgress = 203;   // "Initializing Internet Access"

bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

MediaSystem::~MediaSystem() { Shutdown(); }

void MediaSystem::Progress(const char* text) const {
    if (options_.progress) options_.progress(text);
}

bool MediaSystem::Start(const MediaSystemOptions& options) {
    Shutdown();
    options_ = options;
    started_ = true;
    if (options_.window) {
        if (auto draw = options_.window->BeginDraw()) draw->FillRect(options_.window->ClientRect(), 0);
        Progress("Initializing AVI System");
    }
    Progress("Initializing Direct Draw");
    display_ = options_.displayAvailable;
    if (!display_) {
        MessageBoxRequest box;
        box.text = "No DirectDraw Interface found.....";
        box.caption = Str(kErrorCaption);
        box.icon = BoxIcon::Error;
        Platform().dialogs->MessageBox(options_.window, box);
    }
    Progress("Seeking/Initializing DirectX Transform");
    Progress(Str(kInternetProgress).c_str());
    if (options_.hooks.startInternet) options_.hooks.startInternet();
    if (options_.hooks.loadPlugins) options_.hooks.loadPlugins();

    Progress("Initializing Surfaces");
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<Surface> work = CreateSurface(kWorkWidth, kWorkHeight);
        if (!work) break;
        entries_.push_back({0, std::move(work), kWorkWidth, kWorkHeight});
    }
    // Without its work surfaces nothing can be composed or shown.
    usable_ = entries_.size() == 2;
    if (!usable_) return false;
    LoadStartupPictures();
    if (options_.window) ShowStartupPicture(options_.window);
    return true;
}

void MediaSystem::LoadStartupPictures() {
    // Both go through the one file, one after the other, as every still does.
    const std::string path = TemporaryFolder() + kStartupFileName;
    if (WriteFile(path, kStartupPictureSmall, kStartupPictureSmallSize))
        LoadPicture(kSmallStartupKey, path);
    if (WriteFile(path, kStartupPictureLarge, kStartupPictureLargeSize))
        LoadPicture(kLargeStartupKey, path);
}

void MediaSystem::Shutdown() {
    if (!started_) return;
    started_ = false;
    if (options_.hooks.unloadPlugins) options_.hooks.unloadPlugins();
    entries_.clear();
    if (options_.hooks.stopInternet) options_.hooks.stopInternet();
    usable_ = display_ = false;
    options_ = {};
}

std::unique_ptr<Surface> MediaSystem::CreateSurface(int width, int height) const {
    if (!display_) return nullptr;
    auto surface = std::make_unique<Surface>();
    if (!AllocatePictureSurface(*surface, width, height)) return nullptr;
    return surface;
}

Surface* MediaSystem::WorkSurface(int index) {
    int seen = 0;
    for (Entry& entry : entries_)
        if (entry.key == 0 && seen++ == index) return entry.surface.get();
    return nullptr;
}

MediaSystem::Entry* MediaSystem::Find(int key) {
    if (key == 0) return nullptr;
    for (Entry& entry : entries_)
        if (entry.key == key) return &entry;
    return nullptr;
}

const MediaSystem::Entry* MediaSystem::Find(int key) const {
    return const_cast<MediaSystem*>(this)->Find(key);
}

bool MediaSystem::StorePicture(int key, std::unique_ptr<Surface> picture, int width, int height) {
    if (key == 0 || !picture || picture->IsEmpty()) return false;
    Entry fresh{key, std::move(picture), width > 0 ? width : 0, height > 0 ? height : 0};
    if (fresh.width == 0 || fresh.width > fresh.surface->Width()) fresh.width = fresh.surface->Width();
    if (fresh.height == 0 || fresh.height > fresh.surface->Height()) fresh.height = fresh.surface->Height();
    if (Entry* old = Find(key))
        *old = std::move(fresh);
    else
        entries_.push_back(std::move(fresh));
    return true;
}

bool MediaSystem::RemovePicture(int key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (key != 0 && it->key == key) {
            entries_.erase(it);
            return true;
        }
    return false;
}

Surface* MediaSystem::MutablePicture(int key) {
    Entry* entry = Find(key);
    return entry ? entry->surface.get() : nullptr;
}

Rect MediaSystem::PictureRect(int key) const {
    const Entry* entry = Find(key);
    return entry ? Rect{0, 0, entry->width, entry->height} : Rect{};
}

bool MediaSystem::HasPicture(int key) const { return Find(key) != nullptr; }

bool MediaSystem::LoadPicture(int key, const std::string& path) {
    if (key == 0 || !display_) return false;
    StillImage image;
    if (!ReadStill(path, image)) return false;
    return StorePicture(key, std::make_unique<Surface>(std::move(image.surface)), image.width, image.height);
}

const Surface* MediaSystem::Picture(int key) const {
    const Entry* entry = Find(key);
    return entry ? entry->surface.get() : nullptr;
}

Rect MediaSystem::StartupPictureRect(const Rect& client) {
    const int w = client.Width(), h = client.Height();
    Rect rect;
    rect.left = client.left + w / 6;
    rect.right = client.right - w / 6;
    const int height = (rect.right - rect.left) * 193 / 400;
    rect.top = (h - height) / 2;
    rect.bottom = rect.top + height;
    return rect.Intersect(client);
}

bool MediaSystem::ShowStartupPicture(Window* window) const {
    const Surface* picture = Picture(kLargeStartupKey);
    if (!window || !picture) return false;
    const Rect dest = StartupPictureRect(window->ClientRect());
    if (dest.IsEmpty()) return false;
    std::unique_ptr<DrawContext> draw = window->BeginDraw();
    if (!draw) return false;
    draw->StretchPicture(*picture, PictureRect(kLargeStartupKey), dest);
    return true;
}

}  // namespace vantrel
