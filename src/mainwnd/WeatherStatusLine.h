#pragma once

#include "weather/WeatherReport.h"
#include "weather/WeatherService.h"

#include <string>

// What the weather view's status line says of the weather's news.
struct WeatherStatusLine {
    std::string text;
    bool transient = false;  // goes away after a few seconds

    // The texts of a download's end are the client's and the feed's own, as the
    // user has always seen them; the first, read while waiting, is translated.
    static WeatherStatusLine For(WeatherService::Status status, const std::string& detail);
    // Where the weather came from and why services before it were passed over
    // ("Weather from MET Norway; the brand's server did not answer"), or why
    // none answered while the older weather stays.
    static WeatherStatusLine For(const WeatherReport& report);
};
