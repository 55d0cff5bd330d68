#include "skin/SettingsStore.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "items/ProgramContext.h"
#include "items/ProgramFolder.h"
#include "items/UserFolders.h"
#include "items/StringTable.h"
#include "skin/IniFile.h"

namespace vantrel {

namespace {

constexpr Colour kInherit = kNoColour;

struct ElementRow {
    int parent;
    int id;
    const char* picture = nullptr;  // a file of the program folder
    Colour foreground = kInherit;
    Colour background = kInherit;
    std::uint8_t tile = 0;
};

// Creation order is skin-dialog order; parents come before their children.
constexpr ElementRow kElements[] = {
    {0, 555, "vantpat.jpg", Rgb(0, 0, 0), kInherit, 1},
    {555, 556, "vantrel.jpg"},
    {555, 593, "vanthelp.jpg", Rgb(0, 0, 0), Rgb(255, 255, 0), 1},
    {593, 598, nullptr, Rgb(0, 0, 255)},
    {593, 599, nullptr, Rgb(0, 127, 0)},
    {555, 621, nullptr, Rgb(0, 0, 0), Rgb(255, 0, 0)},
    {555, 93, nullptr, Rgb(0, 0, 0), Rgb(255, 0, 0)},
    {555, 91, nullptr, Rgb(127, 0, 0)},
    {555, 622, nullptr, Rgb(0, 0, 0), Rgb(255, 0, 255)},
    {555, 623, nullptr, Rgb(0, 0, 0), Rgb(0, 255, 0)},
    {555, 92, nullptr, Rgb(0, 127, 0)},
    {555, 624, nullptr, Rgb(255, 0, 0), Rgb(127, 127, 255)},
    {555, 626, nullptr, Rgb(0, 0, 0), Rgb(255, 255, 0)},
    {555, 627, nullptr, Rgb(255, 255, 255), Rgb(0, 0, 255)},
    {555, 628, nullptr, Rgb(255, 255, 255), Rgb(0, 0, 0)},
    {555, 630, nullptr, Rgb(255, 255, 255), Rgb(96, 96, 96)},
    {555, 629, nullptr, Rgb(0, 0, 0), Rgb(255, 0, 0)},
    {628, 336}, {628, 338}, {628, 635}, {628, 337}, {628, 339},
    {624, 351}, {624, 352},
    {555, 342}, {555, 343}, {555, 446},
    {446, 444, nullptr, Rgb(255, 255, 255), Rgb(0, 0, 127)},
    {555, 617},
    {617, 370}, {617, 335}, {617, 375}, {617, 356}, {617, 358}, {617, 360}, {617, 90}, {617, 365},
    {617, 366}, {617, 367}, {617, 207}, {617, 368}, {617, 369}, {617, 1},   {617, 387}, {617, 544},
    {617, 545}, {617, 363}, {617, 362}, {617, 361}, {617, 477}, {617, 591}, {617, 224},
    {617, 611}, {617, 610}, {617, 613}, {617, 612}, {617, 615}, {617, 614},
    {617, 348}, {617, 347}, {617, 642}, {617, 120},
    {617, 592, nullptr, Rgb(0, 0, 0), Rgb(0, 255, 0)},
    {617, 359, nullptr, Rgb(255, 0, 0), Rgb(255, 255, 255)},
};

// The four entries that edit one element, labelled by these ids.
constexpr int kSkinImageLabel = 576;
constexpr int kForegroundLabel = 580;
constexpr int kBackgroundLabel = 581;
constexpr int kTileLabel = 578;
constexpr const char* kPictureFilter = "*.png;*.jpg;*.gif;*.bmp;*.jpeg;";

constexpr int kLanguageId = 645;
constexpr int kDownloadSecondsId = 1010;    // "Download Time Limit (Seconds)"
constexpr int kDownloadMegabytesId = 1011;  // "Download Size Limit (MB)"
constexpr int kAutosaveSecondsId = 802;     // "Autosave Every (Seconds, 0 Off)"
constexpr int kHistoryMegabytesId = 803;    // "Undo History Limit (MB)"
constexpr int kMemberAreaAddressId = 1012;  // "Member Area Address (Page Refresh)"
constexpr int kSkinnableTextFlags = 4;
constexpr const char* kDefaultCredit = "Made with Vantrel Media Compositor";

SettingEntry MakeEntry(int id, SettingKind kind, const char* filter = "") {
    SettingEntry entry;
    entry.id = id;
    entry.kind = kind;
    entry.filter = filter;
    return entry;
}

SettingEntry MakeGroup(int id, SettingsList* list) {
    SettingEntry entry = MakeEntry(id, SettingKind::Group);
    entry.group = list;
    return entry;
}

std::string Decimal(int value) { return std::to_string(value); }

// A skin file holds one value per line, and reading trims the blanks
// around a value and one pair of quotes: a text that breaks lines (the
// start-up failure message does), or starts or ends with a blank (" File
// Not Found." follows a name), would come back changed. Breaks travel as
// backslash + n and a backslash of the text as two; such a text is quoted.
std::string ToSkinText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c != '\r') out += c;
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool quoted = out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front();
    if (!out.empty() && (blank(out.front()) || blank(out.back()) || quoted)) out = '"' + out + '"';
    return out;
}

