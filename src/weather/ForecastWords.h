#pragma once

#include "weather/Forecast.h"

#include <cstdint>
#include <optional>
#include <string>

// The lines of the weather text in German or English, in metric or US units,
// from numbers already chosen: °C, m/s and mm in, words out (UTF-8). Numbers
// round half away from zero and never show "-0"; German writes the decimal comma.
class ForecastWords {
public:
    // Why no hour of the beer-garden window is good enough.
    enum class Flaw { None, Rain, Cold, Wind };

    ForecastWords(bool german, bool fahrenheit);

    // "Now: 3 °C, partly cloudy"
    std::string Now(double celsius, Sky sky) const;
    // "Wind 12 km/h from the west", "Calm"
    std::string Wind(double metresPerSecond, std::optional<double> from) const;
    // "Today: 4 to 9 °C, dry"
    std::string Today(double low, double high, std::optional<double> rain) const;
    // "Tonight: down to 2 °C, dry"
    std::string Tonight(double low, std::optional<double> rain) const;
    // "Tomorrow: 4 to 9 °C, cloudy, 2.5 mm rain"
    std::string Tomorrow(double low, double high, Sky sky, std::optional<double> rain) const;
    // "Beer garden: good from 17:00, 22 °C and dry"; from the local start of the
    // good hours, or "good now" when they have begun.
    std::string BeerGardenGood(std::optional<std::int64_t> localStart, double warmest) const;
    // "Beer garden: not today, too cold"
    std::string BeerGardenNot(Flaw flaw) const;
    // "as of 14:05", with the date when it is not today's: "as of 8 Dec, 14:05".
    std::string AsOf(std::int64_t local, bool today) const;

    // Pieces of the lines above.
    std::string Degrees(double celsius) const;  // "3 °C"
    std::string SkyWord(Sky sky) const;         // "" for an unknown sky
    std::string RainAmount(double mm) const;    // "dry", "2.5 mm rain"

private:
    std::string Range(double low, double high) const;
    std::string WithRain(std::string line, std::optional<double> rain) const;
    std::string Decimal(long tenthsOrHundredths, int places) const;

    bool m_german;
    bool m_fahrenheit;
};
