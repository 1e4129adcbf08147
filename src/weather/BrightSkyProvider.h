#pragma once

#include "weather/WeatherProvider.h"

// Bright Sky: the German weather service's (DWD) open data as JSON, for any
// place its forecast stations cover, free, without a key. The data is the
// DWD's, to be credited as such.
class BrightSkyProvider : public WeatherProvider {
public:
    const char* Name() const override { return "brightsky"; }
    const char* Title() const override { return "Bright Sky"; }
    const char* Attribution() const override { return "Data: Deutscher Wetterdienst via Bright Sky"; }
    const char* DefaultAddress() const override { return "https://api.brightsky.dev/weather"; }
    // The forecasts behind it are made once an hour.
    int IntervalMinutes() const override { return 60; }
    // Today and the two days after, in universal dates.
    HttpFetch::Request RequestFor(const std::string& address, const City& place, std::int64_t now) const override;
    bool Read(const std::string& body, Forecast& forecast, std::string& error) const override;
};
