#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "items/Control.h"
#include "items/PictureStore.h"
#include "items/ProgramFolder.h"
#include "values/Surface.h"
#include "controls/SkinServices.h"
#include "platform/qt/PainterDrawContext.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "skin/SettingsStore.h"
#include "tests/skin/SkinTestSupport.h"

namespace vantrel {

// Pictures in memory; a path containing "broken" does not load.
class FakePictures : public PictureStore {
public:
    bool HasPicture(int key) const override { return pictures.count(key) != 0; }
    bool LoadPicture(int key, const std::string& path) override {
        loads.push_back({key, path});
        if (path.find("broken") != std::string::npos) return false;
        Surface picture(3, 2);
        picture.Fill(picture.Bounds(), MakePixel(10, 20, 30, 255));
        pictures[key] = picture;
        return true;
    }
    const Surface* Picture(int key) const override {
        auto it = pictures.find(key);
        return it == pictures.end() ? nullptr : &it->second;
    }
    std::map<int, Surface> pictures;
    std::vector<std::pair<int, std::string>> loads;
};

// A parent that records the commands its children send and answers as told.
class RecordingParent : public Control {
public:
    bool Command(Window*, int command, ResultFlags& out) override {
        commands.push_back(command);
        if (!handles) return false;
        out |= answer;
        return true;
    }
    std::vector<int> commands;
    bool handles = false;
    ResultFlags answer = 0;
};

// Scripted dialogs and clock, the skin services installed, an English
// store in a program folder of its own, and a surface to paint into.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("vantrel_controls_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previousFolder_ = ProgramFolder();
        SetProgramFolder(folder_.string());
        config_.Set((folder_ / "home-config").string());
        data_.Set((folder_ / "home-data").string());
        SkinStartup startup;
        startup.language = SettingsStore::kEnglish;
        startup.statusText = [this](const std::string& text) { status_.push_back(text); };
        startup.imageLoaded = [this](Control&, int id) { loaded_.push_back(id); };
        previousServices_ = SetControlServices(nullptr);
        StartSkin(startup);
        surface_.Allocate(40, 20);
    }
    void TearDown() override {
        SetControlServices(previousServices_);
        SetProgramFolder(previousFolder_);
        config_.Restore();
        data_.Restore();
        SettingsStore::Instance().ApplyLanguage(SettingsStore::kEnglish);
        std::filesystem::remove_all(folder_);
    }
    // Places a control as a parent's child, without the application an
    // attachment would ask for.
    void Place(Control& control, int id, int style, const Rect& rect) {
        control.SetId(id);
        control.SetStyleId(style);
        control.SetRectangle(rect);
        control.SetMedia(&pictures_);
        control.SetParent(&parent_);
    }
    Colour At(int x, int y) const { return Rgb(PixelRed(surface_.At(x, y)), PixelGreen(surface_.At(x, y)), PixelBlue(surface_.At(x, y))); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string UserPath(const std::string& name) const {
        return (folder_ / "home-config" / "vantrel" / name).string();
    }

    ScriptedPlatform platform_;
    ScriptedWindow window_;
    FakePictures pictures_;
    RecordingParent parent_;
    Surface surface_;
    std::vector<std::string> status_;
    std::vector<int> loaded_;  // ids the image hook heard of
    std::filesystem::path folder_;
    std::string previousFolder_;
    ControlServices* previousServices_ = nullptr;
    ScopedVariable config_{"XDG_CONFIG_HOME"}, data_{"XDG_DATA_HOME"};
};

}  // namespace vantrel
