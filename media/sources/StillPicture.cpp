#include "media/sources/StillPicture.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace vantrel {

namespace {

std::string_view FileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool FitsSurface(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= INT32_MAX - 3 &&
           std::int64_t(RoundedWidth(int(width))) * height <= Surface::kMaxPixels;
}

bool FromQImage(const QImage& image, StillImage& out) {
    if (image.isNull() || !FitsSurface(image.width(), image.height())) return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) return false;
    StillImage result;
    if (!AllocatePictureSurface(result.surface, argb.width(), argb.height())) return false;
    result.width = argb.width();
    result.height = argb.height();
    for (int y = 0; y < result.height; ++y)
        std::memcpy(result.surface.Row(y), argb.constScanLine(y), std::size_t(result.width) * 4);
    out = std::move(result);
    return true;
}

bool ReadQImage(QImageReader& reader, StillImage& out) {
    const QSize size = reader.size();
    if (size.isValid() && !FitsSurface(size.width(), size.height())) return false;
    QImage image;
    if (!reader.read(&image)) return false;
    return FromQImage(image, out);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool truncated;
};

void JpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegMessage(j_common_ptr info, int level) {
    // A file that ends early decodes as grey filler; we would rather refuse it.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<JpegError*>(info->err)->truncated = true;
}

// Kept free of C++ objects with destructors: longjmp leaves through it.
bool DecodeJpeg(std::FILE* file, Surface* surface, int* width, int* height) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegFail;
    error.manager.emit_message = JpegMessage;
    error.truncated = false;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        surface->Release();
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // Grey pictures are widened to RGB; four-component (CMYK) ones are not read.
    if ((info.num_components != 3 && info.num_components != 1) ||
        !FitsSurface(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || !AllocatePictureSurface(*surface, int(info.output_width),
                                                               int(info.output_height))) {
        jpeg_destroy_decompress(&info);
        surface->Release();
        return false;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height && !error.truncated) {
        const int y = int(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) break;
        std::uint8_t* out = reinterpret_cast<std::uint8_t*>(surface->Row(y));
        const JSAMPLE* in = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, in += 3, out += 4) {
            out[2] = in[0];
            out[1] = in[1];
            out[0] = in[2];
            out[3] = 0;
        }
    }
    const bool complete = info.output_scanline == info.output_height && !error.truncated;
    *width = int(info.output_width);
    *height = int(info.output_height);
    if (complete) jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (!complete) surface->Release();
    return complete;
}

}  // namespace

bool NameEndsWith(std::string_view path, std::string_view ending) {
    const std::string_view name = FileName(path);
    if (name.size() <= ending.size()) return false;
    const std::string_view tail = name.substr(name.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (FoldAscii(tail[i]) != FoldAscii(ending[i])) return false;
    return true;
}

bool ReadWithImageLibrary(const std::string& path, StillImage& out) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format.isEmpty() || format == "jpeg" || format == "jpg") return false;
    return ReadQImage(reader, out);
}

bool ReadJpeg(const std::string& path, StillImage& out) {
    if (!NameEndsWith(path, ".jpg") && !NameEndsWith(path, ".jpeg")) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    StillImage result;
    const bool ok = DecodeJpeg(file, &result.surface, &result.width, &result.height);
    std::fclose(file);
    if (ok) out = std::move(result);
    return ok;
}

bool ReadMetafile(const std::string&, StillImage&) { return false; }

bool ReadBitmapByName(const std::string& path, StillImage& out) {
    const char* format = nullptr;
    if (NameEndsWith(path, ".bmp") || NameEndsWith(path, ".dib"))
        format = "bmp";
    else if (NameEndsWith(path, ".ico"))
        format = "ico";
    else if (NameEndsWith(path, ".cur"))
        format = "cur";
    if (!format) return false;
    QImageReader reader(QString::fromStdString(path), format);
    reader.setAutoDetectImageFormat(false);
    return ReadQImage(reader, out);
}

bool ReadStill(const std::string& path, StillImage& out) {
    if (ReadWithImageLibrary(path, out) || ReadJpeg(path, out)) return true;
    if (NameEndsWith(path, ".wmf") || NameEndsWith(path, ".emf")) return ReadMetafile(path, out);
    return ReadBitmapByName(path, out);
}

std::unique_ptr<StillSource> StillSource::Open(const std::string& path) {
    StillImage image;
    if (!ReadStill(path, image)) return nullptr;
    std::unique_ptr<StillSource> source(new StillSource);
    source->picture_ = std::move(image.surface);
    source->width_ = image.width;
    source->height_ = image.height;
    source->SetPath(path);
    return source;
}

}  // namespace vantrel
