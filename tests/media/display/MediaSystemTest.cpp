#include <gtest/gtest.h>

#include <QImage>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "items/UserFolders.h"
#include "items/ProgramFolder.h"
#include "media/display/MediaSystem.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/media/sources/MediaFixtures.h"
#include "tests/support/RecordingDrawContext.h"

namespace vantrel {
namespace {

using testing::TempFolder;

class DrawnWindow final : public Window {
public:
    Rect client{0, 0, 1024, 768};
    testing::RecordingDrawContext drawn;
    Rect ClientRect() const override { return client; }
    void SetTitle(const std::string&) override {}
    std::string Title() const override { return {}; }
    bool IsMinimised() const override { return false; }
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    void SetCursor(Cursor) override {}
    bool StartTimer(int, int) override { return true; }
    void StopTimer(int) override {}
    std::optional<Point> PointerPosition() const override { return {}; }
    std::vector<std::string> DroppedFiles(std::intptr_t) const override { return {}; }
    std::unique_ptr<DrawContext> BeginDraw() override { return std::make_unique<testing::RecordingDrawContext>(&drawn); }
    void Close() override {}
};

// Start-up writes into the temporary folder; each test gets its own.
class MediaSystemStart : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("TMPDIR", temp_.Path().c_str(), 1);
        ForgetPrivateTemporaryFolder();
    }
    void TearDown() override {
        if (oldTmp_)
            ::setenv("TMPDIR", oldTmp_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        ForgetPrivateTemporaryFolder();
    }
    MediaSystemOptions Options() {
        MediaSystemOptions options;
        options.window = &window_;
        options.progress = [this](const std::string& text) { events_.push_back(text); };
        options.hooks.startInternet = [this] { events_.push_back("internet"); };
        options.hooks.loadPlugins = [this] { events_.push_back("plugins"); };
        options.hooks.unloadPlugins = [this] { events_.push_back("unload plugins"); };
        options.hooks.stopInternet = [this] { events_.push_back("stop internet"); };
        return options;
    }
    ScriptedPlatform platform_;
    TempFolder temp_;
    std::optional<std::string> oldTmp_;
    DrawnWindow window_;
    std::vector<std::string> events_;
};

TEST_F(MediaSystemStart, ReportsItsStepsInOrderAndStopsWhatItStarted) {
    MediaSystem media;
    ASSERT_TRUE(media.Start(Options()));
    EXPECT_TRUE(media.IsUsable());
    media.Shutdown();
    media.Shutdown();  // a second shutdown does nothing
    const std::vector<std::string> expected = {
        "Initializing AVI System", "Initializing Direct Draw", "Seeking/Initializing DirectX Transform",
        "Initializing Internet Access", "internet", "plugins", "Initializing Surfaces",
        "unload plugins", "stop internet"};
    EXPECT_EQ(events_, expected);
    EXPECT_TRUE(platform_.dialogs.boxes.empty());
    EXPECT_FALSE(media.HasPicture(MediaSystem::kLargeStartupKey));
    EXPECT_EQ(media.WorkSurface(0), nullptr);
}

TEST_F(MediaSystemStart, HoldsTwoWorkSurfacesAndBothStartupPictures) {
    MediaSystem media;
    ASSERT_TRUE(media.Start(Options()));
    for (int i : {0, 1}) {
        Surface* work = media.WorkSurface(i);
        ASSERT_NE(work, nullptr);
        EXPECT_EQ(work->Width(), 1024);
        EXPECT_EQ(work->Height(), 768);
    }
    EXPECT_NE(media.WorkSurface(0), media.WorkSurface(1));
    EXPECT_EQ(media.WorkSurface(2), nullptr);
    EXPECT_EQ(media.EntryCount(), 4);
    EXPECT_FALSE(media.HasPicture(0));  // the work surfaces carry no key

    EXPECT_EQ(media.PictureRect(MediaSystem::kSmallStartupKey), (Rect{0, 0, 400, 193}));
    EXPECT_EQ(media.PictureRect(MediaSystem::kLargeStartupKey), (Rect{0, 0, 800, 386}));
    const Surface* large = media.Picture(MediaSystem::kLargeStartupKey);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(PixelAlpha(large->At(400, 200)), 0);  // read as a JPEG still
    // The file the pictures went through, in the program's private
    // temporary folder, holds the second one.
    const std::string file = TemporaryFolder() + "tmp048f7.jpg";
    EXPECT_EQ(file, temp_ / ("vantrel-" + std::to_string(getuid()) + "/tmp048f7.jpg"));
    ASSERT_TRUE(std::filesystem::exists(file));
    QImage written(QString::fromStdString(file));
    EXPECT_EQ(written.width(), 800);

    // Shown once, stretched into the middle of the window.
    ASSERT_EQ(window_.drawn.stretches.size(), 1u);
    EXPECT_EQ(window_.drawn.stretches[0].picture, large);
    EXPECT_EQ(window_.drawn.stretches[0].source, (Rect{0, 0, 800, 386}));
    EXPECT_EQ(window_.drawn.stretches[0].dest, MediaSystem::StartupPictureRect(window_.client));
}

TEST_F(MediaSystemStart, WithoutADisplayItSaysSoAndIsNotUsable) {
    MediaSystem media;
    MediaSystemOptions options = Options();
    options.displayAvailable = false;
    EXPECT_FALSE(media.Start(options));
    EXPECT_FALSE(media.IsUsable());
    ASSERT_EQ(platform_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform_.dialogs.boxes[0].text, "No DirectDraw Interface found.....");
    EXPECT_EQ(platform_.dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(media.CreateSurface(4, 4), nullptr);
    EXPECT_EQ(media.WorkSurface(0), nullptr);
    EXPECT_TRUE(window_.drawn.stretches.empty());
}

TEST_F(MediaSystemStart, StartsWithoutAWindow) {
    MediaSystem media;
    MediaSystemOptions options = Options();
    options.window = nullptr;
    ASSERT_TRUE(media.Start(options));
    EXPECT_TRUE(media.HasPicture(MediaSystem::kSmallStartupKey));
    EXPECT_EQ(events_.front(), "Initializing Direct Draw");
}

TEST(StartupPicture, PlacedInTheMiddleThirdWithItsOwnAspect) {
    struct Case {
        Rect client, expected;
    };
    const Case cases[] = {
        // 684 wide, 684 * 193 / 400 = 330 high, (768 - 330) / 2 = 219 down.
        {{0, 0, 1024, 768}, {170, 219, 854, 549}},
        {{0, 0, 600, 120}, {100, 0, 500, 120}},  // taller than the window: clipped
        {{0, 0, 60, 10}, {10, 0, 50, 10}},       // top above the window: clipped
        {{0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Rect r = MediaSystem::StartupPictureRect(c.client);
        if (c.expected.IsEmpty())
            EXPECT_TRUE(r.IsEmpty());
        else
            EXPECT_EQ(r, c.expected) << c.client.right << "x" << c.client.bottom;
    }
}

class KeyedPictures : public MediaSystemStart {
protected:
    void SetUp() override {
        MediaSystemStart::SetUp();
        MediaSystemOptions options = Options();
        options.window = nullptr;
        ASSERT_TRUE(media_.Start(options));
    }
    MediaSystem media_;
};

TEST_F(KeyedPictures, SurfacesAreMadeWithWidthsRoundedUpToFour) {
    struct Case {
        int width, height, expectedWidth;
    };
    for (const Case& c : {Case{1, 1, 4}, Case{4, 2, 4}, Case{5, 3, 8}, Case{1023, 1, 1024}, Case{1024, 768, 1024}}) {
        auto surface = media_.CreateSurface(c.width, c.height);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->Width(), c.expectedWidth) << c.width;
        EXPECT_EQ(surface->Pitch(), c.expectedWidth) << c.width;
        EXPECT_EQ(surface->Height(), c.height);
        EXPECT_EQ(surface->At(c.expectedWidth - 1, c.height - 1), 0u);
    }
    for (auto size : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-4, 4}, std::pair{16385, 16384},
                      std::pair{0x7FFFFFFE, 2}})
        EXPECT_EQ(media_.CreateSurface(size.first, size.second), nullptr) << size.first << "x" << size.second;
}

TEST_F(KeyedPictures, StoringUnderAKeyReplacesTheOldPictureAndKeyZeroIsNeverStored) {
    const int before = media_.EntryCount();
    EXPECT_FALSE(media_.StorePicture(0, media_.CreateSurface(4, 4)));
    EXPECT_FALSE(media_.HasPicture(0));
    EXPECT_EQ(media_.EntryCount(), before);

    ASSERT_TRUE(media_.StorePicture(77, media_.CreateSurface(8, 8), 7, 8));
    EXPECT_EQ(media_.PictureRect(77), (Rect{0, 0, 7, 8}));
    auto replacement = media_.CreateSurface(12, 2);
    const Surface* expected = replacement.get();
    ASSERT_TRUE(media_.StorePicture(77, std::move(replacement)));
    EXPECT_EQ(media_.Picture(77), expected);
    EXPECT_EQ(media_.PictureRect(77), (Rect{0, 0, 12, 2}));
    EXPECT_EQ(media_.EntryCount(), before + 1);

    // The start-up pictures are ordinary keyed pictures.
    ASSERT_TRUE(media_.StorePicture(MediaSystem::kLargeStartupKey, media_.CreateSurface(4, 4)));
    EXPECT_EQ(media_.EntryCount(), before + 1);
    EXPECT_TRUE(media_.RemovePicture(77));
    EXPECT_FALSE(media_.RemovePicture(77));
    EXPECT_FALSE(media_.RemovePicture(0));
    EXPECT_NE(media_.WorkSurface(1), nullptr);
}

TEST_F(KeyedPictures, PicturesLoadFromFilesThroughTheStillReaders) {
    QImage image(6, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    const std::string png = temp_ / "skin.png";
    ASSERT_TRUE(image.save(QString::fromStdString(png), "PNG"));
    PictureStore& store = media_;
    EXPECT_TRUE(store.LoadPicture(593, png));
    ASSERT_TRUE(store.HasPicture(593));
    EXPECT_EQ(store.Picture(593)->Width(), 8);
    EXPECT_EQ(media_.PictureRect(593), (Rect{0, 0, 6, 2}));
    EXPECT_EQ(store.Picture(593)->At(5, 1), MakePixel(3, 2, 1, 255));

    EXPECT_FALSE(store.LoadPicture(0, png));
    // A failed load keeps what was there.
    EXPECT_FALSE(store.LoadPicture(593, temp_ / "missing.png"));
    EXPECT_TRUE(store.HasPicture(593));
}

}  // namespace
}  // namespace vantrel
