#include "shell/Application.h"

#include "items/PictureStore.h"
#include "editor/workspace/Workspace.h"

namespace vantrel {

namespace {

constexpr Colour kBrushColours[] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};

struct CursorResource {
    int id;
    Cursor cursor;
};
constexpr CursorResource kCursors[] = {
    {104, Cursor::Hand},
    {105, Cursor::SizeHorizontal},
    {106, Cursor::SizeVertical},
    {116, Cursor::SizeAll},
};

}  // namespace

Application::Application(Window& window, const MediaSystemFactory& makeMedia, const RootClipFactory& makeRoot,
                         const std::function<void(Application&)>& beforeRoot)
    : mainWindow_(window) {
    if (makeMedia) ownedMedia_ = makeMedia(window);
    media_ = ownedMedia_.get();
    if (!media_) return;
    if (beforeRoot) beforeRoot(*this);
    if (makeRoot) root_ = makeRoot(*this, window);
}

Application::~Application() { Destroy(); }

ResultFlags Application::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    return root_ ? root_->Input(window, message, x, y, keyFlags) : 0;
}

void Application::Destroy() {
    root_.reset();
    resourcesReady_ = false;
    media_ = nullptr;
    ownedMedia_.reset();
}

void Application::Refresh() {
    if (!root_) return;
    const Rect client = mainWindow_.ClientRect();
    root_->Arrange(client.left, client.top, client.right, client.bottom);
}

void Application::Tick() {
    const Rect client = mainWindow_.ClientRect();
    if (auto* workspace = dynamic_cast<Workspace*>(root_.get()))
        workspace->Tick(client.left, client.top, client.right, client.bottom);
    else
        Refresh();
}

Colour Application::BrushColour(Brush brush) { return kBrushColours[static_cast<int>(brush)]; }

Cursor Application::ResourceCursor(int id) {
    for (const CursorResource& row : kCursors)
        if (row.id == id) return row.cursor;
    return Cursor::Arrow;
}

void Application::SetResourceCursor(int id) { mainWindow_.SetCursor(ResourceCursor(id)); }

}  // namespace vantrel
