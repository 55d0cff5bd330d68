#pragma once
#include <atomic>
#include <QImage>
#include <QWidget>
#include <map>
#include <vector>

#include "platform/qt/QtPlatform.h"

class QMenuBar;

namespace vantrel {

// The one main window: a widget that shows a backing picture the items draw
// on below its menu bar, and turns Qt's events into the editor's messages for
// its sink; the client area is what lies below the bar.
class QtMainWindow final : public QWidget, public MainWindow, public MenuBar {
    Q_OBJECT
public:
    explicit QtMainWindow(const std::string& title);
    ~QtMainWindow() override;

    // MainWindow
    void SetEvents(WindowEvents* events) override { events_ = events; }
    void ShowMaximised() override;

    // Window
    Rect ClientRect() const override;
    void SetTitle(const std::string& title) override;
    std::string Title() const override;
    bool IsMinimised() const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return captured_; }
    void SetCursor(Cursor cursor) override;
    bool StartTimer(int id, int periodMs) override;
    void StopTimer(int id) override;
    std::optional<Point> PointerPosition() const override;
    std::vector<std::string> DroppedFiles(std::intptr_t dropHandle) const override;
    std::unique_ptr<DrawContext> BeginDraw() override;
    void Close() override;
    void SetLayoutSize(int width, int height) override;
    void RequestRefresh() override;
    void ShowNow() override;
    bool KeyHeld(std::uint32_t key) const override;
    MenuBar* GetMenuBar() override { return this; }

    // MenuBar
    void SetMenuBar(std::function<std::vector<MenuEntry>()> entries, std::function<void(int command)> chosen) override;
    void RefreshMenuTitles() override;

    // What is shown: the picture the items drew, client-sized.
    const QImage& Backing() const { return backing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Mouse(std::uint32_t message, QMouseEvent* event);
    Point ClientPointer() const;
    // The height the menu bar takes off the top; 0 without one.
    int BarHeight() const;
    void PlaceBar();

    QMenuBar* bar_ = nullptr;
    std::function<std::vector<MenuEntry>()> barEntries_;
    std::function<void(int)> barChosen_;

    WindowEvents* events_ = nullptr;
    QImage backing_;
    QSize layoutSize_;  // empty: drawn one to one
    std::atomic<bool> refreshQueued_{false};
    bool captured_ = false;
    bool destroyed_ = false;
    std::map<int, int> timers_;  // Qt's timer id -> ours
    // The key each held physical key stood for when it went down.
    std::map<quint32, std::uint32_t> pressed_;
    std::intptr_t nextDrop_ = 1;
    std::map<std::intptr_t, std::vector<std::string>> drops_;
};

// The Windows virtual-key number of a Qt key; 0 for keys the editor's key
// tables never name. Keys of the number pad map to their own codes.
std::uint32_t VirtualKeyOf(int qtKey, bool keypad);

// Key flags of a mouse event: buttons held after it, Shift and Ctrl.
std::uint32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace vantrel
