#include "DownloadRecorder.h"

#include "framework/CWinApp.h"
#include "net/CLaunchReport.h"
#include "support/HttpTestServer.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char SITE[] = "http://127.0.0.1/";

class LaunchReport : public testing::Test {
protected:
    void SetUp() override
    {
        AfxGetApp()->SetRegistryKey("Velloran Software");
        TestRegistry::DeleteApp(App());
        window = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(server.Start(ServeBody("thanks")));
    }

    void TearDown() override
    {
        if (window)
            DestroyWindow(window);
        TestRegistry::DeleteApp(App());
    }

    static std::string App() { return AfxGetApp()->m_pszAppName; }

    void SetCount(DWORD count) { TestRegistry::WriteDword(App(), "CZorlaApp", "LC", count); }
    DWORD Count() const
    {
        DWORD count = 12345;
        TestRegistry::ReadDword(App(), "CZorlaApp", "LC", count);
        return count;
    }

    // The client runs its requests in order, so once a later one has called
    // back, the report's callback has run too.
    void Settle()
    {
        DownloadRecorder marker(client);
        ASSERT_TRUE(client.StartDownload("http://127.0.0.1/marker", &DownloadRecorder::Callback, &marker));
        ASSERT_TRUE(marker.WaitFor(1));
    }

    std::vector<std::string> Targets() const
    {
        std::vector<std::string> targets;
        for (const HttpRequestSeen& request : server.Requests())
            if (request.Target() != "/marker")
                targets.push_back(request.Target());
        return targets;
    }

    HttpTestServer server;
    CHttpDownloader client{TEST_AGENT};
    CLaunchReport report{client, SITE};
    HWND window = nullptr;
};

TEST_F(LaunchReport, TenthStartIsReportedAndTheCountStartsAgain)
{
    SetCount(10);
    EXPECT_TRUE(report.Send(window, false));
    EXPECT_TRUE(WaitUntil([&] { return Count() == 0; }, 30000));
    EXPECT_EQ(Targets(), (std::vector<std::string>{"/?LC=10"}));
}

TEST_F(LaunchReport, FailedReportKeepsTheCount)
{
    server.SetHandler(ServeBody("gone", 404));
    SetCount(14);
    EXPECT_TRUE(report.Send(window, false));
    Settle();
    EXPECT_EQ(Targets(), (std::vector<std::string>{"/?LC=14"}));
    EXPECT_EQ(Count(), 14u);
}

TEST_F(LaunchReport, ReportThatOutlivesTheMainWindowKeepsTheCount)
{
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    server.SetHandler([release](const HttpRequestSeen& request) {
        if (request.Target() != "/marker")
            WaitForSingleObject(release, 30000);
        return HttpReply::Status(200, "thanks");
    });
    SetCount(11);
    EXPECT_TRUE(report.Send(window, false));
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    DestroyWindow(window);
    window = nullptr;
    SetEvent(release);
    Settle();
    EXPECT_EQ(Count(), 11u);
    CloseHandle(release);
}

TEST_F(LaunchReport, NineStartsOrNoInternetSendNothing)
{
    SetCount(9);
    EXPECT_FALSE(report.Send(window, false));
    SetCount(50);
    EXPECT_FALSE(report.Send(window, true));
    Settle();
    EXPECT_TRUE(Targets().empty());
    EXPECT_EQ(Count(), 50u);
}

}  // namespace
