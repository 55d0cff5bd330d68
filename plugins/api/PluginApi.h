#pragma once
// The one header both sides of the plugin boundary compile: the program and
// every plugin library. Plain C++ only, no Qt or FFmpeg types, so that a
// plugin may be built with whatever toolkit it likes.
//
// A plugin library exports exactly one of these entries with C linkage:
//   extern "C" vantrel::ExportPlugin* VantrelExportPlugin();
//   extern "C" vantrel::VideoPlugin*  VantrelVideoPlugin();
//   extern "C" vantrel::AudioPlugin*  VantrelAudioPlugin();
// Each call makes a new object; the program gives it back with release().
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// PluginParameter, the 48-byte description of one effect parameter, is
// shared with the variables that the host declares from it (plain C++ too).
#include "model/variables/PluginParameter.h"

namespace vantrel {

// A locked output picture: rows of 32-bit pixels (bytes blue, green, red,
// alpha) from the top row down, pitch pixels apart.
struct LockedFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;  // in pixels, at least width
    std::uint32_t* pixels = nullptr;
};

// Opaque to plugins: non-null when the editor's main window exists and the
// plugin may show modal dialogs, null for batch runs and tests.
using PluginWindow = void*;

// A host-owned rectangle in pixels, half-open.
struct PluginRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Texts handed to an export plugin are held in fixed buffers of this size;
// anything that does not fit with its terminating zero, and the empty text,
// is refused and leaves the field as it was.
constexpr std::size_t kPluginTextCapacity = 500;

// The settings the program hands an export plugin before begin(). Each
// value comes with a flag that says it was handed in.
struct ExportSettings {
    const char* fileTypeDescription = nullptr;  // read by the program: save dialog filter
    std::int32_t hasOutputFile = 0;
    char outputFile[kPluginTextCapacity] = {};
    std::int32_t hasTitle = 0;
    char title[kPluginTextCapacity] = {};
    std::int32_t hasMakeVideo = 0;
    std::int32_t makeVideo = 0;
    std::int32_t hasMakeAudio = 0;
    std::int32_t makeAudio = 0;
    std::int32_t hasWidth = 0;
    std::int32_t width = 0;
    std::int32_t hasHeight = 0;
    std::int32_t height = 0;
    std::int32_t hasFramesPerSecond = 0;
    double framesPerSecond = 0;
    // The exact rate as a fraction, for rates a double cannot carry
    // (30000 / 1001); handed in besides framesPerSecond, never instead.
    std::int32_t hasFrameRate = 0;
    std::int32_t frameRateNum = 0;
    std::int32_t frameRateDen = 0;
    // Tags for the made file's metadata; a tag not handed in is not written.
    std::int32_t hasAuthor = 0;
    char author[kPluginTextCapacity] = {};
    std::int32_t hasCopyright = 0;
    char copyright[kPluginTextCapacity] = {};
    std::int32_t hasComment = 0;
    char comment[kPluginTextCapacity] = {};
};

// Output audio handed to writeAudio: signed 16-bit, 2 channels, 44100 Hz.
constexpr int kPluginAudioRate = 44100;
constexpr int kPluginAudioChannels = 2;
constexpr int kPluginAudioBlockAlign = 4;

// An output writer. The virtual operations keep this order; a plugin built
// against this header is called through it.
class ExportPlugin {
public:
    // Destroys the object; the program never deletes it itself.
    virtual void release() = 0;
    // Opens the output described by the settings; false when it cannot.
    virtual bool begin(PluginWindow mainWindow) = 0;
    // Finishes and closes the output; harmless when begin failed.
    virtual void end() = 0;
    // Shows the options when there is a window; false cancels the make.
    virtual bool configure(PluginWindow mainWindow) = 0;
    virtual void writeVideo(std::int32_t timeMs, const LockedFrame& frame) = 0;
    // bytes of 16-bit stereo 44100 Hz samples starting at timeMs.
    virtual void writeAudio(std::int32_t timeMs, const void* buffer, std::int32_t bytes) = 0;
    // Kept free so that the extension stays the eighth operation.
    virtual void reserved() {}
    // With the leading "."; the text lives as long as the object.
    virtual const char* fileExtension(bool makeVideo, bool makeAudio) = 0;

