#include "DownloadRecorder.h"

#include "net/CDownloadSession.h"
#include "net/HttpErrorText.h"
#include "support/HttpTestServer.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char WeatherUrl[] = "http://127.0.0.1/myPHP/generate_zorla_Klimbim_info.php.xml";
const char WeatherDocument[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><weather><city id=\"1\"/></weather>";

std::vector<char> WithZero(const std::string& text)
{
    std::vector<char> bytes(text.begin(), text.end());
    bytes.push_back('\0');
    return bytes;
}

class HttpDownload : public testing::Test {
protected:
    void SetUp() override
    {
        // WinInet keeps answered credentials per host for the browser session and
        // would send them unasked in a later test of the same process.
        InternetSetOptionA(nullptr, INTERNET_OPTION_END_BROWSER_SESSION, nullptr, 0);
        ASSERT_TRUE(server.Start(ServeBody(WeatherDocument)));
    }

    // Runs one request on a fresh client and returns its single callback.
    DownloadRecorder::Done FetchOnce(const std::string& url, const std::string& user = "",
                                     const std::string& password = "")
    {
        CHttpDownloader client(TEST_AGENT);
        client.m_userName = user;
        client.m_password = password;
        DownloadRecorder recorder(client);
        EXPECT_TRUE(client.StartDownload(url, &DownloadRecorder::Callback, &recorder));
        EXPECT_TRUE(recorder.WaitFor(1));
        EXPECT_EQ(client.GetLastErrorText(), "");
        const auto calls = recorder.Calls();
        if (calls.size() != 1) {
            ADD_FAILURE() << calls.size() << " callbacks";
            return {};
        }
        EXPECT_EQ(calls[0].url, url);
        EXPECT_EQ(calls[0].context, &recorder);
        EXPECT_TRUE(calls[0].fetched);
        return calls[0];
    }

    HttpTestServer server;
};

TEST_F(HttpDownload, SuccessDeliversTheBodyWithOneZeroByte)
{
    const auto done = FetchOnce(WeatherUrl);
    EXPECT_EQ(done.failed, 0);
    EXPECT_EQ(done.bytes, WithZero(WeatherDocument));
}

TEST_F(HttpDownload, RequestIsAnHttp10GetWithTheAgentTwiceAndTheAcceptHeader)
{
    FetchOnce("http://127.0.0.1/?LC=12");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "GET /?LC=12 HTTP/1.0");
    EXPECT_TRUE(requests[0].HasHeaderLine("User-Agent: " TEST_AGENT)) << requests[0].Header("User-Agent");
    EXPECT_EQ(requests[0].Header("User-Agent").rfind("User-Agent: Velloran Software/1.0 (", 0), 0u);
    EXPECT_TRUE(requests[0].HasHeaderLine("Accept: text/*, image/*"));
    EXPECT_EQ(requests[0].Header("Authorization"), "");
}

TEST_F(HttpDownload, EmptyBodyDeliversASingleZeroByte)
{
    server.SetHandler(ServeBody(""));
    const auto done = FetchOnce(WeatherUrl);
    EXPECT_EQ(done.failed, 0);
    EXPECT_EQ(done.bytes, std::vector<char>(1, '\0'));
}

TEST_F(HttpDownload, ChallengeWithoutCredentialsFailsWithTheStatus)
{
    server.SetHandler(RequireBasicAuth("zorla", "$1$40213867$q", WeatherDocument));
    const auto done = FetchOnce(WeatherUrl);
    EXPECT_EQ(done.failed, 1);
    EXPECT_EQ(done.bytes, WithZero("HttpQueryInfo returned [401]"));
}

TEST_F(HttpDownload, BasicChallengeIsAnsweredWithTheCredentials)
{
    server.SetHandler(RequireBasicAuth("zorla", "$1$40213867$q", WeatherDocument));
    const auto done = FetchOnce(WeatherUrl, "zorla", "$1$40213867$q");
    EXPECT_EQ(done.failed, 0);
    EXPECT_EQ(done.bytes, WithZero(WeatherDocument));
    const auto requests = server.Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests.front().Header("Authorization"), "");
    EXPECT_EQ(requests.back().Header("Authorization"), "Basic " + Base64("zorla:$1$40213867$q"));
}

TEST_F(HttpDownload, StatusOtherThan200FailsWithTheStatusNumber)
{
    for (int status : {404, 500}) {
        server.SetHandler(ServeBody("<html>no</html>", status));
        const auto done = FetchOnce(WeatherUrl);
        EXPECT_EQ(done.failed, 1);
        EXPECT_EQ(done.bytes, WithZero("HttpQueryInfo returned [" + std::to_string(status) + "]"));
    }
}

TEST_F(HttpDownload, RefusedConnectionFailsWithWinInetsMessage)
{
    server.StopListening();
    const auto done = FetchOnce(WeatherUrl);
    EXPECT_EQ(done.failed, 1);
    EXPECT_EQ(done.Text(), MessageTableText("wininet.dll", ERROR_INTERNET_CANNOT_CONNECT));
    EXPECT_NE(done.Text(), "");
    EXPECT_EQ(done.Text().find_first_of("\r\n"), std::string::npos);
}

