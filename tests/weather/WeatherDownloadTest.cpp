#include "WeatherFixture.h"

#include "framework/Utf8.h"
#include "shared/PrivateMessages.h"
#include "support/ScopedTestClock.h"
#include "mainwnd/CityList.h"
#include "xml/XmlParser.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using util::xml::XmlElement;

namespace {

const char CONTACTING[] = "Weather update - contacting server...";

std::vector<std::string> Sorted5()
{
    return {"Berlin", "Bremen", "Hamburg", "Köln", "München"};
}

class WeatherDownload : public WeatherFixture {
protected:
    void SetUp() override
    {
        WeatherFixture::SetUp();
        ASSERT_TRUE(server.Start(ServeBody(WeatherFeeds::Good())));
    }
};

TEST_F(WeatherDownload, GoodFeedIsShownSortedSavedAndStamped)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    view.selection = "bRE";
    Update();

    EXPECT_EQ(view.Cities(), Sorted5());
    // The first city that begins with the remembered text, in any case, is
    // selected, and the remembered text becomes its full name.
    EXPECT_EQ(view.SelectedCity(), "Bremen");
    EXPECT_EQ(view.selection, "Bremen");
    EXPECT_EQ(view.weatherText, "sonnig, wolkenlos 8 °"
                                "C\nUpdated: 14:00");

    const auto statuses = view.Statuses();
    ASSERT_EQ(statuses.size(), 2u);
    EXPECT_EQ(statuses[0].text, CONTACTING);
    EXPECT_FALSE(statuses[0].transient);
    EXPECT_EQ(statuses[1].text, "OK !");
    EXPECT_TRUE(statuses[1].transient);

    EXPECT_EQ(Stamp(), "03/07/2004 14:05:09");
    util::xml::XmlParser parser;
    const auto stored = parser.parseFile(store->GetPath());
    ASSERT_NE(stored->findChild("WEATHER"), nullptr);
    EXPECT_EQ(stored->findChild("WEATHER")->getChildCount(), 5);

    // The display timer comes after the swap and draws the same again.
    EXPECT_TRUE(view.PumpUntil([&] { return view.displayRefreshes > 0; }));
    EXPECT_EQ(view.SelectedCity(), "Bremen");
}

TEST_F(WeatherDownload, RequestCarriesTheCredentialsTheServerAsksFor)
{
    server.SetHandler(RequireBasicAuth("zorla", "$1$40213867$q", WeatherFeeds::Good()));
    Update();
    EXPECT_EQ(view.LastStatus(), "OK !");
    EXPECT_EQ(view.Cities(), Sorted5());

    const auto requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().Target(), WeatherFeeds::WEATHER_PATH);
    EXPECT_EQ(requests.back().Header("Authorization"), "Basic " + Base64("zorla:$1$40213867$q"));
    EXPECT_EQ(requests.back().Header("User-Agent"), "User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")");
}

// Every way a download can go wrong leaves the last good weather where it was.
struct BadAnswer {
    const char* name;
    std::function<HttpReply(const HttpRequestSeen&)> reply;
    const char* status;  // the whole status text, or null when only its start is fixed
};

std::string TenMegabytes()
{
    const std::string entry = "<ENTRY>Berlin<TEMP>10</TEMP></ENTRY>\n";
    std::string body = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ZORLA><WEATHER>";
    while (body.size() < 10u * 1024u * 1024u)
        body += entry;
    return body;  // never closed
}

const BadAnswer BAD_ANSWERS[] = {
    {"NotFound", [](const HttpRequestSeen&) { return HttpReply::Status(404, "<html>gone</html>"); },
     "Error: HttpQueryInfo returned [404]"},
    {"ServerError", [](const HttpRequestSeen&) { return HttpReply::Status(500, "<ZORLA/>"); },
     "Error: HttpQueryInfo returned [500]"},
    {"EmptyBody", [](const HttpRequestSeen&) { return HttpReply::Status(200, ""); }, nullptr},
    {"Garbage", [](const HttpRequestSeen&) { return HttpReply::Status(200, "\x89PNG\r\n\x1a\n garbage <<>> &&"); },
     nullptr},
    {"TenMegabytes",
     [](const HttpRequestSeen&) {
         static const std::string body = TenMegabytes();
         return HttpReply::Status(200, body);
     },
     nullptr},
    {"TruncatedDocument",
     [](const HttpRequestSeen&) {
         const std::string whole = WeatherFeeds::Other();
         return HttpReply::Status(200, whole.substr(0, whole.size() / 2));
     },
     nullptr},
    {"CutConnection",
     [](const HttpRequestSeen&) { return HttpReply::Truncated(WeatherFeeds::Other().substr(0, 80), 4000); }, nullptr},
};

