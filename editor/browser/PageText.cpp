#include "editor/browser/PageText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "script/ScriptContext.h"
#include "script/ScriptNames.h"
#include "script/Text.h"
#include "model/variables/EffectCategories.h"

namespace vantrel {

namespace {
constexpr std::string_view kTagWord = "<vrh>";
constexpr std::string_view kScriptPageTag = "<vrm>";
constexpr std::string_view kBreakWord = "<br>";
constexpr std::array<std::pair<std::string_view, WordKind>, 4> kPrefixes = {{
    {"<H=", WordKind::Link},
    {"<T=", WordKind::ObjectName},
    {"<M=", WordKind::LinkAndObject},
    {"<C=", WordKind::Script},
}};

enum Text : int {
    kWhichText = 341,
    kInternetOptionsText = 481,
    kTutorialsText = 493,
    kVariableInformation = 237,
    kNameText = 79,
    kMinimumText = 126,
    kMaximumText = 127,
    kDefaultText = 125,
    kCurrentCountText = 184,
    kLowestTimeText = 185,
    kHighestTimeText = 186,
    kSubTopicsText = 596,
    kRelatedTopicsText = 597,
};

std::string Printf(const char* format, const std::string& text, double value) {
    char buffer[1100];
    std::snprintf(buffer, sizeof buffer, format, text.c_str(), value);
    return buffer;
}

// Text that goes into the Surf page's markup: an address is data there.
std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::string> WriteFileIn(const std::string& folder, const std::string& name, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string path = folder + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return std::nullopt;
    file << text;
    file.close();
    if (!file) return std::nullopt;
    return path;
}
}  // namespace

PageWord ClassifyWord(std::string_view word) {
    PageWord out;
    out.shown = std::string(word);
    if (EqualsNoCase(word, kTagWord) || EqualsNoCase(word, kScriptPageTag)) {
        out.tag = true;
        return out;
    }
    if (EqualsNoCase(word, kBreakWord)) {
        out.lineBreak = true;
        return out;
    }
    if (word.size() < 4 || word.back() != '>') return out;
    for (const auto& [prefix, kind] : kPrefixes) {
        if (!StartsWithNoCase(word, prefix)) continue;
        const std::string_view body = word.substr(3, word.size() - 4);
        const std::size_t end = body.find_first_of("=>");
        out.kind = kind;
        out.shown = std::string(body.substr(0, end));
        if (end != std::string_view::npos && body[end] == '=') out.target = std::string(body.substr(end + 1));
        // Without a target the word is drawn like plain text and does nothing.
        if (out.target.empty()) out.kind = WordKind::Plain;
        return out;
    }
    return out;
}

std::vector<PageWord> ParsePage(std::string_view text) {
    std::vector<PageWord> words;
    for (std::string_view word : SplitWords(text, kMaxPageWords + 1)) {
        if (words.size() == kMaxPageWords) break;
        words.push_back(ClassifyWord(word));
    }
    return words;
}

int LayOutWords(std::vector<PageWord>& words, int textWidth, const WordMeasure& measure) {
    const int space = measure(" ", false)[0];
    int x = 0, y = 0, lineHeight = 0;
    for (PageWord& word : words) {
        if (word.tag) {
            word.rect = {};
            continue;
        }
        const auto size = measure(word.lineBreak ? std::string(kBreakWord) : word.shown, word.HasTarget());
        word.width = size[0];
        word.height = size[1];
        if (word.lineBreak) {
            word.rect = {};
            y += word.height;
            x = 0;
            lineHeight = 0;
            continue;
        }
        const int advance = word.width + space;
        if (x > 0 && x + advance > textWidth) {
            y += word.height;
            x = 0;
            lineHeight = 0;
        }
        word.rect = {x, y, x + word.width, y + word.height};
        x += advance;
        lineHeight = std::max(lineHeight, word.height);
    }
    return y + lineHeight;
}

bool TopicTable::Register(int number, const std::vector<int>& subTopics, const std::vector<int>& related) {
    if (number < 1 || number > kMaxTopic) return false;
    Lists& lists = lists_[std::size_t(number)];
    if (!lists.sub && !subTopics.empty()) lists.sub = subTopics;
    if (!lists.related && !related.empty()) lists.related = related;
    return true;
}

const std::vector<int>* TopicTable::SubTopics(int number) const {
    if (number < 1 || number > kMaxTopic) return nullptr;
    const auto& list = lists_[std::size_t(number)].sub;
    return list ? &*list : nullptr;
}

const std::vector<int>* TopicTable::Related(int number) const {
    if (number < 1 || number > kMaxTopic) return nullptr;
    const auto& list = lists_[std::size_t(number)].related;
    return list ? &*list : nullptr;
}

void RegisterEffectCatalogueTopics(TopicTable& table) {
    std::vector<int> categories;
    for (const EffectCategoryList& list : kVideoEffectCategories) categories.push_back(list.captionId);
    table.Register(605, categories, {606});
    for (const EffectCategoryList& list : kVideoEffectCategories)
        table.Register(list.captionId, {list.types.begin(), list.types.end()}, categories);
    table.Register(606, {142}, {606});
}

int LayOutInfoEntries(std::vector<InfoEntry>& entries, int page, const VariableFigures& figures,
                      const TopicTable& topics, int top, int spaceWidth,
                      const std::function<std::string(int)>& text, const WordMeasure& measure) {
    entries.clear();
    int y = top;
    auto add = [&](int id, std::string shown, EntryStyle style) {
        const auto size = measure(shown, false);
        const int indent = spaceWidth * (style == EntryStyle::Title ? 3 : style == EntryStyle::Topic ? 6 : 1);
        if (style == EntryStyle::Title) y += 2 * size[1];
        entries.push_back({id, std::move(shown), style, {indent, y, indent + size[0], y + size[1]}});
        y += size[1];
    };
    auto topicList = [&](const std::vector<int>* list, int titleId) {
        if (!list) return;
        add(titleId, text(titleId), EntryStyle::Title);
        for (int number : *list) add(number, text(number), EntryStyle::Topic);
    };
    if (page > 0 && page == figures.stringId) {
        add(kVariableInformation, text(kVariableInformation), EntryStyle::Title);
        add(kNameText, figures.identifier, EntryStyle::Figure);
        add(kMinimumText, Printf("%s = %01.3f", text(kMinimumText), figures.minimum), EntryStyle::Figure);
        add(kMaximumText, Printf("%s = %01.3f", text(kMaximumText), figures.maximum), EntryStyle::Figure);
        add(kDefaultText, Printf("%s = %01.3f", text(kDefaultText), figures.defaultValue), EntryStyle::Figure);
        char count[1100];
        std::snprintf(count, sizeof count, "%s = %01d", text(kCurrentCountText).c_str(), figures.keyCount);
        add(kCurrentCountText, count, EntryStyle::Figure);
        if (figures.keyCount > 0) {
            add(kLowestTimeText, Printf("%s = %01.3f", text(kLowestTimeText), figures.lowestKeyMs / 1000.0),
                EntryStyle::Figure);
            add(kHighestTimeText, Printf("%s = %01.3f", text(kHighestTimeText), figures.highestKeyMs / 1000.0),
                EntryStyle::Figure);
        }
    }
    topicList(topics.SubTopics(page), kSubTopicsText);
    topicList(topics.Related(page), kRelatedTopicsText);
    return y;
}

void PageHistory::Navigate(const std::string& name, int number) {
    if (!entries_.empty()) {
        const Entry& shown = entries_.front();
        if (shown.number == number && EqualsNoCase(shown.name, name)) return;
        if (!replace_) {
            if (entries_.size() == kMaxEntries) entries_.pop_back();
            entries_.insert(entries_.begin(), Entry{});
        }
    } else {
        entries_.emplace_back();
    }
    entries_.front() = {number, name};
}

bool PageHistory::Back() {
    if (entries_.size() < 2 || entries_.front().name.empty()) return false;
    entries_.erase(entries_.begin());
    return true;
}

std::string NumberedPageName(int language, int number) {
    char name[64];
    std::snprintf(name, sizeof name, "%d/%c%07d%s", language, 'h', number, ".txt");
    return name;
}

std::string HomePageText(int language, const std::function<std::string(int)>& text) {
    const int folder = language == 7 ? 7 : 9;
    auto links = [&](int id, const char* page) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, "=%d/%s>", folder, page);
        std::string out;
        const std::string words = text(id);
        for (std::string_view word : SplitWords(words, 1024)) out += "<H=" + std::string(word) + suffix + " ";
        return out;
    };
    auto line = [](const std::string& content) { return content + " <br> <br>\n"; };
    return line(text(kWhichText)) + line(links(kInternetOptionsText, "home.vrh")) +
           line(links(kTutorialsText, "tuts/menu.vrh"));
}

