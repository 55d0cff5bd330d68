#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

// Every caption, message, menu entry and command number is an id here.
// One table for the program (the program context's); the skin may replace
// any text.
class StringTable {
public:
    static constexpr int kEntries = 1024;
    static constexpr std::size_t kMaxText = 1023;  // plus the terminating zero

    // Ids outside 1 .. 1023 give the empty string.
    const std::string& Text(int id) const;
    // Texts longer than kMaxText are cut; ids outside the range are ignored.
    bool Set(int id, std::string_view text);
    // Back to the resource texts.
    void LoadResources();

    // The table of the context in force.
    static StringTable& Instance();

private:
    std::array<std::string, kEntries> texts_;
};

// Shorthand for the process-wide table.
inline const std::string& Str(int id) { return StringTable::Instance().Text(id); }

struct StringResource {
    int id;
    std::string_view text;
};
// The built-in texts, in id order.
std::span<const StringResource> StringResources();

}  // namespace vantrel
