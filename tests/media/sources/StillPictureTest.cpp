#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "media/sources/MediaOpen.h"
#include "media/sources/StillPicture.h"
#include "tests/media/sources/MediaFixtures.h"

extern "C" {
#include <jpeglib.h>
}

namespace vantrel {
namespace {

using testing::Ffmpeg;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class StillPictures : public ::testing::Test {
protected:
    // A red 16 x 8 JPEG from ffmpeg's encoder.
    std::string Jpeg(const std::string& name) {
        const std::string path = folder_ / name;
        EXPECT_TRUE(Ffmpeg("-f lavfi -i color=0xE02010:s=16x8 -frames:v 1 -pix_fmt yuvj444p -f mjpeg " + path));
        return path;
    }
    TempFolder folder_;
};

TEST_F(StillPictures, ImageLibraryPicturesKeepTheirPixelsAndAlphaInARoundedSurface) {
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(4, 2, qRgba(200, 100, 50, 128));
    const std::string path = folder_ / "five.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));

    auto still = StillSource::Open(path);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->Kind(), SourceKind::Still);
    EXPECT_EQ(still->Width(), 5);
    EXPECT_EQ(still->Height(), 3);
    const Surface& picture = still->Picture();
    EXPECT_EQ(picture.Width(), 8);
    EXPECT_EQ(picture.Pitch(), 8);
    EXPECT_EQ(picture.At(0, 0), MakePixel(30, 20, 10, 255));
    EXPECT_EQ(picture.At(4, 2), MakePixel(50, 100, 200, 128));
    for (int y = 0; y < 3; ++y)
        for (int x = 5; x < 8; ++x) EXPECT_EQ(picture.At(x, y), 0u) << x << "," << y;
}

TEST_F(StillPictures, JpegGoesThroughOurReaderWithAlphaZero) {
    const std::string path = Jpeg("red.jpg");
    StillImage viaLibrary;
    EXPECT_FALSE(ReadWithImageLibrary(path, viaLibrary));  // JPEG is never the image library's

    auto still = StillSource::Open(path);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->Width(), 16);
    EXPECT_EQ(still->Height(), 8);
    const Surface& picture = still->Picture();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(PixelAlpha(picture.At(x, y)), 0);
    const Pixel p = picture.At(8, 4);
    EXPECT_NEAR(PixelRed(p), 0xE0, 6);
    EXPECT_NEAR(PixelGreen(p), 0x20, 6);
    EXPECT_NEAR(PixelBlue(p), 0x10, 6);
}

// A one-component JPEG of a horizontal ramp, written with libjpeg itself.
bool WriteGreyJpeg(const std::string& path, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) row[std::size_t(x)] = JSAMPLE(x * 255 / (width - 1));
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

TEST_F(StillPictures, GreyJpegIsWidenedToEqualChannels) {
    ASSERT_TRUE(WriteGreyJpeg(folder_ / "grey.jpeg", 32, 8));
    auto still = StillSource::Open(folder_ / "grey.jpeg");
    ASSERT_NE(still, nullptr);
    for (int x : {0, 16, 31}) {
        const Pixel p = still->Picture().At(x, 3);
        EXPECT_EQ(PixelRed(p), PixelGreen(p));
        EXPECT_EQ(PixelGreen(p), PixelBlue(p));
        EXPECT_NEAR(PixelRed(p), x * 255 / 31, 8);
        EXPECT_EQ(PixelAlpha(p), 0);
    }
}

TEST_F(StillPictures, TheNameDecidesWhetherAFileIsJpeg) {
    const std::string original = Jpeg("source.jpg");
    const std::vector<std::uint8_t> bytes = ReadBytes(original);
    struct Case {
        const char* name;
        bool opens;
    };
    for (const Case& c : {Case{".jpg", false}, Case{".JPEG", false}, Case{"a.JPG", true},
                          Case{"b.Jpeg", true}, Case{"c.png", false}, Case{"d.jpg.txt", false}}) {
        ASSERT_TRUE(WriteBytes(folder_ / c.name, bytes));
        EXPECT_EQ(StillSource::Open(folder_ / c.name) != nullptr, c.opens) << c.name;
    }
}

TEST_F(StillPictures, BitmapsOpenUnderEveryBitmapName) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    const std::string bmp = folder_ / "pic.bmp";
    ASSERT_TRUE(image.save(QString::fromStdString(bmp), "BMP"));
    ASSERT_TRUE(WriteBytes(folder_ / "pic.dib", ReadBytes(bmp)));
    for (const char* name : {"pic.bmp", "pic.dib"}) {
        auto still = StillSource::Open(folder_ / name);
        ASSERT_NE(still, nullptr) << name;
        EXPECT_EQ(still->Picture().At(2, 1), MakePixel(3, 2, 1, 255)) << name;
    }
}

// Files that must fail to open, quickly and without a crash or a large allocation.
class BadStills : public StillPictures {
protected:
    void ExpectRefused(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(WriteBytes(folder_ / name, bytes));
        EXPECT_EQ(StillSource::Open(folder_ / name), nullptr) << name;
        EXPECT_EQ(OpenMediaSource(folder_ / name), nullptr) << name;
    }
};

TEST_F(BadStills, RandomBytesTruncationAndMetafilesFail) {
    std::mt19937 random(99);
    std::vector<std::uint8_t> noise(20000);
    for (auto& b : noise) b = std::uint8_t(random());
    for (const char* name : {"noise.jpg", "noise.png", "noise.bmp", "noise.gif", "noise.ico", "noise.wmf",
                             "noise.emf", "noise.avi", "noise.mp4", "noise.wav", "noise"})
        ExpectRefused(name, noise);

    std::vector<std::uint8_t> jpeg = ReadBytes(Jpeg("whole.jpg"));
    jpeg.resize(jpeg.size() / 2);
    ExpectRefused("half.jpg", jpeg);

    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(qRgb(9, 9, 9));
    ASSERT_TRUE(image.save(QString::fromStdString(folder_ / "whole.png"), "PNG"));
    std::vector<std::uint8_t> png = ReadBytes(folder_ / "whole.png");
    png.resize(40);
    ExpectRefused("half.png", png);
}

TEST_F(BadStills, HeadersClaimingHugePicturesAreRefusedBeforeAllocating) {
    // A bitmap header of 100000 x 100000 pixels with almost nothing after it.
    std::vector<std::uint8_t> bmp;
    bmp.insert(bmp.end(), {'B', 'M'});
    testing::Append32(bmp, 54 + 64);
    testing::Append32(bmp, 0);
    testing::Append32(bmp, 54);
    testing::Append32(bmp, 40);
    testing::Append32(bmp, 100000);
    testing::Append32(bmp, 100000);
    testing::Append16(bmp, 1);
    testing::Append16(bmp, 24);
    for (int i = 0; i < 6; ++i) testing::Append32(bmp, 0);
    bmp.resize(bmp.size() + 64, 0x55);
    ExpectRefused("huge.bmp", bmp);

    // A JPEG whose frame header says 60000 x 60000.
    std::vector<std::uint8_t> jpeg = ReadBytes(Jpeg("small.jpg"));
    bool patched = false;
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = jpeg[i + 7] = 0xEA;
            jpeg[i + 6] = jpeg[i + 8] = 0x60;
            patched = true;
            break;
        }
    ASSERT_TRUE(patched);
    ExpectRefused("huge.jpg", jpeg);
}

}  // namespace
}  // namespace vantrel
