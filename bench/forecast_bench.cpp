// Reading a full 10-day Locationforecast "compact" answer, natively: the shape
// MET Norway sends, hourly steps for 60 hours and six-hourly ones after, to 10
// days, each with every value the compact answer gives. The figure is the
// median time of one read, from the answer's text to the forecast.
#include "MedianTime.h"
#include "Row.h"

#include "weather/IsoTime.h"
#include "weather/MetNorwayReader.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const int kRuns = 201;
const char* const kSymbols[] = {"clearsky_night", "fair_day",        "partlycloudy_day", "cloudy",
                                "lightrain",      "rainshowers_day", "heavysnow",        "sleetandthunder"};

// A period's part: its symbol and, but for the 12 hours', its rain.
std::string Period(const char* name, int step, double rain)
{
    char details[48] = "";
    if (rain >= 0)
        std::snprintf(details, sizeof details, "\"precipitation_amount\":%.1f", rain);
    char text[160];
    std::snprintf(text, sizeof text, ",\"%s\":{\"summary\":{\"symbol_code\":\"%s\"},\"details\":{%s}}", name,
                  kSymbols[step % 8], details);
    return text;
}

// An answer made at start: 60 hourly steps, then six-hourly ones to 10 days;
// the last steps, as in MET's, tell only the instant.
std::string TenDayAnswer(std::int64_t start)
{
    std::string body = "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[11.5755,48.1374,520]},"
                       "\"properties\":{\"meta\":{\"updated_at\":\"" +
                       IsoTime::Format(start - 1200) +
                       "\",\"units\":{\"air_pressure_at_sea_level\":\"hPa\",\"air_temperature\":\"celsius\","
                       "\"cloud_area_fraction\":\"%\",\"precipitation_amount\":\"mm\",\"relative_humidity\":\"%\","
                       "\"wind_from_direction\":\"degrees\",\"wind_speed\":\"m/s\"}},\"timeseries\":[";
    int step = 0;
    for (std::int64_t hour = 0; hour <= 240; hour += hour < 60 ? 1 : 6, ++step) {
        char instant[320];
        std::snprintf(instant, sizeof instant,
                      "%s{\"time\":\"%s\",\"data\":{\"instant\":{\"details\":{\"air_pressure_at_sea_level\":%.1f,"
                      "\"air_temperature\":%.1f,\"cloud_area_fraction\":%.1f,\"relative_humidity\":%.1f,"
                      "\"wind_from_direction\":%.1f,\"wind_speed\":%.1f}}",
                      step ? "," : "", IsoTime::Format(start + hour * 3600).c_str(), 1013 + 8 * std::sin(hour / 30.0),
                      4 + 6 * std::sin(hour / 3.8), 50 + 50 * std::sin(hour / 7.0), 80 + 15 * std::cos(hour / 5.0),
                      180 + 179 * std::sin(hour / 11.0), 4 + 3 * std::sin(hour / 6.0));
        body += instant;
        const double rain = std::fmax(0, 2 * std::sin(hour / 9.0));
        if (hour < 228) {
            body += Period("next_12_hours", step, -1);
            if (hour < 60)
                body += Period("next_1_hours", step + 1, rain / 4);
            body += Period("next_6_hours", step + 2, rain);
        }
        body += "}}";
    }
    return body + "]}}";
}

}  // namespace

int main()
{
    const std::string body = TenDayAnswer(1796796000);  // 9 December 2026, 06:00 universal time
    Forecast forecast;
    std::string error;
    const double read = MedianMs(kRuns, [&] {
        if (!MetNorwayReader::Read(body, forecast, error))
            std::printf("not read: %s\n", error.c_str());
    });
    std::printf("reading a 10-day Locationforecast answer of %zu bytes, %zu steps: median %.3f ms over %d reads\n",
                body.size(), forecast.hours.size(), read, kRuns);
    Row("forecast_read", read, "ms", "median of %d reads of %zu bytes, %zu steps", kRuns, body.size(),
        forecast.hours.size());
    return forecast.hours.size() == 91 ? 0 : 1;
}
