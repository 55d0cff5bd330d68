#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

#include "platform/qt/QtPlatform.h"

namespace vantrel {

// One offscreen Qt application for the whole test binary.
inline void EnsureQt() {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static QtPlatform* platform = new QtPlatform(argc, argv, QtPlatform::Mode::Batch);
    (void)platform;
}

// Runs the event loop until done() holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace vantrel
