#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/core/ProgramFolder.h"
#include "skin/SettingsStore.h"

namespace vantrel {

// A program folder of its own per test, and a store rebuilt in English.
class SkinStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("vantrel_skin_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previousFolder_ = ProgramFolder();
        SetProgramFolder(folder_.string());
        store().ApplyLanguage(SettingsStore::kEnglish);
    }
    void TearDown() override {
        SetProgramFolder(previousFolder_);
        store().ApplyLanguage(SettingsStore::kEnglish);
        std::filesystem::remove_all(folder_);
    }
    static SettingsStore& store() { return SettingsStore::Instance(); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
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

    std::filesystem::path folder_;
    std::string previousFolder_;
};

}  // namespace vantrel
