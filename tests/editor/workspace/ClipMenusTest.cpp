#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EnvelopeMenu.h"
#include "editor/workspace/MenuAnswers.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "media/sources/MediaOpen.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/model/clips/ClipFixtures.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/support/TinyWav.h"

namespace vantrel {
namespace {

using testing::ScopedDialogs;
using testing::TempFolder;

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

const MenuEntry* Find(const std::vector<MenuEntry>& entries, const std::string& caption) {
    for (const MenuEntry& entry : entries)
        if (entry.caption == caption) return &entry;
    return nullptr;
}

std::vector<std::string> Captions(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> captions;
    for (const MenuEntry& entry : entries) captions.push_back(entry.kind == MenuEntry::Kind::Separator ? "-" : entry.caption);
    return captions;
}

// One number can be a clip command, a root command and a locator index at
// once; the kind keeps them apart, and a number the menu never gave (or the
// dismissed menu's 0) answers nothing.
TEST(MenuAnswersTest, EqualValuesOfDifferentKindsStayApartAndStrangeNumbersAnswerNothing) {
    using Kind = MenuAnswer::Kind;
    MenuAnswers answers;
    const MenuAnswer given[] = {{Kind::ClipEntry, 3}, {Kind::RootCommand, 3}, {Kind::SetLocator, 3},
                                {Kind::GotoLocator, 3}, {Kind::EnvelopeEntry, 0x7fffffff}};
    std::vector<int> numbers;
    for (const MenuAnswer& answer : given) numbers.push_back(answers.Entry(answer, "x").command);
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(answers.Answer(numbers[i]), given[i]) << i;
    for (int strange : {0, -1, int(numbers.size()) + 1, 0x10000 | 3})
        EXPECT_EQ(answers.Answer(strange).kind, Kind::None) << strange;
}

// The window is laid out at 1024 x 768, so client and layout points agree.
struct ClipMenuTest : testing::ScriptedEditorTest {
    TempFolder folder;

