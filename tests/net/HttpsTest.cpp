// HTTPS against servers that tests/net/with_tls_servers.sh starts: a good
// certificate is read, an expired one or one of an unknown authority is an
// error, and a redirect from https down to http is not followed. Run through
// that script only (its suite ends in Child).
#include "DownloadRecorder.h"

#include "net/CHttpDownloader.h"
#include "support/HttpTestServer.h"
#include "support/TestAuthority.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

DownloadRecorder::Done Fetch(const std::string& url, const HttpHeaderList& headers = {})
{
    CHttpDownloader client("Zorla HTTPS test");
    DownloadRecorder recorder(client);
    EXPECT_TRUE(client.StartDownload(url, headers, &DownloadRecorder::Callback, &recorder));
    EXPECT_TRUE(recorder.WaitFor(1));
    const auto calls = recorder.Calls();
    return calls.size() == 1 ? calls[0] : DownloadRecorder::Done{};
}

}  // namespace

TEST(HttpsChild, OnlyAValidCertificateOfATrustedAuthorityIsReadAndNoRedirectLeadsToHttp)
{
    ASSERT_TRUE(TrustTestAuthority());
    HttpTestServer plain;
    ASSERT_TRUE(plain.Start(ServeBody("<plain/>"), 8080));
    const struct {
        const char* url;
        bool read;
        const char* why;
    } cases[] = {
        {"https://localhost:8443/weather.xml", true, "a certificate of the trusted authority"},
        {"https://localhost:8444/weather.xml", false, "an expired certificate"},
        {"https://localhost:8445/weather.xml", false, "an authority nobody trusts"},
        {"https://localhost:8446/weather.xml", false, "a redirect down to http"},
        {"https://localhost:8447/weather.xml", true, "a redirect to https"},
    };
    for (const auto& c : cases) {
        const auto done = Fetch(c.url);
        EXPECT_TRUE(done.fetched) << c.why;
        EXPECT_EQ(done.failed, c.read ? 0 : 1) << c.why << ": " << done.Text();
        if (c.read)
            EXPECT_EQ(done.Text(), "<secure/>") << c.why;
        else
            EXPECT_NE(done.Text(), "") << c.why << ": the error is said";
    }
    EXPECT_EQ(plain.RequestCount(), 0u) << "nothing went to http";
}

// The server answers 304 only when the agent and the date the test sends
// arrive as sent.
TEST(HttpsChild, RequestHeadersTravelOverTlsAndA304ComesBackAsSuch)
{
    ASSERT_TRUE(TrustTestAuthority());
    const auto changed = Fetch("https://localhost:8448/forecast.xml");
    EXPECT_EQ(changed.failed, 0) << changed.Text();
    EXPECT_EQ(changed.status, 200);
    EXPECT_EQ(changed.Text(), "<changed/>");

    const auto same =
        Fetch("https://localhost:8448/forecast.xml", {{"User-Agent", "Zorla/2.0 weather@example.org"},
                                                      {"If-Modified-Since", "Sat, 05 Dec 2026 10:00:00 GMT"}});
    EXPECT_EQ(same.failed, 0) << same.Text();
    EXPECT_EQ(same.status, 304);
    const HttpHeaderList lastModified{{"last-modified", "Sat, 05 Dec 2026 10:00:00 GMT"}};
    EXPECT_TRUE(std::search(same.headers.begin(), same.headers.end(), lastModified.begin(), lastModified.end()) !=
                same.headers.end());
}
