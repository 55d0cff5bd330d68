#pragma once
#include <string>

namespace vantrel {

class Window;

// While the parts start there is no message loop yet: each progress text is
// drawn below the start-up picture's place and shown at once, so the window
// is never a blank frame during a slow start.
void ShowStartupProgress(Window& window, const std::string& text);
// Lets the window show what was drawn on it so far (no input is handled).
void ShowStartupDrawing();

}  // namespace vantrel
