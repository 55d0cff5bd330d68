#pragma once
// What the editor benchmarks share: waiting for the worker's preview, and
// drawing the whole editor the way the main window does, laid out at
// 1024 x 768 and scaled up into a larger window picture.
#include <QImage>
#include <QPainter>

#include <thread>

#include "items/WorkerThread.h"
#include "editor/workspace/Workspace.h"
#include "platform/qt/PainterDrawContext.h"

namespace vantrel::bench {

inline constexpr int kEditorLayoutWidth = 1024;
inline constexpr int kEditorLayoutHeight = 768;

// Returns once the worker has taken every posted command and finished it.
inline void WaitForPreview(Workspace& root) {
    WorkerThread* worker = root.State()->Worker();
    while (worker->PendingCommand() != WorkerThread::kEmpty) std::this_thread::yield();
    root.State()->WaitWorkerIdle();
}

// The editor laid out at 1024 x 768 drawn into `window` through the scaled
// painter, with smooth pictures, as the main window draws it.
inline void PaintEditorScaled(Workspace& root, QImage& window) {
    QPainter painter(&window);
    painter.scale(double(window.width()) / kEditorLayoutWidth, double(window.height()) / kEditorLayoutHeight);
    PainterDrawContext dc(painter);
    dc.SetSmoothPictures(true);
    auto edit = root.Edit();
    root.Paint(dc, 0, 0, kEditorLayoutWidth, kEditorLayoutHeight, 0);
}

}  // namespace vantrel::bench
