#include "weather/ZorlaWeatherFeed.h"

#include "base/Settings.h"
#include "base/StoredNames.h"
#include "xml/XmlElement.h"

#ifndef ZORLA_WEATHER_HOST
#define ZORLA_WEATHER_HOST "weather.zorla.example"
#endif

using util::xml::XmlElement;

const char* const ZorlaWeatherFeed::kDefaultUrl =
    "https://" ZORLA_WEATHER_HOST "/myPHP/generate_zorla_Klimbim_info.php.xml";
const char* const ZorlaWeatherFeed::kDefaultUser = "zorla";
const char* const ZorlaWeatherFeed::kDefaultPassword = "$1$40213867$q";

namespace {

std::optional<std::string> TextOf(const XmlElement& entry, const char* name)
{
    if (const XmlElement* child = entry.findChild(name))
        return child->getText();
    return std::nullopt;
}

}  // namespace

ZorlaWeatherFeed::Source ZorlaWeatherFeed::FeedSource(const Settings& settings) const
{
    using namespace stored;
    // The address among the weather services' wins over the older setting.
    const std::string url = settings.GetString(kProvidersSection, kBrandProvider, std::string());
    return Source{url.empty() ? settings.GetString(kWeatherSection, kFeedUrl, kDefaultUrl) : url,
                  settings.GetString(kWeatherSection, kFeedUser, kDefaultUser),
                  settings.GetString(kWeatherSection, kFeedPassword, kDefaultPassword)};
}

std::vector<WeatherRecord> ZorlaWeatherFeed::Read(const XmlElement* document) const
{
    std::vector<WeatherRecord> records;
    const XmlElement* weather = document ? document->findChild("WEATHER") : nullptr;
    if (!weather)
        return records;
    for (int i = 0; i < weather->getChildCount(); ++i) {
        const XmlElement* entry = weather->getChild(i);
        if (entry->getName() != "ENTRY")
            continue;
        WeatherRecord record;
        record.city = entry->getText();
        record.condition = TextOf(*entry, "WEATHER");
        record.clouds = TextOf(*entry, "CLOUDS");
        record.temperature = TextOf(*entry, "TEMP");
        record.feelsLike = TextOf(*entry, "FEEL");
        record.wind = TextOf(*entry, "WIND");
        record.windSpeed = TextOf(*entry, "WINDSPEED");
        record.pressure = TextOf(*entry, "ALTI");
        record.humidity = TextOf(*entry, "HUMI");
        record.visibility = TextOf(*entry, "VIS");
        record.observed = TextOf(*entry, "TIME");
        records.push_back(std::move(record));
    }
    return records;
}
