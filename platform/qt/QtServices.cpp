#include "platform/qt/QtServices.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QInputDialog>
#include <QThread>
#include <QUrl>
#include <chrono>

#include "values/Surface.h"
#include "platform/qt/QtMainWindow.h"

namespace vantrel {

namespace {

struct ButtonRow {
    BoxAnswer answer;
    QMessageBox::StandardButton button;
};
constexpr ButtonRow kButtons[] = {
    {BoxAnswer::Ok, QMessageBox::Ok},
    {BoxAnswer::Cancel, QMessageBox::Cancel},
    {BoxAnswer::Yes, QMessageBox::Yes},
    {BoxAnswer::No, QMessageBox::No},
};

QMessageBox::StandardButton ButtonOf(BoxAnswer answer) {
    for (const ButtonRow& row : kButtons)
        if (row.answer == answer) return row.button;
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons ButtonsOf(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::Ok: return QMessageBox::Ok;
        case BoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case BoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case BoxButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton FirstButton(BoxButtons buttons) {
    return buttons == BoxButtons::Ok || buttons == BoxButtons::OkCancel ? QMessageBox::Ok : QMessageBox::Yes;
}

QMessageBox::Icon IconOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None: return QMessageBox::NoIcon;
        case BoxIcon::Information: return QMessageBox::Information;
        case BoxIcon::Question: return QMessageBox::Question;
        case BoxIcon::Warning: return QMessageBox::Warning;
        case BoxIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

std::optional<std::string> RunFileDialog(Window* owner, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(WidgetOf(owner), QString::fromStdString(request.title),
                       QString::fromStdString(request.folder), FilterString(request.filters));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeReplace);
    if (!request.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    return chosen.front().toStdString();
}

void AddEntries(QMenu& menu, const std::vector<MenuEntry>& entries, bool& any) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuEntry::Kind::Separator:
                menu.addSeparator();
                break;
            case MenuEntry::Kind::Submenu: {
                auto sub = std::make_unique<QMenu>(QString::fromStdString(entry.caption), &menu);
                bool subAny = false;
                AddEntries(*sub, entry.entries, subAny);
                if (!subAny) break;  // a submenu without a command is left out
                menu.addMenu(sub.release());
                any = true;
                break;
            }
            case MenuEntry::Kind::Command: {
                QAction* action = menu.addAction(QString::fromStdString(entry.caption));
                action->setData(entry.command);
                action->setEnabled(entry.enabled);
                any = true;
                break;
            }
        }
    }
}

}  // namespace

QWidget* WidgetOf(Window* window) { return dynamic_cast<QtMainWindow*>(window); }

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const MessageBoxRequest& request) {
    auto box = std::make_unique<QMessageBox>(IconOf(request.icon), QString::fromStdString(request.caption),
                                             QString::fromStdString(request.text), ButtonsOf(request.buttons),
                                             owner);
    QMessageBox::StandardButton preferred = ButtonOf(request.defaultButton);
    if (preferred == QMessageBox::NoButton || !(ButtonsOf(request.buttons) & preferred))
        preferred = FirstButton(request.buttons);
    box->setDefaultButton(preferred);
    return box;
}

BoxAnswer AnswerOf(QMessageBox::StandardButton button) {
    for (const ButtonRow& row : kButtons)
        if (row.button == button) return row.answer;
    return BoxAnswer::None;
}

BoxAnswer QtDialogs::MessageBox(Window* owner, const MessageBoxRequest& request) {
    auto box = MakeMessageBox(WidgetOf(owner), request);
    const auto button = static_cast<QMessageBox::StandardButton>(box->exec());
    BoxAnswer answer = AnswerOf(button);
    // A box without Cancel that is closed anyway answers as the system's
    // would: No for a yes/no question, Ok otherwise.
    if (answer == BoxAnswer::None)
        answer = request.buttons == BoxButtons::YesNo ? BoxAnswer::No
                 : request.buttons == BoxButtons::Ok  ? BoxAnswer::Ok
                                                      : BoxAnswer::Cancel;
    return answer;
}

QString FilterString(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& filter : filters) {
        QString patterns = QString::fromStdString(filter.patterns);
        patterns.replace(';', ' ');
        parts << QString::fromStdString(filter.description) + " (" + patterns.simplified() + ")";
    }
    return parts.join(";;");
}

std::optional<std::string> QtDialogs::OpenFile(Window* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, false);
}

std::optional<std::string> QtDialogs::SaveFile(Window* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, true);
}

std::optional<std::string> QtDialogs::TextEntry(Window* owner, const std::string& title, const std::string& prompt,
                                                const std::string& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(WidgetOf(owner), QString::fromStdString(title),
                                               QString::fromStdString(prompt), QLineEdit::Normal,
                                               QString::fromStdString(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<Colour> QtDialogs::ChooseColour(Window* owner, Colour initial) {
    const QColor start = initial == kNoColour ? QColor(Qt::white)
                                              : QColor(RedOf(initial), GreenOf(initial), BlueOf(initial));
    const QColor chosen = QColorDialog::getColor(start, WidgetOf(owner));
    if (!chosen.isValid()) return std::nullopt;
    return Rgb(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<std::string> QtDialogs::ChooseTypeface(Window* owner, const std::string& initial, int& pointSize) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFont(QString::fromStdString(initial), pointSize > 0 ? pointSize : -1),
                                              WidgetOf(owner));
    if (!ok) return std::nullopt;
    if (chosen.pointSize() > 0) pointSize = chosen.pointSize();
    return chosen.family().toStdString();
}

std::unique_ptr<QMenu> BuildMenu(const std::vector<MenuEntry>& entries, QWidget* owner) {
    auto menu = std::make_unique<QMenu>(owner);
    bool any = false;
    AddEntries(*menu, entries, any);
    if (!any) return nullptr;
    return menu;
}

int CommandOf(const QAction* action) {
    if (!action) return 0;
    bool ok = false;
    const int command = action->data().toInt(&ok);
    return ok ? command : 0;
}

int QtMenus::ShowPopup(Window* owner, const std::vector<MenuEntry>& entries) {
    auto menu = BuildMenu(entries, WidgetOf(owner));
    if (!menu) return 0;
    return CommandOf(menu->exec(QCursor::pos()));
}

bool QtClipboard::SetImage(const Surface& picture) {
    if (picture.IsEmpty()) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    // Frames go out opaque: alpha means nothing to the programs pasting them.
    const QImage wrapped(picture.Bytes(), picture.Width(), picture.Height(), qsizetype(picture.Pitch()) * 4,
                         QImage::Format_RGB32);
    clipboard->setImage(wrapped.copy());
    return true;
}

bool QtShell::Open(const std::string& pathOrUrl) {
    const QString text = QString::fromStdString(pathOrUrl);
    const QUrl url = QFileInfo::exists(text) ? QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath())
                                             : QUrl::fromUserInput(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}

std::uint32_t QtClock::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void QtClock::Sleep(int ms) {
    if (ms > 0) QThread::msleep(unsigned(ms));
}

}  // namespace vantrel
