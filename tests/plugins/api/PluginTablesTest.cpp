#include "plugins/api/PluginTables.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "items/ProgramFolder.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::string Fake(const std::string& name) { return std::string(FAKE_PLUGIN_DIR) + name + ".so"; }

bool IsLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

// Holds the library open for the test so its counters outlive the tables.
class Counters {
public:
    explicit Counters(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW)) {}
    ~Counters() {
        if (handle_) dlclose(handle_);
    }
    int Live() const { return *static_cast<int*>(dlsym(handle_, "liveObjects")); }
    int Made() const { return *static_cast<int*>(dlsym(handle_, "madeObjects")); }

private:
    void* handle_;
};

using testing::TempFolder;

TEST(PluginLoading, EachEntryFillsItsOwnTable) {
    struct Case {
        const char* library;
        PluginKind kind;
        const char* displayName;
    };
    // A library with several entries goes where the first in lookup order says.
    const Case cases[] = {
        {"fake_export", PluginKind::Export, "Fake Files"},
        {"fake_video", PluginKind::Video, "Fake Video video"},
        {"fake_audio", PluginKind::Audio, "Fake Audio"},
        {"fake_both", PluginKind::Export, "Fake Files"},
        {"fake_video_audio", PluginKind::Video, "Fake Video va"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        PluginTables tables;
        ASSERT_TRUE(tables.Load(Fake(c.library)));
        for (PluginKind kind : {PluginKind::Export, PluginKind::Video, PluginKind::Audio})
            EXPECT_EQ(tables.Table(kind).Count(), kind == c.kind ? 1 : 0);
        const PluginEntry* entry = tables.Table(c.kind).At(0);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->baseName, c.library);
        EXPECT_EQ(entry->displayName, c.displayName);
        EXPECT_EQ(tables.FirstExportPlugin() != nullptr, c.kind == PluginKind::Export);
    }
}

TEST(PluginLoading, RefusedLibrariesAreUnloaded) {
    for (const char* name : {"fake_none", "fake_export_null"}) {
        SCOPED_TRACE(name);
        PluginTables tables;
        EXPECT_FALSE(tables.Load(Fake(name)));
        EXPECT_FALSE(IsLoaded(Fake(name)));
        EXPECT_EQ(tables.FirstExportPlugin(), nullptr);
    }
    PluginTables tables;
    EXPECT_FALSE(tables.Load(Fake("no_such_plugin")));
    TempFolder folder;
    const fs::path garbage = fs::path(folder.Path()) / "garbage.so";
    { std::ofstream(garbage) << "not a shared object"; }
    EXPECT_FALSE(tables.Load(garbage.string()));
}

TEST(PluginLoading, EffectObjectMadeWhileLoadingIsReleasedButExportObjectLives) {
    Counters video(Fake("fake_video"));
    Counters exporter(Fake("fake_export"));
    {
        PluginTables tables;
        ASSERT_TRUE(tables.Load(Fake("fake_video")));
        ASSERT_TRUE(tables.Load(Fake("fake_export")));
        EXPECT_EQ(video.Made(), 1);
        EXPECT_EQ(video.Live(), 0);
        EXPECT_EQ(exporter.Live(), 1);

        VideoPlugin* effect = tables.CreateVideoPlugin(0);
        ASSERT_NE(effect, nullptr);
        ASSERT_EQ(effect->parameterCount, 2);
        EXPECT_STREQ(effect->parameters[1].identifier, "IDS_FAKE_GAIN");
        std::uint32_t in = 0x11223344, out = 0;
        LockedFrame source{1, 1, 1, &in}, destination{1, 1, 1, &out};
        EXPECT_TRUE(effect->process(source, destination, PluginRect{0, 0, 1, 1}));
        EXPECT_EQ(out, ~in);
        effect->release();
        EXPECT_EQ(tables.CreateVideoPlugin(1), nullptr);
        EXPECT_EQ(tables.CreateVideoPlugin(-1), nullptr);
        EXPECT_EQ(tables.CreateAudioPlugin(0), nullptr);
    }
    // The tables' destruction releases the export object before unloading.
    EXPECT_EQ(exporter.Live(), 0);
    EXPECT_EQ(video.Live(), 0);
}

