#pragma once

#include "weather/WeatherProvider.h"

// The weather server's feed: "<any root><WEATHER><ENTRY>city<TEMP>..</TEMP>...
// </ENTRY>...</WEATHER></any root>", fetched with the program's own credentials.
// The settings may point it elsewhere (section "CActionWeather", values
// "FeedUrl", "FeedUser", "FeedPassword").
class ZorlaWeatherFeed : public WeatherProvider {
public:
    static const char* const kDefaultUrl;
    static const char* const kDefaultUser;
    static const char* const kDefaultPassword;

    Source FeedSource(const Settings& settings) const override;
    // Only the first child of each name counts; a city's name is the text that
    // stands directly in its "ENTRY", untrimmed.
    std::vector<WeatherRecord> Read(const util::xml::XmlElement* document) const override;
};
