#include "platform/qt/SettingsDialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include "values/Colour.h"

namespace vantrel {
namespace {

using Kind = SettingNode::Kind;

SettingNode Node(Kind kind, int id, const char* label, std::int32_t number = 0, const char* text = "") {
    SettingNode node;
    node.kind = kind;
    node.id = id;
    node.label = label;
    node.number = number;
    node.text = text;
    return node;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() {
        SettingNode skin = Node(Kind::Group, 575, "Skin");
        SettingNode element = Node(Kind::Group, 555, "Application Background Image");
        element.children = {Node(Kind::FileName, 576, "Skin Image", 0, "/a.jpg"),
                            Node(Kind::Colour, 580, "Forground Color", Rgb(1, 2, 3))};
        skin.children = {element};
        SettingNode layout = Node(Kind::Group, 562, "Layout");
        layout.children = {Node(Kind::Number, 645, "Language", 9), Node(Kind::Switch, 335, "Show Status Messages", 0)};
        SettingNode output = Node(Kind::Group, 563, "Output Information");
        SettingNode text = Node(Kind::Text, 646, "English", 0, "English");
        text.flags = 4;
        output.children = {text};
        nodes_ = {skin, layout, output};
    }
    std::vector<SettingNode> nodes_;
};

TEST_F(SettingsDialogTest, EditorsWriteStraightIntoTheirNodes) {
    SettingsDialog dialog("Preferences", nodes_);
    QTreeWidget* tree = dialog.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_FALSE(tree->topLevelItem(0)->isExpanded()) << "the long skin list waits";
    QTreeWidgetItem* layout = tree->topLevelItem(1);
    ASSERT_TRUE(layout->isExpanded());

    auto* spin = qobject_cast<QSpinBox*>(tree->itemWidget(layout->child(0), 1));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), 9);
    spin->setValue(7);
    EXPECT_EQ(nodes_[1].children[0].number, 7);

    layout->child(1)->setCheckState(1, Qt::Checked);
    EXPECT_EQ(nodes_[1].children[1].number, 1);

    QTreeWidgetItem* text = tree->topLevelItem(2)->child(0);
    EXPECT_EQ(text->text(0), "646") << "one of many texts: labelled by its id";
    text->setText(1, "Englisch");
    EXPECT_EQ(nodes_[2].children[0].text, "Englisch");
}

TEST_F(SettingsDialogTest, SkinEditorsAreMadeWhenTheGroupOpensAndColoursCanBeInheritedAgain) {
    SettingsDialog dialog("Preferences", nodes_);
    QTreeWidgetItem* element = dialog.Tree()->topLevelItem(0)->child(0);
    EXPECT_EQ(dialog.Tree()->itemWidget(element->child(1), 1), nullptr);
    element->setExpanded(true);
    QWidget* colour = dialog.Tree()->itemWidget(element->child(1), 1);
    ASSERT_NE(colour, nullptr);
    auto* clear = colour->findChild<QToolButton*>();
    ASSERT_NE(clear, nullptr);
    clear->click();
    EXPECT_EQ(nodes_[0].children[0].children[1].number, kNoColour);
    EXPECT_EQ(colour->findChild<QPushButton*>()->text(), "inherited");
    EXPECT_NE(dialog.Tree()->itemWidget(element->child(0), 1), nullptr) << "file chooser";
}

}  // namespace
}  // namespace vantrel
