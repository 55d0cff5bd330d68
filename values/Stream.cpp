#include "values/Stream.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

std::size_t FileInStream::Read(void* data, std::size_t size) {
    return file_ && size ? std::fread(data, 1, size, file_) : 0;
}

bool FileOutStream::Write(const void* data, std::size_t size) {
    return file_ && std::fwrite(data, 1, size, file_) == size;
}

std::size_t MemoryInStream::Read(void* data, std::size_t size) {
    const std::size_t n = std::min(size, size_ - position_);
    if (n) std::memcpy(data, data_ + position_, n);
    position_ += n;
    return n;
}

bool MemoryOutStream::Write(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
    return true;
}

}  // namespace vantrel
