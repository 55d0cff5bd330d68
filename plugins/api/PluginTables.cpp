#include "plugins/api/PluginTables.h"

#include <dlfcn.h>

#include <filesystem>

#include "items/ProgramFolder.h"

namespace vantrel {

namespace {
std::string BaseName(const std::string& path) { return std::filesystem::path(path).stem().string(); }

// dlsym answers data pointers; the entries are functions of known types.
template <class Function>
Function AsFunction(void* symbol) {
    return reinterpret_cast<Function>(symbol);
}
}  // namespace

const PluginEntry* PluginTable::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &entries_[std::size_t(index)];
}

bool PluginTables::Contains(const std::string& baseName) const {
    for (const PluginTable* table : {&exports_, &videos_, &audios_})
        for (const PluginEntry& entry : table->entries_)
            if (entry.baseName == baseName) return true;
    return false;
}

PluginTable& PluginTables::TableOf(PluginKind kind) {
    switch (kind) {
        case PluginKind::Export: return exports_;
        case PluginKind::Video: return videos_;
        case PluginKind::Audio: break;
    }
    return audios_;
}

const PluginTable& PluginTables::Table(PluginKind kind) const {
    return const_cast<PluginTables*>(this)->TableOf(kind);
}

bool PluginTables::Load(const std::string& path) {
    const std::string baseName = BaseName(path);
    if (Contains(baseName)) return true;

    // RTLD_LOCAL: two plugins may well define the same helper names.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return false;

    PluginEntry entry;
    entry.library = library;
    entry.baseName = baseName;
    PluginKind kind = PluginKind::Export;

    if (void* symbol = dlsym(library, kExportPluginEntry)) {
        ExportPlugin* object = AsFunction<ExportPluginEntry>(symbol)();
        if (!object) {
            dlclose(library);
            return false;
        }
        entry.entry = symbol;
        entry.object = object;
        const char* description = object->FileTypeDescription();
        entry.displayName = description ? description : baseName;
    } else {
        EffectPlugin* object = nullptr;
        if ((symbol = dlsym(library, kVideoPluginEntry))) {
            kind = PluginKind::Video;
            object = AsFunction<VideoPluginEntry>(symbol)();
        } else if ((symbol = dlsym(library, kAudioPluginEntry))) {
            kind = PluginKind::Audio;
            object = AsFunction<AudioPluginEntry>(symbol)();
        } else {
            dlclose(library);
            return false;
        }
        // An effect plugin that cannot make its object has nothing to show
        // in the menus and would fail every time it is chosen.
        if (!object) {
            dlclose(library);
            return false;
        }
        entry.entry = symbol;
        entry.displayName = object->displayName ? object->displayName : baseName;
        object->release();
    }

    PluginTable& table = TableOf(kind);
    if (table.IsFull()) {
        if (entry.object) entry.object->release();
        dlclose(library);
        return false;
    }
    table.entries_.push_back(std::move(entry));
    return true;
}

bool PluginTables::LoadDefault() { return Load(ProgramFolder() + kDefaultLibrary); }

void PluginTables::Shutdown() {
    // Every object goes before any library: an object's code lives in its
    // library, and one library's object may hold resources of another.
    for (PluginEntry& entry : exports_.entries_)
        if (entry.object) {
            entry.object->release();
            entry.object = nullptr;
        }
    for (PluginTable* table : {&exports_, &videos_, &audios_}) {
        for (PluginEntry& entry : table->entries_)
            if (entry.library) dlclose(entry.library);
        table->entries_.clear();
    }
}

ExportPlugin* PluginTables::FirstExportPlugin() const {
    const PluginEntry* first = exports_.At(0);
    return first ? first->object : nullptr;
}

VideoPlugin* PluginTables::CreateVideoPlugin(int index) const {
    const PluginEntry* entry = videos_.At(index);
    return entry ? AsFunction<VideoPluginEntry>(entry->entry)() : nullptr;
}

AudioPlugin* PluginTables::CreateAudioPlugin(int index) const {
    const PluginEntry* entry = audios_.At(index);
    return entry ? AsFunction<AudioPluginEntry>(entry->entry)() : nullptr;
}

std::vector<std::string> PluginTables::DisplayNames(PluginKind kind) const {
    std::vector<std::string> names;
    for (const PluginEntry& entry : Table(kind).entries_) names.push_back(entry.displayName);
    return names;
}

}  // namespace vantrel