    // Settings, written by the program (inline so both sides agree).
    bool SetOutputFile(std::string_view text) { return SetText(settings.outputFile, settings.hasOutputFile, text); }
    bool SetTitle(std::string_view text) { return SetText(settings.title, settings.hasTitle, text); }
    bool SetMakeVideo(bool on) { return Set(settings.makeVideo, settings.hasMakeVideo, on ? 1 : 0); }
    bool SetMakeAudio(bool on) { return Set(settings.makeAudio, settings.hasMakeAudio, on ? 1 : 0); }
    bool SetFrameWidth(std::int32_t width) { return Set(settings.width, settings.hasWidth, width); }
    bool SetFrameHeight(std::int32_t height) { return Set(settings.height, settings.hasHeight, height); }
    bool SetFramesPerSecond(double fps) {
        settings.framesPerSecond = fps;
        settings.hasFramesPerSecond = 1;
        return true;
    }
    bool SetFrameRate(std::int32_t num, std::int32_t den) {
        if (num <= 0 || den <= 0) return false;
        settings.frameRateNum = num;
        settings.frameRateDen = den;
        settings.hasFrameRate = 1;
        return true;
    }
    // Tags of an earlier make must not stay: a text setter refuses the empty text.
    void ClearTags() { settings.hasAuthor = settings.hasCopyright = settings.hasComment = 0; }
    bool SetAuthor(std::string_view text) { return SetText(settings.author, settings.hasAuthor, text); }
    bool SetCopyright(std::string_view text) { return SetText(settings.copyright, settings.hasCopyright, text); }
    bool SetComment(std::string_view text) { return SetText(settings.comment, settings.hasComment, text); }
    const char* FileTypeDescription() const { return settings.fileTypeDescription; }

    ExportSettings settings;

protected:
    ExportPlugin() = default;
    ~ExportPlugin() = default;  // only release() destroys
    ExportPlugin(const ExportPlugin&) = delete;
    ExportPlugin& operator=(const ExportPlugin&) = delete;

private:
    static bool SetText(char (&field)[kPluginTextCapacity], std::int32_t& flag, std::string_view text) {
        if (text.empty() || text.size() >= kPluginTextCapacity) return false;
        std::memcpy(field, text.data(), text.size());
        field[text.size()] = '\0';
        flag = 1;
        return true;
    }
    static bool Set(std::int32_t& field, std::int32_t& flag, std::int32_t value) {
        field = value;
        flag = 1;
        return true;
    }
};

// What video and audio effect plugins share: a name for the menus and the
// parameters the host turns into variables.
class EffectPlugin {
public:
    virtual void release() = 0;

    const char* displayName = nullptr;  // owned by the plugin
    std::int32_t parameterCount = 0;
    PluginParameter* parameters = nullptr;  // parameterCount entries

protected:
    EffectPlugin() = default;
    ~EffectPlugin() = default;
    EffectPlugin(const EffectPlugin&) = delete;
    EffectPlugin& operator=(const EffectPlugin&) = delete;
};

class VideoPlugin : public EffectPlugin {
public:
    // Reads source, writes destination, both the same size, inside rect.
    virtual bool process(const LockedFrame& source, LockedFrame& destination, const PluginRect& rect) = 0;

protected:
    ~VideoPlugin() = default;
};

class AudioPlugin : public EffectPlugin {
public:
    // bytes of 16-bit stereo 44100 Hz samples from input to output.
    virtual bool process(const void* input, void* output, std::int32_t bytes) = 0;

protected:
    ~AudioPlugin() = default;
};

using ExportPluginEntry = ExportPlugin* (*)();
using VideoPluginEntry = VideoPlugin* (*)();
using AudioPluginEntry = AudioPlugin* (*)();

constexpr const char* kExportPluginEntry = "VantrelExportPlugin";
constexpr const char* kVideoPluginEntry = "VantrelVideoPlugin";
constexpr const char* kAudioPluginEntry = "VantrelAudioPlugin";

}  // namespace vantrel
