#pragma once

#include "weather/Forecast.h"

#include <string>

// Bright Sky's /weather answer (the German weather service's open data as
// JSON) in its default units: hourly steps of °C, mm, km/h, degrees and percent
// of cloud, each with a condition and an icon name.
class BrightSkyReader {
public:
    // The forecast of a /weather answer; false with error in words for anything
    // else, forecast untouched. The answer tells no time of making: updated is 0.
    static bool Read(const std::string& body, Forecast& forecast, std::string& error);
};
