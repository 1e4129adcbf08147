// The weather services asked in turn: who is asked, in which order, how often,
// and what the status line is told when one is passed over.
#include "support/core/CoreSupport.h"

#include "base/StoredNames.h"
#include "weather/BrightSkyProvider.h"
#include "weather/CityTable.h"
#include "weather/HttpDate.h"
#include "weather/MetNorwayProvider.h"
#include "weather/WeatherChain.h"
#include "weather/WeatherFeeds.h"
#include "weather/ZorlaWeatherFeed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Reason = WeatherReport::Reason;

std::string MetAnswer(double temperature)
{
    return R"({"type":"Feature","properties":{"meta":{"updated_at":"2026-12-07T09:00:00Z"},"timeseries":[)"
           R"({"time":"2026-12-07T10:00:00Z","data":{"instant":{"details":{"air_temperature":)" +
           std::to_string(temperature) +
           R"(,"wind_speed":2.0,"wind_from_direction":270}},"next_1_hours":{"summary":{"symbol_code":"cloudy"},)"
           R"("details":{"precipitation_amount":0.0}}}}]}})";
}

const char kBrightSkyAnswer[] =
    R"({"weather":[{"timestamp":"2026-12-07T10:00:00+00:00","temperature":6.0,"precipitation":0,)"
    R"("wind_speed":7.2,"wind_direction":90,"cloud_cover":50,"condition":"dry","icon":"partly-cloudy-day"}]})";

struct Reply {
    int status;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

class Heard : public WeatherChain::Listener {
public:
    void OnWeatherStatus(WeatherService::Status status, const std::string&) override { statuses.push_back(status); }
    void OnWeatherChanged() override {}
    void OnWeatherReport(const WeatherReport& report) override { reports.push_back(report); }
    std::vector<WeatherReport> reports;
    std::vector<WeatherService::Status> statuses;
};

struct ChainUnderTest {
    ChainUnderTest()
        : store(folder.Path(), platform.files)
        , brand(store, std::make_unique<ZorlaWeatherFeed>(), platform.settings, platform.clock, platform.http)
        , cache(folder.Path(), platform.files)
    {
        std::vector<std::unique_ptr<WeatherProvider>> open;
        open.push_back(std::make_unique<MetNorwayProvider>());
        open.push_back(std::make_unique<BrightSkyProvider>());
        chain = std::make_unique<WeatherChain>(brand, std::move(open), cache, platform.settings, platform.clock,
                                               platform.http, "Zorla/1.0 (test@zorla.example)");
        chain->SetListener(&heard);
        chain->SetPlaceFinder([] { return City{"Łódź", "PL", 51.75, 19.46667, 768755}; });
        brand.LoadOrStartEmpty();
        chain->LoadCache();
        chain->SetCity("Łódź");
    }

    void Order(const std::string& order)
    {
        platform.settings.WriteString(stored::kProvidersSection, stored::kProviderOrder, order);
    }
    // Answers every request the round makes, in turn; the requests it made.
    std::vector<HttpFetch::Request> Round(std::vector<Reply> replies, bool forbidden = false)
    {
        const std::size_t before = platform.http.requests.size();
        chain->Check(false, forbidden);
        for (const Reply& reply : replies)
            EXPECT_TRUE(platform.http.Answer(reply.status, reply.body, reply.headers)) << reply.status;
        EXPECT_FALSE(chain->IsRunning());
        return {platform.http.requests.begin() + static_cast<std::ptrdiff_t>(before), platform.http.requests.end()};
    }
    void Later(int minutes)
    {
        now += minutes * 60;
        platform.clock.Set(platform.clock.Now() + DateTimeSpan(0, 0, minutes, 0));
    }
    double ShownTemperature() const
    {
        const Forecast* forecast = chain->ShownForecast();
        return forecast && !forecast->hours.empty() ? forecast->hours[0].temperature : -999;
    }

    TempFolder folder;
    CorePlatform platform;
    WeatherStore store;
    WeatherService brand;
    ForecastCache cache;
    std::unique_ptr<WeatherChain> chain;
    Heard heard;
    std::int64_t now = static_cast<std::int64_t>(platform.clock.UniversalMilliseconds() / 1000);
};

std::string HeaderOf(const HttpFetch::Request& request, const std::string& name)
{
    for (const auto& header : request.headers)
        if (header.first == name)
            return header.second;
    return "(none)";
}

}  // namespace

