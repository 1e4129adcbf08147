#pragma once

#include "weather/Forecast.h"

#include <string>

// MET Norway's Locationforecast 2.0 "compact" answer (GeoJSON): the forecast's
// time of making and its steps, instant values with the next hour's or, further
// out, the next six hours' rain and symbol.
class MetNorwayReader {
public:
    // The forecast of a Locationforecast "compact" answer; false with error in
    // words for anything else, forecast untouched.
    static bool Read(const std::string& body, Forecast& forecast, std::string& error);
    // The sky of a MET weather symbol ("lightrainshowers_day"); Unknown for a
    // symbol it does not know.
    static Sky SkyOfSymbol(const std::string& symbol);
};
