#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <filesystem>

#include "items/Version.h"
#include "internet/InternetSession.h"
#include "tests/internet/LocalServer.h"
#include "tests/internet/TestFolder.h"

namespace vantrel {
namespace {

using test::LocalServer;
using test::ReadAll;
using test::Route;
using test::TestFolder;
using test::WriteAll;

int LeftoverFiles(const TestFolder& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        if (entry.path().filename().string().find(".part") != std::string::npos) ++count;
    return count;
}

// A port on loopback that nobody listens on.
int ClosedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

TEST(Download, ReplacesTheLocalCopyOnlyWhenTheWholeTransferArrived) {
    const std::string big(300000, 'z');  // many pieces
    struct Case {
        const char* what;
        Route route;
        bool ok;
        std::string after;  // the local file afterwards
    };
    const Case cases[] = {
        {"success", {200, "fresh page"}, true, "fresh page"},
        {"large success", {200, big}, true, big},
        {"empty transfer", {200, ""}, true, ""},
        {"missing page", {404, "<html>Not Found</html>"}, false, "old copy"},
        {"server error", {500, "oops"}, false, "old copy"},
        {"closed mid-transfer", {200, big, 120000}, false, "old copy"},
        {"closed before any byte", {200, "never sent", 0}, false, "old copy"},
    };
    LocalServer server;
    TestFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string local = folder.File("page.vrh");
        WriteAll(local, "old copy");
        server.Set("/page.vrh", c.route);
        EXPECT_EQ(InternetSession::Instance().Download(server.Url("/page.vrh"), local), c.ok);
        EXPECT_EQ(ReadAll(local), c.after);
        EXPECT_EQ(LeftoverFiles(folder), 0);
    }
}

TEST(Download, EmptyTransferCreatesAFileThatDidNotExist) {
    LocalServer server;
    TestFolder folder;
    server.Set("/empty", {200, ""});
    const std::string local = folder.File("new.bin");
    ASSERT_TRUE(InternetSession::Instance().Download(server.Url("/empty"), local));
    EXPECT_TRUE(std::filesystem::exists(local));
    EXPECT_EQ(std::filesystem::file_size(local), 0u);
}

TEST(Download, FailuresBeforeAnyDataLeaveEverythingAsItWas) {
    TestFolder folder;
    const std::string local = folder.File("keep.vrm");
    WriteAll(local, "offline copy");
    struct Case {
        const char* what;
        std::string address;
        std::string target;
    };
    const Case cases[] = {
        {"connection refused", "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/keep.vrm", local},
        {"not an address", "not an address at all", local},
        {"empty address", "", local},
        // Only network protocols: a page must never pull in a local file.
        {"local file scheme", "file:///etc/hostname", local},
        {"folder that does not exist", "http://127.0.0.1:1/x", folder.File("no/such/folder/x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(InternetSession::Instance().Download(c.address, c.target));
        EXPECT_EQ(ReadAll(local), "offline copy");
        EXPECT_EQ(LeftoverFiles(folder), 0);
    }
}

TEST(Download, AsksTheServerItselfAndNamesTheProgram) {
    LocalServer server;
    TestFolder folder;
    server.Set("/a", {200, "1"});
    server.Set("/b", {200, "2"});
    ASSERT_TRUE(InternetSession::Instance().Download(server.Url("/a"), folder.File("a")));
    ASSERT_TRUE(InternetSession::Instance().Download(server.Url("/b"), folder.File("b")));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const std::string& request : requests) {
        EXPECT_NE(request.find("User-Agent: " VANTREL_PRODUCT_VERSION " (freeware)\r\n"), std::string::npos) << request;
        EXPECT_NE(request.find("Cache-Control: no-cache\r\n"), std::string::npos) << request;
    }
}

TEST(Download, GoesThroughTheProxyTheEnvironmentNames) {
    LocalServer proxy;
    TestFolder folder;
    proxy.Set("/members/page.vrh", {200, "via proxy"});
    test::ScopedEnv httpProxy("http_proxy", proxy.Url(""));
    test::ScopedEnv noProxy("no_proxy", "");
    const std::string local = folder.File("page.vrh");
    ASSERT_TRUE(InternetSession::Instance().Download("http://vantrel-mirror.invalid/members/page.vrh", local));
    EXPECT_EQ(ReadAll(local), "via proxy");
    const auto requests = proxy.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET http://vantrel-mirror.invalid/members/page.vrh HTTP/1.1", 0), 0u)
        << requests[0];
}

}  // namespace
}  // namespace vantrel