void PrintTo(const BadAnswer& answer, std::ostream* out)
{
    *out << answer.name;
}

class WeatherBadAnswer : public WeatherDownload, public testing::WithParamInterface<BadAnswer> {};

TEST_P(WeatherBadAnswer, KeepsThePreviousWeatherAndDoesNotStamp)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    Update();
    ASSERT_EQ(view.LastStatus(), "OK !");
    const XmlElement* document = store->GetDocument();
    const std::string file = StoreFile();
    const std::string text = view.weatherText;
    ASSERT_NE(text, "");

    clock.Set(2004, 3, 7, 14, 30, 0);
    server.SetHandler(GetParam().reply);
    Update();

    const auto last = view.Statuses().back();
    if (GetParam().status) {
        EXPECT_EQ(last.text, GetParam().status);
    }
    EXPECT_EQ(last.text.rfind("Error: ", 0), 0u) << last.text;
    EXPECT_GT(last.text.size(), 7u);
    EXPECT_TRUE(last.transient);
    EXPECT_EQ(store->GetDocument(), document);
    EXPECT_EQ(view.Cities(), Sorted5());
    EXPECT_EQ(view.weatherText, text);
    EXPECT_EQ(StoreFile(), file);
    EXPECT_EQ(Stamp(), "03/07/2004 14:05:09");
    EXPECT_FALSE(weather->IsUpdateInProgress());
    // The failure leaves the update due, so the next tick tries again.
    EXPECT_TRUE(weather->IsUpdateDue());
}

INSTANTIATE_TEST_SUITE_P(Answers, WeatherBadAnswer, testing::ValuesIn(BAD_ANSWERS),
                         [](const testing::TestParamInfo<BadAnswer>& info) { return info.param.name; });

TEST_F(WeatherDownload, FeedInUtf16IsTakenWhole)
{
    const std::wstring feed = Widen("<?xml version=\"1.0\" encoding=\"UTF-16\"?><ZORLA><WEATHER>" +
                                    WeatherFeeds::Entry("\u0141\u00f3d\u017a", "2") + "</WEATHER></ZORLA>");
    std::string body = "\xFF\xFE";
    for (wchar_t c : feed)
        body += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    server.SetHandler([body](const HttpRequestSeen&) { return HttpReply::Status(200, body); });
    Update();

    ASSERT_EQ(view.LastStatus(), "OK !");
    const XmlElement* cities = store->GetDocument()->findChild("WEATHER");
    ASSERT_NE(cities, nullptr);
    ASSERT_EQ(cities->getChildCount(), 1);
    EXPECT_EQ(cities->getChild(0)->getText(), "\u0141\u00f3d\u017a");
}

TEST_F(WeatherDownload, RefusedConnectionShowsTheErrorAndKeepsTheWeather)
{
    Update();
    const XmlElement* document = store->GetDocument();
    const std::string stamp = Stamp();
    server.StopListening();
    Update();
    const std::string status = view.LastStatus();
    EXPECT_EQ(status.rfind("Error: ", 0), 0u) << status;
    EXPECT_GT(status.size(), 7u);
    EXPECT_EQ(store->GetDocument(), document);
    EXPECT_EQ(view.Cities(), Sorted5());
    EXPECT_EQ(Stamp(), stamp);
}

