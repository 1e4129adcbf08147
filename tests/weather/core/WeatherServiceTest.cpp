// The weather without a window: when it is due, what a fetch does to the
// records, the file and the stamp, and what the listener hears.
#include "support/core/CoreSupport.h"

#include "base/StoredNames.h"
#include "weather/WeatherFeeds.h"
#include "weather/WeatherService.h"
#include "weather/ZorlaWeatherFeed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Status = WeatherService::Status;

class Heard : public WeatherService::Listener {
public:
    void OnWeatherStatus(Status status, const std::string& detail) override { statuses.push_back({status, detail}); }
    void OnWeatherChanged() override { ++changes; }
    std::vector<std::pair<Status, std::string>> statuses;
    int changes = 0;
};

class WeatherServiceTest : public testing::Test {
protected:
    WeatherServiceTest()
        : store(folder.Path(), platform.files)
        , weather(store, std::make_unique<ZorlaWeatherFeed>(), platform.settings, platform.clock, platform.http)
    {
        weather.SetListener(&heard);
        weather.LoadOrStartEmpty();
    }

    void Set(const char* name, const std::string& value)
    {
        platform.settings.WriteString(stored::kWeatherSection, name, value);
    }
    std::string Stamp() const { return platform.settings.GetString(stored::kWeatherSection, stored::kLastUpdate, ""); }
    std::vector<std::string> Cities() const
    {
        std::vector<std::string> cities;
        for (const WeatherRecord& record : weather.Records())
            cities.push_back(record.city);
        return cities;
    }

    TempFolder folder;
    CorePlatform platform;
    WeatherStore store;
    WeatherService weather;
    Heard heard;
};

}  // namespace

TEST_F(WeatherServiceTest, DueOnceTheIntervalHasPassedInWholeMinutes)
{
    struct Row {
        const char* stamp;
        DateTime now;
        const char* interval;  // null: the default of 15
        bool due;
    };
    const Row rows[] = {
        {"03/07/2004 14:05:00", {2004, 3, 7, 14, 19, 59}, nullptr, false},  // 14 min 59 s
        {"03/07/2004 14:05:00", {2004, 3, 7, 14, 20, 0}, nullptr, true},    // exactly 15 min
        {"03/07/2004 14:05:00", {2004, 3, 7, 14, 20, 0}, "60", false},
        {"03/07/2004 14:05:00", {2004, 3, 7, 15, 5, 0}, "60", true},
        {"03/07/2004 14:05:09", {2004, 3, 7, 14, 5, 9}, "0", true},   // every check
        {"03/07/2009 14:05:09", {2004, 3, 7, 14, 5, 9}, nullptr, true},  // a clock set back
        {"yesterday", {2004, 3, 7, 14, 5, 9}, nullptr, true},
    };
    for (const Row& row : rows) {
        Set(stored::kLastUpdate, row.stamp);
        platform.settings.values.erase(std::string(stored::kWeatherSection) + "\\" + stored::kUpdateInterval);
        if (row.interval)
            Set(stored::kUpdateInterval, row.interval);
        platform.clock.Set(row.now);
        EXPECT_EQ(weather.IsUpdateDue(), row.due) << row.stamp << " at " << row.now.Format("%H:%M:%S");
    }
}

// A first start: the default stamp of 1996 makes the update due, but nothing is
// fetched while the internet is forbidden, until the user forces it.
TEST_F(WeatherServiceTest, AForcedFetchTakesTheFeedSavesItAndStampsTheClocksTime)
{
    platform.clock.Set(DateTime(2004, 3, 7, 14, 5, 9));
    weather.Check(false, true);
    EXPECT_TRUE(platform.http.requests.empty());
    EXPECT_EQ(heard.changes, 1) << "the first check shows what the store held";

    weather.Check(true, true);
    ASSERT_EQ(platform.http.requests.size(), 1u);
    EXPECT_EQ(platform.http.requests[0].url, ZorlaWeatherFeed::kDefaultUrl);
    EXPECT_EQ(platform.http.requests[0].user, "zorla");
    EXPECT_EQ(platform.http.requests[0].password, "$1$40213867$q");
    EXPECT_TRUE(weather.IsUpdateInProgress());
    weather.Check(true, false);
    EXPECT_EQ(platform.http.requests.size(), 1u) << "a forced update while one runs does nothing";

    ASSERT_TRUE(platform.http.Answer(WeatherFeeds::Good()));
    EXPECT_FALSE(weather.IsUpdateInProgress());
    EXPECT_EQ(Cities(), (std::vector<std::string>{"Hamburg", "München", "Berlin", "Köln", "Bremen"}));
    ASSERT_NE(weather.Find("Köln"), nullptr);
    EXPECT_EQ(weather.Find("Köln")->temperature, "11");
    EXPECT_EQ(Stamp(), "03/07/2004 14:05:09");
    EXPECT_NE(TestFiles::Bytes(store.GetPath()).find("Bremen"), std::string::npos);
    EXPECT_EQ(heard.statuses, (std::vector<std::pair<Status, std::string>>{{Status::Contacting, ""},
                                                                            {Status::Updated, ""}}));
    EXPECT_EQ(heard.changes, 2);

    // The feed may be pointed elsewhere, with other credentials.
    Set(stored::kFeedUrl, "http://127.0.0.1/feed.xml");
    Set(stored::kFeedUser, "anna");
    weather.Check(true, false);
    ASSERT_EQ(platform.http.requests.size(), 2u);
    EXPECT_EQ(platform.http.requests[1].url, "http://127.0.0.1/feed.xml");
    EXPECT_EQ(platform.http.requests[1].user, "anna");
    EXPECT_EQ(platform.http.requests[1].password, "$1$40213867$q");
}

