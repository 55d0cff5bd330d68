// "basalt": the export plugin that ships with the program. It writes MP4
// (H.264 + AAC), AVI (raw 32-bit video + PCM), MKV (FFV1 + FLAC) and WAV.
#include <sched.h>

#include <QApplication>
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "plugins/api/PluginApi.h"
#include "plugins/basalt/OptionsDialog.h"
#include "plugins/basalt/OutputWriter.h"

namespace basalt {

namespace {
struct ExtensionRow {
    const char* extension;
    Container container;
};
constexpr ExtensionRow kExtensions[] = {
    {".mp4", Container::Mp4}, {".avi", Container::Avi}, {".mkv", Container::Mkv}, {".wav", Container::Wav}};

const char* ExtensionOf(Container container) {
    for (const ExtensionRow& row : kExtensions)
        if (row.container == container) return row.extension;
    return ".mp4";
}

// The container named by the file's extension, if it is one of ours.
std::optional<Container> ContainerFor(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
    std::string extension(path.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const ExtensionRow& row : kExtensions)
        if (extension == row.extension) return row.container;
    return std::nullopt;
}

// The cores this process may run on: a make pinned to one core encodes on
// the caller's thread, as a second thread would only take turns with it.
int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::max(1, CPU_COUNT(&set));
}

class Basalt final : public vantrel::ExportPlugin {
public:
    Basalt() { settings.fileTypeDescription = "Video and Audio Files (basalt)"; }

    void release() override { delete this; }

    bool begin(vantrel::PluginWindow) override {
        writer_.Close();
        if (!settings.hasOutputFile) return false;
        OutputOptions options;
        options.path = settings.outputFile;
        options.container = ContainerFor(options.path).value_or(choice_.container);
        options.quality = choice_.quality;
        options.video = settings.hasMakeVideo && settings.makeVideo;
        options.audio = settings.hasMakeAudio && settings.makeAudio;
        options.width = settings.hasWidth ? settings.width : 0;
        options.height = settings.hasHeight ? settings.height : 0;
        options.framesPerSecond = settings.hasFramesPerSecond ? settings.framesPerSecond : 0;
        if (settings.hasFrameRate) {
            options.rateNum = settings.frameRateNum;
            options.rateDen = settings.frameRateDen;
        }
        options.speed = choice_.speed;
        if (settings.hasAuthor) options.artist = settings.author;
        if (settings.hasCopyright) options.copyright = settings.copyright;
        if (settings.hasComment) options.comment = settings.comment;
        options.threads = UsableCores();
        return writer_.Open(options);
    }

    void end() override { writer_.Close(); }

    bool configure(vantrel::PluginWindow mainWindow) override {
        // Without a window (batch runs, tests) or without a Qt application
        // to show it in, the remembered choice stands.
        if (!mainWindow || !qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
        const std::optional<Choice> answer = AskForOptions(choice_);
        if (!answer) return false;
        choice_ = *answer;
        return true;
    }

    void writeVideo(std::int32_t timeMs, const vantrel::LockedFrame& frame) override {
        writer_.WriteVideo(timeMs, frame.width, frame.height, frame.pitch, frame.pixels);
    }

    void writeAudio(std::int32_t timeMs, const void* buffer, std::int32_t bytes) override {
        if (bytes <= 0) return;
        writer_.WriteAudio(timeMs, static_cast<const std::int16_t*>(buffer), bytes / vantrel::kPluginAudioBlockAlign);
    }

    const char* fileExtension(bool makeVideo, bool) override {
        if (!makeVideo) return ".wav";
        return choice_.container == Container::Wav ? ".mp4" : ExtensionOf(choice_.container);
    }

private:
    Choice choice_;
    OutputWriter writer_;
};
}  // namespace

}  // namespace basalt

extern "C" __attribute__((visibility("default"))) vantrel::ExportPlugin* VantrelExportPlugin() {
    return new basalt::Basalt;
}
