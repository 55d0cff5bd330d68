#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QTranslator>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "values/Surface.h"
#include "platform/qt/QtAudioOutput.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtServices.h"

namespace vantrel {

struct QtPlatform::State {
    std::unique_ptr<QApplication> application;  // none when one existed already
    QtDialogs dialogs;
    QtMenus menus;
    QtClipboard clipboard;
    QtShell shell;
    QtClock clock;
    bool installed = false;
    bool catchesTerminate = false;
    PlatformServices previous;
};

QtPlatform::QtPlatform(int& argc, char** argv, Mode mode) : state_(std::make_unique<State>()) {
    // Batch runs never show anything, with or without a display.
    if (mode == Mode::Batch) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Render machines often run without a login session; Qt would warn
        // on every run that it made a runtime folder of its own.
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            const std::string folder = "/tmp/runtime-vantrel-" + std::to_string(::getuid());
            ::mkdir(folder.c_str(), 0700);
            struct stat info {};
            if (::stat(folder.c_str(), &info) == 0 && info.st_uid == ::getuid() && (info.st_mode & 077) == 0)
                ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        }
    }
    if (!QCoreApplication::instance()) {
        state_->application = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("Vantrel");
        QApplication::setQuitOnLastWindowClosed(false);  // the window's own close ends the loop
    }
    if (mode == Mode::Editor) {
        state_->previous = SetPlatform({&state_->dialogs, &state_->menus, &state_->clipboard, &state_->shell,
                                        &state_->clock});
        InstallQtAudioOutput();
        state_->installed = true;
    }
}

QtPlatform::~QtPlatform() {
    if (state_->installed) {
        SetPlatform(state_->previous);
        SetAudioOutputFactory({});
    }
    // Past the event loop nobody listens to the pipe: a signal ends the
    // process again, as it would have before.
    if (state_->catchesTerminate)
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
}

std::unique_ptr<MainWindow> QtPlatform::CreateMainWindow(const std::string& title) {
    // Widgets need the widget flavour of the application object.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    return std::make_unique<QtMainWindow>(title);
}

int QtPlatform::Run() { return QApplication::exec(); }

void QtPlatform::Quit(int code) { QCoreApplication::exit(code); }

bool QtPlatform::UseLanguage(int language) {
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language != 7 || !QCoreApplication::instance()) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}

namespace {
// A signal handler may only write; the loop hears the byte and quits.
int terminatePipe[2] = {-1, -1};
void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminatePipe[1], &byte, 1);
}
}  // namespace

void QtPlatform::QuitOnTerminate() {
    if (terminatePipe[0] < 0 && ::pipe2(terminatePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(terminatePipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        while (::read(terminatePipe[0], &byte, 1) > 0) {
        }
        Quit(0);
    });
    struct sigaction action {};
    action.sa_handler = &OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    state_->catchesTerminate = true;
}

bool LoadPictureFile(const std::string& path, Surface& out) {
    QImage image;
    if (!image.load(QString::fromStdString(path))) return false;
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || std::int64_t(image.width()) * image.height() > Surface::kMaxPixels) return false;
    Surface surface;
    if (!surface.Allocate(image.width(), image.height())) return false;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(surface.Row(y), image.constScanLine(y), std::size_t(image.width()) * 4);
    out = std::move(surface);
    return true;
}

}  // namespace vantrel