    Clip* Add(int type, std::int32_t position, std::int32_t length, int track) {
        Clip* clip = root->NewChildClip(type);
        clip->RestoreTimes(position, length, 0);
        clip->SetTrack(track);
        root->RestoreTimes(0, 10000, 0);
        root->SetView(0, 10000);
        root->Editor().LayOut(1024, 768);
        return clip;
    }
    Point On(const Clip& clip) const { return Centre(root->Editor().ArrangementEditor().BoxOf(clip)); }
    // Shows the menu once dismissed to learn its entries, then again
    // choosing the entry found by the path of captions.
    ResultFlags Choose(Point p, std::vector<std::string> path) {
        platform.menus.answers = {};
        const ResultFlags dismissed = root->Input(&window, kRightButtonUp, p.x, p.y, 0);
        if (path.empty() || platform.menus.shown.empty()) return dismissed;
        const std::vector<MenuEntry>* entries = &platform.menus.shown.back();
        const MenuEntry* entry = nullptr;
        for (const std::string& caption : path) {
            entry = Find(*entries, caption);
            if (!entry) return 0;
            entries = &entry->entries;
        }
        platform.menus.answers = {entry->command};
        return root->Input(&window, kRightButtonUp, p.x, p.y, 0);
    }
};

TEST_F(ClipMenuTest, TheClickedClipsEntriesThenLocatorsAutoAdjustAndTheFileMenu) {
    Clip* upper = Add(kGradientType, 1000, 2000, 0);
    Clip* lower = Add(kTextStringType, 1000, 2000, 1);
    ASSERT_EQ(root->Editor().ClipAt(On(*lower)), lower);
    EXPECT_EQ(root->Editor().ClipAt({On(*lower).x, On(*lower).y - 40}), upper);

    Choose(On(*lower), {});
    EXPECT_EQ(Captions(platform.menus.shown.back()),
              (std::vector<std::string>{"Top", "Up", "Duplicate", "Split at Current Time", "Delete", "Change Text", "-",
                                        "Work With Opacities", "-", "Set Locator", "Goto Location",
                                        "Auto Adjust Make Strip", "-", "File"}));
    EXPECT_EQ(Find(platform.menus.shown.back(), "Set Locator")->entries.size(), 8u);
    EXPECT_EQ(Find(platform.menus.shown.back(), "File")->entries.front().caption, "New Project");
    // Empty space in the window: the arrangement's entries only.
    Choose({On(*upper).x, On(*upper).y + 200}, {});
    EXPECT_EQ(platform.menus.shown.back().front().caption, "Set Locator");

    EXPECT_NE(Choose(On(*lower), {"Top"}) & kChanged, 0u);
    EXPECT_EQ(lower->Track(), 0);
    EXPECT_EQ(upper->Track(), 1);

    root->SetGlobalTime(1500);
    Choose(On(*lower), {"Set Locator", "3  (1.500)"});
    EXPECT_EQ(root->Locator(2), 1500);
    root->SetGlobalTime(0);
    Choose(On(*lower), {"Goto Location", "3  (1.500)"});
    EXPECT_EQ(root->Time(), 1500);

    Choose(On(*lower), {"Auto Adjust Make Strip"});
    EXPECT_EQ(lower->GetPosition(), 0);
    EXPECT_EQ(root->MakeEnd(), 2000);

    // Delete asks with the clip's name and removes it only on Yes.
    platform.dialogs.boxAnswers = {BoxAnswer::Yes};
    Choose(On(*lower), {"Delete"});
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_NE(platform.dialogs.boxes.back().text.find("\t- Text String\n"), std::string::npos);
    // The "File" submenu runs the root's commands.
    platform.menus.answers = {};
    Choose(On(*upper), {"File", "New Media Clip"});
    EXPECT_EQ(Captions(platform.menus.shown.back()), (std::vector<std::string>{"Text String", "Gradient", "-", "Sub Arrangement"}));

    // A sub arrangement's own entries add clips to it, not to the root.
    Clip* sub = Add(kSubArrangementType, 4000, 3000, 0);
    const std::vector<int> ids = root->Editor().ClipEntryIds(*sub);
    EXPECT_EQ(std::vector<int>(ids.end() - 4, ids.end()), (std::vector<int>{-1, 1, 653, 387}));
    platform.menus.answers = {kGradientType};
    EXPECT_NE(root->Editor().RunClipEntry(&window, sub, 387) & kChanged, 0u);
    EXPECT_EQ(sub->ChildCount(), 1);
    EXPECT_EQ(root->ChildCount(), 2);
}

TEST_F(ClipMenuTest, ChangeTextTakesTheWordsThenTheTypeface) {
    Clip* text = Add(kTextStringType, 0, 2000, 0);
    platform.dialogs.textAnswers = {std::nullopt};  // cancelled: nothing else is asked
    EXPECT_EQ(root->Editor().RunClipEntry(&window, text, 608) & kChanged, 0u);
    EXPECT_TRUE(platform.dialogs.typefaceRequests.empty());

    platform.dialogs.textAnswers = {"Hello"};
    platform.dialogs.typefaceAnswers = {"DejaVu Serif"};
    EXPECT_NE(root->Editor().RunClipEntry(&window, text, 608) & kChanged, 0u);
    EXPECT_EQ(text->Words(), "Hello");
    EXPECT_EQ(text->Typeface(), "DejaVu Serif");
    EXPECT_EQ(platform.dialogs.typefaceRequests, (std::vector<std::string>{"System"}));

    platform.dialogs.textAnswers = {"Bye"};  // the font chooser cancelled keeps the typeface
    root->Editor().RunClipEntry(&window, text, 608);
    EXPECT_EQ(text->Words(), "Bye");
    EXPECT_EQ(text->Typeface(), "DejaVu Serif");

    // The chooser opens at the clip's own size and its answer sets it.
    text->SetValueNow(280, 32);
    platform.dialogs.textAnswers = {"Bye"};
    platform.dialogs.typefaceAnswers = {"DejaVu Sans"};
    platform.dialogs.typefaceSizeAnswers = {40};
    root->Editor().RunClipEntry(&window, text, 608);
    EXPECT_EQ(platform.dialogs.typefaceRequests.back(), "DejaVu Serif");
    EXPECT_EQ(platform.dialogs.typefaceSizes.back(), 32);
    EXPECT_EQ(text->ValueById(280), 40);

    // The arrangement shows the words, not the kind of clip.
    testing::RecordingDrawContext dc;
    root->Editor().ArrangementEditor().Draw(dc);
    EXPECT_NE(std::find(dc.texts.begin(), dc.texts.end(), "Bye"), dc.texts.end());
    EXPECT_EQ(std::find(dc.texts.begin(), dc.texts.end(), "Text String"), dc.texts.end());
}

TEST_F(ClipMenuTest, AFileThatCannotBeImportedIsNamedWithTheReasonAndChangesNothing) {
    const std::string text = folder.File("notes.wav");
    std::ofstream(text) << "not a sound";
    std::filesystem::create_directory(folder.File("folder.avi"));
    root->CommitAll();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {folder.File("gone.avi"), "does not exist"},
        {folder.File("folder.avi"), "cannot be read"},
        {text, "format"},
    };
    for (const auto& [path, reason] : cases) {
        platform.dialogs.fileAnswers = {path};
        ResultFlags out = 0;
        root->Command(&window, kImportClipCommand, out);
        EXPECT_EQ(out, 0u) << path;
        ASSERT_FALSE(platform.dialogs.boxes.empty());
        const MessageBoxRequest& box = platform.dialogs.boxes.back();
        EXPECT_EQ(box.caption, "Error");
        EXPECT_NE(box.text.find("\"" + path + "\""), std::string::npos);
        EXPECT_NE(box.text.find(reason), std::string::npos) << box.text;
        // The status line no longer says "Importing: ..." but what happened.
        const std::string status = root->Editor().StatusText();
        EXPECT_EQ(status.find('\n'), std::string::npos) << status;
        EXPECT_NE(status.find(reason), std::string::npos) << status;
        EXPECT_NE(status.find(path), std::string::npos) << status;
    }
    EXPECT_EQ(platform.dialogs.boxes.size(), 3u);  // no "locate this file?" question for a chosen file
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_FALSE(root->IsChanged());
    // The dialog offers every format the readers open after the classic list.
    const auto& filters = platform.dialogs.openRequests.back().filters;
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].patterns, "*.avi;*.mov;*.wav;*.png;*.jpg;*.gif;*.bmp;*.mpg;*.mpeg;*.asf;*.kwp");
    for (const char* ending : {"*.mkv", "*.mp4", "*.webm", "*.mp3", "*.flac", "*.png", "*.jpeg", "*.ico"})
        EXPECT_NE(filters[1].patterns.find(ending), std::string::npos) << ending;
}

