#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <fstream>
#include <sstream>
#include <string>

#include "items/ProgramContext.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "skin/SettingsStore.h"

namespace vantrel {

// Sets an environment variable for a test and puts the old value back.
class ScopedVariable {
public:
    explicit ScopedVariable(const char* name) : name_(name) {
        const char* value = std::getenv(name);
        had_ = value != nullptr;
        if (had_) old_ = value;
    }
    void Set(const std::string& value) { ::setenv(name_, value.c_str(), 1); }
    void Restore() {
        if (had_) ::setenv(name_, old_.c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// A program folder, a string table and a settings store of its own per
// test, in English, in force through the test's own program context.
class SkinStoreTest : public ::testing::Test {
protected:
    SkinStoreTest() : scope_(context_) {
        context_.strings = &strings_;
        strings_.LoadResources();
        store_ = std::make_unique<SettingsStore>();
        context_.settings = store_.get();
    }
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("vantrel_skin_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previousFolder_ = ProgramFolder();
        SetProgramFolder(folder_.string());
        // The user's folders lie beside the program folder, never in the
        // home of whoever runs the tests.
        config_.Set((folder_ / "home-config").string());
        data_.Set((folder_ / "home-data").string());
        store().ApplyLanguage(SettingsStore::kEnglish);
    }
    void TearDown() override {
        SetProgramFolder(previousFolder_);
        config_.Restore();
        data_.Restore();
        std::filesystem::remove_all(folder_);
    }
    static SettingsStore& store() { return SettingsStore::Instance(); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    // A file of the user's configuration folder.
    std::string UserPath(const std::string& name) const {
        return (folder_ / "home-config" / "vantrel" / name).string();
    }
    void WriteFile(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((folder_ / name).parent_path());
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    std::string ReadFile(const std::string& name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ProgramContext context_;
    ScopedProgramContext scope_;
    StringTable strings_;
    std::unique_ptr<SettingsStore> store_;
    std::filesystem::path folder_;
    std::string previousFolder_;
    ScopedVariable config_{"XDG_CONFIG_HOME"}, data_{"XDG_DATA_HOME"};
};

}  // namespace vantrel
