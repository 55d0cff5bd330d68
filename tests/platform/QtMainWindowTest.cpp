#include <gtest/gtest.h>

#include <thread>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

#include "items/Version.h"
#include "values/Messages.h"
#include "platform/DrawContext.h"
#include "platform/Menus.h"
#include "platform/qt/QtMainWindow.h"
#include "tests/platform/QtTestSupport.h"

namespace vantrel {
namespace {

struct Event {
    std::uint32_t message;
    int x, y;
    std::uintptr_t param;
    friend bool operator==(const Event&, const Event&) = default;
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << "{0x" << std::hex << e.message << std::dec << ", " << e.x << ", " << e.y << ", " << e.param << "}";
}

class Recorder final : public WindowEvents {
public:
    explicit Recorder(Window* window = nullptr) : window_(window) {}
    void Input(std::uint32_t message, int x, int y, std::uintptr_t param) override {
        inputs.push_back({message, x, y, param});
        if (message == kFilesDropped && window_) dropped = window_->DroppedFiles(std::intptr_t(param));
    }
    void Resized() override { ++resized; }
    void Activated(bool minimised) override { activations.push_back(minimised); }
    void Timer(int id) override { timers.push_back(id); }
    void Destroyed() override { ++destroyed; }
    bool CloseRequested() override {
        ++closeRequests;
        return allowClose;
    }

    std::vector<Event> inputs;
    bool allowClose = true;
    int closeRequests = 0;
    std::vector<std::string> dropped;
    int resized = 0, destroyed = 0;
    std::vector<bool> activations;
    std::vector<int> timers;

private:
    Window* window_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQt();
        window = std::make_unique<QtMainWindow>(VANTREL_PRODUCT_VERSION " ");
        window->resize(400, 300);
        recorder = std::make_unique<Recorder>(window.get());
        window->SetEvents(recorder.get());
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), QPointF(window->mapToGlobal(at)), button, held, modifiers);
        QCoreApplication::sendEvent(window.get(), &event);
    }
    void KeyUp(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
        QKeyEvent event(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(window.get(), &event);
    }

    std::unique_ptr<QtMainWindow> window;
    std::unique_ptr<Recorder> recorder;
};

TEST(SignExtendTest, CoordinatesWrapLikeHalfAWord) {
    EXPECT_EQ(SignExtend16(-1), -1);
    EXPECT_EQ(SignExtend16(-300), -300);
    EXPECT_EQ(SignExtend16(32767), 32767);
    EXPECT_EQ(SignExtend16(32768), -32768);
    EXPECT_EQ(SignExtend16(65535), -1);
    EXPECT_EQ(SignExtend16(65536 + 12), 12);
}

TEST_F(MainWindowTest, MouseEventsBecomeMessagesWithKeyFlags) {
    Mouse(QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {-7, 25}, Qt::NoButton, Qt::LeftButton);  // dragged off the left edge
    Mouse(QEvent::MouseButtonRelease, {-9, -3}, Qt::LeftButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, {30, 40}, Qt::RightButton, Qt::RightButton,
          Qt::ControlModifier | Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonRelease, {30, 40}, Qt::RightButton, Qt::NoButton, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::MiddleButton, Qt::MiddleButton);  // not a message of ours
    Mouse(QEvent::MouseMove, {70000, 2}, Qt::NoButton, Qt::NoButton);

    const std::vector<Event> expected = {
        {kMouseMove, 5, 6, 0},
        {kLeftButtonDown, 10, 20, kLeftButtonHeld},
        {kMouseMove, -7, 25, kLeftButtonHeld},
        {kLeftButtonUp, -9, -3, 0},
        {kRightButtonDown, 30, 40, kRightButtonHeld | kControlHeld | kShiftHeld},
        {kRightButtonUp, 30, 40, kControlHeld},
        {kMouseMove, 70000 - 65536, 2, 0},
    };
    EXPECT_EQ(recorder->inputs, expected);
}

