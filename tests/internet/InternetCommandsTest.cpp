#include "internet/DownloadFolder.h"
#include "internet/InternetCommands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "items/Version.h"
#include "internet/Endpoints.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "skin/SettingsStore.h"
#include "tests/internet/LocalServer.h"
#include "tests/internet/TestFolder.h"

namespace vantrel {
namespace {

using test::LocalServer;
using test::ReadAll;
using test::Route;
using test::ScopedEnv;
using test::TestFolder;

// Server, temporary folder, scripted dialogs and recording hooks, with the
// member area pointed at the server.
class InternetCommandsTest : public ::testing::Test {
protected:
    InternetCommandsTest()
        : memberArea_("VANTREL_MEMBER_AREA", server_.Url("/members")),  // no "/": added
          installer_("VANTREL_INSTALLER_URL", "http://mirror.invalid/setup") {
        Hooks().openSurfPage = [this](const std::string& address) { return surfed_.push_back(address), true; };
        Hooks().quit = [this] { ++quits_; };
    }
    ~InternetCommandsTest() override { Hooks() = InternetHooks{}; }

    LocalServer server_;
    TestFolder folder_;
    ScriptedPlatform platform_;
    ScriptedWindow window_;
    ScopedEnv memberArea_, installer_;
    std::vector<std::string> surfed_, projects_;
    std::function<bool(const std::string&)> openProject_ = [this](const std::string& path) {
        projects_.push_back(path);
        return true;
    };
    int quits_ = 0;
};

TEST_F(InternetCommandsTest, VersionFileDecidesBetweenUpToDateAndTheUpgradeQuestion) {
    struct Case {
        std::string file;
        BoxAnswer answer;
        UpdateCheck result;
        const char* text;  // nullptr: no box at all
        const char* caption;
    };
    // Around the running version (2.28 reads: 2.28 and 1.99 are not newer,
    // 2.29, 3.00 and 2.30 are).
    const int big = kVersionMajor, small = kVersionMinor;
    auto number = [](int value) { return std::to_string(value); };
    auto upgrade = [](int b, int s) {
        char text[64];
        std::snprintf(text, sizeof text, "Upgrade to Version %d.%02d?", b, s);
        return std::string(text);
    };
    const std::string next = upgrade(big, small + 1), major = upgrade(big + 1, 0), later = upgrade(big, small + 2);
    const Case cases[] = {
        {"[Version]\nbig=" + number(big) + "\nsmall=" + number(small) + "\n", BoxAnswer::Ok,
         UpdateCheck::UpToDate, "Your Vantrel is up-to-date.", "Your Vantrel is up-to-date."},
        {"[Version]\nbig=" + number(big - 1) + "\nsmall=99\n", BoxAnswer::Ok, UpdateCheck::UpToDate,
         "Your Vantrel is up-to-date.", "Your Vantrel is up-to-date."},
        {"[version]\r\nBIG=" + number(big) + "\r\nSmall=" + number(small + 1) + "\r\n", BoxAnswer::Cancel,
         UpdateCheck::Declined, next.c_str(), "Question"},
        {"[Version]\nbig=" + number(big + 1) + "\n", BoxAnswer::Cancel, UpdateCheck::Declined, major.c_str(),
         "Question"},
        {"[Version]\nbig=" + number(big) + "\nsmall=" + number(small + 2) + "\n", BoxAnswer::Ok,
         UpdateCheck::Upgrading, later.c_str(), "Question"},
        {"[Other]\nbig=9\nsmall=9\n", BoxAnswer::Ok, UpdateCheck::Silent, nullptr, nullptr},
        {"[Version]\nsmall=40\n", BoxAnswer::Ok, UpdateCheck::Silent, nullptr, nullptr},
        {"", BoxAnswer::Ok, UpdateCheck::Silent, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        server_.Set("/members/version.ini", {200, c.file});
        platform_.dialogs.boxes.clear();
        platform_.dialogs.boxAnswers = {c.answer};
        surfed_.clear();
        quits_ = 0;

        EXPECT_EQ(CheckForUpdate(&window_), c.result);
        EXPECT_EQ(window_.cursor, Cursor::Arrow);
        if (!c.text) {
            EXPECT_TRUE(platform_.dialogs.boxes.empty());
            continue;
        }
        ASSERT_EQ(platform_.dialogs.boxes.size(), 1u);
        const MessageBoxRequest& box = platform_.dialogs.boxes[0];
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caption, c.caption);
        const bool question = c.result != UpdateCheck::UpToDate;
        EXPECT_EQ(box.icon, question ? BoxIcon::Question : BoxIcon::Information);
        EXPECT_EQ(box.buttons, question ? BoxButtons::OkCancel : BoxButtons::Ok);
        const bool upgrading = c.result == UpdateCheck::Upgrading;
        EXPECT_EQ(surfed_, upgrading ? std::vector<std::string>{"http://mirror.invalid/setup"}
                                     : std::vector<std::string>{});
        EXPECT_EQ(quits_, upgrading ? 1 : 0);
    }
}

TEST_F(InternetCommandsTest, VersionCheckStaysSilentWhenTheFileCannotBeHad) {
    server_.Set("/members/version.ini", {404, "[Version]\nbig=9\n"});
    EXPECT_EQ(CheckForUpdate(&window_), UpdateCheck::Silent);
    {
        ScopedEnv offline("VANTREL_MEMBER_AREA", "http://127.0.0.1:1/");
        EXPECT_EQ(CheckForUpdate(&window_), UpdateCheck::Silent);
    }
    EXPECT_TRUE(platform_.dialogs.boxes.empty());
    EXPECT_EQ(window_.cursor, Cursor::Arrow);
}

TEST_F(InternetCommandsTest, UpgradeQuitsOnlyOnceTheInstallerPageIsShown) {
    const std::string newer =
        "[Version]\nbig=" + std::to_string(kVersionMajor) + "\nsmall=" + std::to_string(kVersionMinor + 1) + "\n";
    server_.Set("/members/version.ini", {200, newer});
    // Without an info browser the address goes to the shell.
    Hooks().openSurfPage = nullptr;
    platform_.dialogs.boxAnswers = {BoxAnswer::Ok};
    EXPECT_EQ(CheckForUpdate(&window_), UpdateCheck::Upgrading);
    EXPECT_EQ(platform_.shell.opened, std::vector<std::string>{"http://mirror.invalid/setup"});
    EXPECT_EQ(quits_, 1);

    Hooks().openSurfPage = [](const std::string&) { return false; };
    platform_.dialogs.boxAnswers = {BoxAnswer::Ok};
    EXPECT_EQ(CheckForUpdate(&window_), UpdateCheck::Declined);
    EXPECT_EQ(quits_, 1);
}

TEST_F(InternetCommandsTest, RefreshedPagesComeFromTheMemberAreaAndFailuresKeepTheLocalCopy) {
    const std::string local = folder_.File("e0000012.vrh");
    test::WriteAll(local, "local page");
    server_.Set("/members/e0000012.vrh", {200, "<vrh>fresh"});
    EXPECT_TRUE(RefreshFromMemberArea("e0000012.vrh", local));
    EXPECT_EQ(ReadAll(local), "<vrh>fresh");
    ScopedEnv offline("VANTREL_MEMBER_AREA", "http://127.0.0.1:1/");
    EXPECT_FALSE(RefreshFromMemberArea("e0000012.vrh", local));
    EXPECT_EQ(ReadAll(local), "<vrh>fresh");
}

TEST_F(InternetCommandsTest, WithoutAnAddressPagesAreNeverRefreshed) {
    const std::string local = folder_.File("e0000013.vrh");
    test::WriteAll(local, "<vrh> shipped");
    server_.Set("/members/e0000013.vrh", {200, "<vrh> fresh"});
    const std::size_t asked = server_.Requests().size();
    {
        ScopedEnv none("VANTREL_MEMBER_AREA", "");
        EXPECT_EQ(ConfiguredMemberArea(), "");
        EXPECT_FALSE(RefreshFromMemberArea("e0000013.vrh", local));
        EXPECT_EQ(ReadAll(local), "<vrh> shipped");
        EXPECT_EQ(server_.Requests().size(), asked);  // nothing went out
        // The preference, once given, is the address.
        SettingsStore::Instance().Prefs().memberAreaAddress = server_.Url("/members");
        EXPECT_TRUE(RefreshFromMemberArea("e0000013.vrh", local));
        SettingsStore::Instance().Prefs().memberAreaAddress.clear();
    }
    EXPECT_EQ(ReadAll(local), "<vrh> fresh");
}

TEST_F(InternetCommandsTest, ProjectFromAnAddressIsOpenedFromItsDownloadedCopy) {
    server_.Set("/shared/demo.zip", {200, "project bytes"});
    platform_.dialogs.textAnswers = {server_.Url("/shared/demo.zip?session=7")};
    ASSERT_TRUE(OpenProjectFromAddress(&window_, openProject_));
    ASSERT_EQ(projects_.size(), 1u);
    // Into the private download folder, never straight into the shared one.
    EXPECT_EQ(projects_[0], *DownloadFolder() + "demo.kwp");
    EXPECT_EQ(ReadAll(projects_[0]), "project bytes");
    ASSERT_EQ(platform_.dialogs.textPrompts.size(), 1u);

    // Cancel, an empty answer and a failed download open nothing.
    platform_.dialogs.textAnswers = {std::nullopt, std::string(), server_.Url("/shared/gone.kwp")};
    EXPECT_FALSE(OpenProjectFromAddress(&window_, openProject_));
    EXPECT_FALSE(OpenProjectFromAddress(&window_, openProject_));
    EXPECT_FALSE(OpenProjectFromAddress(&window_, openProject_));
    EXPECT_EQ(projects_.size(), 1u);
    EXPECT_EQ(server_.Requests().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("vantrel-" + std::to_string(getuid()) + "/gone.kwp")));
}

// What the media side opens for a name: the import itself is the
// workspace's ImportFile, tested with the editor.
TEST_F(InternetCommandsTest, RemoteMediaIsOpenedFromItsLocalCopyAndLocalNamesPassStraightThrough) {
    server_.Set("/clips/beach.avi", {200, "RIFF...."});
    const auto remote = LocalCopyOf(server_.Url("/clips/beach.avi"));
    ASSERT_TRUE(remote);
    EXPECT_EQ(*remote, *DownloadFolder() + "beach.avi");
    EXPECT_EQ(ReadAll(*remote), "RIFF....");
    EXPECT_EQ(LocalCopyOf("/home/user/local.wav"), "/home/user/local.wav");
    EXPECT_FALSE(LocalCopyOf(server_.Url("/clips/missing.avi")));
}

TEST(RemoteAddress, OnlyNetworkSchemesCountInAnyCase) {
    for (const char* remote : {"http://a/b.avi", "HTTP://A/B.AVI", "Ftp://host/x.wav", "https://h/x.mov"})
        EXPECT_TRUE(IsRemoteAddress(remote)) << remote;
    for (const char* local : {"/home/http://x", "http:/x", "file:///x.avi", "ftp:", "C:\\x.avi", ""})
        EXPECT_FALSE(IsRemoteAddress(local)) << local;
}

TEST(RemoteAddress, LocalNamesCannotLeaveTheTemporaryFolder) {
    struct Case {
        const char* address;
        const char* name;
    };
    const Case cases[] = {
        {"http://host/a/b/clip.avi", "clip.avi"},
        {"http://host/p/clip.mov?token=1#frame", "clip.mov"},
        {"ftp://host/dir/file name.wav", "file_name.wav"},
        {"http://host/", "download"},
        {"http://host", "download"},
        {"http://host/a/..", "download"},
        {"http://host/../../etc/passwd", "passwd"},
        {"http://host/x/..%2F..%2Fetc", "%2F..%2Fetc"},
        {"http://host/-rf", "rf"},
        {"http://host/.hidden", "hidden"},
        {"http://host/a\\b", "a_b"},
    };
    for (const Case& c : cases) EXPECT_EQ(LocalNameFor(c.address), c.name) << c.address;
}

TEST(Endpoints, EnvironmentReplacesEachDefault) {
    const std::string member = MemberArea(), installer = InstallerAddress(), site = WebSiteAddress();
    EXPECT_EQ(member.back(), '/');
    {
        ScopedEnv a("VANTREL_MEMBER_AREA", "http://127.0.0.1:8080/m/");
        ScopedEnv b("VANTREL_INSTALLER_URL", "http://127.0.0.1:8080/setup");
        ScopedEnv c("VANTREL_WEB_SITE", "http://127.0.0.1:8080/");
        ScopedEnv d("VANTREL_SUPPORT_MAIL", "help@127.0.0.1");
        EXPECT_EQ(MemberArea(), "http://127.0.0.1:8080/m/");
        EXPECT_EQ(InstallerAddress(), "http://127.0.0.1:8080/setup");
        EXPECT_EQ(WebSiteAddress(), "http://127.0.0.1:8080/");
        EXPECT_EQ(SupportMailto(), "mailto:help@127.0.0.1");
    }
    {
        ScopedEnv empty("VANTREL_MEMBER_AREA", "");  // set but empty: the default
        EXPECT_EQ(MemberArea(), member);
    }
    EXPECT_EQ(InstallerAddress(), installer);
    EXPECT_EQ(WebSiteAddress(), site);
}

}  // namespace
}  // namespace vantrel
