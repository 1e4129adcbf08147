#pragma once

#include "weather/WeatherRecord.h"

#include <string>
#include <vector>

class Settings;

namespace util::xml {
class XmlElement;
}

// One source of weather: where its feed is fetched and how the feed's document
// reads as records. A second source is one more class of this kind.
class WeatherProvider {
public:
    struct Source {
        std::string url;
        std::string user;
        std::string password;
    };

    virtual ~WeatherProvider() = default;
    // The feed's address and credentials: the provider's own unless the settings
    // name others.
    virtual Source FeedSource(const Settings& settings) const = 0;
    // The cities of a feed document in the document's order; none for a null or
    // foreign document.
    virtual std::vector<WeatherRecord> Read(const util::xml::XmlElement* document) const = 0;
};
