#pragma once
#include <memory>

#include "platform/AudioOutput.h"

namespace vantrel {

// The sound device through Qt Multimedia. The sink lives on a thread of its
// own with an event loop, as Qt's audio back ends expect, and every call is
// carried over to it; so any one thread may drive the output. Start fails
// (and the caller falls back to the silent clock) when there is no
// application object, no output device or no sound server.
class QtAudioOutput final : public AudioOutput {
public:
    QtAudioOutput();
    ~QtAudioOutput() override;

    bool Start(const PcmFormat& format) override;
    std::size_t FreeBytes() const override;
    std::size_t Write(const std::uint8_t* data, std::size_t bytes) override;
    std::int64_t PlayedMicroseconds() const override;
    void Stop() override;
    bool Audible() const override { return true; }

    struct Device;

private:
    std::unique_ptr<Device> device_;
};

// Installs QtAudioOutput as the program's sound device.
void InstallQtAudioOutput();

}  // namespace vantrel