TEST(PluginLoading, ShutdownUnloadsEveryLibrary) {
    PluginTables tables;
    ASSERT_TRUE(tables.Load(Fake("fake_export")));
    ASSERT_TRUE(tables.Load(Fake("fake_audio")));
    EXPECT_TRUE(IsLoaded(Fake("fake_audio")));
    tables.Shutdown();
    EXPECT_FALSE(IsLoaded(Fake("fake_export")));
    EXPECT_FALSE(IsLoaded(Fake("fake_audio")));
    EXPECT_EQ(tables.FirstExportPlugin(), nullptr);
    EXPECT_EQ(tables.Table(PluginKind::Audio).Count(), 0);
}

TEST(PluginLoading, SecondLibraryOfTheSameBaseNameIsSkippedWithSuccess) {
    TempFolder folder;
    const fs::path copy = fs::path(folder.Path()) / "fake_export.so";
    fs::copy_file(Fake("fake_video"), copy);  // same base name, other kind
    PluginTables tables;
    ASSERT_TRUE(tables.Load(Fake("fake_export")));
    EXPECT_TRUE(tables.Load(copy.string()));
    EXPECT_TRUE(tables.Load(Fake("fake_export")));
    EXPECT_EQ(tables.Table(PluginKind::Export).Count(), 1);
    EXPECT_EQ(tables.Table(PluginKind::Video).Count(), 0);
    EXPECT_FALSE(IsLoaded(copy.string()));
}

TEST(PluginLoading, FullTableRefusesTheNextLibraryAndUnloadsIt) {
    TempFolder folder;
    PluginTables tables;
    for (int i = 0; i <= PluginTable::kCapacity; ++i) {
        const fs::path copy = fs::path(folder.Path()) / ("video" + std::to_string(i) + ".so");
        fs::copy_file(Fake("fake_video"), copy);
        const bool loaded = tables.Load(copy.string());
        EXPECT_EQ(loaded, i < PluginTable::kCapacity) << i;
        if (!loaded) {
            EXPECT_FALSE(IsLoaded(copy.string()));
        }
    }
    EXPECT_EQ(tables.Table(PluginKind::Video).Count(), PluginTable::kCapacity);
    EXPECT_EQ(tables.DisplayNames(PluginKind::Video).size(), std::size_t(PluginTable::kCapacity));
}

TEST(PluginLoading, DefaultLibraryIsFoundInThePluginsFolderBesideTheProgram) {
    TempFolder folder;
    fs::create_directories(fs::path(folder.Path()) / "plugins");
    fs::copy_file(Fake("fake_export"), fs::path(folder.Path()) / "plugins" / "basalt.so");
    const std::string previous = ProgramFolder();
    SetProgramFolder(folder.Path());
    PluginTables tables;
    const bool loaded = tables.LoadDefault();
    SetProgramFolder(previous);
    ASSERT_TRUE(loaded);
    ASSERT_NE(tables.FirstExportPlugin(), nullptr);
    EXPECT_STREQ(tables.FirstExportPlugin()->fileExtension(true, true), ".fake");
    EXPECT_EQ(tables.Table(PluginKind::Export).At(0)->baseName, "basalt");
}

TEST(ExportSettings, TextsMustBeNonEmptyAndShorterThanTheirBuffer) {
    PluginTables tables;
    ASSERT_TRUE(tables.Load(Fake("fake_export")));
    ExportPlugin& plugin = *tables.FirstExportPlugin();
    EXPECT_EQ(plugin.settings.hasOutputFile, 0);

    struct Case {
        std::size_t length;
        bool accepted;
    };
    const Case cases[] = {{0, false}, {1, true}, {499, true}, {500, false}, {4000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        ASSERT_TRUE(plugin.SetOutputFile("/keep/me.mp4"));
        ASSERT_TRUE(plugin.SetTitle("keep"));
        EXPECT_EQ(plugin.SetOutputFile(text), c.accepted);
        EXPECT_EQ(plugin.SetTitle(text), c.accepted);
        // A refused text leaves the previous one whole.
        EXPECT_STREQ(plugin.settings.outputFile, c.accepted ? text.c_str() : "/keep/me.mp4");
        EXPECT_STREQ(plugin.settings.title, c.accepted ? text.c_str() : "keep");
        EXPECT_EQ(plugin.settings.hasOutputFile, 1);
    }
}

}  // namespace
}  // namespace vantrel
