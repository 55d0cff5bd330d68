#include "skin/SettingsList.h"

#include <charconv>

#include "items/StringTable.h"
#include "skin/IniFile.h"

namespace vantrel {

namespace {

std::int32_t ParseNumber(std::string_view value) { return ParseProfileInt(value); }

std::string Decimal(std::int32_t value) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string SettingEntry::ValueText() const {
    switch (kind) {
        case SettingKind::Switch: return switchValue && *switchValue ? "1" : "0";
        case SettingKind::Number:
        case SettingKind::Colour: return number ? Decimal(*number) : "0";
        case SettingKind::Text:
        case SettingKind::FileName: return Text();
        case SettingKind::Group: break;
    }
    return {};
}

void SettingEntry::SetValueText(std::string_view value) {
    switch (kind) {
        case SettingKind::Switch:
            if (switchValue) *switchValue = ParseNumber(value) != 0 ? 1 : 0;
            break;
        case SettingKind::Number:
        case SettingKind::Colour:
            if (number) *number = ParseNumber(value);
            break;
        case SettingKind::Text:
        case SettingKind::FileName: SetText(value); break;
        case SettingKind::Group: break;
    }
}

std::string SettingEntry::Text() const {
    if (stringTableText) return Str(id);
    return text ? *text : std::string();
}

void SettingEntry::SetText(std::string_view value) {
    value = value.substr(0, IniFile::kMaxValue);
    if (stringTableText) StringTable::Instance().Set(id, value);
    else if (text) *text = std::string(value);
}

bool SettingsList::Add(SettingEntry entry) {
    if (IsFull()) return false;
    entries_.push_back(std::move(entry));
    return true;
}

SettingEntry* SettingsList::Find(int id) {
    for (SettingEntry& entry : entries_)
        if (entry.id == id) return &entry;
    return nullptr;
}

const SettingEntry* SettingsList::Find(int id) const {
    for (const SettingEntry& entry : entries_)
        if (entry.id == id) return &entry;
    return nullptr;
}

}  // namespace vantrel
