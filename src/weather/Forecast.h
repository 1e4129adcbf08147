#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The sky in the words the weather text uses, whatever a provider calls it.
enum class Sky {
    Unknown,
    Clear,
    Fair,
    PartlyCloudy,
    Cloudy,
    Fog,
    LightRain,
    Rain,
    HeavyRain,
    Showers,
    Sleet,
    Snow,
    Thunder,
};

// One step of a forecast: the values at its time and, for rain and sky, the
// period that follows it.
struct ForecastHour {
    std::int64_t time = 0;  // seconds since 1 January 1970, universal time
    double temperature = 0;  // °C
    std::optional<double> windSpeed;  // m/s
    std::optional<double> windFrom;   // degrees, 0 north, 90 east
    std::optional<double> precipitation;  // mm over the following period
    int periodHours = 1;  // the period rain and sky speak for: 1 or 6
    Sky sky = Sky::Unknown;
};

// A point forecast for one place, as a provider gave it, steps in time order,
// none twice.
struct Forecast {
    std::int64_t updated = 0;  // when the provider made it, universal seconds; 0 unknown
    std::vector<ForecastHour> hours;
};
