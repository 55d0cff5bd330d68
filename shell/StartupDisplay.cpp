#include "shell/StartupDisplay.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "values/Colour.h"
#include "media/display/MediaSystem.h"
#include "platform/DrawContext.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr int kLineHeight = 20;

// The strip under the picture's rectangle, or the client's last line when
// the picture leaves no room below it.
Rect ProgressLine(const Rect& client) {
    const Rect picture = MediaSystem::StartupPictureRect(client);
    Rect line{client.left, picture.bottom + kLineHeight / 2, client.right, picture.bottom + kLineHeight * 3 / 2};
    if (picture.IsEmpty() || line.bottom > client.bottom) line = {client.left, client.bottom - kLineHeight, client.right, client.bottom};
    return line.Intersect(client);
}
}  // namespace

void ShowStartupDrawing() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ShowStartupProgress(Window& window, const std::string& text) {
    const Rect line = ProgressLine(window.ClientRect());
    if (line.IsEmpty()) return;
    if (auto draw = window.BeginDraw()) {
        draw->FillRect(line, 0);
        TextStyle style;
        style.colour = Rgb(255, 255, 255);
        draw->Text(text, line, style);
    }
    ShowStartupDrawing();
}

}  // namespace vantrel
