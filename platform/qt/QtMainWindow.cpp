#include "platform/qt/QtMainWindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

#include "values/Messages.h"
#include "platform/DrawContext.h"
#include "platform/qt/PainterDrawContext.h"
#include "platform/qt/QtResources.h"

namespace vantrel {

namespace {

// Draws on the window's backing picture; the window shows the result when
// the context goes away.
class WindowDrawContext final : public DrawContext {
public:
    // Items draw in layout coordinates; the painter scales them to the
    // window, so text and lines come out at the window's own resolution
    // and pictures are drawn smooth.
    WindowDrawContext(QImage& backing, QWidget& widget, QSize layout)
        : qpainter_(&backing), painter_(Scaled(qpainter_, backing.size(), layout)), widget_(widget) {
        painter_.SetSmoothPictures(true);
    }
    ~WindowDrawContext() override { widget_.update(); }

    void Line(Pen pen, int x0, int y0, int x1, int y1) override { painter_.Line(pen, x0, y0, x1, y1); }
    void FillRect(const Rect& rect, Colour colour) override { painter_.FillRect(rect, colour); }
    void StretchPicture(const Surface& picture, const Rect& source, const Rect& dest) override {
        painter_.StretchPicture(picture, source, dest);
    }
    void TilePicture(const Surface& picture, const Rect& dest) override { painter_.TilePicture(picture, dest); }
    void Text(const std::string& text, const Rect& rect, const TextStyle& style) override {
        painter_.Text(text, rect, style);
    }
    TextSize TextExtent(const std::string& text, int heightPx) override {
        return painter_.TextExtent(text, heightPx);
    }
    TextSize MeasureText(const std::string& text, const TextStyle& style) override {
        return painter_.MeasureText(text, style);
    }
    Colour PixelAt(int x, int y) override { return painter_.PixelAt(x, y); }
    void SetClip(const Rect& rect) override { painter_.SetClip(rect); }
    void ClearClip() override { painter_.ClearClip(); }
    double PixelAspect() const override { return painter_.PixelAspect(); }

private:
    static QPainter& Scaled(QPainter& painter, QSize device, QSize layout) {
        if (!layout.isEmpty() && layout != device)
            painter.scale(double(device.width()) / layout.width(), double(device.height()) / layout.height());
        return painter;
    }
    QPainter qpainter_;
    PainterDrawContext painter_;
    QWidget& widget_;
};

}  // namespace

QtMainWindow::QtMainWindow(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    setMouseTracking(true);  // moves arrive without a button held
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        setGeometry(desktop.x() + desktop.width() / 4, desktop.y() + desktop.height() / 4, desktop.width() / 2,
                    desktop.height() / 2);
    }
    backing_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    backing_.fill(Qt::black);
}

QtMainWindow::~QtMainWindow() { events_ = nullptr; }

void QtMainWindow::ShowMaximised() {
    showMaximized();
    raise();
    activateWindow();
    setFocus();
}

Rect QtMainWindow::ClientRect() const { return {0, 0, width(), std::max(0, height() - BarHeight())}; }

int QtMainWindow::BarHeight() const { return bar_ && !bar_->isHidden() ? bar_->sizeHint().height() : 0; }

