#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class SettingsList;

enum class SettingKind : std::int32_t { Group = 1, Switch = 2, Number = 3, Colour = 4, Text = 6, FileName = 7 };

// One entry of a settings list: a label id, a kind and a reference to the
// value it edits, which lives in the store (or, for skinnable texts, in the
// string table under the entry's id).
struct SettingEntry {
    int id = 0;
    SettingKind kind = SettingKind::Group;
    std::string filter;  // file names: the file dialog's filter
    int flags = 0;       // how the preferences dialog shows the entry
    SettingsList* group = nullptr;
    std::uint8_t* switchValue = nullptr;
    std::int32_t* number = nullptr;  // numbers and colours
    std::string* text = nullptr;     // texts and file names
    bool stringTableText = false;    // the text is the string table's text of `id`

    // The value as a skin file holds it: "0"/"1", "%d", or the text itself.
    std::string ValueText() const;
    // Parses a skin file's value into the entry; groups take nothing.
    void SetValueText(std::string_view value);
    // Texts and file names; cut to the longest value a skin file keeps.
    std::string Text() const;
    void SetText(std::string_view value);
};

// An ordered list with a hard capacity; a full list refuses more.
class SettingsList {
public:
    static constexpr std::size_t kCapacity = 1023;

    explicit SettingsList(int id = 0) : id_(id) {}
    int Id() const { return id_; }
    bool Add(SettingEntry entry);
    void Clear() { entries_.clear(); }
    std::size_t Size() const { return entries_.size(); }
    bool IsFull() const { return entries_.size() >= kCapacity; }
    const std::vector<SettingEntry>& Entries() const { return entries_; }
    std::vector<SettingEntry>& Entries() { return entries_; }
    // The first entry with the id, or null.
    SettingEntry* Find(int id);
    const SettingEntry* Find(int id) const;

private:
    int id_;
    std::vector<SettingEntry> entries_;
};

}  // namespace vantrel
