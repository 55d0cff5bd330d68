#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "media/sources/MediaSource.h"

namespace vantrel {

// The still-picture readers, tried in this order by StillSource::Open. Each
// fills a picture surface (rounded width) and the true size, or answers
// false and leaves nothing behind.
struct StillImage {
    Surface surface;
    int width = 0, height = 0;
};

// Every format the image library knows except JPEG, which has its own
// reader so that its pixels come out the same on every system.
bool ReadWithImageLibrary(const std::string& path, StillImage& out);
// ".jpg"/".jpeg" only; pixels get alpha 0.
bool ReadJpeg(const std::string& path, StillImage& out);
// ".wmf"/".emf": no renderer is available, so these fail cleanly.
bool ReadMetafile(const std::string& path, StillImage& out);
// ".bmp", ".dib", ".ico", ".cur", read as the format the name says.
bool ReadBitmapByName(const std::string& path, StillImage& out);

// The file name (after the last '/', '\\' or ':') ends in ending, ignoring
// the case of A to Z, and has something before it.
bool NameEndsWith(std::string_view path, std::string_view ending);

class StillSource final : public MediaSource {
public:
    static std::unique_ptr<StillSource> Open(const std::string& path);
    SourceKind Kind() const override { return SourceKind::Still; }
};

// Convenience for the picture store: the first reader that succeeds.
bool ReadStill(const std::string& path, StillImage& out);

}  // namespace vantrel
