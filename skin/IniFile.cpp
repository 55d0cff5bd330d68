#include "skin/IniFile.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace vantrel {

namespace {

std::string_view Trim(std::string_view s) {
    const char* spaces = " \t\r\n\f\v";
    std::size_t first = s.find_first_not_of(spaces);
    if (first == std::string_view::npos) return {};
    std::size_t last = s.find_last_not_of(spaces);
    return s.substr(first, last - first + 1);
}

}  // namespace

bool IniFile::Load(const std::string& path) {
    sections_.clear();
    crlf_ = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str());
    return true;
}

void IniFile::Parse(std::string_view text) {
    sections_.clear();
    crlf_ = text.find("\r\n") != std::string_view::npos;
    // Editors on some systems put a byte-order mark first; left in, it
    // would hide the first section header.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    sections_.push_back(Section{{}, {}, false});
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string_view raw = text.substr(pos, end == std::string_view::npos ? text.npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string_view line = Trim(raw);
        if (!line.empty() && line.front() == '[') {
            std::size_t close = line.find(']');
            std::string_view name = line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            sections_.push_back(Section{std::string(Trim(name)), {}, true});
            continue;
        }
        Line entry{std::string(raw), {}, {}};
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0) {
            entry.key = std::string(Trim(line.substr(0, equals)));
            entry.value = std::string(Trim(line.substr(equals + 1)));
        }
        sections_.back().lines.push_back(std::move(entry));
    }
}

std::string IniFile::Text() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    std::string out;
    for (const Section& section : sections_) {
        if (section.headed) out.append("[").append(section.name).append("]").append(eol);
        for (const Line& line : section.lines) {
            if (line.key.empty()) out.append(line.raw);
            else out.append(line.key).append("=").append(line.value);
            out.append(eol);
        }
    }
    return out;
}

namespace {

bool WriteWhole(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    return bool(out);
}

}  // namespace

bool IniFile::Save(const std::string& path) const {
    const std::string text = Text();
    // The default skin file holds every preference: a full disk or a crash
    // halfway through must leave the old file, not half of a new one.
    const std::string temporary = path + ".new";
    if (WriteWhole(temporary, text)) {
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
        std::filesystem::remove(temporary, error);
    }
    return WriteWhole(path, text);
}

IniFile::Section* IniFile::Find(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).Find(name));
}

const IniFile::Section* IniFile::Find(std::string_view name) const {
    // The first of two equal headers wins, as it does for the profile functions.
    for (const Section& section : sections_)
        if (section.headed && EqualsNoCase(section.name, name)) return &section;
    return nullptr;
}

IniFile::Line* IniFile::FindKey(Section& section, std::string_view key) {
    return const_cast<Line*>(FindKey(std::as_const(section), key));
}

const IniFile::Line* IniFile::FindKey(const Section& section, std::string_view key) {
    for (const Line& line : section.lines)
        if (!line.key.empty() && EqualsNoCase(line.key, key)) return &line;
    return nullptr;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const Section* found = Find(section);
    if (!found) return std::nullopt;
    const Line* line = FindKey(*found, key);
    if (!line) return std::nullopt;
    std::string_view value = line->value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxValue));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    if (auto value = Get(section, key)) return *value;
    return std::string(Trim(fallback).substr(0, kMaxValue));
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    auto value = Get(section, key);
    if (!value) return fallback;
    return ParseProfileInt(*value);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view name = Trim(key);
    if (name.empty()) return;
    Section* found = Find(section);
    if (!found) {
        if (sections_.empty()) sections_.push_back(Section{{}, {}, false});
        sections_.push_back(Section{std::string(Trim(section)), {}, true});
        found = &sections_.back();
    }
    if (Line* line = FindKey(*found, name)) {
        line->value = std::string(Trim(value));
        return;
    }
    // After the last line with content, so blank lines keep separating sections.
    auto& lines = found->lines;
    std::size_t at = lines.size();
    while (at > 0 && lines[at - 1].key.empty() && Trim(lines[at - 1].raw).empty()) --at;
    lines.insert(lines.begin() + std::ptrdiff_t(at),
                 Line{{}, std::string(name), std::string(Trim(value))});
}

void IniFile::WriteInt(std::string_view section, std::string_view key, int value) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    WriteString(section, key, std::string_view(buffer, std::size_t(result.ptr - buffer)));
}

bool IniFile::RemoveKey(std::string_view section, std::string_view key) {
    Section* found = Find(section);
    if (!found) return false;
    auto& lines = found->lines;
    for (auto it = lines.begin(); it != lines.end(); ++it)
        if (!it->key.empty() && EqualsNoCase(it->key, key)) {
            lines.erase(it);
            return true;
        }
    return false;
}

bool IniFile::RemoveSection(std::string_view section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it)
        if (it->headed && EqualsNoCase(it->name, section)) {
            sections_.erase(it);
            return true;
        }
    return false;
}

bool IniFile::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_)
        if (section.headed) names.push_back(section.name);
    return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = Find(section))
        for (const Line& line : found->lines)
            if (!line.key.empty()) keys.push_back(line.key);
    return keys;
}

int ParseProfileInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        number = number * 10 + (c - '0');
        if (number > 0xFFFFFFFFLL) break;  // saturates instead of overflowing
    }
    auto bits = std::uint32_t(negative ? -number : number);
    return int(bits);
}

std::string ReadProfileString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
    IniFile ini;
    ini.Load(file);
    return ini.ReadString(section, key, fallback);
}

int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int fallback) {
    IniFile ini;
    ini.Load(file);
    return ini.ReadInt(section, key, fallback);
}

bool WriteProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    IniFile ini;
    ini.Load(file);
    ini.WriteString(section, key, value);
    return ini.Save(file);
}

}  // namespace vantrel
