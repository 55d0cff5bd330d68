// A plugin library built only for the tests; the defines pick which entries
// it exports so that one source gives every shape the loader must handle.
#include "plugins/api/PluginApi.h"

using namespace vantrel;

extern "C" {
// The test reads these through its own handle on the library.
__attribute__((visibility("default"))) int liveObjects = 0;
__attribute__((visibility("default"))) int madeObjects = 0;
}

namespace {
PluginParameter kParameters[] = {
    {900, PluginParameter::kGroupHeaderBit, "IDS_FAKE_GROUP", 0, 0, 0, 0},
    {901, 0, "IDS_FAKE_GAIN", 0, 2, 1, 0},
};

struct FakeExport final : ExportPlugin {
    FakeExport() {
        ++liveObjects, ++madeObjects;
        settings.fileTypeDescription = "Fake Files";
    }
    void release() override {
        --liveObjects;
        delete this;
    }
    bool begin(PluginWindow) override { return true; }
    void end() override {}
    bool configure(PluginWindow) override { return true; }
    void writeVideo(std::int32_t, const LockedFrame&) override {}
    void writeAudio(std::int32_t, const void*, std::int32_t) override {}
    const char* fileExtension(bool, bool) override { return ".fake"; }
};

struct FakeVideo final : VideoPlugin {
    FakeVideo() {
        ++liveObjects, ++madeObjects;
        displayName = "Fake Video " FAKE_NAME;
        parameterCount = 2;
        parameters = kParameters;
    }
    void release() override {
        --liveObjects;
        delete this;
    }
    bool process(const LockedFrame& source, LockedFrame& destination, const PluginRect&) override {
        destination.pixels[0] = ~source.pixels[0];
        return true;
    }
};

struct FakeAudio final : AudioPlugin {
    FakeAudio() {
        ++liveObjects, ++madeObjects;
        displayName = "Fake Audio";
    }
    void release() override {
        --liveObjects;
        delete this;
    }
    bool process(const void*, void*, std::int32_t) override { return true; }
};
}  // namespace

extern "C" {
#ifdef FAKE_EXPORT
__attribute__((visibility("default"))) ExportPlugin* VantrelExportPlugin() {
#ifdef FAKE_EXPORT_FAILS
    return nullptr;
#else
    return new FakeExport;
#endif
}
#endif
#ifdef FAKE_VIDEO
__attribute__((visibility("default"))) VideoPlugin* VantrelVideoPlugin() { return new FakeVideo; }
#endif
#ifdef FAKE_AUDIO
__attribute__((visibility("default"))) AudioPlugin* VantrelAudioPlugin() { return new FakeAudio; }
#endif
}