LinkTarget ClassifyTarget(std::string_view target) {
    LinkTarget out;
    out.name = std::string(target);
    if (StartsWithNoCase(target, "mailto:")) {
        out.kind = LinkTarget::Mail;
    } else if (StartsWithNoCase(target, "http:") || StartsWithNoCase(target, "ftp:")) {
        out.kind = LinkTarget::Web;
    } else if (const PageReference page = ParsePageReference(target); page.numbered) {
        out.kind = LinkTarget::Numbered;
        out.number = page.number;
    }
    return out;
}

std::optional<std::string> ReadPageFile(const std::string& path, std::string_view name,
                                        const std::string& comingSoon) {
    std::string text;
    std::ifstream file(path, std::ios::binary);
    bool read = false;
    if (file) {
        text.resize(kMaxPageText);
        file.read(text.data(), std::streamsize(kMaxPageText));
        text.resize(std::size_t(file.gcount()));
        read = !file.bad();
    }
    const bool hypertext = EndsWithNoCase(name, ".vrh"), scriptPage = EndsWithNoCase(name, ".vrm");
    if (hypertext || scriptPage) {
        if (!read || !StartsWithNoCase(text, hypertext ? kTagWord : kScriptPageTag)) return comingSoon;
        return text;
    }
    if (!read) {
        if (EndsWithNoCase(name, ".txt")) return comingSoon;
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> RelativePageName(std::string_view name) {
    if (!IsAcceptedScriptName(name)) return std::nullopt;
    std::string relative(name);
    for (char& c : relative)
        if (c == '\\') c = '/';
    return relative;
}

std::optional<std::string> WriteShortcutFile(const std::string& folder, const std::string& title,
                                             const std::string& address) {
    return WriteFileIn(folder, title + ".url", "[InternetShortcut]\nURL=" + address + "\n\n");
}

std::optional<std::string> WriteSurfPage(const std::string& folder, const std::string& title,
                                         const std::string& invitation, const std::string& address) {
    const std::string shown = HtmlEscaped(address);
    const std::string text =
        "<html><head><title>Vantrel Surf</title></head>\n"
        "<body bgcolor=\"#000000\" text=\"#FFFFFF\" link=\"#FFFF00\" vlink=\"#FFFF00\" alink=\"#FFFF00\">\n"
        "<font size=\"+2\"><center>" + HtmlEscaped(invitation) + "<br><br><a href=\"" + shown + "\">" + shown +
        "</a></center></font>\n</body></html>\n\n";
    return WriteFileIn(folder, title + ".htm", text);
}

}  // namespace vantrel
