#include "media/clips/ClipHeader.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

std::string ClipHeader::Text(std::size_t offset, std::size_t size) const {
    const char* begin = reinterpret_cast<const char*>(bytes_.data() + offset);
    return std::string(begin, strnlen(begin, size));
}

void ClipHeader::SetText(std::size_t offset, std::size_t size, std::string_view text) {
    std::uint8_t* field = bytes_.data() + offset;
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

}  // namespace vantrel
