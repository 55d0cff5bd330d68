#pragma once
#include <map>

#include "items/PictureStore.h"
#include "values/Surface.h"

namespace vantrel {

// Pictures in memory under their keys, decoded by the platform. Serves as
// the media system until the real one is plugged in.
class MemoryPictureStore final : public PictureStore {
public:
    bool HasPicture(int key) const override { return pictures_.count(key) != 0; }
    // A picture that will not load leaves the one under the key in place.
    bool LoadPicture(int key, const std::string& path) override;
    const Surface* Picture(int key) const override;

private:
    std::map<int, Surface> pictures_;
};

}  // namespace vantrel
