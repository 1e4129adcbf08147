// What a request carries besides its URL, and what the caller learns of an
// answer besides its body: request headers on the wire, the status of every
// answer with its caching headers, no answer from WinInet's own cache, and a
// deadline for the whole exchange.
#include "DownloadRecorder.h"

#include "net/CDownloadSession.h"
#include "net/WindowHttpFetch.h"
#include "shared/PrivateMessages.h"
#include "support/HttpTestServer.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

const char Url[] = "http://127.0.0.1/weather/forecast.json";
const char Since[] = "Sat, 05 Dec 2026 10:00:00 GMT";
const char Agent[] = "Zorla/2.0 weather@example.org";

using Headers = std::vector<std::pair<std::string, std::string>>;

// The body up to its zero byte.
std::string Body(const HttpFetch::Outcome& outcome)
{
    return std::string(outcome.bytes.begin(), std::find(outcome.bytes.begin(), outcome.bytes.end(), '\0'));
}

// Answers 304 to a request that asks whether the document changed, 200 otherwise.
HttpReply Conditional(const HttpRequestSeen& request)
{
    if (!request.Header("If-Modified-Since").empty())
        return HttpReply::Status(304, "");
    return HttpReply::Status(200, "{\"fresh\":true}");
}

// The program's fetch, its outcomes taken from a message-only window the way
// the program's window takes them.
class HttpAnswer : public testing::Test {
protected:
    void SetUp() override
    {
        window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        fetch.Attach(window);
        ASSERT_TRUE(server.Start(ServeBody("<none/>")));
    }
    void TearDown() override
    {
        server.Stop();
        fetch.Attach(nullptr);
        DestroyWindow(window);
    }

    HttpFetch::Outcome Fetch(const Headers& headers)
    {
        std::optional<HttpFetch::Outcome> got;
        EXPECT_TRUE(fetch.Send(HttpFetch::Request{Url, "", "", headers},
                               [&](HttpFetch::Outcome outcome) { got = std::move(outcome); }));
        const bool came = WaitUntil(
            [&] {
                MSG msg;
                while (PeekMessageA(&msg, window, WM_WEATHER_DONE, WM_WEATHER_DONE, PM_REMOVE))
                    fetch.Deliver(msg.wParam);
                return got.has_value();
            },
            30000);
        EXPECT_TRUE(came);
        return came ? *got : HttpFetch::Outcome{};
    }

    HWND window = nullptr;
    WindowHttpFetch fetch{TEST_AGENT};
    HttpTestServer server;
};

