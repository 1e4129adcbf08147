#pragma once

#include "weather/Forecast.h"

#include <string>
#include <vector>

// What every provider's steps go through before they are a forecast: values no
// weather has are taken for broken, and the steps come in time order, once.
class ForecastSteps {
public:
    // Drops wind, direction and precipitation outside what weather can be (wind
    // 0-120 m/s, 0-360 degrees, 0-500 mm); false when the temperature is outside
    // -90 to 60 °C, so the step is no use.
    static bool Accept(ForecastHour& step);
    // The steps sorted by time, the first of several with one time kept, into
    // forecast; false with error when there is none.
    static bool Finish(std::vector<ForecastHour> steps, Forecast& forecast, std::string& error);
};