void QtMainWindow::PlaceBar() {
    if (bar_) bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

// The bar's menus are filled as they open, from the program's entries of
// that moment: greying and captions ("Undo Move Clip") are always current.
void QtMainWindow::SetMenuBar(std::function<std::vector<MenuEntry>()> entries, std::function<void(int)> chosen) {
    barEntries_ = std::move(entries);
    barChosen_ = std::move(chosen);
    if (!bar_) {
        if (!barEntries_) return;
        bar_ = new QMenuBar(this);
    }
    bar_->clear();
    const std::vector<MenuEntry> menus = barEntries_ ? barEntries_() : std::vector<MenuEntry>{};
    for (std::size_t i = 0; i < menus.size(); ++i) {
        QMenu* menu = bar_->addMenu(QString::fromStdString(menus[i].caption));
        connect(menu, &QMenu::aboutToShow, this, [this, menu, i] {
            menu->clear();
            if (!barEntries_) return;
            const std::vector<MenuEntry> now = barEntries_();
            if (i >= now.size()) return;
            for (const MenuEntry& entry : now[i].entries) {
                if (entry.kind == MenuEntry::Kind::Separator) {
                    menu->addSeparator();
                } else if (entry.kind == MenuEntry::Kind::Command) {
                    // The key after the tab is shown, not bound: the editor's
                    // key tables take the keys themselves.
                    QAction* action = menu->addAction(QString::fromStdString(entry.caption));
                    action->setEnabled(entry.enabled);
                    connect(action, &QAction::triggered, this, [this, id = entry.command] {
                        if (barChosen_) barChosen_(id);
                    });
                }
            }
        });
    }
    bar_->setVisible(!menus.empty());
    PlaceBar();
    resizeEvent(nullptr);
}

void QtMainWindow::RefreshMenuTitles() {
    if (!bar_ || !barEntries_) return;
    const std::vector<MenuEntry> menus = barEntries_();
    const QList<QAction*> titles = bar_->actions();
    for (qsizetype i = 0; i < titles.size() && i < qsizetype(menus.size()); ++i)
        titles[i]->setText(QString::fromStdString(menus[std::size_t(i)].caption));
    PlaceBar();
}

void QtMainWindow::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

std::string QtMainWindow::Title() const { return windowTitle().toStdString(); }

bool QtMainWindow::IsMinimised() const { return (windowState() & Qt::WindowMinimized) != 0; }

// Qt already hands every mouse event to the widget a button was pressed in,
// wherever the pointer goes, until the button is let go: that is what the
// items ask for. A real pointer grab would hold the whole desktop hostage
// if an item ever forgot to let go, so the capture is only remembered.
void QtMainWindow::SetCapture() { captured_ = true; }

void QtMainWindow::ReleaseCapture() { captured_ = false; }

void QtMainWindow::SetCursor(Cursor cursor) { setCursor(CursorOf(cursor)); }

bool QtMainWindow::StartTimer(int id, int periodMs) {
    StopTimer(id);
    const int qtId = startTimer(std::max(periodMs, 1));
    if (qtId == 0) return false;
    timers_[qtId] = id;
    return true;
}

void QtMainWindow::StopTimer(int id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second == id) {
            killTimer(it->first);
            timers_.erase(it);
            return;
        }
    }
}

Point QtMainWindow::ClientPointer() const {
    const QPoint p = mapFromGlobal(QCursor::pos());
    return {SignExtend16(p.x()), SignExtend16(p.y() - BarHeight())};
}

std::optional<Point> QtMainWindow::PointerPosition() const { return ClientPointer(); }

std::vector<std::string> QtMainWindow::DroppedFiles(std::intptr_t dropHandle) const {
    const auto it = drops_.find(dropHandle);
    return it == drops_.end() ? std::vector<std::string>{} : it->second;
}

std::unique_ptr<DrawContext> QtMainWindow::BeginDraw() {
    if (backing_.isNull()) return nullptr;
    return std::make_unique<WindowDrawContext>(backing_, *this, layoutSize_);
}

void QtMainWindow::SetLayoutSize(int width, int height) { layoutSize_ = QSize(width, height); }

// Painted at once: the event loop does not run while a script waits.
void QtMainWindow::ShowNow() {
    if (!IsMinimised()) repaint();
}

// Queued onto the window's thread, and only one at a time: a worker that
// finishes previews faster than the window draws them asks once.
void QtMainWindow::RequestRefresh() {
    if (refreshQueued_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshQueued_ = false;
            if (events_ && !IsMinimised()) events_->Resized();
        },
        Qt::QueuedConnection);
}

// Later, not now: the program asks for it from inside its own input, and
// closing tears the program's tree down.
void QtMainWindow::Close() {
    QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
}

void QtMainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, BarHeight(), backing_);
}

void QtMainWindow::resizeEvent(QResizeEvent*) {
    PlaceBar();
    const QSize client(width(), std::max(0, height() - BarHeight()));
    if (client.width() > 0 && client.height() > 0 && client != backing_.size()) {
        QImage grown(client, QImage::Format_RGB32);
        grown.fill(Qt::black);
        QPainter painter(&grown);
        painter.drawImage(0, 0, backing_);
        painter.end();
        backing_ = std::move(grown);
    }
    if (events_) events_->Resized();
}

void QtMainWindow::Mouse(std::uint32_t message, QMouseEvent* event) {
    event->accept();
    if (!events_) return;
    const QPoint p = event->position().toPoint() - QPoint(0, BarHeight());
    events_->Input(message, SignExtend16(p.x()), SignExtend16(p.y()),
                   MouseKeyFlags(event->buttons(), event->modifiers()));
}

