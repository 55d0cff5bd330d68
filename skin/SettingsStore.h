#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "values/Colour.h"
#include "skin/SettingsList.h"

namespace vantrel {

// What a control takes from the skin: picture, text colour, background
// colour and tiling, named by a string id. An element that sets nothing
// takes what its nearest ancestor sets.
struct SkinElement {
    int parentId = 0;  // 0 for the root
    int id = 0;
    std::string image;  // empty: inherit
    std::int32_t foreground = kNoColour;
    std::int32_t background = kNoColour;
    std::uint8_t tile = 0;
};

// Every preference, at a fixed address for the parts of the program that
// read it. Rebuilding the defaults writes new values into the same places.
struct Preferences {
    std::int32_t language = 9;
    // "Layout"
    std::uint8_t showStatusMessages = 0;
    std::uint8_t showLocatorsInRootClip = 1;
    std::uint8_t showLocatorsInClipDetail = 0;
    std::uint8_t clipInfoInClipDetail = 1;
    std::uint8_t clipInfoInArrangement = 0;
    std::uint8_t globalEffects = 0;
    std::uint8_t shopEditHelpButton = 0;
    std::uint8_t contextSensitiveResponses = 1;
    std::uint8_t useToolTips = 1;
    std::uint8_t showExampleProjectMenu = 1;
    // "Output Information"
    std::string clipComments;
    std::string copyright;
    std::string author;
    std::uint8_t writeTags = 1;
    std::uint8_t openWhenMade = 1;
    std::uint8_t infoBrowserHelpMode = 0;
    // "Internet": every download ends at these, whatever the server does.
    std::int32_t downloadSeconds = 300;
    std::int32_t downloadMegabytes = 1024;
    // "Layout": unsaved changes go to the autosave this often (0: never);
    // the history of edits holds at most this much memory.
    std::int32_t autosaveSeconds = 60;
    std::int32_t historyMegabytes = 256;
    // Where pages and tutorial scripts are refreshed from before they are
    // shown or run; empty: never, the shipped and edited copies are used.
    std::string memberAreaAddress;
};

// The one store of skin elements, preferences and the language; the texts
// live in the process-wide StringTable. Not thread-safe: the user-interface
// thread owns it.
class SettingsStore {
public:
    static constexpr std::size_t kMaxElements = 1024;
    static constexpr int kEnglish = 9;
    static constexpr int kGerman = 7;
    static constexpr Colour kUnknownBackground = Rgb(192, 192, 192);

    static SettingsStore& Instance();
    SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Empties every list and builds skin elements, texts and preferences
    // afresh; the language keeps its current number.
    void BuildDefaults();
    // 7 stays 7, anything else becomes 9; then defaults, then the language's
    // default skin file when it exists (which may name another language).
    void ApplyLanguage(int language);
    // "Reset": defaults and the default skin file of the current language.
    void Reset() { ApplyLanguage(Language()); }
    int Language() const { return prefs_.language; }

    // Queries with inheritance.
    const SkinElement* Element(int id) const;
    // The nearest element, the id's own included, with a picture.
    const SkinElement* ImageElement(int id) const;
    Colour Foreground(int id) const;
    Colour Background(int id) const;
    bool Tile(int id) const;
    std::string OwnImage(int id) const;

    // Changes; an id without an element changes nothing and answers false.
    bool SetImage(int id, std::string_view path);
    bool SetForeground(int id, Colour colour);
    bool SetBackground(int id, Colour colour);
    bool SetTile(int id, bool tile);
    bool SetText(int id, std::string_view text);

    // Skin files. Saving truncates the file first; loading a missing file
    // changes nothing, and what a file leaves out keeps its value.
    bool SaveSkin(const std::string& path) const;
    bool LoadSkin(const std::string& path);
    // Whether skin, texts or preferences differ from what they were when the
    // language was last applied or MarkSaved was called: what a language
    // change or "Reset" would lose.
    bool HasUnsavedChanges() const { return SkinText() != saved_; }
    // The store as it is now is in a file (the default skin file on OK of
    // the settings dialog, or "Save Skin As").
    void MarkSaved() { saved_ = SkinText(); }
    // Language + "/default.skn", relative to the user's configuration
    // folder (read first) and the program folder (the shipped copy).
    std::string DefaultSkinName() const;
    // The user's copy of the default skin file: where the preferences are
    // saved. The shipped copy in the program folder is never written.
    std::string DefaultSkinPath() const;
    // The user's configuration folder + language + "/": where skin files
    // are offered and saved.
    std::string SkinFolder() const;

    Preferences& Prefs() { return prefs_; }
    const Preferences& Prefs() const { return prefs_; }
    // A "Layout" or "Output Information" entry by id.
    SettingEntry* FindPreference(int id);

    SettingsList& RootList() { return root_; }
    SettingsList& SkinList() { return skin_; }
    SettingsList& SkinnableTextList() { return texts_; }
    SettingsList& LayoutList() { return layout_; }
    SettingsList& OutputList() { return output_; }
    const std::vector<SkinElement*>& Elements() const { return order_; }

private:
    // The skin file's text for the store as it is.
    std::string SkinText() const;
    SkinElement* FindElement(int id);
    void BuildElements();
    void BuildPreferences();

    // Elements and their editing lists never move once made, because the
    // lists point into them.
    std::deque<SkinElement> elements_;
    std::vector<SkinElement*> order_;
    std::array<SkinElement*, 1024> byId_{};
    std::deque<SettingsList> elementLists_;
    SettingsList root_{0}, skin_{575}, texts_{585}, layout_{562}, output_{563};
    Preferences prefs_;
    std::string saved_;
};

// The language of the user's locale: "de" is German (7), every other
// language English (9). The variables are tried in POSIX order.
int LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang);
int DefaultLanguage();

}  // namespace vantrel