TEST_F(MainWindowTest, DoubleClickReplacesTheSecondLeftPressAndRightDoubleClicksVanish) {
    Mouse(QEvent::MouseButtonDblClick, {3, 4}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonDblClick, {3, 4}, Qt::RightButton, Qt::RightButton);
    const std::vector<Event> expected = {{kLeftButtonDoubleClick, 3, 4, kLeftButtonHeld | kControlHeld}};
    EXPECT_EQ(recorder->inputs, expected);
}

TEST_F(MainWindowTest, KeyReleasesCarryVirtualKeyCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::uint32_t vk;
    };
    const Case cases[] = {
        {Qt::Key_F1, Qt::NoModifier, 0x70},        {Qt::Key_F12, Qt::NoModifier, 0x7B},
        {Qt::Key_A, Qt::NoModifier, 'A'},          {Qt::Key_Z, Qt::ShiftModifier, 'Z' | kKeyWithShift},
        {Qt::Key_Z, Qt::ControlModifier, 'Z' | kKeyWithControl},
        {Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier, 'Y' | kKeyWithControl | kKeyWithShift},
        {Qt::Key_0, Qt::NoModifier, '0'},          {Qt::Key_9, Qt::NoModifier, '9'},
        {Qt::Key_5, Qt::KeypadModifier, 0x65},     {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {Qt::Key_Minus, Qt::KeypadModifier, 0x6D}, {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
        {Qt::Key_Delete, Qt::NoModifier, 0x2E},    {Qt::Key_Insert, Qt::NoModifier, 0x2D},
        {Qt::Key_Left, Qt::NoModifier, 0x25},      {Qt::Key_Down, Qt::NoModifier, 0x28},
        {Qt::Key_PageUp, Qt::NoModifier, 0x21},    {Qt::Key_PageDown, Qt::NoModifier, 0x22},
        {Qt::Key_Home, Qt::NoModifier, 0x24},      {Qt::Key_End, Qt::NoModifier, 0x23},
        {Qt::Key_Return, Qt::NoModifier, 0x0D},    {Qt::Key_Escape, Qt::NoModifier, 0x1B},
        {Qt::Key_Space, Qt::NoModifier, 0x20},     {Qt::Key_Backspace, Qt::NoModifier, 0x08},
        {Qt::Key_Control, Qt::ControlModifier, 0x11}, {Qt::Key_Shift, Qt::ShiftModifier, 0x10},
    };
    for (const Case& c : cases) {
        recorder->inputs.clear();
        KeyUp(c.key, c.modifiers);
        ASSERT_EQ(recorder->inputs.size(), 1u) << "Qt key 0x" << std::hex << c.key;
        EXPECT_EQ(recorder->inputs[0].message, kKeyUp);
        EXPECT_EQ(recorder->inputs[0].param, c.vk) << "Qt key 0x" << std::hex << c.key;
    }
}

TEST_F(MainWindowTest, RepeatsUnknownKeysAltKeysAndPressesSendNothing) {
    KeyUp(Qt::Key_A, Qt::NoModifier, /*autoRepeat=*/true);
    KeyUp(Qt::Key_VolumeUp);
    KeyUp(Qt::Key_S, Qt::AltModifier);
    KeyUp(Qt::Key_Alt, Qt::NoModifier);
    KeyUp(Qt::Key_F10);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &press);
    EXPECT_TRUE(recorder->inputs.empty());
}

TEST_F(MainWindowTest, NothingArrivesBeforeTheSinkIsSetOrAfterClose) {
    window->SetEvents(nullptr);
    Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(recorder->inputs.empty());

    window->SetEvents(recorder.get());
    window->Close();  // on the event loop's next turn
    QCoreApplication::processEvents();
    window->Close();  // on the event loop's next turn
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder->destroyed, 1);
    Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(recorder->inputs.empty());
}

