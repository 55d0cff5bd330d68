#pragma once
#include <functional>

#include "platform/WindowEvents.h"
#include "platform/Window.h"

namespace vantrel {

class Application;

// Turns the main window's events into calls on the application: input goes
// down the item tree, size, activation and timer refresh the layout while
// the window is not minimised, and closing tears the tree down and ends the
// event loop with 0.
class WindowProcedure final : public WindowEvents {
public:
    WindowProcedure(Window& window, std::function<void(int code)> quit)
        : window_(window), quit_(std::move(quit)) {}

    // Until set, every event is ignored.
    void SetApplication(Application* application) { application_ = application; }

    void Input(std::uint32_t message, int x, int y, std::uintptr_t param) override;
    void Resized() override;
    void Activated(bool minimised) override;
    void Timer(int id) override;
    // A changed project asks to be saved first.
    bool CloseRequested() override;
    void Destroyed() override;

private:
    void RefreshUnlessMinimised();

    Window& window_;
    std::function<void(int)> quit_;
    Application* application_ = nullptr;
};

}  // namespace vantrel