std::string FromSkinText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            out += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

SettingsStore& SettingsStore::Instance() {
    if (SettingsStore* own = Context().settings) return *own;
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore() { BuildDefaults(); }

void SettingsStore::BuildDefaults() {
    root_.Clear();
    skin_.Clear();
    texts_.Clear();
    layout_.Clear();
    output_.Clear();
    BuildElements();
    StringTable& table = StringTable::Instance();
    table.LoadResources();
    for (int id = 1; id < StringTable::kEntries; ++id)
        if (!table.Text(id).empty()) {
            SettingEntry entry = MakeEntry(id, SettingKind::Text);
            entry.flags = kSkinnableTextFlags;
            entry.stringTableText = true;
            texts_.Add(std::move(entry));
        }
    skin_.Add(MakeGroup(texts_.Id(), &texts_));
    BuildPreferences();
    root_.Add(MakeGroup(skin_.Id(), &skin_));
    root_.Add(MakeGroup(layout_.Id(), &layout_));
    root_.Add(MakeGroup(output_.Id(), &output_));
}

void SettingsStore::BuildElements() {
    elements_.clear();
    elementLists_.clear();
    order_.clear();
    byId_.fill(nullptr);
    for (const ElementRow& row : kElements) {
        if (elements_.size() >= kMaxElements) break;
        SkinElement& element = elements_.emplace_back();
        element.parentId = row.parent;
        element.id = row.id;
        if (row.picture) element.image = ReadPath(DataFolder(), row.picture);
        element.foreground = row.foreground;
        element.background = row.background;
        element.tile = row.tile;
        order_.push_back(&element);
        if (!byId_[std::size_t(row.id)]) byId_[std::size_t(row.id)] = &element;

        SettingsList& editors = elementLists_.emplace_back(row.id);
        SettingEntry image = MakeEntry(kSkinImageLabel, SettingKind::FileName, kPictureFilter);
        image.text = &element.image;
        editors.Add(std::move(image));
        SettingEntry fg = MakeEntry(kForegroundLabel, SettingKind::Colour);
        fg.number = &element.foreground;
        editors.Add(std::move(fg));
        SettingEntry bg = MakeEntry(kBackgroundLabel, SettingKind::Colour);
        bg.number = &element.background;
        editors.Add(std::move(bg));
        SettingEntry tile = MakeEntry(kTileLabel, SettingKind::Switch);
        tile.switchValue = &element.tile;
        editors.Add(std::move(tile));
        skin_.Add(MakeGroup(row.id, &editors));
    }
}

void SettingsStore::BuildPreferences() {
    const int language = prefs_.language;
    prefs_ = Preferences{};
    prefs_.language = language;
    prefs_.copyright = kDefaultCredit;
    prefs_.author = kDefaultCredit;

    auto addSwitch = [](SettingsList& list, int id, std::uint8_t& value, int flags = 0) {
        SettingEntry entry = MakeEntry(id, SettingKind::Switch);
        entry.switchValue = &value;
        entry.flags = flags;
        list.Add(std::move(entry));
    };
    auto addText = [](SettingsList& list, int id, std::string& value, int flags = 0) {
        SettingEntry entry = MakeEntry(id, SettingKind::Text);
        entry.text = &value;
        entry.flags = flags;
        list.Add(std::move(entry));
    };
    SettingEntry languageEntry = MakeEntry(kLanguageId, SettingKind::Number);
    languageEntry.number = &prefs_.language;
    layout_.Add(std::move(languageEntry));
    addSwitch(layout_, 335, prefs_.showStatusMessages);
    addSwitch(layout_, 475, prefs_.showLocatorsInRootClip);
    addSwitch(layout_, 476, prefs_.showLocatorsInClipDetail);
    addSwitch(layout_, 485, prefs_.clipInfoInClipDetail);
    addSwitch(layout_, 486, prefs_.clipInfoInArrangement);
    addSwitch(layout_, 90, prefs_.globalEffects);
    addSwitch(layout_, 95, prefs_.shopEditHelpButton);
    addSwitch(layout_, 492, prefs_.contextSensitiveResponses);
    addSwitch(layout_, 312, prefs_.useToolTips);
    addSwitch(layout_, 567, prefs_.showExampleProjectMenu);

    addText(output_, 478, prefs_.clipComments);
    addText(output_, 363, prefs_.copyright);
    addText(output_, 545, prefs_.author, 1);
    addSwitch(output_, 480, prefs_.writeTags, 1);
    addSwitch(output_, 571, prefs_.openWhenMade, 1);
    addSwitch(output_, 503, prefs_.infoBrowserHelpMode);
    for (const auto& [id, value] : {std::pair{kDownloadSecondsId, &prefs_.downloadSeconds},
                                    std::pair{kDownloadMegabytesId, &prefs_.downloadMegabytes},
                                    std::pair{kAutosaveSecondsId, &prefs_.autosaveSeconds},
                                    std::pair{kHistoryMegabytesId, &prefs_.historyMegabytes}}) {
        SettingEntry entry = MakeEntry(id, SettingKind::Number);
        entry.number = value;
        layout_.Add(std::move(entry));
    }
    addText(layout_, kMemberAreaAddressId, prefs_.memberAreaAddress);
}

void SettingsStore::ApplyLanguage(int language) {
    prefs_.language = language == kGerman ? kGerman : kEnglish;
    BuildDefaults();
    LoadSkin(ReadPath(ConfigFolder(), DefaultSkinName()));
    MarkSaved();
}

const SkinElement* SettingsStore::Element(int id) const {
    if (id <= 0 || id >= int(byId_.size())) return nullptr;
    return byId_[std::size_t(id)];
}

SkinElement* SettingsStore::FindElement(int id) { return const_cast<SkinElement*>(Element(id)); }

const SkinElement* SettingsStore::ImageElement(int id) const {
    // The walk is bounded so that a parent loop could never hang a paint.
    const SkinElement* element = Element(id);
    for (std::size_t steps = 0; element && steps <= kMaxElements; ++steps) {
        if (!element->image.empty()) return element;
        element = Element(element->parentId);
    }
    return nullptr;
}

Colour SettingsStore::Foreground(int id) const {
    const SkinElement* element = Element(id);
    for (std::size_t steps = 0; element && steps <= kMaxElements; ++steps) {
        if (element->foreground != kNoColour) return element->foreground;
        element = Element(element->parentId);
    }
    return kNoColour;
}

Colour SettingsStore::Background(int id) const {
    const SkinElement* element = Element(id);
    if (!element) return kUnknownBackground;
    for (std::size_t steps = 0; element && steps <= kMaxElements; ++steps) {
        if (element->background != kNoColour) return element->background;
        element = Element(element->parentId);
    }
    return kNoColour;
}

bool SettingsStore::Tile(int id) const {
    const SkinElement* element = Element(id);
    return element && element->tile;
}

std::string SettingsStore::OwnImage(int id) const {
    const SkinElement* element = Element(id);
    return element ? element->image : std::string();
}

bool SettingsStore::SetImage(int id, std::string_view path) {
    SkinElement* element = FindElement(id);
    if (!element) return false;
    element->image = std::string(path.substr(0, IniFile::kMaxValue));
    return true;
}

bool SettingsStore::SetForeground(int id, Colour colour) {
    SkinElement* element = FindElement(id);
    if (!element) return false;
    element->foreground = colour;
    return true;
}

bool SettingsStore::SetBackground(int id, Colour colour) {
    SkinElement* element = FindElement(id);
    if (!element) return false;
    element->background = colour;
    return true;
}

bool SettingsStore::SetTile(int id, bool tile) {
    SkinElement* element = FindElement(id);
    if (!element) return false;
    element->tile = tile ? 1 : 0;
    return true;
}

bool SettingsStore::SetText(int id, std::string_view text) { return StringTable::Instance().Set(id, text); }

SettingEntry* SettingsStore::FindPreference(int id) {
    if (SettingEntry* entry = layout_.Find(id)) return entry;
    return output_.Find(id);
}

namespace {

IniFile SkinFile(const SettingsStore& store, const SettingsList& layout, const SettingsList& output) {
    IniFile ini;
    const StringTable& table = StringTable::Instance();
    for (int id = 1; id < StringTable::kEntries; ++id) {
        const std::string key = Decimal(id);
        if (!table.Text(id).empty()) ini.WriteString("Translation", key, ToSkinText(table.Text(id)));
        if (const SettingEntry* entry = layout.Find(id)) ini.WriteString("Layout", key, entry->ValueText());
        if (const SettingEntry* entry = output.Find(id)) ini.WriteString("Output", key, entry->ValueText());
        if (const SkinElement* element = store.Element(id)) {
            const std::string section = "S_" + key;
            ini.WriteString(section, "image", element->image);
            // Effective colours: a saved skin stands on its own, whatever
            // the defaults of a later version inherit.
            ini.WriteInt(section, "fg", store.Foreground(id));
            ini.WriteInt(section, "bg", store.Background(id));
            ini.WriteString(section, "tile", element->tile ? "1" : "0");
        }
    }
    return ini;
}

}  // namespace

bool SettingsStore::SaveSkin(const std::string& path) const { return SkinFile(*this, layout_, output_).Save(path); }

std::string SettingsStore::SkinText() const { return SkinFile(*this, layout_, output_).Text(); }

bool SettingsStore::LoadSkin(const std::string& path) {
    IniFile ini;
    if (!ini.Load(path)) return false;
    for (int id = 1; id < StringTable::kEntries; ++id) {
        const std::string key = Decimal(id);
        if (auto text = ini.Get("Translation", key); text && !text->empty()) SetText(id, FromSkinText(*text));
        if (auto value = ini.Get("Layout", key); value && !value->empty())
            if (SettingEntry* entry = layout_.Find(id)) entry->SetValueText(*value);
        if (auto value = ini.Get("Output", key); value && !value->empty())
            if (SettingEntry* entry = output_.Find(id)) entry->SetValueText(*value);
        if (SkinElement* element = FindElement(id)) {
            const std::string section = "S_" + key;
            // A section without a tile value is somebody's half-finished
            // edit: the element is taken whole or not at all.
            auto tile = ini.Get(section, "tile");
            if (!tile || tile->empty()) continue;
            element->tile = ParseProfileInt(*tile) != 0 ? 1 : 0;
            element->image = ini.ReadString(section, "image", "");
            element->foreground = ini.ReadInt(section, "fg", 0);
            element->background = ini.ReadInt(section, "bg", 0);
        }
    }
    // Only two languages exist; a file naming another falls back to English
    // rather than sending every folder lookup into a folder nobody ships.
    if (prefs_.language != kGerman) prefs_.language = kEnglish;
    return true;
}

std::string SettingsStore::DefaultSkinName() const { return Decimal(Language()) + "/default.skn"; }

std::string SettingsStore::SkinFolder() const {
    const std::string user = ConfigFolder();
    return (user.empty() ? ProgramFolder() : user) + Decimal(Language()) + "/";
}

std::string SettingsStore::DefaultSkinPath() const { return SkinFolder() + "default.skn"; }

int LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* chosen = nullptr;
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) {
            chosen = value;
            break;
        }
    if (!chosen) return SettingsStore::kEnglish;
    std::string_view locale(chosen);
    locale = locale.substr(0, locale.find_first_of("_.@-"));
    return EqualsNoCase(locale, "de") ? SettingsStore::kGerman : SettingsStore::kEnglish;
}

int DefaultLanguage() {
    return LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace vantrel
