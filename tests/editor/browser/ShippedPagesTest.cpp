// Walks whatever pages and scripts the program folder ships for each
// language: every link must lead somewhere, every script must load, every
// tutorial must run to its end against the example project, and the two
// languages must ship the same pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "items/ProgramContext.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "skin/SettingsStore.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "editor/browser/InfoBrowser.h"
#include "editor/browser/PageText.h"
#include "compose/Composition.h"
#include "platform/Platform.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/ScriptContext.h"
#include "script/Text.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
const std::string kProgram = VANTREL_SOURCE_DIR "/data/program/";

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Shipped(const std::string& relative) { return fs::is_regular_file(kProgram + relative); }

// The pages (and, asked for, the scripts) of one language by their names
// relative to the program folder.
std::vector<std::string> PagesOf(int language, bool scripts = false) {
    std::vector<std::string> pages;
    const std::string folder = std::to_string(language);
    if (!fs::is_directory(kProgram + folder)) return pages;
    for (const auto& entry : fs::recursive_directory_iterator(kProgram + folder)) {
        const std::string name = fs::relative(entry.path(), kProgram).generic_string();
        if (name.starts_with(folder + "/samps/") || !entry.is_regular_file()) continue;
        if (EndsWithNoCase(name, ".vrh") || EndsWithNoCase(name, ".txt") || (scripts && EndsWithNoCase(name, ".vrm")))
            pages.push_back(name);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::vector<PageWord> WordsOf(const std::string& page) { return ParsePage(ReadAll(kProgram + page)); }

// Where a page link leads, resolved the way the browser resolves it in a
// language: the shipped page file, or empty for addresses the shell opens.
std::string LinkedPage(const std::string& target, int language) {
    const LinkTarget link = ClassifyTarget(target);
    if (link.kind == LinkTarget::Mail || link.kind == LinkTarget::Web) return {};
    if (link.kind == LinkTarget::Numbered) return NumberedPageName(language, link.number);
    return RelativePageName(target).value_or("<refused " + target + ">");
}

class ShippedPages : public ::testing::TestWithParam<int> {
protected:
    int Language() const { return GetParam(); }
    std::string Folder() const { return std::to_string(GetParam()) + "/"; }
};

TEST_P(ShippedPages, EveryLinkAndScriptLinkResolves) {
    const std::vector<std::string> pages = PagesOf(Language());
    if (pages.empty()) GTEST_SKIP() << "no pages shipped";
    const std::string comingSoon = Str(322);
    std::vector<PageWord> home = ParsePage(HomePageText(Language(), [](int id) { return Str(id); }));
    int links = 0;
    auto check = [&](const std::string& from, const std::vector<PageWord>& words) {
        for (const PageWord& word : words) {
            // A link stays in its language: a German page leads to German pages.
            if (word.HasTarget() && word.target.size() > 2 && word.target[1] == '/' &&
                std::isdigit(static_cast<unsigned char>(word.target[0]))) {
                EXPECT_TRUE(word.target.starts_with(Folder())) << from << " leaves its language for " << word.target;
            }
            if (word.kind == WordKind::Script) {
                const auto script = RelativePageName(word.target);
                ASSERT_TRUE(script && Shipped(*script)) << from << " runs " << word.target;
                EXPECT_TRUE(LoadScriptPath(nullptr, kProgram + *script)->Valid()) << word.target;
                ++links;
            } else if (word.IsLink()) {
                const std::string page = LinkedPage(word.target, Language());
                if (page.empty()) continue;
                ASSERT_TRUE(Shipped(page)) << from << " links " << word.target;
                EXPECT_NE(ReadPageFile(kProgram + page, page, comingSoon), comingSoon) << page;
                ++links;
            }
        }
    };
    check("the home page", home);
    for (const std::string& page : pages) {
        SCOPED_TRACE(page);
        const auto text = ReadPageFile(kProgram + page, page, comingSoon);
        ASSERT_TRUE(text && *text != comingSoon) << page << " is not a page the browser shows";
        EXPECT_LE(ReadAll(kProgram + page).size(), kMaxPageText) << page << " is cut";
        EXPECT_LE(SplitWords(*text, kMaxPageWords + 1).size(), kMaxPageWords) << page << " has words left over";
        // A tagged word is whole: prefix, shown text, target and the closing
        // bracket last, or the browser draws it as plain text or drops a tail.
        for (std::string_view raw : SplitWords(*text, kMaxPageWords)) {
            if (raw.size() < 3 || raw[0] != '<' || raw[2] != '=') continue;
            const PageWord word = ClassifyWord(raw);
            EXPECT_TRUE(word.HasTarget() && !word.shown.empty() && raw.back() == '>') << page << ": " << raw;
        }
        check(page, WordsOf(page));
    }
    EXPECT_GT(links, 0);
}

TEST_P(ShippedPages, EveryScriptParses) {
    int scripts = 0;
    if (!fs::is_directory(kProgram + Folder())) GTEST_SKIP() << "no pages shipped";
    for (const auto& entry : fs::recursive_directory_iterator(kProgram + Folder())) {
        const std::string name = fs::relative(entry.path(), kProgram).generic_string();
        if (!EndsWithNoCase(name, ".vrm")) continue;
        const std::string text = ReadAll(entry.path().string());
        if (StartsWithNoCase(text, "<vrm>")) continue;  // a page, not a script
        SCOPED_TRACE(name);
        ++scripts;
        auto context = LoadScriptPath(nullptr, entry.path().string());
        ASSERT_TRUE(context->Valid());
        int depth = 0;
        bool statementOpen = false;
        for (std::size_t i = 0; i < context->TokenCount(); ++i) {
            const std::string_view word = context->Token(i);
            if (word == "{") ++depth;
            if (word == "}") --depth;
            EXPECT_GE(depth, 0) << "a closing brace too many at word " << i;
            statementOpen = word != ";" && word != "{" && word != "}";
            // What a script calls or shows is shipped too.
            if (i + 1 < context->TokenCount() && (EqualsNoCase(word, "call") || EqualsNoCase(word, "help"))) {
                const std::string target(context->Token(i + 1));
                const std::string file = EqualsNoCase(word, "help") ? LinkedPage(target, Language()) : target;
                EXPECT_TRUE(file.empty() || Shipped(file)) << word << " " << target;
                EXPECT_TRUE(target.starts_with(Folder())) << word << " " << target << " leaves its language";
            }
        }
        EXPECT_EQ(depth, 0) << "unbalanced braces";
        EXPECT_FALSE(statementOpen) << "the last statement has no ';'";
    }
    if (scripts == 0) GTEST_SKIP() << "no scripts shipped";
}

// Answers a tutorial the way a willing user does: yes and OK to its steps,
// no to saving the project it replaces, and in a file dialog the sample the
// last question named.
class TutorialUser final : public Dialogs {
public:
    explicit TutorialUser(std::string out) : out_(std::move(out)) {}
    std::vector<std::string> asked;
    std::vector<std::string> chosen;

    BoxAnswer MessageBox(Window*, const MessageBoxRequest& request) override {
        asked.push_back(request.text);
        switch (request.buttons) {
            case BoxButtons::YesNoCancel: return BoxAnswer::No;
            case BoxButtons::YesNo: return BoxAnswer::Yes;
            default: return BoxAnswer::Ok;
        }
    }
    std::optional<std::string> OpenFile(Window*, const FileDialogRequest&) override {
        const std::string said = asked.empty() ? std::string() : asked.back();
        for (std::string_view word : SplitWords(said, 1024)) {
            while (!word.empty() && std::string_view(".,;:!?)\"'").find(word.back()) != std::string_view::npos)
                word.remove_suffix(1);
            const std::string path = kProgram + "9/samps/" + std::string(word);
            if (!word.empty() && fs::is_regular_file(path)) return chosen.push_back(path), path;
        }
        return std::nullopt;
    }
    std::optional<std::string> SaveFile(Window*, const FileDialogRequest& request) override {
        return out_ + "/tutorial." + (request.defaultSuffix.empty() ? "kwp" : request.defaultSuffix);
    }
    std::optional<std::string> TextEntry(Window*, const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<Colour> ChooseColour(Window*, Colour) override { return std::nullopt; }

private:
    std::string out_;
};

// In a menu the user picks the entry the last question named, as the
// question's language says "choose".
class TutorialMenus final : public Menus {
public:
    TutorialMenus(const TutorialUser& user, std::string choose) : user_(user), choose_(std::move(choose)) {}
    int ShowPopup(Window*, const std::vector<MenuEntry>& entries) override {
        const std::string said = user_.asked.empty() ? std::string() : user_.asked.back();
        return Find(entries, said);
    }

private:
    int Find(const std::vector<MenuEntry>& entries, const std::string& said) const {
        for (const MenuEntry& entry : entries) {
            if (entry.kind == MenuEntry::Kind::Submenu) {
                if (const int found = Find(entry.entries, said)) return found;
            } else if (entry.kind == MenuEntry::Kind::Command && !entry.caption.empty() &&
                       said.find(choose_ + entry.caption) != std::string::npos) {
                return entry.command;
            }
        }
        return 0;
    }
    const TutorialUser& user_;
    std::string choose_;
};

// The scripts of one tutorial in the order a reader meets them: its pages
// from the menu's link on, each page's script links in page order.
std::vector<std::string> TutorialScripts(const std::string& start, int language) {
    const std::string tuts = std::to_string(language) + "/tuts/";
    std::vector<std::string> scripts, queue{start};
    std::set<std::string> seen{start, tuts + "menu.vrh"};
    for (std::size_t next = 0; next < queue.size(); ++next) {
        for (const PageWord& word : WordsOf(queue[next])) {
            if (word.kind == WordKind::Script) {
                if (std::find(scripts.begin(), scripts.end(), word.target) == scripts.end())
                    scripts.push_back(word.target);
            } else if (word.IsLink()) {
                const std::string page = LinkedPage(word.target, language);
                if (page.starts_with(tuts) && Shipped(page) && seen.insert(page).second) queue.push_back(page);
            }
        }
    }
    return scripts;
}

TEST_P(ShippedPages, EveryTutorialRunsToItsEndOnTheExampleProject) {
    const std::string tuts = Folder() + "tuts/";
    if (!Shipped(tuts + "menu.vrh")) GTEST_SKIP() << "no tutorials shipped";
    // The tutorials name menu entries by the captions the language shows,
    // which its default skin file translates.
    const bool english = Language() == SettingsStore::kEnglish;
    if (!english && !Shipped(Folder() + "default.skn")) GTEST_SKIP() << "no translated captions to choose from";
    std::vector<std::string> tutorials;
    for (const PageWord& word : WordsOf(tuts + "menu.vrh")) {
        const std::string page = word.IsLink() ? LinkedPage(word.target, Language()) : "";
        if (page.starts_with(tuts) && std::find(tutorials.begin(), tutorials.end(), page) == tutorials.end())
            tutorials.push_back(page);
    }
    EXPECT_GE(tutorials.size(), 6u);
    if (!english) {
        ASSERT_TRUE(SettingsStore::Instance().LoadSkin(kProgram + Folder() + "default.skn"));
    }

    InstallCompositionParts();
    const std::string savedProgram = ProgramFolder();
    SetProgramFolder(kProgram);
    for (const std::string& tutorial : tutorials) {
        SCOPED_TRACE(tutorial);
        testing::TempFolder out;
        TutorialUser user(out.Path());
        ScriptedShell shell;
        ScriptedClock clock;
        TutorialMenus menus(user, english ? "Choose " : "Wählen Sie ");
        const PlatformServices previous = SetPlatform({&user, &menus, nullptr, &shell, &clock});
        InfoBrowser browser;
        InfoBrowser::Outside outside;
        outside.language = [this] { return Language(); };
        outside.refreshOff = [] { return true; };
        outside.open = [](const std::string&) { return true; };
        outside.surfFolder = [&out] { return out.Slash(); };
        browser.SetOutside(outside);
        ProgramContext context;
        context.infoBrowser = &browser;
        ScopedProgramContext scope(context);

        WorkspaceOptions options;
        options.startWorker = false;
        options.infoBrowser = &browser;
        options.infoBrowserShown = [&browser] { return browser.Shown(); };
        Workspace root(nullptr, nullptr, nullptr, options);
        ASSERT_TRUE(OpenProjectFile(root, kProgram + "9/samps/example.kwp"));
        const std::vector<std::string> scripts = TutorialScripts(tutorial, Language());
        EXPECT_FALSE(scripts.empty());
        for (const std::string& script : scripts) {
            std::string output;
            EXPECT_TRUE(RunScriptFile(&root, script, "", output))
                << script << " stopped; last question: " << (user.asked.empty() ? "" : user.asked.back());
        }
        SetPlatform(previous);
    }
    SetProgramFolder(savedProgram);
    StringTable::Instance().LoadResources();
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedPages, ::testing::Values(SettingsStore::kEnglish, SettingsStore::kGerman),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == SettingsStore::kGerman ? std::string("German") : std::string("English");
                         });

// Every topic, named page and script of one language exists in the other:
// a page missing in German shows "coming soon" there, a tutorial step is cut.
TEST(ShippedLanguages, EnglishAndGermanShipTheSamePages) {
    auto relative = [](int language) {
        std::set<std::string> names;
        for (const std::string& name : PagesOf(language, true)) names.insert(name.substr(name.find('/') + 1));
        return names;
    };
    const std::set<std::string> english = relative(SettingsStore::kEnglish), german = relative(SettingsStore::kGerman);
    if (english.empty()) GTEST_SKIP() << "no pages shipped";
    std::vector<std::string> onlyEnglish, onlyGerman;
    std::set_difference(english.begin(), english.end(), german.begin(), german.end(), std::back_inserter(onlyEnglish));
    std::set_difference(german.begin(), german.end(), english.begin(), english.end(), std::back_inserter(onlyGerman));
    EXPECT_TRUE(onlyEnglish.empty()) << "missing in German: " << ::testing::PrintToString(onlyEnglish);
    EXPECT_TRUE(onlyGerman.empty()) << "missing in English: " << ::testing::PrintToString(onlyGerman);
    EXPECT_TRUE(english.contains("home.vrh") && english.contains("tuts/menu.vrh"));
}

}  // namespace
}  // namespace vantrel