// A hostile or broken server could send without end: past the cap the answer
// is refused, up to it it arrives whole.
TEST_F(HttpDownload, AnAnswerUpToTheCapArrivesWholeAndOneByteMoreFails)
{
    std::string body(CDownloadSession::kMaxAnswerBytes, ' ');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>('a' + (i * 7 + i / 4099) % 26);
    server.SetHandler(ServeBody(body));
    const auto whole = FetchOnce(WeatherUrl);
    EXPECT_EQ(whole.failed, 0);
    ASSERT_EQ(whole.bytes.size(), body.size() + 1);
    EXPECT_TRUE(std::equal(body.begin(), body.end(), whole.bytes.begin()));
    EXPECT_EQ(whole.bytes.back(), '\0');

    server.SetHandler(ServeBody(body + "x"));
    const auto tooLong = FetchOnce(WeatherUrl);
    EXPECT_EQ(tooLong.failed, 1);
    EXPECT_EQ(tooLong.Text(), "The answer is larger than 4 MB");
}

TEST_F(HttpDownload, BodyCutShortOfItsAnnouncedLengthFails)
{
    // WinInet ends the reads cleanly when the server closes early.
    server.SetHandler([](const HttpRequestSeen&) { return HttpReply::Truncated("<weather><ci", 5000); });
    const auto done = FetchOnce(WeatherUrl);
    EXPECT_EQ(done.failed, 1);
    EXPECT_EQ(done.Text(), MessageTableText("wininet.dll", ERROR_INTERNET_CONNECTION_ABORTED));
}

TEST_F(HttpDownload, AnswerWithoutStatusLineEndsInOneCallback)
{
    // WinInet takes it for an old HTTP/0.9 answer and may pass it on as a body;
    // the weather parser rejects it then.
    const std::string garbage = "\x01\x02garbage\r\n\r\n%%";
    server.SetHandler([&](const HttpRequestSeen&) { return HttpReply::Raw(garbage); });
    const auto done = FetchOnce(WeatherUrl);
    ASSERT_FALSE(done.bytes.empty());
    EXPECT_EQ(done.bytes.back(), '\0');
}

// The request goes where the URL says: its port, and only http or https.
TEST_F(HttpDownload, TheUrlsSchemeAndPortChooseTheConnection)
{
    HttpTestServer other;
    ASSERT_TRUE(other.Start(ServeBody("<other/>"), 8080));
    const auto onPort = FetchOnce("http://127.0.0.1:8080/port/test.xml");
    EXPECT_EQ(onPort.failed, 0);
    EXPECT_EQ(onPort.bytes, WithZero("<other/>"));
    ASSERT_EQ(other.RequestCount(), 1u);
    EXPECT_EQ(other.Requests()[0].Target(), "/port/test.xml");

    const auto ftp = FetchOnce("ftp://127.0.0.1/test.xml");
    EXPECT_EQ(ftp.failed, 1);
    EXPECT_EQ(ftp.Text(), MessageTableText("wininet.dll", ERROR_INTERNET_UNRECOGNIZED_SCHEME));
    EXPECT_EQ(server.RequestCount(), 0u) << "nothing went to port 80";
}

TEST_F(HttpDownload, UrlIsCanonicalisedBeforeTheRequest)
{
    const auto done = FetchOnce("http://127.0.0.1/my folder/the weather.xml?city=Bad Ischl");
    EXPECT_EQ(done.failed, 0);
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].Target(), "/my%20folder/the%20weather.xml?city=Bad%20Ischl");
}

TEST_F(HttpDownload, CanonicalUrlMustFitIn259Characters)
{
    // 17 characters of "http://127.0.0.1/", the rest path.
    const std::string longest = "http://127.0.0.1/" + std::string(242, 'x');
    EXPECT_EQ(FetchOnce(longest).failed, 0);
    ASSERT_EQ(server.RequestCount(), 1u);

    // Short enough as typed, too long once its spaces are escaped.
    const std::string spaces = "http://127.0.0.1/" + std::string(100, ' ') + "x";
    for (const std::string& url : {longest + "x", spaces}) {
        const auto done = FetchOnce(url);
        EXPECT_EQ(done.failed, 1);
        EXPECT_EQ(done.Text(), MessageTableText(nullptr, ERROR_INSUFFICIENT_BUFFER));
        EXPECT_NE(done.Text(), "");
    }
    EXPECT_EQ(server.RequestCount(), 1u);
}

}  // namespace

namespace {

TEST(ComposeErrorText, WinInetCodesReadWinInetsOwnTable)
{
    std::string target = "earlier text";
    const std::string text = ComposeHttpErrorText(ERROR_INTERNET_CANNOT_CONNECT, target);
    EXPECT_EQ(text, target);
    EXPECT_EQ(text, MessageTableText("wininet.dll", ERROR_INTERNET_CANNOT_CONNECT));
    EXPECT_NE(text, "");
}

TEST(ComposeErrorText, SystemCodesReadTheSystemTableWithoutLineEnds)
{
    std::string target;
    ComposeHttpErrorText(ERROR_FILE_NOT_FOUND, target);
    EXPECT_EQ(target, MessageTableText(nullptr, ERROR_FILE_NOT_FOUND));
    EXPECT_NE(target, "");
    EXPECT_EQ(target.find_first_of("\r\n"), std::string::npos);
}

TEST(ComposeErrorText, ZeroStandsForTheThreadsLastError)
{
    std::string target;
    SetLastError(ERROR_ACCESS_DENIED);
    ComposeHttpErrorText(0, target);
    EXPECT_EQ(target, MessageTableText(nullptr, ERROR_ACCESS_DENIED));
}

TEST(ComposeErrorText, CodeWithoutAnyMessageStillGetsAText)
{
    // The customer bit: no table of the system has such a code.
    const DWORD code = 0x20001234;
    std::string target;
    ComposeHttpErrorText(code, target);
    EXPECT_EQ(target, "Error " + std::to_string(code));
}

}  // namespace
