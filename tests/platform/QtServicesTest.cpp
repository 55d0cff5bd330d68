#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include "values/Surface.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtServices.h"
#include "tests/platform/QtTestSupport.h"

namespace vantrel {
namespace {

MenuEntry Command(int id, std::string caption) { return MenuCommand(id, std::move(caption)); }
MenuEntry Separator() { return MenuSeparator(); }
MenuEntry Submenu(std::string caption, std::vector<MenuEntry> entries) {
    return MenuSubmenu(std::move(caption), std::move(entries));
}

TEST(QtMenuTest, EntriesBecomeActionsCarryingTheirCommand) {
    EnsureQt();
    auto menu = BuildMenu({Command(25, "Open Project"), Separator(),
                           Submenu("Effects", {Command(28, "RGB Key"), Command(29, "Chroma Key")}),
                           Submenu("Nothing", {Separator(), Separator()}), Command(0, "")},
                          nullptr);
    ASSERT_TRUE(menu);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 4);  // the submenu of separators is left out
    EXPECT_EQ(actions[0]->text(), "Open Project");
    EXPECT_EQ(CommandOf(actions[0]), 25);
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_TRUE(actions[2]->menu());
    EXPECT_EQ(actions[2]->menu()->title(), "Effects");
    ASSERT_EQ(actions[2]->menu()->actions().size(), 2);
    EXPECT_EQ(CommandOf(actions[2]->menu()->actions()[1]), 29);
    EXPECT_EQ(actions[3]->text(), "");  // a blank caption still shows
    EXPECT_EQ(CommandOf(nullptr), 0);
}

TEST(QtMenuTest, AMenuWithoutCommandsIsNoMenu) {
    EnsureQt();
    EXPECT_FALSE(BuildMenu({}, nullptr));
    EXPECT_FALSE(BuildMenu({Separator(), Submenu("Empty", {})}, nullptr));
}

TEST(QtDialogTest, MessageBoxesGetIconButtonsAndDefault) {
    EnsureQt();
    struct Case {
        BoxButtons buttons;
        BoxAnswer preferred;
        BoxIcon icon;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::Icon qtIcon;
    };
    const Case cases[] = {
        {BoxButtons::Ok, BoxAnswer::None, BoxIcon::Information, QMessageBox::Ok, QMessageBox::Ok,
         QMessageBox::Information},
        {BoxButtons::YesNo, BoxAnswer::No, BoxIcon::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
         QMessageBox::Question},
        {BoxButtons::YesNoCancel, BoxAnswer::Cancel, BoxIcon::Warning,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Warning},
        // A default that is not among the buttons falls back to the first.
        {BoxButtons::OkCancel, BoxAnswer::Yes, BoxIcon::Error, QMessageBox::Ok | QMessageBox::Cancel,
         QMessageBox::Ok, QMessageBox::Critical},
    };
    for (const Case& c : cases) {
        MessageBoxRequest request{"Unable to run", "Error", c.icon, c.buttons, c.preferred};
        auto box = MakeMessageBox(nullptr, request);
        EXPECT_EQ(box->text(), "Unable to run");
        EXPECT_EQ(box->windowTitle(), "Error");
        EXPECT_EQ(box->standardButtons(), c.shown);
        EXPECT_EQ(box->icon(), c.qtIcon);
        ASSERT_TRUE(box->defaultButton());
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton);
    }
    EXPECT_EQ(AnswerOf(QMessageBox::Yes), BoxAnswer::Yes);
    EXPECT_EQ(AnswerOf(QMessageBox::Cancel), BoxAnswer::Cancel);
    EXPECT_EQ(AnswerOf(QMessageBox::Help), BoxAnswer::None);
}

// Under German the boxes' own buttons speak German too, and English again after.
TEST(QtDialogTest, QtsOwnButtonsFollowTheProgramsLanguage) {
    EnsureQt();
    auto cancelText = [] {
        MessageBoxRequest request{"?", "Question", BoxIcon::Question, BoxButtons::YesNoCancel, BoxAnswer::Cancel};
        auto box = MakeMessageBox(nullptr, request);
        return box->button(QMessageBox::Cancel)->text().toStdString();
    };
    ASSERT_TRUE(QtPlatform::UseLanguage(7)) << "Qt's German translation (qt6-translations-l10n) is not installed";
    EXPECT_EQ(cancelText(), "Abbrechen");
    EXPECT_TRUE(QtPlatform::UseLanguage(9));
    EXPECT_EQ(cancelText(), "Cancel");
}

TEST(QtDialogTest, FiltersJoinDescriptionsAndPatterns) {
    EXPECT_EQ(FilterString({{"Vantrel Project", "*.kwp"}, {"Pictures", "*.jpg;*.png; *.bmp"}}),
              "Vantrel Project (*.kwp);;Pictures (*.jpg *.png *.bmp)");
    EXPECT_EQ(FilterString({}), "");
}

TEST(QtClipboardTest, FramesGoOutOpaqueWithTheirColours) {
    EnsureQt();
    Surface frame(3, 2);
    frame.Fill(frame.Bounds(), MakePixel(10, 20, 30, 0));  // alpha 0 must not make it invisible
    frame.At(2, 1) = MakePixel(255, 0, 0, 255);
    QtClipboard clipboard;
    ASSERT_TRUE(clipboard.SetImage(frame));
    const QImage pasted = QGuiApplication::clipboard()->image();
    ASSERT_EQ(pasted.size(), QSize(3, 2));
    EXPECT_EQ(pasted.pixel(0, 0), qRgb(30, 20, 10));
    EXPECT_EQ(pasted.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_FALSE(clipboard.SetImage(Surface()));
}

TEST(PictureFileTest, LoadsIntoBlueGreenRedAlphaAndRefusesWhatItCannotRead) {
    EnsureQt();
    QTemporaryDir dir;
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(qRgba(1, 2, 3, 255));
    image.setPixel(3, 2, qRgba(200, 100, 50, 128));
    const QString png = dir.filePath("p.png");
    ASSERT_TRUE(image.save(png));

    Surface loaded;
    ASSERT_TRUE(LoadPictureFile(png.toStdString(), loaded));
    ASSERT_EQ(loaded.Width(), 4);
    ASSERT_EQ(loaded.Height(), 3);
    EXPECT_EQ(loaded.At(0, 0), MakePixel(3, 2, 1, 255));
    EXPECT_EQ(loaded.At(3, 2), MakePixel(50, 100, 200, 128));

    QFile junk(dir.filePath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    EXPECT_FALSE(LoadPictureFile(junk.fileName().toStdString(), loaded));
    EXPECT_FALSE(LoadPictureFile(dir.filePath("missing.bmp").toStdString(), loaded));
    EXPECT_EQ(loaded.Width(), 4);  // untouched by the failures
}

TEST(QtClockTest, TicksAdvanceBySleeping) {
    QtClock clock;
    const std::uint32_t before = clock.TickCount();
    clock.Sleep(20);
    const std::uint32_t elapsed = clock.TickCount() - before;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 2000u);
}

}  // namespace
}  // namespace vantrel
