#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>
#include <vector>

#include "items/Version.h"
#include "items/PushButton.h"
#include "shell/Application.h"
#include "shell/Batch.h"
#include "shell/MemoryPictureStore.h"
#include "shell/StandInRoot.h"
#include "shell/Startup.h"
#include "shell/WindowProcedure.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

using testing::TempFolder;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ProjectPathTest, OnlyANameEndingInTheExtensionCounts) {
    struct Case {
        const char* line;
        bool project;
    };
    const Case cases[] = {
        {"/home/me/film.kwp", true}, {"FILM.KWP", true},      {"a.Kwp", true},         {"x.kwp", true},
        {".kwp", false},             {".KWP", false},         {"film.kwp.bak", false}, {"film.kwpx", false},
        {"film.kw", false},          {"", false},             {"kwp", false},          {"my film.kwp", true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsProjectPath(c.line), c.project) << '"' << c.line << '"';
}

TEST(VersionFileTest, WrittenOnlyBesideTheMarker) {
    TempFolder folder;
    EXPECT_FALSE(WriteVersionFile(folder.Slash()));
    EXPECT_FALSE(fs::exists(folder.Slash() + "version.ini"));

    std::ofstream(folder.Slash() + "kestlib.lib") << "";
    std::ofstream(folder.Slash() + "version.ini") << "stale content that is longer than the new one\n";
    EXPECT_TRUE(WriteVersionFile(folder.Slash()));
    EXPECT_EQ(ReadFile(folder.Slash() + "version.ini"), "[Version]\nbig=" + std::to_string(kVersionMajor) +
                                                           "\nsmall=" + std::to_string(kVersionMinor) + "\n");
}

TEST(AssociationTest, WritesADesktopEntryAndAMimePackage) {
    TempFolder home;
    const std::string data = home.Path() + "/nested/share";  // folders are made as needed
    ASSERT_TRUE(WriteFileAssociation("/opt/vantrel/vantrel", data));
    const std::string entry = ReadFile(data + "/applications/vantrel.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=/opt/vantrel/vantrel %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-vantrel-project;\n"), std::string::npos);
    const std::string mime = ReadFile(data + "/mime/packages/vantrel.xml");
    EXPECT_NE(mime.find("<mime-type type=\"application/x-vantrel-project\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.kwp\"/>"), std::string::npos);

    // A second start finds everything in place.
    EXPECT_TRUE(WriteFileAssociation("/opt/vantrel/vantrel", data));
    // A moved program is registered at its new place.
    EXPECT_TRUE(WriteFileAssociation("/usr/local/bin/vantrel", data));
    EXPECT_NE(ReadFile(data + "/applications/vantrel.desktop").find("Exec=/usr/local/bin/vantrel %f"),
              std::string::npos);
}

// The installed program leaves the association to the desktop entry its
// package laid out; one run from a build folder writes the user's own.
TEST(AssociationTest, AnInstalledProgramUsesTheDesktopEntryBesideIt) {
    TempFolder prefix;
    const std::string program = prefix.Slash() + "lib/vantrel/";
    fs::create_directories(program);
    EXPECT_FALSE(HasInstalledDesktopEntry(program));
    fs::create_directories(prefix.Slash() + "share/applications");
    std::ofstream(prefix.Slash() + "share/applications/vantrel.desktop") << "[Desktop Entry]\n";
    EXPECT_TRUE(HasInstalledDesktopEntry(program));
    EXPECT_TRUE(HasInstalledDesktopEntry(prefix.Slash() + "lib/vantrel"));
    EXPECT_FALSE(HasInstalledDesktopEntry(prefix.Slash() + "lib/other/"));
    EXPECT_FALSE(HasInstalledDesktopEntry(prefix.Slash() + "build/"));
    EXPECT_FALSE(HasInstalledDesktopEntry(""));
}

// The manual page and --help are made from one source: every line the help
// prints stands in the page too, and the page carries the version.
TEST(ManualTest, TheManualPageSaysWhatTheHelpSays) {
    const std::string page = ReadFile(std::string(VANTREL_PROGRAM_DIR) + "/vantrel.1");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find(std::string(".TH VANTREL 1 \"\" \"Vantrel ") + kVersionText + "\""), std::string::npos);
    for (const char* section : {"NAME", "SYNOPSIS", "VERBS", "EXIT STATUS", "FILES", "ENVIRONMENT", "EXAMPLES"})
        EXPECT_NE(page.find(std::string(".SH ") + section + "\n"), std::string::npos) << section;
    // The page's text lines with roff's escapes undone.
    std::vector<std::string> text;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(".")) continue;
        std::string plain;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 >= line.size()) {
                plain += line[i];
                continue;
            }
            const char next = line[++i];
            if (next == '-') plain += '-';
            else if (next == 'e') plain += '\\';
            else if (next == 'f') ++i;  // font change: one letter follows
            // "\&" stands for nothing
        }
        text.push_back(plain);
    }
    std::istringstream help{std::string(HelpText())};
    int checked = 0;
    for (std::string line; std::getline(help, line);) {
        if (line.empty() || line[0] != ' ') continue;  // headings are spelled the way each form wants
        const std::string trimmed = line.substr(line.find_first_not_of(' '));
        EXPECT_NE(std::find(text.begin(), text.end(), trimmed), text.end()) << trimmed;
        ++checked;
    }
    EXPECT_GT(checked, 40);
    for (const BatchVerb& verb : BatchVerbs())
        EXPECT_NE(std::string(HelpText()).find("    " + std::string(verb.name)), std::string::npos) << verb.name;
}

