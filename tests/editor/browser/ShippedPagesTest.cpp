// Walks whatever pages and scripts the program folder ships for language 9:
// every link must lead somewhere, every script must load, and every tutorial
// must run to its end against the example project.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "items/ProgramContext.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
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

// Every page of language 9 by its name relative to the program folder.
std::vector<std::string> ShippedPages() {
    std::vector<std::string> pages;
    if (!fs::is_directory(kProgram + "9")) return pages;
    for (const auto& entry : fs::recursive_directory_iterator(kProgram + "9")) {
        const std::string name = fs::relative(entry.path(), kProgram).generic_string();
        if (name.starts_with("9/samps/") || !entry.is_regular_file()) continue;
        if (EndsWithNoCase(name, ".vrh") || EndsWithNoCase(name, ".txt")) pages.push_back(name);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::vector<PageWord> WordsOf(const std::string& page) { return ParsePage(ReadAll(kProgram + page)); }

// Where a page link leads, resolved the way the browser resolves it: the
// shipped page file, or empty for addresses the shell opens.
std::string LinkedPage(const std::string& target) {
    const LinkTarget link = ClassifyTarget(target);
    if (link.kind == LinkTarget::Mail || link.kind == LinkTarget::Web) return {};
    if (link.kind == LinkTarget::Numbered) return NumberedPageName(9, link.number);
    return RelativePageName(target).value_or("<refused " + target + ">");
}

TEST(ShippedPages, EveryLinkAndScriptLinkResolves) {
    const std::vector<std::string> pages = ShippedPages();
    if (pages.empty()) GTEST_SKIP() << "no pages shipped";
    const std::string comingSoon = Str(322);
    std::vector<PageWord> home = ParsePage(HomePageText(9, [](int id) { return Str(id); }));
    int links = 0;
    auto check = [&](const std::string& from, const std::vector<PageWord>& words) {
        for (const PageWord& word : words) {
            if (word.kind == WordKind::Script) {
                const auto script = RelativePageName(word.target);
                ASSERT_TRUE(script && Shipped(*script)) << from << " runs " << word.target;
                EXPECT_TRUE(LoadScriptPath(nullptr, kProgram + *script)->Valid()) << word.target;
                ++links;
            } else if (word.IsLink()) {
                const std::string page = LinkedPage(word.target);
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
        check(page, WordsOf(page));
    }
    EXPECT_GT(links, 0);
}

TEST(ShippedPages, EveryScriptParses) {
    int scripts = 0;
    if (!fs::is_directory(kProgram + "9")) GTEST_SKIP() << "no pages shipped";
    for (const auto& entry : fs::recursive_directory_iterator(kProgram + "9")) {
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
                const std::string file = EqualsNoCase(word, "help") ? LinkedPage(target) : target;
                EXPECT_TRUE(file.empty() || Shipped(file)) << word << " " << target;
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

// In a menu the user picks the entry the last question named.
class TutorialMenus final : public Menus {
public:
    explicit TutorialMenus(const TutorialUser& user) : user_(user) {}
    int ShowPopup(Window*, const std::vector<MenuEntry>& entries) override {
        const std::string said = user_.asked.empty() ? std::string() : user_.asked.back();
        return Find(entries, said);
    }

private:
    static int Find(const std::vector<MenuEntry>& entries, const std::string& said) {
        for (const MenuEntry& entry : entries) {
            if (entry.kind == MenuEntry::Kind::Submenu) {
                if (const int found = Find(entry.entries, said)) return found;
            } else if (entry.kind == MenuEntry::Kind::Command && !entry.caption.empty() &&
                       said.find("Choose " + entry.caption) != std::string::npos) {
                return entry.command;
            }
        }
        return 0;
    }
    const TutorialUser& user_;
};

// The scripts of one tutorial in the order a reader meets them: its pages
// from the menu's link on, each page's script links in page order.
std::vector<std::string> TutorialScripts(const std::string& start) {
    std::vector<std::string> scripts, queue{start};
    std::set<std::string> seen{start, "9/tuts/menu.vrh"};
    for (std::size_t next = 0; next < queue.size(); ++next) {
        for (const PageWord& word : WordsOf(queue[next])) {
            if (word.kind == WordKind::Script) {
                if (std::find(scripts.begin(), scripts.end(), word.target) == scripts.end())
                    scripts.push_back(word.target);
            } else if (word.IsLink()) {
                const std::string page = LinkedPage(word.target);
                if (page.starts_with("9/tuts/") && Shipped(page) && seen.insert(page).second) queue.push_back(page);
            }
        }
    }
    return scripts;
}

TEST(ShippedPages, EveryTutorialRunsToItsEndOnTheExampleProject) {
    if (!Shipped("9/tuts/menu.vrh")) GTEST_SKIP() << "no tutorials shipped";
    std::vector<std::string> tutorials;
    for (const PageWord& word : WordsOf("9/tuts/menu.vrh")) {
        const std::string page = word.IsLink() ? LinkedPage(word.target) : "";
        if (page.starts_with("9/tuts/") && std::find(tutorials.begin(), tutorials.end(), page) == tutorials.end())
            tutorials.push_back(page);
    }
    EXPECT_GE(tutorials.size(), 6u);

    InstallCompositionParts();
    const std::string savedProgram = ProgramFolder();
    SetProgramFolder(kProgram);
    for (const std::string& tutorial : tutorials) {
        SCOPED_TRACE(tutorial);
        testing::TempFolder out;
        TutorialUser user(out.Path());
        ScriptedShell shell;
        ScriptedClock clock;
        TutorialMenus menus(user);
        const PlatformServices previous = SetPlatform({&user, &menus, nullptr, &shell, &clock});
        InfoBrowser browser;
        InfoBrowser::Outside outside;
        outside.language = [] { return 9; };
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
        const std::vector<std::string> scripts = TutorialScripts(tutorial);
        EXPECT_FALSE(scripts.empty());
        for (const std::string& script : scripts) {
            std::string output;
            EXPECT_TRUE(RunScriptFile(&root, script, "", output))
                << script << " stopped; last question: " << (user.asked.empty() ? "" : user.asked.back());
        }
        SetPlatform(previous);
    }
    SetProgramFolder(savedProgram);
}

}  // namespace
}  // namespace vantrel
