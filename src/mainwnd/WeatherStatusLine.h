#pragma once

#include "weather/WeatherService.h"

#include <string>

// What the weather view's status line says of the weather's news.
struct WeatherStatusLine {
    std::string text;
    bool transient = false;  // goes away after a few seconds

    // The texts of a download's end are the client's and the feed's own, as the
    // user has always seen them; the first, read while waiting, is translated.
    static WeatherStatusLine For(WeatherService::Status status, const std::string& detail);
};
