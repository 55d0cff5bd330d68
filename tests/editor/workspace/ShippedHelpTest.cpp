#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "items/Control.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/RootControls.h"
#include "script/ScriptContext.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const fs::path kPages = fs::path(VANTREL_SOURCE_DIR) / "data" / "program";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

fs::path NumberedPage(int topic) {
    char name[32];
    std::snprintf(name, sizeof name, "h%07d.txt", topic);
    return kPages / "9" / name;
}

// Every topic F1 can open: the root and its controls, the commands of its
// table and menus, each effect, the effect categories the browser lists,
// every variable and variable group, the panels' own controls and the start
// page.
std::set<int> ReachableTopics() {
    std::set<int> topics = {555, 215};
    for (const RootControlRow& row : RootControlRows()) topics.insert(row.id);
    for (const CommandRow& row : RootCommandRows()) topics.insert(HelpTopicOf(row));
    for (const EffectRow& row : VideoEffectRows()) topics.insert(row.type);
    for (const EffectRow& row : AudioEffectRows()) topics.insert(row.type);
    for (int category : {605, 606, 105, 75, 77, 251, 442, 271}) topics.insert(category);
    for (auto group : catalogue::Groups())
        for (const VariableRow& row : group) topics.insert(row.stringId);
    for (int panel : {191, 494, 610, 611, 612, 613, 614, 615, 375, 616, 386, 487}) topics.insert(panel);
    return topics;
}

TEST(ShippedHelpTest, EveryTopicF1ReachesHasAPageTheBrowserShowsWhole) {
    const std::set<int> topics = ReachableTopics();
    EXPECT_GT(topics.size(), 250u);
    for (int topic : topics) {
        const fs::path page = NumberedPage(topic);
        ASSERT_TRUE(fs::exists(page)) << "no page for topic " << topic;
        const std::string text = ReadText(page);
        // The browser keeps 8191 characters and 1024 words of a page.
        EXPECT_LT(text.size(), 8191u) << page;
        EXPECT_LE(Words(text).size(), 1024u) << page;
        EXPECT_GT(Words(text).size(), 10u) << page << " says next to nothing";
        // A tagged word must end with ">" to be one: punctuation glued to it
        // turns a link into plain text.
        for (const std::string& word : Words(text)) {
            if (word.rfind("<H=", 0) == 0 || word.rfind("<M=", 0) == 0 || word.rfind("<T=", 0) == 0 ||
                word.rfind("<C=", 0) == 0) {
                EXPECT_EQ(word.back(), '>') << page << ": " << word;
            }
        }
    }
}

TEST(ShippedHelpTest, EveryShippedScriptLoadsBalancesItsBracesAndNamesShippedFiles) {
    Control host;
    int scripts = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kPages)) {
        if (entry.path().extension() != ".vrm") continue;
        ++scripts;
        const fs::path& path = entry.path();
        EXPECT_TRUE(LoadScriptPath(&host, path.string())->Valid()) << path;

        const std::vector<std::string> words = Words(ReadText(path));
        ASSERT_GE(words.size(), 3u) << path;
        EXPECT_EQ(words[0], "<vrs>") << path;
        int depth = 0;
        for (const std::string& word : words) {
            depth += word == "{" ? 1 : word == "}" ? -1 : 0;
            EXPECT_GE(depth, 0) << path;
        }
        EXPECT_EQ(depth, 0) << path;
        EXPECT_TRUE(words.back() == ";" || words.back() == "}") << path << " ends inside a statement";

        // Statements that start a statement with "help" turn pages; "call"
        // runs another script: both name files relative to the program folder.
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            const bool startsStatement = i == 0 || words[i - 1] == ";" || words[i - 1] == "{" || words[i - 1] == "}";
            if ((startsStatement && words[i] == "help") || words[i] == "call") {
                EXPECT_TRUE(fs::exists(kPages / words[i + 1])) << path << " names " << words[i + 1];
            }
        }
    }
    EXPECT_GE(scripts, 6);
}

}  // namespace
}  // namespace vantrel
