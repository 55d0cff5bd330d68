#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Text needs fonts and the settings dialog needs widgets; the offscreen
// platform gives both without a display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
