#pragma once

#include "weather/WeatherProvider.h"

// MET Norway's Locationforecast 2.0, "compact": the Norwegian Meteorological
// Institute's forecast for any place, free under CC BY 4.0 and the Norwegian
// licence for open government data, for clients that name themselves, keep
// answers until they expire and ask whether they changed.
class MetNorwayProvider : public WeatherProvider {
public:
    const char* Name() const override { return "metno"; }
    const char* Title() const override { return "MET Norway"; }
    const char* Attribution() const override { return "Data: MET Norway (CC BY 4.0)"; }
    const char* DefaultAddress() const override { return "https://api.met.no/weatherapi/locationforecast/2.0/compact"; }
    // The service updates its forecasts about every half hour.
    int IntervalMinutes() const override { return 30; }
    HttpFetch::Request RequestFor(const std::string& address, const City& place, std::int64_t now) const override;
    bool Read(const std::string& body, Forecast& forecast, std::string& error) const override;
};
