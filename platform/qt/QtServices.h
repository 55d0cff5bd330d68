#pragma once
#include <QMenu>
#include <QMessageBox>
#include <QString>
#include <memory>

#include "platform/Platform.h"

namespace vantrel {

class QtDialogs final : public Dialogs {
public:
    BoxAnswer MessageBox(Window* owner, const MessageBoxRequest& request) override;
    std::optional<std::string> OpenFile(Window* owner, const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(Window* owner, const FileDialogRequest& request) override;
    std::optional<std::string> TextEntry(Window* owner, const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<Colour> ChooseColour(Window* owner, Colour initial) override;
    std::optional<std::string> ChooseTypeface(Window* owner, const std::string& initial, int& pointSize) override;
};

class QtMenus final : public Menus {
public:
    int ShowPopup(Window* owner, const std::vector<MenuEntry>& entries) override;
};

class QtClipboard final : public Clipboard {
public:
    bool SetImage(const Surface& picture) override;
};

class QtShell final : public Shell {
public:
    bool Open(const std::string& pathOrUrl) override;
};

class QtClock final : public Clock {
public:
    std::uint32_t TickCount() override;
    void Sleep(int ms) override;
};

// The pieces, open to tests: a message box set up but not shown, the filter
// string of a file dialog, a menu built but not shown (null when it would
// hold no command), and the answer a message box button stands for.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const MessageBoxRequest& request);
BoxAnswer AnswerOf(QMessageBox::StandardButton button);
QString FilterString(const std::vector<FileFilter>& filters);
std::unique_ptr<QMenu> BuildMenu(const std::vector<MenuEntry>& entries, QWidget* owner);
// The command a chosen action carries, 0 for none.
int CommandOf(const QAction* action);
// The widget behind a window of ours, for parenting dialogs.
QWidget* WidgetOf(Window* window);

}  // namespace vantrel
