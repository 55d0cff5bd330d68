#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

// Text needs fonts, and fonts need a GUI application; the offscreen
// platform gives one without a display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
