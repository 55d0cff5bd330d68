#include <gtest/gtest.h>

#include "items/Version.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "media/display/MediaSystem.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "items/PictureStore.h"
#include "values/Stream.h"
#include "items/StringTable.h"
#include "shell/MemoryPictureStore.h"
#include "shell/ProgramParts.h"
#include "editor/browser/InfoBrowser.h"
#include "shell/StandInRoot.h"
#include "shell/Vantrel.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "skin/IniFile.h"
#include "skin/SettingsStore.h"
#include "skin/SkinActions.h"
#include "items/ProgramFolder.h"
#include "platform/qt/SettingsDialog.h"

namespace vantrel {
namespace {

struct Received {
    int who;  // control id, 0 for the root
    std::uint32_t message;
    int x, y;
    friend bool operator==(const Received&, const Received&) = default;
};

std::ostream& operator<<(std::ostream& out, const Received& r) {
    return out << "{" << r.who << ", 0x" << std::hex << r.message << std::dec << ", " << r.x << ", " << r.y << "}";
}

// What the tree saw, kept beyond the tree's life.
struct Log {
    std::vector<Received> input;
    std::vector<int> helpTopics;
    std::vector<std::string> order;  // destruction order
    std::vector<std::string> loaded;
    bool windowCapturedDuringDrag = false;
    bool windowCapturedAfterRelease = true;
    int arranged = 0;
};

// Grabs the pointer on a left press inside and lets go on release, the way
// a slider or ruler does.
class DraggableControl final : public Control {
public:
    explicit DraggableControl(Log& log) : log_(log) {}
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override {
        log_.input.push_back({GetId(), message, x, y});
        if (message == kLeftButtonDown && rect_.Contains(x, y)) {
            window->SetCapture();
            return kCaptureMe;
        }
        if (message == kLeftButtonUp) return kReleaseMe;
        return Control::Input(window, message, x, y, keyFlags);
    }

private:
    Log& log_;
};

class RecordingRoot final : public StandInRoot {
public:
    RecordingRoot(Window& window, Application& app, std::shared_ptr<Log> log)
        : StandInRoot(&window), log_(std::move(log)), a_(*log_), b_(*log_) {
        a_.Attach(this, app.Media(), &app, 636, 1);
        b_.Attach(this, app.Media(), &app, 637, 1);
        a_.SetRectangle({10, 10, 110, 60});
        b_.SetRectangle({200, 10, 300, 60});
    }
    ~RecordingRoot() override { log_->order.push_back("root"); }
    int ShowHelpTopic(int topic) override {
        log_->helpTopics.push_back(topic);
        return topic;
    }
    Rect Arrange(int left, int top, int right, int bottom) override {
        ++log_->arranged;
        return StandInRoot::Arrange(left, top, right, bottom);
    }
    int Load(InStream& file) override {
        char text[16] = {};
        file.Read(text, sizeof text - 1);
        log_->loaded.push_back(text);
        return 1;
    }

private:
    std::shared_ptr<Log> log_;
    DraggableControl a_, b_;
};

class LoggedStore final : public PictureStore {
public:
    explicit LoggedStore(std::shared_ptr<Log> log) : log_(std::move(log)) {}
    ~LoggedStore() override { log_->order.push_back("media"); }
    bool HasPicture(int) const override { return false; }
    bool LoadPicture(int, const std::string&) override { return false; }
    const Surface* Picture(int) const override { return nullptr; }

private:
    std::shared_ptr<Log> log_;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome.isValid());
        ::setenv("XDG_DATA_HOME", dataHome.path().toUtf8().constData(), 1);
        log = std::make_shared<Log>();
        parts.media = [log = log](Window&) { return std::make_unique<LoggedStore>(log); };
        parts.root = [log = log](Application& app, Window& window) -> std::unique_ptr<Item> {
            return std::make_unique<RecordingRoot>(window, app, log);
        };
    }

    // Runs the editor; `drive` runs inside the event loop, then the window
    // is closed the way the user closes it.
    int Run(std::vector<std::string> args, std::function<void(QWidget&, Application&)> drive = {}) {
        parts.started = [drive](Application& app, Window& window) {
            QTimer::singleShot(0, [&app, &window, drive] {
                auto* widget = dynamic_cast<QWidget*>(&window);
                if (drive && widget) drive(*widget, app);
                window.Close();
            });
        };
        args.insert(args.begin(), "vantrel");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        return RunEditor(int(args.size()), argv.data(), parts);
    }