TEST(AssociationTest, FailuresAreReportedNotFatal) {
    TempFolder home;
    std::ofstream(home.Slash() + "file") << "x";
    EXPECT_FALSE(WriteFileAssociation("/opt/vantrel", home.Slash() + "file"));  // a file where a folder belongs
    EXPECT_FALSE(WriteFileAssociation("/opt/vantrel", ""));
    EXPECT_FALSE(WriteFileAssociation("/opt/van\ntrel", home.Path()));
}

TEST(AssociationTest, ExecLinesQuoteWhatTheDesktopWouldSplitOrExpand) {
    struct Case {
        const char* path;
        const char* exec;
    };
    const Case cases[] = {
        {"/opt/vantrel/vantrel", "/opt/vantrel/vantrel"},
        {"/home/me/My Programs/vantrel", "\"/home/me/My Programs/vantrel\""},
        {"/opt/$HOME/v", "\"/opt/\\\\$HOME/v\""},       // \$ inside quotes, its backslash escaped once more
        {"/opt/a\"b/v", "\"/opt/a\\\\\"b/v\""},
        {"/opt/back\\slash/v", "\"/opt/back\\\\\\\\slash/v\""},
        {"/opt/100%/v", "/opt/100%%/v"},
        {"/opt/tab\there", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DesktopExecArgument(c.path), c.exec) << c.path;
}

TEST(AssociationTest, DataHomeFollowsTheXdgRules) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    ::setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    const std::string home = std::getenv("HOME");
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(DataHome(), "/srv/data");
    ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
    EXPECT_EQ(DataHome(), home + "/.local/share");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DataHome(), home + "/.local/share");
    if (savedXdg) ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
}

// A root that counts its layouts.
class CountingRoot final : public Item {
public:
    Rect Arrange(int left, int top, int right, int bottom) override {
        ++arranged;
        last = {left, top, right, bottom};
        return last;
    }
    ResultFlags Input(Window*, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override {
        inputs.push_back({message, std::uint32_t(x), std::uint32_t(y), std::uint32_t(keyFlags)});
        return kRepaint;
    }
    int arranged = 0;
    Rect last;
    std::vector<std::array<std::uint32_t, 4>> inputs;
};

struct ProcedureFixture {
    ScriptedWindow window;
    CountingRoot* root = nullptr;
    int quitCode = 99;
    std::unique_ptr<Application> app;
    WindowProcedure procedure{window, [this](int code) { quitCode = code; }};

