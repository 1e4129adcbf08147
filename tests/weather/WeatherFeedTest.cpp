#include "WeatherFeeds.h"

#include "weather/CActionWeather.h"
#include "xml/XmlElement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string ZURICH = "Z\u00fcrich";
const std::string KRAKOW = "Krak\u00f3w";
const std::string LODZ = "\u0141\u00f3d\u017a";

std::vector<std::string> CitiesOf(const std::string& feed)
{
    std::string error;
    const auto root = CActionWeather::ParseFeed(feed, error);
    EXPECT_TRUE(root) << error;
    std::vector<std::string> cities;
    if (const util::xml::XmlElement* weather = root ? root->findChild("WEATHER") : nullptr)
        for (int i = 0; i < weather->getChildCount(); ++i)
            cities.push_back(weather->getChild(i)->getText());
    return cities;
}

std::string Entries(const std::vector<std::string>& cities)
{
    std::string entries;
    for (const std::string& city : cities)
        entries += WeatherFeeds::Entry(city, "5");
    return entries;
}

}  // namespace

// Whatever encoding the feed declares, the cities arrive as UTF-8.
TEST(WeatherFeed, Utf8FeedArrivesAsUtf8)
{
    const std::string body = "<ZORLA><WEATHER>" + Entries({ZURICH, KRAKOW, LODZ}) + "</WEATHER></ZORLA>";
    const std::vector<std::string> expected = {ZURICH, KRAKOW, LODZ};
    EXPECT_EQ(CitiesOf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body), expected);
    EXPECT_EQ(CitiesOf("\xEF\xBB\xBF" + body), expected) << "a byte order mark and no declaration";
}

TEST(WeatherFeed, IsoFeedArrivesAsUtf8)
{
    const std::string feed = WeatherFeeds::Document(Entries({"Z\xFCrich", "Krak\xF3w", "&#321;&#243;d&#378;"}));
    EXPECT_EQ(CitiesOf(feed), (std::vector<std::string>{ZURICH, KRAKOW, LODZ}));
}