    QTemporaryDir dataHome;
    std::shared_ptr<Log> log;
    EditorParts parts;
};

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

TEST_F(EditorTest, ClicksTravelTheTreeAndTheCaptureFollowsTheDrag) {
    const int code = Run({}, [this](QWidget& w, Application& app) {
        auto& window = dynamic_cast<Window&>(w);
        Mouse(w, QEvent::MouseMove, {50, 30}, Qt::NoButton, Qt::NoButton);
        Mouse(w, QEvent::MouseButtonPress, {50, 30}, Qt::LeftButton, Qt::LeftButton);
        Mouse(w, QEvent::MouseMove, {-40, 500}, Qt::NoButton, Qt::LeftButton);  // far off, left of the window
        Mouse(w, QEvent::MouseMove, {250, 30}, Qt::NoButton, Qt::LeftButton);   // over the other control
        log->windowCapturedDuringDrag = window.HasCapture();
        Mouse(w, QEvent::MouseButtonRelease, {250, 30}, Qt::LeftButton, Qt::NoButton);
        log->windowCapturedAfterRelease = window.HasCapture();
        EXPECT_EQ(app.RootClip()->CapturedChild(), nullptr);
        Mouse(w, QEvent::MouseMove, {250, 31}, Qt::NoButton, Qt::NoButton);  // hit-tested again
        Mouse(w, QEvent::MouseMove, {150, 31}, Qt::NoButton, Qt::NoButton);  // over no control
        QKeyEvent f1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &f1);  // keys go to the root, wherever the pointer is
    });
    EXPECT_EQ(code, 0);
    const std::vector<Received> expected = {
        {636, kMouseMove, 50, 30},  {636, kLeftButtonDown, 50, 30}, {636, kMouseMove, -40, 500},
        {636, kMouseMove, 250, 30}, {636, kLeftButtonUp, 250, 30},  {637, kMouseMove, 250, 31},
    };
    EXPECT_EQ(log->input, expected);
    EXPECT_TRUE(log->windowCapturedDuringDrag);
    EXPECT_FALSE(log->windowCapturedAfterRelease);
    EXPECT_EQ(log->helpTopics, std::vector<int>{0});
    // Closing takes the root down inside the loop, the media system after it.
    EXPECT_EQ(log->order, (std::vector<std::string>{"root", "media"}));
}

TEST_F(EditorTest, AMinimisedWindowIsNotLaidOutUntilRestored) {
    const int code = Run({}, [this](QWidget& w, Application&) {
        auto& window = dynamic_cast<Window&>(w);
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();  // let showing the window settle first
        w.setWindowState(Qt::WindowMinimized);
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        const int before = log->arranged;
        EXPECT_TRUE(window.IsMinimised());
        window.StartTimer(1, 1);
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_EQ(log->arranged, before) << "the timer refreshed a minimised window";
        QResizeEvent resize(QSize(500, 400), w.size());  // resizing for real would restore it
        QCoreApplication::sendEvent(&w, &resize);
        EXPECT_EQ(log->arranged, before) << "a size change refreshed a minimised window";
        window.StopTimer(1);
        w.setWindowState(Qt::WindowNoState);  // restoring activates it again
        EXPECT_GT(log->arranged, before);
        const int restored = log->arranged;
        window.StartTimer(1, 1);
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_GT(log->arranged, restored) << "the timer no longer refreshes";
    });
    EXPECT_EQ(code, 0);
}