TEST(WeatherChainTest, AsksInOrderUntilOneAnswersAndSaysWhyTheOthersWerePassedOver)
{
    struct Case {
        const char* what;
        std::vector<Reply> replies;
        std::string from;
        std::vector<Reason> skipped;
        double temperature;
    };
    const std::string brandWithoutLodz = WeatherFeeds::Document(WeatherFeeds::Entry("Bremen", "4"));
    const std::vector<Case> cases = {
        {"the brand fails, MET answers",
         {{503, "", {}}, {200, MetAnswer(3.5), {}}},
         "MET Norway",
         {Reason::NoAnswer},
         3.5},
        {"the brand knows no Łódź, MET is busy",
         {{200, brandWithoutLodz, {}}, {429, "", {{"retry-after", "600"}}}, {200, kBrightSkyAnswer, {}}},
         "Bright Sky",
         {Reason::NoPlace, Reason::Busy},
         6.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChainUnderTest fresh;
        fresh.platform.settings.WriteString(stored::kProvidersSection, "metno", "https://mirror.example/fc?key=1");
        const std::vector<HttpFetch::Request> requests = fresh.Round(c.replies);
        ASSERT_EQ(requests.size(), c.replies.size());
        EXPECT_EQ(requests[1].url, "https://mirror.example/fc?key=1&lat=51.7500&lon=19.4667");
        EXPECT_EQ(HeaderOf(requests[1], "User-Agent"), "Zorla/1.0 (test@zorla.example)");
        EXPECT_EQ(HeaderOf(requests[0], "User-Agent"), "(none)") << "the brand's feed is asked as always";
        ASSERT_EQ(fresh.heard.reports.size(), 1u);
        const WeatherReport& report = fresh.heard.reports[0];
        EXPECT_EQ(report.from, c.from);
        std::vector<Reason> skipped;
        for (const WeatherReport::Skip& skip : report.skipped)
            skipped.push_back(skip.reason);
        EXPECT_EQ(skipped, c.skipped);
        EXPECT_EQ(fresh.ShownTemperature(), c.temperature);
    }
}

TEST(WeatherChainTest, AsksNoSoonerThanTheAnswerExpiresThenOnlyWhetherItChanged)
{
    ChainUnderTest t;
    t.Order("metno, nonsense");
    const std::vector<std::pair<std::string, std::string>> caching = {
        {"expires", HttpDate::Format(t.now + 3600)}, {"last-modified", "Mon, 07 Dec 2026 09:00:00 GMT"}};
    ASSERT_EQ(t.Round({{200, MetAnswer(3.5), caching}}).size(), 1u);

    t.Later(40);  // past the interval, before "Expires"
    EXPECT_TRUE(t.Round({}).empty());
    EXPECT_TRUE(t.heard.reports.back().saved);

    t.Later(30);
    const std::int64_t asked = t.now;
    const std::vector<HttpFetch::Request> requests =
        t.Round({{304, "", {{"expires", HttpDate::Format(t.now + 1800)}}}});
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(HeaderOf(requests[0], "If-Modified-Since"), "Mon, 07 Dec 2026 09:00:00 GMT");
    EXPECT_EQ(t.ShownTemperature(), 3.5);
    EXPECT_EQ(t.chain->ShownFetched(), asked) << "an unchanged answer is as new as the question";

    // Forbidden, the kept weather is shown and nothing asked.
    t.Later(60);
    EXPECT_TRUE(t.Round({}, true).empty());
    EXPECT_EQ(t.ShownTemperature(), 3.5);

    // A broken answer leaves the weather shown, and the service rests.
    EXPECT_EQ(t.Round({{200, "{\"properties\":", {}}}).size(), 1u);
    EXPECT_EQ(t.ShownTemperature(), 3.5);
    EXPECT_EQ(t.heard.reports.back().skipped.at(0).reason, Reason::BadAnswer);
    EXPECT_TRUE(t.Round({}).empty());
    EXPECT_EQ(t.heard.reports.back().skipped.at(0).reason, Reason::Resting);
}

TEST(WeatherChainTest, RestsAServiceThatAskedForRestAsLongAsItAsked)
{
    ChainUnderTest t;
    t.Order("metno");
    t.Round({{503, "", {{"retry-after", "1200"}}}});
    t.Later(15);
    EXPECT_TRUE(t.Round({}).empty());
    t.Later(6);
    EXPECT_EQ(t.Round({{200, MetAnswer(1.0), {}}}).size(), 1u);
    EXPECT_EQ(t.ShownTemperature(), 1.0);
}

TEST(WeatherChainTest, TheBrandsFeedThatKnowsThePlaceEndsTheRoundWithItsOwnNews)
{
    ChainUnderTest t;
    t.chain->SetCity("Bremen");
    EXPECT_EQ(t.Round({{200, WeatherFeeds::Document(WeatherFeeds::Entry("Bremen", "4")), {}}}).size(), 1u);
    EXPECT_TRUE(t.heard.reports.empty());
    EXPECT_EQ(t.heard.statuses, (std::vector<WeatherService::Status>{WeatherService::Status::Contacting,
                                                                     WeatherService::Status::Updated}));
    EXPECT_TRUE(t.chain->ShowsBrand());
}