TEST_F(HttpAnswer, HeadersGoOutAndTheStatusAndCachingHeadersOfEveryAnswerComeBack)
{
    // WinInet may keep such an answer, and answer the next request from it or
    // ask the server with conditions of its own.
    const std::string dated = "Date: Mon, 07 Dec 2026 10:15:00 GMT\r\n"
                              "Expires: Fri, 01 Jan 2100 00:00:00 GMT\r\n"
                              "Last-Modified: Mon, 07 Dec 2026 09:58:12 GMT\r\n"
                              "Cache-Control: public, max-age=86400\r\n"
                              "ETag: \"v1\"\r\n";
    const auto keepable = [&](const HttpRequestSeen&) { return HttpReply::Status(200, "{}", dated); };
    const auto tooMany = [](const HttpRequestSeen&) {
        return HttpReply::Status(429, "slow down", "Retry-After: 120\r\n");
    };
    const auto busy = [](const HttpRequestSeen&) {
        return HttpReply::Status(503, "busy", "Retry-After: Mon, 07 Dec 2026 11:00:00 GMT\r\n");
    };
    const Headers datedAnswer{{"date", "Mon, 07 Dec 2026 10:15:00 GMT"},
                              {"expires", "Fri, 01 Jan 2100 00:00:00 GMT"},
                              {"last-modified", "Mon, 07 Dec 2026 09:58:12 GMT"}};
    const struct {
        const char* why;
        HttpHandler handler;
        Headers sent;
        bool reachesServer;
        bool failed;
        int status;
        std::string body;
        Headers answer;  // expected in the outcome; others may be there too
        std::string error;
    } rows[] = {
        // clang-format off
        {"a changed document comes whole, with its own agent and question on the wire",
         Conditional, {{"User-Agent", Agent}}, true,
         false, 200, "{\"fresh\":true}", {}, ""},
        {"an unchanged document is a 304 without a body, not a failure",
         Conditional, {{"User-Agent", Agent}, {"If-Modified-Since", Since}}, true,
         false, 304, "", {}, ""},
        {"a 429 fails and tells when to come back",
         tooMany, {}, true,
         true, 429, "", {{"retry-after", "120"}}, "HttpQueryInfo returned [429]"},
        {"a 503 fails and tells when to come back",
         busy, {}, true,
         true, 503, "", {{"retry-after", "Mon, 07 Dec 2026 11:00:00 GMT"}}, "HttpQueryInfo returned [503]"},
        {"a 200 tells when it expires, when it changed and the server's time",
         keepable, {}, true,
         false, 200, "{}", datedAnswer, ""},
        {"the same asked again is not answered from WinInet's cache",
         keepable, {}, true,
         false, 200, "{}", datedAnswer, ""},
        {"a line break in a value would smuggle in a header",
         Conditional, {{"If-Modified-Since", std::string(Since) + "\r\nX-Smuggled: 1"}}, false,
         true, 0, "", {}, ""},
        {"a line break in a name likewise",
         Conditional, {{"X-Note\nX-Smuggled", "1"}}, false,
         true, 0, "", {}, ""},
        {"a zero byte would cut the header short",
         Conditional, {{"X-Note", std::string("a\0b", 3)}}, false,
         true, 0, "", {}, ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        server.SetHandler(row.handler);
        const size_t before = server.RequestCount();
        const HttpFetch::Outcome outcome = Fetch(row.sent);

        EXPECT_EQ(outcome.failed, row.failed) << outcome.error;
        EXPECT_EQ(outcome.status, row.status);
        if (!row.failed) {
            EXPECT_EQ(Body(outcome), row.body);
            EXPECT_EQ(outcome.bytes.empty(), row.status == 304);
        } else {
            EXPECT_NE(outcome.error, "");
            EXPECT_EQ(outcome.error.find_first_of("\r\n"), std::string::npos);
            if (!row.error.empty()) {
                EXPECT_EQ(outcome.error, row.error);
            }
        }
        for (const auto& header : row.answer)
            EXPECT_EQ(outcome.Header(header.first), header.second) << header.first;

        ASSERT_EQ(server.RequestCount(), before + (row.reachesServer ? 1 : 0));
        if (!row.reachesServer)
            continue;
        const HttpRequestSeen seen = server.Requests().back();
        const auto agents = std::count_if(seen.headers.begin(), seen.headers.end(),
                                          [](const std::string& line) { return line.rfind("User-Agent:", 0) == 0; });
        EXPECT_EQ(agents, 1) << "one agent, the request's or else the session's";
        EXPECT_TRUE(seen.HasHeaderLine("Accept: text/*, image/*"));
        for (const auto& header : row.sent)
            EXPECT_TRUE(seen.HasHeaderLine(header.first + ": " + header.second)) << header.first;
        const bool asked = std::any_of(row.sent.begin(), row.sent.end(),
                                       [](const auto& header) { return header.first == "If-Modified-Since"; });
        EXPECT_EQ(seen.Header("If-Modified-Since").empty(), !asked) << "WinInet adds no conditions";
        EXPECT_EQ(seen.Header("If-None-Match"), "") << "WinInet adds no conditions";
        if (row.sent.empty()) {
            EXPECT_TRUE(seen.HasHeaderLine("User-Agent: " TEST_AGENT));
        }
    }
}

// Each read of a dripping body brings a byte and keeps the receive timeout
// from ending the request; the deadline ends it.
TEST_F(HttpAnswer, AnAnswerThatDripsPastTheDeadlineFails)
{
    server.SetHandler([](const HttpRequestSeen&) { return HttpReply::Drip(std::string(200, 'x'), 400); });
    CHttpDownloader client(TEST_AGENT);
    client.m_deadlineMs = 2000;
    DownloadRecorder recorder(client);
    ASSERT_TRUE(client.StartDownload(Url, &DownloadRecorder::Callback, &recorder));
    // The whole drip would take 80 s.
    ASSERT_TRUE(recorder.WaitFor(1, 30000));
    const auto done = recorder.Calls()[0];
    EXPECT_EQ(done.failed, 1);
    EXPECT_EQ(done.Text(), CDownloadSession::kTooSlowText);
}

}  // namespace
