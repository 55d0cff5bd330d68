#include "shell/MemoryPictureStore.h"

#include "platform/qt/QtPlatform.h"

namespace vantrel {

bool MemoryPictureStore::LoadPicture(int key, const std::string& path) {
    Surface loaded;
    if (!LoadPictureFile(path, loaded)) return false;
    pictures_[key] = std::move(loaded);
    return true;
}

const Surface* MemoryPictureStore::Picture(int key) const {
    const auto it = pictures_.find(key);
    return it == pictures_.end() ? nullptr : &it->second;
}

}  // namespace vantrel
