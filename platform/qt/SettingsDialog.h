#pragma once
#include <QDialog>
#include <vector>

#include "platform/SettingsEditor.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

// The preferences dialog: the settings tree with an editor per kind (check
// box, number, colour button, text, file chooser). It edits the nodes in
// place; the caller keeps them only when the dialog is accepted.
// No signals of its own, so no meta-object: connections are lambdas.
class SettingsDialog final : public QDialog {
public:
    SettingsDialog(const QString& title, std::vector<SettingNode>& nodes, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return tree_; }
    // The editors of a group's entries are made when it is first opened:
    // a skin has hundreds of entries and most groups are never looked at.
    void EnsureEditors(QTreeWidgetItem* group);

private:
    void AddNodes(QTreeWidgetItem* parent, std::vector<SettingNode>& nodes);
    QWidget* ColourEditor(SettingNode& node);
    QWidget* FileEditor(SettingNode& node);

    QTreeWidget* tree_ = nullptr;
};

// The dialog as the settings store sees it.
class QtSettingsEditor final : public SettingsEditor {
public:
    bool Edit(Window* owner, const std::string& title, std::vector<SettingNode>& nodes) override;
};

// The one instance the program installs at start.
SettingsEditor& QtSettingsDialog();

}  // namespace vantrel
