#pragma once

#include "weather/WeatherRecord.h"

#include <string>
#include <vector>

class Settings;

namespace util::xml {
class XmlElement;
}

// The weather server's feed: "<any root><WEATHER><ENTRY>city<TEMP>..</TEMP>...
// </ENTRY>...</WEATHER></any root>", fetched with the program's own credentials.
// The settings may point it elsewhere (section "CActionWeather", values
// "FeedUrl", "FeedUser", "FeedPassword"; the address also as "brand" in section
// "WeatherProviders", which wins).
class ZorlaWeatherFeed {
public:
    struct Source {
        std::string url;
        std::string user;
        std::string password;
    };

    static const char* const kDefaultUrl;
    static const char* const kDefaultUser;
    static const char* const kDefaultPassword;

    // The feed's address and credentials: the program's own unless the settings
    // name others.
    Source FeedSource(const Settings& settings) const;
    // Only the first child of each name counts; a city's name is the text that
    // stands directly in its "ENTRY", untrimmed.
    std::vector<WeatherRecord> Read(const util::xml::XmlElement* document) const;
};
