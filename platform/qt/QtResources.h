#pragma once
#include <QCursor>
#include <QIcon>

#include "platform/Window.h"

namespace vantrel {

// The program's own pictures, drawn once at first use: no image files to
// ship or lose.
QIcon ProgramIcon();
QCursor CursorOf(Cursor cursor);

}  // namespace vantrel
