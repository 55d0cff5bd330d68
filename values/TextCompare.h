#pragma once
#include <string_view>

namespace vantrel {

// Names, keywords, skin sections and keys compare without regard to case,
// folding only A to Z: a byte of a multi-byte character never matches a
// letter by accident.
constexpr char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace vantrel