void QtMainWindow::mouseMoveEvent(QMouseEvent* event) { Mouse(kMouseMove, event); }

void QtMainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Mouse(kLeftButtonDown, event);
    else if (event->button() == Qt::RightButton)
        Mouse(kRightButtonDown, event);
}

void QtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Mouse(kLeftButtonUp, event);
    else if (event->button() == Qt::RightButton)
        Mouse(kRightButtonUp, event);
}

// The second press of a double click arrives as the double click alone;
// a right double click is not a message of ours and is dropped.
void QtMainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Mouse(kLeftButtonDoubleClick, event);
}

void QtMainWindow::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int turn = std::clamp(event->angleDelta().y(), -32768, 32767);
    if (!events_ || turn == 0) return;
    const QPoint p = event->position().toPoint() - QPoint(0, BarHeight());
    const std::uint32_t flags = MouseKeyFlags(event->buttons(), event->modifiers());
    events_->Input(kMouseWheel, SignExtend16(p.x()), SignExtend16(p.y()),
                   std::uintptr_t(flags & 0xFFFF) | (std::uintptr_t(std::uint16_t(turn)) << 16));
}

void QtMainWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!event->isAutoRepeat() && event->nativeScanCode() != 0)
        pressed_[event->nativeScanCode()] = VirtualKeyOf(event->key(), (event->modifiers() & Qt::KeypadModifier) != 0);
}

bool QtMainWindow::KeyHeld(std::uint32_t key) const {
    for (const auto& [scanCode, vk] : pressed_)
        if (vk == key) return true;
    return false;
}

void QtMainWindow::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // Holding a key repeats presses only; the key is released once.
    if (event->isAutoRepeat() || !events_) return;
    // Alt and F10, and every key let go while Alt is down, belong to the
    // window manager and the menu bar, not to the editor's key tables.
    if (event->key() == Qt::Key_Alt || event->key() == Qt::Key_F10 || (event->modifiers() & Qt::AltModifier))
        return;
    std::uint32_t vk = VirtualKeyOf(event->key(), (event->modifiers() & Qt::KeypadModifier) != 0);
    // A key means what it meant when it went down: Num Lock changed while
    // keypad 8 is held still lets go of keypad 8, not of the arrow.
    if (const auto held = pressed_.find(event->nativeScanCode()); held != pressed_.end()) {
        if (event->nativeScanCode() != 0) vk = held->second;
        pressed_.erase(held);
    }
    if (vk == 0) return;
    // A modifier let go is the key itself, not a chord.
    std::uint32_t modifiers = 0;
    if (vk != kVkShift && vk != kVkControl) {
        if (event->modifiers() & Qt::ShiftModifier) modifiers |= kKeyWithShift;
        if (event->modifiers() & Qt::ControlModifier) modifiers |= kKeyWithControl;
    }
    const Point p = ClientPointer();
    events_->Input(kKeyUp, p.x, p.y, vk | modifiers);
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void QtMainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void QtMainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty()) return;
    event->acceptProposedAction();
    if (!events_) return;
    // The handle lives for the one message, as the system's own drop does.
    const std::intptr_t handle = nextDrop_++;
    drops_[handle] = std::move(paths);
    const QPoint p = event->position().toPoint() - QPoint(0, BarHeight());
    events_->Input(kFilesDropped, SignExtend16(p.x()), SignExtend16(p.y()), std::uintptr_t(handle));
    drops_.erase(handle);
}

void QtMainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && events_) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        // Restoring from the task bar activates the window again.
        if ((change->oldState() & Qt::WindowMinimized) && !IsMinimised()) events_->Activated(false);
    }
    QWidget::changeEvent(event);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (!destroyed_ && events_ && !events_->CloseRequested()) {
        event->ignore();
        return;
    }
    event->accept();
    if (destroyed_) return;
    destroyed_ = true;
    for (const auto& [qtId, id] : timers_) killTimer(qtId);
    timers_.clear();
    ReleaseCapture();
    if (WindowEvents* events = events_) {
        events_ = nullptr;  // nothing reaches the program after this
        events->Destroyed();
    }
}

void QtMainWindow::timerEvent(QTimerEvent* event) {
    const auto it = timers_.find(event->timerId());
    if (it == timers_.end()) return QWidget::timerEvent(event);
    if (events_) events_->Timer(it->second);
}

bool QtMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && events_) events_->Activated(IsMinimised());
    return QWidget::event(event);
}

}  // namespace vantrel