TEST_F(ClipMenuTest, DroppedFilesFollowEachOtherFromThePointerAndABadOneIsSkipped) {
    Add(kGradientType, 0, 10000, 0);
    ASSERT_TRUE(testing::WriteWav(folder.File("a.wav"), 1500));
    ASSERT_TRUE(testing::WriteWav(folder.File("b.wav"), 700));
    window.drops[7] = {folder.File("a.wav"), folder.File("missing.wav"), folder.File("b.wav")};
    const ArrangementWindow& arrangement = root->Editor().ArrangementEditor();
    const Rect& area = arrangement.Rects().window;
    const Point p{area.left + area.Width() / 4, area.top + 5};
    const std::int32_t at = arrangement.TimeAt(p.x);
    const ResultFlags flags = root->Input(&window, kFilesDropped, p.x, p.y, 7);
    EXPECT_NE(flags & kChanged, 0u);
    ASSERT_EQ(root->ChildCount(), 3);
    EXPECT_EQ(root->ChildAt(1)->GetPosition(), at);
    EXPECT_EQ(root->ChildAt(1)->Track(), 1);  // the gradient holds track 0 there
    EXPECT_EQ(root->ChildAt(2)->GetPosition(), at + 1500);
    EXPECT_EQ(root->CurrentChild(), root->ChildAt(2));
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_NE(platform.dialogs.boxes[0].text.find("missing.wav"), std::string::npos);
}

std::atomic<bool> releaseDownload{false};
std::string downloadedCopy;
std::optional<std::string> SlowDownload(const std::string& address) {
    while (!releaseDownload) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (address.find("broken") != std::string::npos) return std::nullopt;
    return downloadedCopy;
}

