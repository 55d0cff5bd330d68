#pragma once
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/WindowEvents.h"

namespace vantrel {

class Surface;

// The main window as the process drives it, beyond what items see of it.
class MainWindow : public Window {
public:
    // Until a sink is set every event is dropped: the program is not ready
    // to take input while it is still being built.
    virtual void SetEvents(WindowEvents* events) = 0;
    virtual void ShowMaximised() = 0;
};

// The Qt side of the process: the application object, the services the
// core reaches through Platform(), and the main window. Editor mode installs
// the Qt dialogs, menus, clipboard, shell and clock for its lifetime; batch
// mode runs on the offscreen platform and leaves the services to the caller.
class QtPlatform {
public:
    enum class Mode { Editor, Batch };

    // argc must outlive the object (Qt keeps a reference to it).
    QtPlatform(int& argc, char** argv, Mode mode);
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // Placed a quarter of the desktop in from its top-left corner, half its
    // width and height, not yet shown; null when the window system refuses.
    std::unique_ptr<MainWindow> CreateMainWindow(const std::string& title);
    // The event loop; answers the code handed to Quit.
    int Run();
    static void Quit(int code);
    // Qt's own texts (the message boxes' Yes, No and Cancel, the file
    // dialogs) in the program's language: 7 German, anything else English.
    // False when German was asked for and Qt's translation is not installed.
    static bool UseLanguage(int language);
    // From now until this object goes, SIGTERM, SIGINT and SIGHUP (the
    // session ending, Ctrl+C in the starting terminal) end the event loop
    // with code 0, so the program shuts down in order instead of dying
    // half way.
    void QuitOnTerminate();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Decodes a picture file (BMP, JPEG, PNG and whatever else Qt reads) into a
// surface, alpha kept (255 where the file has none); false leaves out as it was.
bool LoadPictureFile(const std::string& path, Surface& out);

}  // namespace vantrel
