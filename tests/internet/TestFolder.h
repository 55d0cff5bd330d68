#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "items/UserFolders.h"

namespace vantrel::test {

// A private temporary folder that also stands in for the system's one
// (TMPDIR), so downloads into "the temporary folder" stay inside the test.
class TestFolder {
public:
    TestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("vantrel-internet-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(path_);
        if (const char* old = std::getenv("TMPDIR")) oldTemp_ = old, hadTemp_ = true;
        ::setenv("TMPDIR", path_.c_str(), 1);
        ForgetPrivateTemporaryFolder();  // made afresh below the new TMPDIR
        // A proxy set for the machine must not catch the loopback server.
        if (const char* old = std::getenv("no_proxy")) oldNoProxy_ = old, hadNoProxy_ = true;
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    }
    ~TestFolder() {
        hadTemp_ ? ::setenv("TMPDIR", oldTemp_.c_str(), 1) : ::unsetenv("TMPDIR");
        ForgetPrivateTemporaryFolder();
        hadNoProxy_ ? ::setenv("no_proxy", oldNoProxy_.c_str(), 1) : ::unsetenv("no_proxy");
        std::filesystem::remove_all(path_);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string oldTemp_, oldNoProxy_;
    bool hadTemp_ = false, hadNoProxy_ = false;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

}  // namespace vantrel::test
