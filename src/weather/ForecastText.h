#pragma once

#include "weather/Forecast.h"

#include <cstdint>
#include <functional>
#include <string>

struct ForecastTextOptions {
    bool german = false;
    bool fahrenheit = false;  // °F and mph where the user's locale measures in US units; °C and km/h otherwise
    std::string attribution;  // the provider's credit line, shown as given (e.g. "Data: MET Norway"), may be empty
};

// The weather text of the weather view, composed from a point forecast: a few
// short lines (UTF-8, "\n" between them) that a small area wraps.
//
//   Now: 3 °C, partly cloudy        the step at or before now, or one starting within the hour
//   Wind 12 km/h from the west      "Calm" below 1 m/s
//   Today: 4 to 9 °C, dry           the steps left today; from 20:00 on instead
//   Tonight: down to 2 °C, dry        the low from now until 06:00 tomorrow
//   Tomorrow: 4 to 9 °C, cloudy, 2.5 mm rain
//   Beer garden: good from 17:00, 22 °C and dry
//   as of 14:05                     when the forecast was fetched; the date when not today
//   Data: MET Norway                the provider's credit
//
// Days are local days: every time goes through ToLocal, so a day's border moves
// with the time zone and daylight saving. Temperatures are those of the steps
// whose time lies in the period. Rain is spread evenly over the hours of a
// step's period (six for a 6-hour step), each hour counting for the local day
// it starts in, so a 6-hour step across midnight splits by its hours; an hour
// that the next step already covers is not counted twice. Tomorrow's sky is the
// one that holds for most hours between 08:00 and 20:00 (the graver on a tie).
// A line whose period the forecast does not reach is left out.
//
// The beer garden looks at today's hourly steps from 11:00 to 22:00 local. An
// hour is good when it is dry (under 0.1 mm and no sky of rain, showers, sleet,
// snow or thunder), at least 16 °C warm and its wind at most 8 m/s. The verdict
// names the first run of two or more consecutive good hours that has not ended,
// with its warmest hour still to come: "good from 17:00", or "good now" once it
// has begun. Without such a run it is "not today", with the flaw of most of the
// hours left (rain before cold before wind on a tie).
class ForecastText {
public:
    // Local wall-clock seconds for a universal time (the computer's time zone, daylight saving included): the Windows side passes a function; tests pass fixed offsets.
    using ToLocal = std::function<std::int64_t(std::int64_t universalSeconds)>;
    // The weather text: now, the rest of today, tomorrow, the beer garden, the data's age, the attribution. Empty when the forecast holds nothing from an hour before now on.
    static std::string Compose(const Forecast& forecast, std::int64_t now, std::int64_t fetched, const ToLocal& toLocal,
                               const ForecastTextOptions& options);
    // The beer-garden line for today alone (empty when today's remaining hours are not in the forecast).
    static std::string BeerGarden(const Forecast& forecast, std::int64_t now, const ToLocal& toLocal,
                                  const ForecastTextOptions& options);
};