// Every way a fetch can go wrong leaves the last good weather, its file and
// its stamp, and the next check tries again.
TEST_F(WeatherServiceTest, AFailureKeepsTheLastGoodWeather)
{
    platform.clock.Set(DateTime(2004, 3, 7, 14, 5, 9));
    weather.Check(true, false);
    ASSERT_TRUE(platform.http.Answer(WeatherFeeds::Good()));
    const std::string file = TestFiles::Bytes(store.GetPath());
    platform.clock.Set(DateTime(2004, 3, 7, 14, 30, 0));

    const std::pair<bool, std::string> answers[] = {
        {true, "HttpQueryInfo returned [404]"}, {false, ""}, {false, "\x89PNG\r\n garbage <<>>"},
        {false, WeatherFeeds::Other().substr(0, 60)}};
    for (const auto& [failed, text] : answers) {
        heard.statuses.clear();
        weather.Check(true, false);
        ASSERT_TRUE(failed ? platform.http.Fail(text) : platform.http.Answer(text));
        ASSERT_EQ(heard.statuses.size(), 2u) << text;
        EXPECT_EQ(heard.statuses[1].first, Status::Failed) << text;
        EXPECT_FALSE(heard.statuses[1].second.empty()) << text;
        if (failed) {
            EXPECT_EQ(heard.statuses[1].second, text);
        }
        EXPECT_EQ(Cities().size(), 5u) << text;
        EXPECT_EQ(TestFiles::Bytes(store.GetPath()), file) << text;
        EXPECT_EQ(Stamp(), "03/07/2004 14:05:09") << text;
        EXPECT_FALSE(weather.IsUpdateInProgress()) << text;
        EXPECT_TRUE(weather.IsUpdateDue()) << text;
    }

    platform.http.refuse = true;
    weather.Check(true, false);
    EXPECT_FALSE(weather.IsUpdateInProgress()) << "a fetch that could not start is not waited for";
}

// Not due: the stored feed is read again (another copy may have written it) and
// nothing is fetched.
TEST_F(WeatherServiceTest, NotDueReadsTheStoredFeedAgain)
{
    platform.clock.Set(DateTime(2004, 3, 7, 14, 10, 0));
    Set(stored::kLastUpdate, "03/07/2004 14:05:09");
    TestFiles::Write(store.GetPath(), WeatherFeeds::Other());
    weather.Check(false, false);
    EXPECT_TRUE(platform.http.requests.empty());
    EXPECT_EQ(Cities(), (std::vector<std::string>{"Dresden", "Bremen"}));
    EXPECT_EQ(heard.changes, 2);
    EXPECT_TRUE(heard.statuses.empty());
}

// Whatever encoding the feed declares, the cities arrive as UTF-8.
TEST_F(WeatherServiceTest, FeedsInAnyEncodingGiveUtf8Cities)
{
    const std::string zurich = "Z\u00fcrich", lodz = "\u0141\u00f3d\u017a";
    const std::string entries = WeatherFeeds::Entry(zurich, "5") + WeatherFeeds::Entry(lodz, "6");
    const std::string body = "<ZORLA><WEATHER>" + entries + "</WEATHER></ZORLA>";
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Z><WEATHER><ENTRY>Bonn</ENTRY>"
                                    "</WEATHER></Z>"))
        utf16 += {c, '\0'};
    const std::pair<std::string, std::vector<std::string>> feeds[] = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body, {zurich, lodz}},
        {"\xEF\xBB\xBF" + body, {zurich, lodz}},
        {WeatherFeeds::Document(WeatherFeeds::Entry("Z\xFCrich", "5") + WeatherFeeds::Entry("&#321;&#243;d&#378;", "6")),
         {zurich, lodz}},
        {utf16, {"Bonn"}},
    };
    for (const auto& [feed, cities] : feeds) {
        weather.Check(true, false);
        ASSERT_TRUE(platform.http.Answer(feed));
        EXPECT_EQ(Cities(), cities);
    }
}

// An outcome that arrives after the service is gone must find nobody.
TEST_F(WeatherServiceTest, AFetchStillRunningIsCancelledWithTheService)
{
    {
        WeatherService brief(store, std::make_unique<ZorlaWeatherFeed>(), platform.settings, platform.clock,
                             platform.http);
        brief.Check(true, false);
        ASSERT_TRUE(platform.http.Waiting());
    }
    EXPECT_FALSE(platform.http.Waiting());
}
