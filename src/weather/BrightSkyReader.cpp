#include "weather/BrightSkyReader.h"

#include "weather/ForecastSteps.h"
#include "weather/IsoTime.h"
#include "weather/JsonAnswer.h"

#include <new>
#include <optional>
#include <vector>

namespace {

using Json = JsonAnswer::Json;

// The sky of a cloud cover in percent, by eighths of the sky as weather
// services count them: up to one clear, up to three fair, up to six partly.
Sky SkyOfCloud(double percent)
{
    if (percent <= 12.5)
        return Sky::Clear;
    if (percent <= 37.5)
        return Sky::Fair;
    if (percent <= 75)
        return Sky::PartlyCloudy;
    return Sky::Cloudy;
}

// Rain of the hour by its amount, as the icon "rain" does not tell it.
Sky SkyOfRain(const std::optional<double>& millimetres)
{
    if (!millimetres)
        return Sky::Rain;
    if (*millimetres < 0.5)
        return Sky::LightRain;
    return *millimetres > 4 ? Sky::HeavyRain : Sky::Rain;
}

// The sky an icon or a condition names; Unknown for "wind", "dry", none or a
// name it does not know. Hail falls in showers.
Sky SkyOfName(const std::string* name, const std::optional<double>& precipitation)
{
    if (name == nullptr)
        return Sky::Unknown;
    if (*name == "clear-day" || *name == "clear-night")
        return Sky::Clear;
    if (*name == "partly-cloudy-day" || *name == "partly-cloudy-night")
        return Sky::PartlyCloudy;
    if (*name == "cloudy")
        return Sky::Cloudy;
    if (*name == "fog")
        return Sky::Fog;
    if (*name == "rain")
        return SkyOfRain(precipitation);
    if (*name == "sleet")
        return Sky::Sleet;
    if (*name == "snow")
        return Sky::Snow;
    if (*name == "hail")
        return Sky::Showers;
    if (*name == "thunderstorm")
        return Sky::Thunder;
    return Sky::Unknown;
}

// The icon first, then the condition, then the cloud cover.
Sky SkyOfStep(const Json& entry, const std::optional<double>& precipitation)
{
    Sky sky = SkyOfName(JsonAnswer::Text(JsonAnswer::Member(&entry, "icon")), precipitation);
    if (sky == Sky::Unknown)
        sky = SkyOfName(JsonAnswer::Text(JsonAnswer::Member(&entry, "condition")), precipitation);
    const std::optional<double> cloud = JsonAnswer::Number(JsonAnswer::Member(&entry, "cloud_cover"));
    if (sky == Sky::Unknown && cloud && *cloud >= 0 && *cloud <= 100)
        sky = SkyOfCloud(*cloud);
    return sky;
}

bool ReadStep(const Json& entry, ForecastHour& step)
{
    const std::string* time = JsonAnswer::Text(JsonAnswer::Member(&entry, "timestamp"));
    if (time == nullptr || !IsoTime::Parse(*time, step.time))
        return false;
    const std::optional<double> temperature = JsonAnswer::Number(JsonAnswer::Member(&entry, "temperature"));
    if (!temperature)
        return false;
    step.temperature = *temperature;
    if (const std::optional<double> kmh = JsonAnswer::Number(JsonAnswer::Member(&entry, "wind_speed")))
        step.windSpeed = *kmh / 3.6;
    step.windFrom = JsonAnswer::Number(JsonAnswer::Member(&entry, "wind_direction"));
    step.precipitation = JsonAnswer::Number(JsonAnswer::Member(&entry, "precipitation"));
    step.periodHours = 1;
    if (!ForecastSteps::Accept(step))
        return false;
    step.sky = SkyOfStep(entry, step.precipitation);
    return true;
}

}  // namespace

bool BrightSkyReader::Read(const std::string& body, Forecast& forecast, std::string& error)
{
    try {
        Json root;
        if (!JsonAnswer::Parse(body, root, error))
            return false;
        const Json* weather = JsonAnswer::Member(&root, "weather");
        if (weather == nullptr || !weather->is_array()) {
            error = "the answer holds no forecast";
            return false;
        }
        std::vector<ForecastHour> steps;
        steps.reserve(weather->size());
        for (const Json& entry : *weather) {
            ForecastHour step;
            if (ReadStep(entry, step))
                steps.push_back(step);
        }
        Forecast read;
        if (!ForecastSteps::Finish(std::move(steps), read, error))
            return false;
        forecast = std::move(read);
        return true;
    } catch (const std::bad_alloc&) {
        error = "the answer is too large to read";
        return false;
    }
}