    ProcedureFixture() {
        window.client = {0, 0, 640, 480};
        app = std::make_unique<Application>(
            window, [](Window&) { return std::make_unique<MemoryPictureStore>(); },
            [this](Application&, Window&) {
                auto made = std::make_unique<CountingRoot>();
                root = made.get();
                return made;
            },
            [this](Application& a) { procedure.SetApplication(&a); });
    }
};

TEST(WindowProcedureTest, MinimisedWindowsSkipTimerAndSizeButActivationRefreshes) {
    ProcedureFixture f;
    ASSERT_TRUE(f.root);
    f.procedure.Timer(1);
    f.procedure.Resized();
    EXPECT_EQ(f.root->arranged, 2);
    EXPECT_EQ(f.root->last, (Rect{0, 0, 640, 480}));

    f.window.minimised = true;
    f.procedure.Timer(1);
    f.procedure.Resized();
    f.procedure.Activated(true);  // activated while still minimised
    EXPECT_EQ(f.root->arranged, 2);

    f.window.minimised = false;
    f.procedure.Activated(false);
    EXPECT_EQ(f.root->arranged, 3);
}

TEST(WindowProcedureTest, InputReachesTheRootUnchangedAndClosingEndsTheLoop) {
    ProcedureFixture f;
    f.procedure.Input(kLeftButtonDown, -3, 7, kLeftButtonHeld | kControlHeld);
    f.procedure.Input(kKeyUp, 1, 2, kVkF1);
    ASSERT_EQ(f.root->inputs.size(), 2u);
    EXPECT_EQ(int(f.root->inputs[0][1]), -3);
    EXPECT_EQ(f.root->inputs[0][3], kLeftButtonHeld | kControlHeld);
    EXPECT_EQ(f.root->inputs[1][3], kVkF1);

    f.procedure.Destroyed();
    EXPECT_EQ(f.app->RootClip(), nullptr);
    EXPECT_EQ(f.quitCode, 0);
    // With the root gone input is answered with nothing and nothing breaks.
    EXPECT_EQ(f.app->Input(&f.window, kMouseMove, 1, 1, 0), 0u);
    f.procedure.Timer(1);
}

TEST(WindowProcedureTest, EventsBeforeTheApplicationIsReadyAreIgnored) {
    ScriptedWindow window;
    int quits = 0;
    WindowProcedure procedure(window, [&quits](int) { ++quits; });
    procedure.Input(kMouseMove, 1, 1, 0);
    procedure.Timer(1);
    procedure.Activated(false);
    procedure.Destroyed();
    EXPECT_EQ(quits, 1);  // the window still ends the loop
}

TEST(StandInRootTest, ReleasedCaptureMeansHitTestingAgainAndRepaints) {
    ScriptedWindow window;
    MemoryPictureStore store;
    ProcedureFixture owner;  // any application will do for attaching
    StandInRoot root(&window);
    PushButton button;
    ASSERT_TRUE(button.Attach(&root, &store, owner.app.get(), 25, 1));
    button.SetRectangle({10, 10, 50, 30});
    EXPECT_EQ(root.Children().size(), 1u);

    root.Input(&window, kLeftButtonDown, 20, 20, kLeftButtonHeld);
    EXPECT_EQ(root.CapturedChild(), &button);
    EXPECT_TRUE(window.captured);
    root.Input(&window, kMouseMove, 500, 500, kLeftButtonHeld);
    EXPECT_EQ(button.Press(), Control::kUp);  // dragged out: no longer pressed
    const ResultFlags up = root.Input(&window, kLeftButtonUp, 500, 500, 0);
    EXPECT_TRUE(up & kRepaint);
    EXPECT_EQ(root.CapturedChild(), nullptr);
    EXPECT_FALSE(window.captured);
}

TEST(PictureStoreTest, AFailedLoadKeepsThePictureThatWasThere) {
    MemoryPictureStore store;
    EXPECT_FALSE(store.HasPicture(555));
    EXPECT_FALSE(store.LoadPicture(555, "/nonexistent/picture.png"));
    EXPECT_FALSE(store.HasPicture(555));
    EXPECT_EQ(store.Picture(555), nullptr);
}

// The built program, run as a user would.
struct RunResult {
    int status = -1;
    std::string out, err;
};

RunResult RunProgram(const std::string& arguments) {
    TempFolder folder;
    const std::string out = folder.Slash() + "out", err = folder.Slash() + "err";
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen \"") + VANTREL_PROGRAM_DIR +
                                "/vantrel\" " + arguments + " >" + out + " 2>" + err + " </dev/null";
    const int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

TEST(BatchTest, TheProgramAnswersVersionHelpAndUsageErrors) {
    const RunResult version = RunProgram("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, VANTREL_PRODUCT_VERSION "\n");

    const RunResult help = RunProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, std::string(HelpText()));
    EXPECT_EQ(help.out.rfind(UsageText().substr(0, UsageText().find("\n\n")), 0), 0u) << "help begins with the usage";

    struct Case {
        const char* arguments;
        const char* complaint;
    };
    const Case usageErrors[] = {
        {"--frobnicate", "unknown verb --frobnicate"},
        {"-x", "unknown verb -x"},
        {"--version extra", "wrong number of arguments for --version"},
        {"one.kwp two.kwp", "at most one project"},
    };
    for (const Case& c : usageErrors) {
        const RunResult r = RunProgram(c.arguments);
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_TRUE(r.out.empty()) << c.arguments;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << c.arguments << ": " << r.err;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << c.arguments;
    }
}

TEST(BatchTest, EveryVerbIsListedAndTheListMatchesTheReadme) {
    const std::string usage(UsageText());
    for (const BatchVerb& verb : BatchVerbs()) {
        EXPECT_NE(usage.find(std::string(verb.name)), std::string::npos) << verb.name;
        EXPECT_EQ(FindBatchVerb(verb.name), &verb);
        EXPECT_TRUE(verb.run) << verb.name;
    }
    EXPECT_EQ(FindBatchVerb("--nothing"), nullptr);

    const std::string readme = ReadFile(std::string(VANTREL_SOURCE_DIR) + "/README.md");
    std::istringstream lines(usage);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("    vantrel", 0) == 0) {
            EXPECT_NE(readme.find(line + "\n"), std::string::npos) << line;
        }
}

TEST(BatchTest, AVerbOfTheWrongShapeIsAUsageErrorBeforeAnythingRuns) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    char name[] = "vantrel", verb[] = "--help", extra[] = "x";
    char* argv[] = {name, verb, extra, nullptr};
    EXPECT_EQ(RunBatch(3, argv, {out, err}), kExitUsage);
    EXPECT_EQ(std::ftell(out), 0);
    EXPECT_GT(std::ftell(err), 0);
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace vantrel
