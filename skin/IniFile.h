#pragma once
#include "values/TextCompare.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A text file of "[section]" headers and "key=value" lines, read and written
// the way Windows' profile functions do it: section and key names compare
// without regard to case, a value read is cut to kMaxValue characters, a
// missing key answers the caller's default, and writing a key replaces its
// line where it stands or appends it to its section. Lines we do not
// understand (comments, blank lines, stray text) are kept as they are so
// that a hand-edited file survives a save.
class IniFile {
public:
    static constexpr std::size_t kMaxValue = 1023;

    // A missing or unreadable file gives an empty IniFile and false.
    bool Load(const std::string& path);
    // Writes every line back with the line ends the file was read with
    // (CRLF when it had them, else LF).
    bool Save(const std::string& path) const;
    void Parse(std::string_view text);
    std::string Text() const;

    // The value without the spaces around it and without one pair of
    // matching quotes around it; nothing when the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // Leading decimal digits (with a sign) of the value; a value that does
    // not begin with a number reads as 0, a missing key as the fallback.
    int ReadInt(std::string_view section, std::string_view key, int fallback) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, int value);
    bool RemoveKey(std::string_view section, std::string_view key);
    bool RemoveSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    // Section names in file order, and the keys of one section.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

private:
    struct Line {
        std::string raw;  // kept for lines that are not keys
        std::string key;  // empty: not a key line
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
        bool headed = true;  // false for the lines before the first header
    };
    Section* Find(std::string_view name);
    const Section* Find(std::string_view name) const;
    static Line* FindKey(Section& section, std::string_view key);
    static const Line* FindKey(const Section& section, std::string_view key);

    std::vector<Section> sections_;
    bool crlf_ = false;
};

// Leading decimal digits with a sign, wrapping at 32 bits; 0 when the
// text does not begin with a number. What ReadInt makes of a value.
int ParseProfileInt(std::string_view text);

// ASCII-only case folding, the comparison every name in the program uses.

// One-shot access to a file, for callers that read or write a key or two.
std::string ReadProfileString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback);
int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int fallback);
// Creates the file when it does not exist; false when it cannot be written.
bool WriteProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace vantrel
