#include "weather/MetNorwayReader.h"

#include "weather/ForecastSteps.h"
#include "weather/IsoTime.h"
#include "weather/JsonAnswer.h"

#include <new>
#include <vector>

namespace {

using Json = JsonAnswer::Json;

// A period's summary and rain ("next_1_hours", "next_6_hours"); false when it
// tells neither.
bool ReadPeriod(const Json* period, int hours, ForecastHour& step)
{
    const std::string* symbol =
        JsonAnswer::Text(JsonAnswer::Member(JsonAnswer::Member(period, "summary"), "symbol_code"));
    const std::optional<double> amount =
        JsonAnswer::Number(JsonAnswer::Member(JsonAnswer::Member(period, "details"), "precipitation_amount"));
    if (symbol == nullptr && !amount)
        return false;
    step.periodHours = hours;
    step.sky = symbol ? MetNorwayReader::SkyOfSymbol(*symbol) : Sky::Unknown;
    step.precipitation = amount;
    return true;
}

bool ReadStep(const Json& entry, ForecastHour& step)
{
    const std::string* time = JsonAnswer::Text(JsonAnswer::Member(&entry, "time"));
    if (time == nullptr || !IsoTime::Parse(*time, step.time))
        return false;
    const Json* data = JsonAnswer::Member(&entry, "data");
    const Json* instant = JsonAnswer::Member(JsonAnswer::Member(data, "instant"), "details");
    const std::optional<double> temperature = JsonAnswer::Number(JsonAnswer::Member(instant, "air_temperature"));
    if (!temperature)
        return false;
    step.temperature = *temperature;
    step.windSpeed = JsonAnswer::Number(JsonAnswer::Member(instant, "wind_speed"));
    step.windFrom = JsonAnswer::Number(JsonAnswer::Member(instant, "wind_from_direction"));
    if (!ReadPeriod(JsonAnswer::Member(data, "next_1_hours"), 1, step))
        ReadPeriod(JsonAnswer::Member(data, "next_6_hours"), 6, step);
    return ForecastSteps::Accept(step);
}

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

Sky MetNorwayReader::SkyOfSymbol(const std::string& symbol)
{
    // The symbol's name without the sun's part ("_day", "_night", "_polartwilight").
    const std::string name = symbol.substr(0, symbol.find('_'));
    if (name.empty())
        return Sky::Unknown;
    // Precipitation with thunder is thunder, whatever falls; sleet and snow before
    // rain, showers of rain before rain.
    if (Has(name, "thunder"))
        return Sky::Thunder;
    if (Has(name, "sleet"))
        return Sky::Sleet;
    if (Has(name, "snow"))
        return Sky::Snow;
    if (name == "lightrainshowers" || name == "rainshowers" || name == "heavyrainshowers")
        return Sky::Showers;
    if (name == "lightrain")
        return Sky::LightRain;
    if (name == "rain")
        return Sky::Rain;
    if (name == "heavyrain")
        return Sky::HeavyRain;
    if (name == "clearsky")
        return Sky::Clear;
    if (name == "fair")
        return Sky::Fair;
    if (name == "partlycloudy")
        return Sky::PartlyCloudy;
    if (name == "cloudy")
        return Sky::Cloudy;
    if (name == "fog")
        return Sky::Fog;
    return Sky::Unknown;
}

bool MetNorwayReader::Read(const std::string& body, Forecast& forecast, std::string& error)
{
    try {
        Json root;
        if (!JsonAnswer::Parse(body, root, error))
            return false;
        const Json* properties = JsonAnswer::Member(&root, "properties");
        const Json* series = JsonAnswer::Member(properties, "timeseries");
        if (series == nullptr || !series->is_array()) {
            error = "the answer holds no forecast";
            return false;
        }
        Forecast read;
        const std::string* updated =
            JsonAnswer::Text(JsonAnswer::Member(JsonAnswer::Member(properties, "meta"), "updated_at"));
        if (updated == nullptr || !IsoTime::Parse(*updated, read.updated))
            read.updated = 0;
        std::vector<ForecastHour> steps;
        steps.reserve(series->size());
        for (const Json& entry : *series) {
            ForecastHour step;
            if (ReadStep(entry, step))
                steps.push_back(step);
        }
        if (!ForecastSteps::Finish(std::move(steps), read, error))
            return false;
        forecast = std::move(read);
        return true;
    } catch (const std::bad_alloc&) {
        error = "the answer is too large to read";
        return false;
    }
}