TEST_F(WeatherDownload, DestroyingTheWeatherWhileTheServerNeverAnswersEndsWithoutCallback)
{
    server.SetHandler([](const HttpRequestSeen&) { return HttpReply::Hang(); });
    weather->Check(true, view.noInternet);
    // The check returned at once although the server holds the request.
    EXPECT_TRUE(weather->IsUpdateInProgress());
    ASSERT_TRUE(server.WaitForRequests(1, 10000));

    view.Attach(nullptr, nullptr);
    std::atomic<bool> destroyed{false};
    std::thread destroyer([&] {
        weather.reset();
        fetch.reset();
        destroyed = true;
    });
    const bool prompt = WaitUntil([&] { return destroyed.load(); }, 20000);
    server.Stop();
    destroyer.join();
    EXPECT_TRUE(prompt);

    PumpMessages(300);
    MSG msg;
    EXPECT_FALSE(
        PeekMessageA(&msg, view.Window(), WM_WEATHER_DONE, WM_WEATHER_DONE, PM_REMOVE));
    ASSERT_EQ(view.Statuses().size(), 1u);
    EXPECT_EQ(view.Statuses()[0].text, CONTACTING);
}

TEST_F(WeatherDownload, ForcedUpdateWhileOneRunsDoesNothing)
{
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    server.SetHandler([release](const HttpRequestSeen&) {
        WaitForSingleObject(release, 30000);
        return HttpReply::Status(200, WeatherFeeds::Good());
    });
    weather->Check(true, view.noInternet);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    weather->Check(true, view.noInternet);
    weather->StartUpdate(true, view.noInternet);
    EXPECT_EQ(view.StatusCount(CONTACTING), 1u);
    SetEvent(release);
    ASSERT_TRUE(view.PumpUntilDone());
    EXPECT_EQ(view.LastStatus(), "OK !");

    // A queued second request would run before this one and reach the server first.
    Update();
    EXPECT_EQ(view.StatusCount("OK !"), 2u);
    EXPECT_EQ(server.RequestCount(), 2u);
    CloseHandle(release);
}

// Nobody could take the outcome, and the in-progress flag would never clear.
TEST_F(WeatherDownload, UpdateWithoutAWindowIsNotStarted)
{
    WindowHttpFetch windowless(ZORLA_USER_AGENT);
    WeatherService lonely(*store, std::make_unique<ZorlaWeatherFeed>(), settings, clock, windowless);
    lonely.Check(true, false);
    EXPECT_FALSE(lonely.IsUpdateInProgress());
    EXPECT_EQ(server.RequestCount(), 0u);
}

// The city list holds names only: a city chosen after a new feed came in and
// before the display timer rebuilt the list shows the new feed's weather.
TEST_F(WeatherDownload, AChoiceBeforeTheDisplayTimerShowsTheNewFeed)
{
    Update();
    ASSERT_EQ(view.Cities(), Sorted5());

    server.SetHandler(ServeBody(WeatherFeeds::Other()));
    const int timers = view.displayRefreshes;
    weather->Check(true, view.noInternet);
    // Take only the outcome: the display timer must not run before the checks.
    ASSERT_TRUE(WaitUntil(
        [&] {
            MSG msg;
            if (PeekMessageA(&msg, view.Window(), WM_WEATHER_DONE, WM_WEATHER_DONE, PM_REMOVE))
                DispatchMessageA(&msg);
            return !weather->IsUpdateInProgress();
        },
        30000));
    ASSERT_EQ(view.displayRefreshes, timers);
    ASSERT_EQ(view.Cities(), Sorted5()) << "the old list still stands";
    SendMessageW(view.Combo(), CB_SETCURSEL,
                 SendMessageW(view.Combo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Bremen")),
                 0);
    EXPECT_EQ(CityList::OnSelChange(view.Combo(), weather->Records(), view.selection), "sonnig, wolkenlos 4 °"
                                                                                         "C\nUpdated: 14:00");
    SendMessageW(view.Combo(), CB_SETCURSEL,
                 SendMessageW(view.Combo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Hamburg")),
                 0);
    EXPECT_EQ(CityList::OnSelChange(view.Combo(), weather->Records(), view.selection), "")
        << "a city the new feed lacks has no weather";
}

}  // namespace
