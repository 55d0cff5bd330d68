#include "platform/qt/QtAudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>

namespace vantrel {

struct QtAudioOutput::Device {
    QThread thread;
    QObject* context = nullptr;  // lives on `thread`: the target of every call
    QAudioSink* sink = nullptr;  // made, used and deleted on `thread`
    QIODevice* io = nullptr;

    template <class F>
    void Run(F&& f) const {
        if (QThread::currentThread() == &thread)
            f();
        else
            QMetaObject::invokeMethod(context, std::forward<F>(f), Qt::BlockingQueuedConnection);
    }

    void Release() {
        if (sink) {
            sink->stop();
            delete sink;
        }
        sink = nullptr;
        io = nullptr;
    }
};

QtAudioOutput::QtAudioOutput() : device_(std::make_unique<Device>()) {
    device_->thread.setObjectName("vantrel-audio");
    device_->thread.start();
    device_->context = new QObject;
    device_->context->moveToThread(&device_->thread);
}

QtAudioOutput::~QtAudioOutput() {
    Device& d = *device_;
    d.Run([&d] { d.Release(); });
    d.thread.quit();
    d.thread.wait();
    delete d.context;
}

bool QtAudioOutput::Start(const PcmFormat& format) {
    if (!format.Valid() || !QCoreApplication::instance()) return false;
    Device& d = *device_;
    bool started = false;
    d.Run([&] {
        d.Release();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) return;
        QAudioFormat qt;
        qt.setSampleRate(format.samplesPerSecond);
        qt.setChannelCount(format.channels);
        qt.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        if (!output.isFormatSupported(qt)) return;
        d.sink = new QAudioSink(output, qt);
        // A quarter second queued: enough against hiccups of the feeder,
        // short enough that Stop is heard at once.
        d.sink->setBufferSize(qsizetype(format.BytesPerSecond() / 4));
        d.io = d.sink->start();
        if (!d.io || d.sink->error() != QAudio::NoError) {
            d.Release();
            return;
        }
        started = true;
    });
    return started;
}

std::size_t QtAudioOutput::FreeBytes() const {
    const Device& d = *device_;
    std::size_t free = 0;
    d.Run([&] {
        if (d.sink) free = std::size_t(std::max<qsizetype>(0, d.sink->bytesFree()));
    });
    return free;
}

std::size_t QtAudioOutput::Write(const std::uint8_t* data, std::size_t bytes) {
    Device& d = *device_;
    std::size_t taken = 0;
    d.Run([&] {
        if (!d.io) return;
        const qint64 n = d.io->write(reinterpret_cast<const char*>(data), qint64(bytes));
        taken = n > 0 ? std::size_t(n) : 0;
    });
    return taken;
}

std::int64_t QtAudioOutput::PlayedMicroseconds() const {
    const Device& d = *device_;
    std::int64_t played = 0;
    d.Run([&] {
        if (d.sink) played = d.sink->processedUSecs();
    });
    return played;
}

void QtAudioOutput::Stop() {
    Device& d = *device_;
    d.Run([&d] { d.Release(); });
}

void InstallQtAudioOutput() {
    SetAudioOutputFactory([] { return std::make_unique<QtAudioOutput>(); });
}

}  // namespace vantrel