TEST_F(ClipMenuTest, AnAddressDownloadsWithoutBlockingAndImportsOnTheMainThread) {
    downloadedCopy = folder.File("fetched.wav");
    ASSERT_TRUE(testing::WriteWav(downloadedCopy, 900));
    SetDownloadFunction(&SlowDownload);
    releaseDownload = false;
    platform.dialogs.textAnswers = {"http://127.0.0.1:9/fetched.wav"};
    ResultFlags out = 0;
    root->Command(&window, kImportClipUrlCommand, out);
    // The command came back while the download still waits.
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_TRUE(UrlImportPending(*root));
    EXPECT_EQ(root->Editor().StatusText(), "Downloading: http://127.0.0.1:9/fetched.wav");
    releaseDownload = true;
    for (int i = 0; i < 500 && !FinishUrlImports(*root); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(root->ChildAt(0)->Length(), 900);
    EXPECT_TRUE(root->IsChanged());

    platform.dialogs.textAnswers = {"http://127.0.0.1:9/broken.wav"};
    root->Command(&window, kImportClipUrlCommand, out);
    for (int i = 0; i < 500 && UrlImportPending(*root); ++i) {
        FinishUrlImports(*root);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(root->ChildCount(), 1);
    ASSERT_FALSE(platform.dialogs.boxes.empty());
    EXPECT_NE(platform.dialogs.boxes.back().text.find("broken.wav"), std::string::npos);
    SetDownloadFunction(nullptr);
}

TEST_F(ClipMenuTest, MissingMediaOnLoadIsAskedForAndALocatedPathIsKept) {
    const std::string wav = folder.File("voice.wav"), moved = folder.File("moved/voice.wav");
    ASSERT_TRUE(testing::WriteWav(wav, 800));
    Add(kSubArrangementType, 0, 3000, 1)->SetMediaPath("/no/such/file.avi");  // never opened
    ASSERT_NE(root->ImportMedia(wav), nullptr);
    const std::string project = folder.File("p.kwp");
    root->CommitAll();
    ASSERT_TRUE(SaveProjectFile(*root, project));
    std::filesystem::create_directory(folder.File("moved"));
    std::filesystem::rename(wav, moved);

    platform.dialogs.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_FALSE(OpenProjectFile(*root, project));
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);  // only the wave file was asked for
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "File Not Found!");
    EXPECT_NE(platform.dialogs.boxes[0].text.find(wav), std::string::npos);

    platform.dialogs.boxes.clear();
    SetLastLocatedFolder("");
    platform.dialogs.boxAnswers = {BoxAnswer::Ok};
    platform.dialogs.fileAnswers = {moved};
    ASSERT_TRUE(OpenProjectFile(*root, project));
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->ChildAt(1)->MediaPath(), moved);
    ASSERT_TRUE(SaveProjectFile(*root, project));
    // Read back: the located path was saved, so nothing is asked any more.
    platform.dialogs.boxes.clear();
    ASSERT_TRUE(OpenProjectFile(*root, project));
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_EQ(root->ChildAt(1)->MediaPath(), moved);
    SetLastLocatedFolder("");
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// A clip with sound offers the arrangement's envelope strip in its menu; the
// chosen entry runs on the clip's arrangement with its current variable.
TEST_F(ClipMenuTest, AClipWithSoundOffersTheEnvelopeStrip) {
    std::vector<int> ran;
    WorkspaceOptions options = Options();
    options.envelope = {[&](int command, Clip& arrangement, Clip&, Variable*, double) {
        ran.push_back(command);
        return &arrangement == root.get();
    }};
    Open(std::move(options));
    const std::string wav = folder / "tone.wav";
    std::ofstream(wav, std::ios::binary) << testing::TinyWav();
    Clip* sound = ImportFile(*root, &window, wav, 1000);
    ASSERT_NE(sound, nullptr);
    Clip* picture = Add(kGradientType, 1000, 2000, sound->Track() + 1);
    root->Editor().LayOut(1024, 768);

    Choose(On(*picture), {});
    EXPECT_EQ(Find(platform.menus.shown.back(), "Envelope"), nullptr);
    EXPECT_NE(Choose(On(*sound), {"Envelope", "Invert"}) & kChanged, 0u);
    EXPECT_EQ(ran, std::vector<int>{kInvertEnvelope});
}

}  // namespace
}  // namespace vantrel
