#pragma once
#include <string>
#include <vector>

#include "plugins/api/PluginApi.h"

namespace vantrel {

enum class PluginKind { Export, Video, Audio };

// One loaded library. For video and audio plugins the entry makes a new
// effect object each time one is wanted; for an export plugin the one live
// object made at load time is kept here.
struct PluginEntry {
    void* library = nullptr;
    void* entry = nullptr;
    std::string baseName;     // file name without folder and extension
    std::string displayName;
    ExportPlugin* object = nullptr;
};

class PluginTable {
public:
    static constexpr int kCapacity = 128;
    int Count() const { return int(entries_.size()); }
    bool IsFull() const { return Count() >= kCapacity; }
    // nullptr outside 0 .. Count() - 1.
    const PluginEntry* At(int index) const;

private:
    friend class PluginTables;
    std::vector<PluginEntry> entries_;
};

// The three tables of loaded plugin libraries, owned by the media system.
class PluginTables {
public:
    // The export plugin that ships with the program, beside the executable.
    static constexpr const char* kDefaultLibrary = "plugins/basalt.so";

    PluginTables() = default;
    ~PluginTables() { Shutdown(); }
    PluginTables(const PluginTables&) = delete;
    PluginTables& operator=(const PluginTables&) = delete;

    // True when the library was added, or one of the same base name already
    // was; false when it cannot be loaded, has none of the entries, its export
    // entry makes no object, or its table is full (the library is unloaded).
    bool Load(const std::string& path);
    // ProgramFolder() + kDefaultLibrary.
    bool LoadDefault();
    // Releases every export object and unloads every library.
    void Shutdown();

    const PluginTable& Table(PluginKind kind) const;
    // The writer Make uses: the first export entry's object, or nullptr.
    ExportPlugin* FirstExportPlugin() const;
    // A new effect object from entry index of that table (nullptr when the
    // index is out of range or the plugin makes nothing); the caller owns
    // it and gives it back with release().
    VideoPlugin* CreateVideoPlugin(int index) const;
    AudioPlugin* CreateAudioPlugin(int index) const;
    // Display names in table order, for the "Plugin Effects" menus.
    std::vector<std::string> DisplayNames(PluginKind kind) const;

private:
    bool Contains(const std::string& baseName) const;
    PluginTable& TableOf(PluginKind kind);

    PluginTable exports_, videos_, audios_;
};

}  // namespace vantrel