// A close the program refuses (a changed project and Cancel) leaves the
// window open and every event flowing.
// Num Lock toggled between the press and the release of keypad 8 (as a
// key sender that sets Num Lock for each key does): the release still
// says keypad 8.
TEST_F(MainWindowTest, AKeyLetGoMeansWhatItMeantWhenItWentDown) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier, 80, 0, 0x10, "8");
    QCoreApplication::sendEvent(window.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::KeypadModifier, 80, 0, 0);
    QCoreApplication::sendEvent(window.get(), &release);
    ASSERT_EQ(recorder->inputs.size(), 1u);
    EXPECT_EQ(recorder->inputs[0].param, 0x68u);
    // Without a press on record the release speaks for itself.
    QCoreApplication::sendEvent(window.get(), &release);
    ASSERT_EQ(recorder->inputs.size(), 2u);
    EXPECT_EQ(recorder->inputs[1].param, 0x26u);
}

TEST_F(MainWindowTest, AnsweringNoToACloseKeepsTheWindow) {
    recorder->allowClose = false;
    window->Close();  // on the event loop's next turn
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder->closeRequests, 1);
    EXPECT_EQ(recorder->destroyed, 0);
    Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(recorder->inputs.size(), 1u);
    recorder->allowClose = true;
    window->Close();  // on the event loop's next turn
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder->destroyed, 1);
}

// A language change renames the bar's menus; the client area starts below it.
TEST_F(MainWindowTest, TheMenuBarTakesNewTitlesAndSitsAboveTheClientArea) {
    std::string file = "File";
    window->SetMenuBar([&file] { return std::vector<MenuEntry>{MenuSubmenu(file, {MenuCommand(1, "New")})}; },
                       [](int) {});
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(window->ClientRect().Height(), window->height() - bar->sizeHint().height());
    file = "Datei";
    window->RefreshMenuTitles();
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), "Datei");
}

TEST_F(MainWindowTest, DroppedPathsAreReadableDuringTheMessageOnly) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/first picture.png"), QUrl("https://example.invalid/x.png"),
                  QUrl::fromLocalFile("/tmp/second.jpg")});
    // Qt delivers a drop only to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(12, 4), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(12, -4), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);

    ASSERT_EQ(recorder->inputs.size(), 1u);
    const Event& e = recorder->inputs[0];
    EXPECT_EQ(e.message, kFilesDropped);
    EXPECT_EQ(e.x, 12);
    EXPECT_EQ(e.y, -4);
    EXPECT_EQ(recorder->dropped, (std::vector<std::string>{"/tmp/first picture.png", "/tmp/second.jpg"}));
    EXPECT_TRUE(window->DroppedFiles(std::intptr_t(e.param)).empty());
}

TEST_F(MainWindowTest, TimersFireUnderTheirOwnIdUntilStopped) {
    ASSERT_TRUE(window->StartTimer(1, 5));
    ASSERT_TRUE(window->StartTimer(7, 5));
    ASSERT_TRUE(PumpUntil([&] {
        const auto& t = recorder->timers;
        return std::count(t.begin(), t.end(), 1) >= 2 && std::count(t.begin(), t.end(), 7) >= 2;
    }));
    window->StopTimer(1);
    window->StopTimer(7);
    QCoreApplication::processEvents();
    recorder->timers.clear();
    PumpUntil([] { return false; }, 60);
    EXPECT_TRUE(recorder->timers.empty());
}

TEST_F(MainWindowTest, RestoringFromMinimisedActivatesAndStateIsReported) {
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(window->IsMinimised());
    window->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(window->IsMinimised());
    ASSERT_FALSE(recorder->activations.empty());
    EXPECT_FALSE(recorder->activations.back());
}

TEST_F(MainWindowTest, ResizingKeepsTheBackingAtClientSizeAndReports) {
    window->show();
    window->resize(321, 123);
    PumpUntil([&] { return recorder->resized > 0 && window->Backing().size() == QSize(321, 123); });
    EXPECT_GT(recorder->resized, 0);
    EXPECT_EQ(window->ClientRect(), (Rect{0, 0, 321, 123}));
    EXPECT_EQ(window->Backing().size(), QSize(321, 123));
}