TEST_F(EditorTest, TheProgramsOwnRootIsTheWorkspaceOverTheMediaSystem) {
    parts.root = nullptr;  // the program's own
    parts.media = nullptr;
    bool workspace = false, media = false;
    std::string status;
    const int code = Run({}, [&](QWidget& w, Application& app) {
        auto* root = dynamic_cast<Workspace*>(app.RootClip());
        workspace = root != nullptr;
        media = dynamic_cast<MediaSystem*>(app.Media()) != nullptr;
        app.Refresh();
        if (!root) return;
        // A skin change reminds on the workspace's own status line.
        const Colour foreground = SettingsStore::Instance().Foreground(555);
        ResultFlags flags = 0;
        root->Command(&dynamic_cast<Window&>(w), 558, flags);  // "Remove Forground Color"
        status = root->Editor().StatusText();
        SettingsStore::Instance().SetForeground(555, foreground);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(workspace);
    EXPECT_TRUE(media);
    EXPECT_EQ(status, Str(620));
}

// The preferences confirmed in the editor's own dialog are kept in the
// user's configuration folder and read back by the next start; the program
// folder (here the build folder) is never written.
TEST_F(EditorTest, ConfirmedPreferencesAreKeptInTheUsersConfigurationFolder) {
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string previousConfig = oldConfig ? oldConfig : "";
    ::setenv("XDG_CONFIG_HOME", configHome.path().toUtf8().constData(), 1);
    const std::filesystem::path shipped = ProgramFolder() + "9/default.skn";
    const bool shippedBefore = std::filesystem::exists(shipped);
    const auto shippedTime = shippedBefore ? std::filesystem::last_write_time(shipped)
                                           : std::filesystem::file_time_type{};
    parts.root = nullptr;
    parts.media = nullptr;
    bool confirmed = false;
    const int code = Run({}, [&](QWidget& w, Application& app) {
        auto* root = dynamic_cast<Workspace*>(app.RootClip());
        ASSERT_NE(root, nullptr);
        SetSettingsEditor(&QtSettingsDialog());
        SettingsStore::Instance().Prefs().showStatusMessages = 1;
        // The dialog runs its own loop; OK is pressed from inside it.
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
        });
        ResultFlags flags = 0;
        confirmed = root->Command(&dynamic_cast<Window&>(w), 477, flags) && flags != 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(confirmed);
    const std::string saved = configHome.path().toStdString() + "/vantrel/9/default.skn";
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(ReadProfileInt(saved, "Layout", "335", 0), 1);
    EXPECT_EQ(std::filesystem::exists(shipped), shippedBefore);
    if (shippedBefore) {
        EXPECT_EQ(std::filesystem::last_write_time(shipped), shippedTime);
    }

    // The next start: defaults first, then the user's file.
    SettingsStore& store = SettingsStore::Instance();
    store.BuildDefaults();
    EXPECT_EQ(store.Prefs().showStatusMessages, 0);
    store.ApplyLanguage(SettingsStore::kEnglish);
    EXPECT_EQ(store.Prefs().showStatusMessages, 1);

    previousConfig.empty() ? ::unsetenv("XDG_CONFIG_HOME") : ::setenv("XDG_CONFIG_HOME", previousConfig.c_str(), 1);
    store.ApplyLanguage(SettingsStore::kEnglish);
}

// "Language" on the preview's menu: the language's default skin file from
// the user's folder translates the window and sets its preferences; the
// way back to English asks nothing when nothing was changed.
TEST_F(EditorTest, TheLanguageMenuOfThePreviewLoadsThatLanguagesSkinFile) {
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string previousConfig = oldConfig ? oldConfig : "";
    ::setenv("XDG_CONFIG_HOME", configHome.path().toUtf8().constData(), 1);
    const std::filesystem::path german = configHome.path().toStdString() + "/vantrel/7/default.skn";
    std::filesystem::create_directories(german.parent_path());
    std::ofstream(german) << "[Translation]\n360=Erstellen\n[Layout]\n475=0\n567=0\n";
    parts.root = nullptr;
    parts.media = nullptr;
    std::vector<std::vector<MenuEntry>> menus;
    std::string makeCaption, helpPage;
    int language = 0, locators = -1, questions = -1;
    const int code = Run({}, [&](QWidget& w, Application& app) {
        auto* root = dynamic_cast<Workspace*>(app.RootClip());
        ASSERT_NE(root, nullptr);
        SettingsStore::Instance().ApplyLanguage(SettingsStore::kEnglish);
        app.Refresh();
        ScriptedPlatform scripted;
        Window& window = dynamic_cast<Window&>(w);
        auto rightClickPreview = [&] {
            const Rect area = root->Editor().Layout().area, client = window.ClientRect();
            const Rect preview = root->Editor().Layout().Of(kPreviewRegion);
            const int x = (preview.left + preview.right) / 2 * client.Width() / area.Width();
            const int y = (preview.top + preview.bottom) / 2 * client.Height() / area.Height();
            root->Input(&window, kRightButtonUp, x, y, 0);
        };
        scripted.menus.answers = {kGermanCommand};
        rightClickPreview();
        makeCaption = Str(360);
        language = SettingsStore::Instance().Language();
        locators = SettingsStore::Instance().Prefs().showLocatorsInRootClip;
        const InfoBrowser& browser = ProgramInfoBrowser();
        if (browser.Shown()) helpPage = browser.History().Current().name;
        scripted.menus.answers = {kEnglishCommand};
        rightClickPreview();
        questions = int(scripted.dialogs.boxes.size());
        menus = scripted.menus.shown;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(language, 7);
    EXPECT_EQ(makeCaption, "Erstellen");
    EXPECT_EQ(locators, 0);
    EXPECT_EQ(helpPage.rfind("7/", 0), 0u) << helpPage;
    EXPECT_EQ(questions, 0);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].back().caption, "Language");
    // "Show Example Project Menu Option" off in the German file.
    auto offersExample = [](const std::vector<MenuEntry>& menu) {
        return std::any_of(menu.begin(), menu.end(), [](const MenuEntry& e) { return e.command == 473; });
    };
    EXPECT_TRUE(offersExample(menus[0]));
    EXPECT_FALSE(offersExample(menus[1]));
    EXPECT_EQ(Str(360), "Make");
    EXPECT_EQ(SettingsStore::Instance().Language(), 9);
    previousConfig.empty() ? ::unsetenv("XDG_CONFIG_HOME") : ::setenv("XDG_CONFIG_HOME", previousConfig.c_str(), 1);
    SettingsStore::Instance().ApplyLanguage(SettingsStore::kEnglish);
}

TEST_F(EditorTest, TheStartRootAnswersAClickOnItsButton) {
    parts.root = [](Application& application, Window& window) -> std::unique_ptr<Item> {
        return std::make_unique<StartRoot>(&window, application.Media(), &application);
    };
    parts.media = nullptr;
    int clicks = -1;
    QRgb before = 0, after = 0;
    const int code = Run({}, [&](QWidget& w, Application& app) {
        auto* root = dynamic_cast<StartRoot*>(app.RootClip());
        ASSERT_TRUE(root);
        app.Refresh();
        const QImage& shown = dynamic_cast<QtMainWindow&>(w).Backing();
        const QPoint centre(w.width() / 2, w.height() / 2);
        before = shown.pixel(2, 2);
        Mouse(w, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        after = shown.pixel(2, 2);
        clicks = root->Clicks();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(before, after) << "the click did not show";
}

TEST_F(EditorTest, TheTitleCarriesTheVersionAndATrailingBlank) {
    std::string title;
    Run({}, [&title](QWidget& w, Application&) { title = dynamic_cast<Window&>(w).Title(); });
    EXPECT_EQ(title, VANTREL_PRODUCT_VERSION " ");
}

TEST_F(EditorTest, ACommandLineProjectIsLoadedByTheRootWhenItsNameSaysSo) {
    QTemporaryDir dir;
    auto make = [&dir](const char* name) {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path) << name;
        return path;
    };
    struct Case {
        std::string argument;
        bool loads;
    };
    const Case cases[] = {
        {make("upper.KWP"), true},
        {make("mixed.kWp"), true},
        {make("backup.kwp.bak"), false},
        {make("notes.txt"), false},
        {dir.filePath("missing.kwp").toStdString(), false},  // cannot be opened: starts empty
    };
    for (const Case& c : cases) {
        log->loaded.clear();
        EXPECT_EQ(Run({c.argument}), 0) << c.argument;
        EXPECT_EQ(log->loaded.size(), c.loads ? 1u : 0u) << c.argument;
        if (c.loads && !log->loaded.empty()) {
            EXPECT_EQ(log->loaded[0], std::filesystem::path(c.argument).filename().string());
        }
    }
}

TEST_F(EditorTest, WithoutAMediaSystemItSaysSoAndExits) {
    ScriptedDialogs dialogs;
    bool rootMade = false;
    parts.media = [](Window&) { return std::unique_ptr<PictureStore>(); };
    parts.root = [&rootMade](Application&, Window&) {
        rootMade = true;
        return std::unique_ptr<Item>();
    };
    parts.services.dialogs = &dialogs;
    EXPECT_EQ(Run({}), -411);
    EXPECT_FALSE(rootMade);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Unable to run Vantrel Media Compositor. \nExiting Now!");
    EXPECT_EQ(dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(dialogs.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(dialogs.boxes[0].buttons, BoxButtons::Ok);
}

TEST_F(EditorTest, EveryStartRegistersTheProjectType) {
    EXPECT_EQ(Run({}), 0);
    const std::filesystem::path home = dataHome.path().toStdString();
    EXPECT_TRUE(std::filesystem::exists(home / "applications/vantrel.desktop"));
    EXPECT_TRUE(std::filesystem::exists(home / "mime/packages/vantrel.xml"));
}

}  // namespace
}  // namespace vantrel
