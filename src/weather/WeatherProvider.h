#pragma once

#include "base/HttpFetch.h"
#include "weather/Forecast.h"

#include <string>

struct City;

// An open weather service that answers for any place on earth with a point
// forecast. The brand's own feed, which names its cities itself, is no such
// service; the weather's chain asks both kinds in the order the user's settings
// give.
class WeatherProvider {
public:
    virtual ~WeatherProvider() = default;
    // The short name the settings know it by: "metno".
    virtual const char* Name() const = 0;
    // The name the status line gives it: "MET Norway".
    virtual const char* Title() const = 0;
    // The credit the service asks for, shown under its weather.
    virtual const char* Attribution() const = 0;
    // Where its requests start when the settings name no other address.
    virtual const char* DefaultAddress() const = 0;
    // The least time between two requests for one place, in minutes.
    virtual int IntervalMinutes() const = 0;
    // The request for place's weather at the service reached at address;
    // now (universal seconds) for services that ask for a time span.
    virtual HttpFetch::Request RequestFor(const std::string& address, const City& place, std::int64_t now) const = 0;
    // An answer read as a forecast; false, error saying why, for anything else.
    virtual bool Read(const std::string& body, Forecast& forecast, std::string& error) const = 0;
};