TEST_F(MainWindowTest, DrawingLandsInTheBackingPicture) {
    {
        auto dc = window->BeginDraw();
        ASSERT_TRUE(dc);
        dc->FillRect({0, 0, 400, 300}, Rgb(0, 0, 0));
        dc->FillRect({10, 10, 20, 20}, Rgb(200, 100, 50));
        EXPECT_EQ(dc->PixelAt(10, 10), Rgb(200, 100, 50));
        EXPECT_EQ(dc->PixelAt(20, 20), Rgb(0, 0, 0));  // right and bottom edges are outside
        dc->Line(Pen::White, 0, 50, 10, 50);
        EXPECT_EQ(dc->PixelAt(9, 50), Rgb(255, 255, 255));
        EXPECT_EQ(dc->PixelAt(10, 50), Rgb(0, 0, 0));  // the end point is not drawn
    }
    EXPECT_EQ(window->Backing().pixel(15, 15), qRgb(200, 100, 50));
}

// A layout smaller than the client area is drawn scaled up to fill it.
TEST_F(MainWindowTest, ALayoutSizeScalesTheDrawing) {
    const QSize backing = window->Backing().size();
    window->SetLayoutSize(backing.width() / 2, backing.height() / 2);
    {
        auto dc = window->BeginDraw();
        ASSERT_TRUE(dc);
        dc->FillRect({0, 0, backing.width() / 2, backing.height() / 2}, Rgb(0, 0, 0));
        dc->FillRect({10, 10, 20, 20}, Rgb(200, 100, 50));
        // Reading back is in layout coordinates too (the key colour picker).
        EXPECT_EQ(dc->PixelAt(10, 10), Rgb(200, 100, 50));
        EXPECT_EQ(dc->PixelAt(19, 19), Rgb(200, 100, 50));
        EXPECT_EQ(dc->PixelAt(9, 9), Rgb(0, 0, 0));
        EXPECT_EQ(dc->PixelAt(25, 25), Rgb(0, 0, 0));
    }
    EXPECT_EQ(window->Backing().pixel(21, 21), qRgb(200, 100, 50));
    EXPECT_EQ(window->Backing().pixel(39, 39), qRgb(200, 100, 50));
    EXPECT_EQ(window->Backing().pixel(41, 41), qRgb(0, 0, 0));
    EXPECT_EQ(window->Backing().pixel(19, 19), qRgb(0, 0, 0));
}

// Any thread may ask; the refresh arrives on the window's thread, once for
// a burst of requests.
TEST_F(MainWindowTest, RefreshRequestsFromAnotherThreadArriveOnce) {
    std::thread worker([&] {
        for (int i = 0; i < 5; ++i) window->RequestRefresh();
    });
    worker.join();
    PumpUntil([&] { return recorder->resized > 0; });
    EXPECT_EQ(recorder->resized, 1);
    window->RequestRefresh();
    PumpUntil([&] { return recorder->resized > 1; });
    EXPECT_EQ(recorder->resized, 2);
}

TEST_F(MainWindowTest, CaptureTitleAndPlacement) {
    EXPECT_EQ(window->Title(), VANTREL_PRODUCT_VERSION " ");
    window->SetTitle(std::string("Vantrel RF") + kVersionText);
    EXPECT_EQ(window->Title(), std::string("Vantrel RF") + kVersionText);

    window->SetCapture();
    EXPECT_TRUE(window->HasCapture());
    window->ReleaseCapture();
    EXPECT_FALSE(window->HasCapture());

    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    QtMainWindow fresh("x");
    EXPECT_EQ(fresh.geometry(), QRect(desktop.x() + desktop.width() / 4, desktop.y() + desktop.height() / 4,
                                      desktop.width() / 2, desktop.height() / 2));
}

}  // namespace
}  // namespace vantrel
