#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "values/Colour.h"
#include "values/Rect.h"

namespace vantrel {

// What the info browser does with one word of a page. The values are the
// kinds the pages are written for: a link, the name of an editor object
// that lights up, both at once, and a script to run.
enum class WordKind : int { Plain = 0, Link = 1, ObjectName = 2, LinkAndObject = 3, Script = 4 };

struct PageWord {
    std::string shown;   // what is drawn
    std::string target;  // empty for plain words and inert tagged words
    WordKind kind = WordKind::Plain;
    bool tag = false;        // "<vrh>": the page's own tag, not drawn
    bool lineBreak = false;  // "<br>"
    int width = 0, height = 0;  // measured; width without the trailing space
    Rect rect{};                // in text coordinates
    bool HasTarget() const { return !target.empty(); }
    bool IsLink() const { return HasTarget() && (kind == WordKind::Link || kind == WordKind::LinkAndObject); }
    bool NamesObject() const {
        return HasTarget() && (kind == WordKind::ObjectName || kind == WordKind::LinkAndObject);
    }
    // Link, object-and-link or script: the hand shows over it.
    bool Clickable() const { return HasTarget() && kind != WordKind::ObjectName; }
};

constexpr std::size_t kMaxPageWords = 1024;
constexpr std::size_t kMaxPageText = 8191;

// Splits a page into its words (at most kMaxPageWords) and classifies each.
std::vector<PageWord> ParsePage(std::string_view text);
// One word: tag, break, tagged word or plain text.
PageWord ClassifyWord(std::string_view word);

// How a word is measured: in the bold font (words with a target) or the
// normal one.
using WordMeasure = std::function<std::array<int, 2>(const std::string& text, bool bold)>;

// Places the words in a text area textWidth wide from y = 0; answers the
// height of all the lines.
int LayOutWords(std::vector<PageWord>& words, int textWidth, const WordMeasure& measure);

// The figures of the last variable help was asked for.
struct VariableFigures {
    int stringId = 0;
    std::string identifier;
    int keyCount = 0;
    std::int32_t lowestKeyMs = 0, highestKeyMs = 0;
    double minimum = 0, maximum = 0, defaultValue = 0;
};

// The sub topics and related topics of each page number 1 .. 1023. The
// first registration of each list wins.
class TopicTable {
public:
    static constexpr int kMaxTopic = 1023;
    bool Register(int number, const std::vector<int>& subTopics, const std::vector<int>& related);
    const std::vector<int>* SubTopics(int number) const;
    const std::vector<int>* Related(int number) const;

private:
    struct Lists {
        std::optional<std::vector<int>> sub, related;
    };
    std::array<Lists, kMaxTopic + 1> lists_{};
};
// The effect catalogue's categories and their members.
void RegisterEffectCatalogueTopics(TopicTable& table);

enum class EntryStyle { Title, Topic, Figure };
struct InfoEntry {
    int stringId = 0;  // the numbered page a click shows; 0 for none
    std::string text;
    EntryStyle style = EntryStyle::Figure;
    Rect rect{};
};
// The entries under a numbered page: the variable's figures when they are
// this page's, then the sub topics and the related topics, each section
// under its title. text(id) gives a string's text. Laid out from top; the
// answer is the y below the last entry.
int LayOutInfoEntries(std::vector<InfoEntry>& entries, int page, const VariableFigures& figures,
                      const TopicTable& topics, int top, int spaceWidth,
                      const std::function<std::string(int)>& text, const WordMeasure& measure);

// Newest first, at most 32 entries; entry 0 is the page shown.
class PageHistory {
public:
    static constexpr std::size_t kMaxEntries = 32;
    struct Entry {
        int number = 0;  // 0 for a named page
        std::string name;
    };
    // Makes (name, number) entry 0: the same page again only reloads; with
    // the replace flag it takes entry 0's place instead of pushing.
    void Navigate(const std::string& name, int number);
    // False (and nothing changes) with fewer than two entries or when the
    // entry shown has no name.
    bool Back();
    bool Empty() const { return entries_.empty(); }
    std::size_t Count() const { return entries_.size(); }
    const Entry& Current() const { return entries_.front(); }
    const Entry& At(std::size_t index) const { return entries_[index]; }
    void SetReplace(bool replace) { replace_ = replace; }
    bool Replace() const { return replace_; }

private:
    std::vector<Entry> entries_;
    bool replace_ = false;
};

// "%d/h%07d.txt": the file of a numbered page in a language's folder.
std::string NumberedPageName(int language, int number);
// The generated home page for a language (7 keeps 7, anything else is 9).
std::string HomePageText(int language, const std::function<std::string(int)>& text);

// Where a link goes, tried in this order.
struct LinkTarget {
    enum Kind { Mail, Web, Numbered, Named } kind = Named;
    int number = 0;
    std::string name;
};
LinkTarget ClassifyTarget(std::string_view target);

// A page file's text as read from path; the name decides the rules: a
// ".vrh" or ".vrm" page must begin with its tag, else comingSoon is given;
// so is a ".txt" topic page that cannot be read. Nothing for any other
// file that cannot be read. At most kMaxPageText characters.
std::optional<std::string> ReadPageFile(const std::string& path, std::string_view name,
                                        const std::string& comingSoon);

// Names of pages come from pages that may have been downloaded: relative,
// no "..", either separator. The name with "/" separators, or nothing.
std::optional<std::string> RelativePageName(std::string_view name);

// The files the shell opens for web and mail addresses, in folder (which is
// made when missing). The path written, or nothing when it cannot be.
std::optional<std::string> WriteShortcutFile(const std::string& folder, const std::string& title,
                                             const std::string& address);
std::optional<std::string> WriteSurfPage(const std::string& folder, const std::string& title,
                                         const std::string& invitation, const std::string& address);

}  // namespace vantrel
