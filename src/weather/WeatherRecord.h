#pragma once

#include <optional>
#include <string>
#include <vector>

// The weather of one city, whatever provider it came from. Every value is text
// as the provider words it, units included (temperatures in degrees Celsius
// without their unit); a value the provider did not give is absent.
struct WeatherRecord {
    std::string city;
    std::optional<std::string> condition;  // the weather in words: "sunny"
    std::optional<std::string> clouds;
    std::optional<std::string> temperature;
    std::optional<std::string> feelsLike;
    std::optional<std::string> wind;  // direction and strength in words
    std::optional<std::string> windSpeed;
    std::optional<std::string> pressure;
    std::optional<std::string> humidity;
    std::optional<std::string> visibility;
    std::optional<std::string> observed;  // when the weather was observed
};

// The first city of that name among records, or null.
inline const WeatherRecord* FindCity(const std::vector<WeatherRecord>& records, const std::string& city)
{
    for (const WeatherRecord& record : records)
        if (record.city == city)
            return &record;
    return nullptr;
}
