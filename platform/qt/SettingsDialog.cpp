#include "platform/qt/SettingsDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <climits>

#include "values/Colour.h"
#include "platform/Window.h"

namespace vantrel {

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kEditorsMadeRole = Qt::UserRole + 2;
constexpr int kEmphasised = 1;
constexpr int kLabelledById = 4;

SettingNode* NodeOf(QTreeWidgetItem* item) {
    return item ? static_cast<SettingNode*>(item->data(0, kNodeRole).value<void*>()) : nullptr;
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

void ShowColour(QPushButton* button, std::int32_t colour) {
    if (colour == kNoColour) {
        button->setText(QObject::tr("inherited"));
        button->setStyleSheet({});
        return;
    }
    const QColor c(RedOf(colour), GreenOf(colour), BlueOf(colour));
    button->setText(c.name());
    const QString ink = c.lightness() > 128 ? "black" : "white";
    button->setStyleSheet(QString("background-color: %1; color: %2;").arg(c.name(), ink));
}

}  // namespace

SettingsDialog::SettingsDialog(const QString& title, std::vector<SettingNode>& nodes, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    resize(640, 540);
    tree_ = new QTreeWidget(this);
    tree_->setColumnCount(2);
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    tree_->header()->resizeSection(0, 300);
    tree_->setUniformRowHeights(true);
    AddNodes(nullptr, nodes);

    connect(tree_, &QTreeWidget::itemExpanded, this, &SettingsDialog::EnsureEditors);
    // Texts are edited where they stand, in the value column only.
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        if (SettingNode* node = NodeOf(item); node && node->kind == SettingNode::Kind::Text)
            tree_->editItem(item, 1);
    });
    connect(tree_, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem* item, int column) {
        SettingNode* node = NodeOf(item);
        if (!node || column != 1) return;
        if (node->kind == SettingNode::Kind::Switch) node->number = item->checkState(1) == Qt::Checked ? 1 : 0;
        if (node->kind == SettingNode::Kind::Text) node->text = item->text(1).toStdString();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);

    // The preferences proper are short lists: open them; the skin waits.
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree_->topLevelItem(i);
        if (i > 0 || tree_->topLevelItemCount() == 1) top->setExpanded(true);
    }
}

void SettingsDialog::AddNodes(QTreeWidgetItem* parent, std::vector<SettingNode>& nodes) {
    for (SettingNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(&node)));
        const QString label = FromUtf8(node.label);
        if (node.flags & kLabelledById) {
            item->setText(0, QString::number(node.id));
        } else {
            item->setText(0, label);
        }
        item->setToolTip(0, label);
        if (node.flags & kEmphasised) {
            QFont font = item->font(0);
            font.setBold(true);
            item->setFont(0, font);
        }
        switch (node.kind) {
            case SettingNode::Kind::Group: AddNodes(item, node.children); break;
            case SettingNode::Kind::Switch:
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(1, node.number ? Qt::Checked : Qt::Unchecked);
                break;
            case SettingNode::Kind::Text:
                item->setFlags(item->flags() | Qt::ItemIsEditable);
                item->setText(1, FromUtf8(node.text));
                item->setToolTip(1, FromUtf8(node.text));
                break;
            default: break;  // editors with widgets come when the group opens
        }
    }
}

void SettingsDialog::EnsureEditors(QTreeWidgetItem* group) {
    if (!group || group->data(0, kEditorsMadeRole).toBool()) return;
    group->setData(0, kEditorsMadeRole, true);
    for (int i = 0; i < group->childCount(); ++i) {
        QTreeWidgetItem* item = group->child(i);
        SettingNode* node = NodeOf(item);
        if (!node) continue;
        QWidget* editor = nullptr;
        switch (node->kind) {
            case SettingNode::Kind::Number: {
                auto* spin = new QSpinBox;
                spin->setRange(INT_MIN, INT_MAX);
                spin->setValue(node->number);
                connect(spin, &QSpinBox::valueChanged, spin, [node](int value) { node->number = value; });
                editor = spin;
                break;
            }
            case SettingNode::Kind::Colour: editor = ColourEditor(*node); break;
            case SettingNode::Kind::FileName: editor = FileEditor(*node); break;
            default: break;
        }
        if (editor) tree_->setItemWidget(item, 1, editor);
    }
}

QWidget* SettingsDialog::ColourEditor(SettingNode& node) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* choose = new QPushButton(box);
    auto* clear = new QToolButton(box);
    clear->setText(QStringLiteral("\u00d7"));
    clear->setToolTip(tr("Inherit the colour again"));
    ShowColour(choose, node.number);
    SettingNode* target = &node;
    connect(choose, &QPushButton::clicked, box, [this, target, choose] {
        const QColor start = target->number == kNoColour
                                 ? QColor(192, 192, 192)
                                 : QColor(RedOf(target->number), GreenOf(target->number), BlueOf(target->number));
        const QColor chosen = QColorDialog::getColor(start, this);
        if (!chosen.isValid()) return;
        target->number = Rgb(chosen.red(), chosen.green(), chosen.blue());
        ShowColour(choose, target->number);
    });
    connect(clear, &QToolButton::clicked, box, [target, choose] {
        target->number = kNoColour;
        ShowColour(choose, target->number);
    });
    row->addWidget(choose, 1);
    row->addWidget(clear);
    return box;
}

QWidget* SettingsDialog::FileEditor(SettingNode& node) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* path = new QLineEdit(FromUtf8(node.text), box);
    auto* browse = new QToolButton(box);
    browse->setText(QStringLiteral("..."));
    SettingNode* target = &node;
    connect(path, &QLineEdit::textChanged, box, [target](const QString& text) { target->text = text.toStdString(); });
    connect(browse, &QToolButton::clicked, box, [this, target, path] {
        // "*.png;*.jpg;" becomes the "(*.png *.jpg)" Qt expects.
        QString patterns = FromUtf8(target->filter).split(';', Qt::SkipEmptyParts).join(' ');
        const QString filter = patterns.isEmpty() ? QString() : QString("(%1)").arg(patterns);
        const QString chosen = QFileDialog::getOpenFileName(this, FromUtf8(target->label), path->text(), filter);
        if (!chosen.isEmpty()) path->setText(chosen);
    });
    row->addWidget(path, 1);
    row->addWidget(browse);
    return box;
}

bool QtSettingsEditor::Edit(Window* owner, const std::string& title, std::vector<SettingNode>& nodes) {
    // The editor's main window is a widget too; anything else gets a
    // dialog of its own.
    QWidget* parent = owner ? dynamic_cast<QWidget*>(owner) : nullptr;
    SettingsDialog dialog(FromUtf8(title), nodes, parent);
    return dialog.exec() == QDialog::Accepted;
}

SettingsEditor& QtSettingsDialog() {
    static QtSettingsEditor editor;
    return editor;
}

}  // namespace vantrel
