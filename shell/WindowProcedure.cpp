#include "shell/WindowProcedure.h"

#include "shell/Application.h"
#include "editor/workspace/Workspace.h"

namespace vantrel {

void WindowProcedure::Input(std::uint32_t message, int x, int y, std::uintptr_t param) {
    if (application_) application_->Input(&window_, message, x, y, param);
}

// A minimised window has no client area worth laying out.
void WindowProcedure::RefreshUnlessMinimised() {
    if (application_ && !window_.IsMinimised()) application_->Refresh();
}

void WindowProcedure::Resized() { RefreshUnlessMinimised(); }

// The minimised flag comes with the activation: restoring from the task bar
// activates a window that is no longer minimised, and it refreshes at once.
void WindowProcedure::Activated(bool minimised) {
    if (application_ && !minimised) application_->Refresh();
}

void WindowProcedure::Timer(int) {
    if (application_ && !window_.IsMinimised()) application_->Tick();
}

bool WindowProcedure::CloseRequested() {
    auto* root = application_ ? dynamic_cast<Workspace*>(application_->RootClip()) : nullptr;
    return !root || root->QueryClose();
}

void WindowProcedure::Destroyed() {
    if (application_) application_->DestroyRootClip();
    if (quit_) quit_(0);
}

}  // namespace vantrel
