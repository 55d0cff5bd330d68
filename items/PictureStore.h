#pragma once
#include <string>

namespace vantrel {

class Surface;

// Pictures kept under integer keys (skin images under their string id,
// stills and start-up pictures under their own keys). The media system is
// the one store of the program; items only see this much of it.
class PictureStore {
public:
    virtual ~PictureStore() = default;
    virtual bool HasPicture(int key) const = 0;
    // Loads a picture file under the key, replacing what was there.
    virtual bool LoadPicture(int key, const std::string& path) = 0;
    virtual const Surface* Picture(int key) const = 0;
};

}  // namespace vantrel
