#include "model/clips/ClipHeader.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

std::string ClipHeader::Text(std::size_t offset, std::size_t size) const {
    const char* begin = reinterpret_cast<const char*>(bytes_.data() + offset);
    return std::string(begin, strnlen(begin, size));
}

namespace {
// A cut that would split a UTF-8 sequence ends before it instead.
std::string_view WholeCharacters(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text;
    std::size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}
}  // namespace

std::optional<std::string> ClipHeader::Words() const {
    if (!(Int(kTextFlags) & kWordsStored)) return std::nullopt;
    return Text(kWords, kWordsSize);
}

void ClipHeader::SetWords(std::string_view words) {
    SetText(kWords, kWordsSize, WholeCharacters(words, kWordsSize - 1));
    SetInt(kTextFlags, Int(kTextFlags) | kWordsStored);
}

std::optional<std::string> ClipHeader::TypefaceName() const {
    if (!(Int(kTextFlags) & kTypefaceStored)) return std::nullopt;
    const std::string name = Text(kTypeface, kTypefaceSize);
    if (name.empty()) return std::nullopt;
    return name;
}

void ClipHeader::SetTypefaceName(std::string_view name) {
    SetText(kTypeface, kTypefaceSize, WholeCharacters(name, kTypefaceSize - 1));
    SetInt(kTextFlags, Int(kTextFlags) | kTypefaceStored);
}

void ClipHeader::SetText(std::size_t offset, std::size_t size, std::string_view text) {
    std::uint8_t* field = bytes_.data() + offset;
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

}  // namespace vantrel
