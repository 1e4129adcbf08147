#include "weather/ForecastWords.h"

#include "base/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::int64_t kDay = 86400;
constexpr double kOleDayOf1970 = 25569.0;
constexpr double kKmhPerMetrePerSecond = 3.6;
constexpr double kMphPerMetrePerSecond = 3600.0 / 1609.344;
constexpr double kMmPerInch = 25.4;
// Below this the wind is not worth a speed.
constexpr double kCalmBelow = 1.0;

// Index: Sky's order.
constexpr const char* kSkyEnglish[] = {"",      "clear",      "fair",   "partly cloudy", "cloudy",
                                       "fog",   "light rain", "rain",   "heavy rain",    "showers",
                                       "sleet", "snow",       "thunder"};
constexpr const char* kSkyGerman[] = {
    "",      "klar",          "heiter",  "teilweise bewölkt", "bewölkt", "Nebel",   "leichter Regen",
    "Regen", "starker Regen", "Schauer", "Schneeregen",       "Schnee",  "Gewitter"};
static_assert(sizeof kSkyEnglish / sizeof *kSkyEnglish == static_cast<int>(Sky::Thunder) + 1);
static_assert(sizeof kSkyGerman / sizeof *kSkyGerman == static_cast<int>(Sky::Thunder) + 1);

// The wind's origin in eight points, north first, clockwise.
constexpr const char* kFromEnglish[] = {"north", "northeast", "east", "southeast",
                                        "south", "southwest", "west", "northwest"};
constexpr const char* kFromGerman[] = {"Nord", "Nordost", "Ost", "Südost", "Süd", "Südwest", "West", "Nordwest"};

constexpr const char* kMonthsEnglish[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int64_t SecondOfDay(std::int64_t local)
{
    const std::int64_t rest = local % kDay;
    return rest < 0 ? rest + kDay : rest;
}

std::string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string ClockOf(std::int64_t local)
{
    const std::int64_t second = SecondOfDay(local);
    return TwoDigits(static_cast<int>(second / 3600)) + ":" + TwoDigits(static_cast<int>(second / 60 % 60));
}

}  // namespace

ForecastWords::ForecastWords(bool german, bool fahrenheit)
    : m_german(german)
    , m_fahrenheit(fahrenheit)
{}

std::string ForecastWords::Degrees(double celsius) const
{
    const double value = m_fahrenheit ? celsius * 9 / 5 + 32 : celsius;
    // lround rounds half away from zero and, being an integer, has no -0.
    return std::to_string(std::lround(value)) + (m_fahrenheit ? " °F" : " °C");
}

std::string ForecastWords::Range(double low, double high) const
{
    const std::string top = Degrees(high);
    if (Degrees(low) == top)
        return top;
    const double value = m_fahrenheit ? low * 9 / 5 + 32 : low;
    return std::to_string(std::lround(value)) + (m_german ? " bis " : " to ") + top;
}

std::string ForecastWords::SkyWord(Sky sky) const
{
    const int index = static_cast<int>(sky);
    if (index < 0 || index > static_cast<int>(Sky::Thunder))
        return "";
    return m_german ? kSkyGerman[index] : kSkyEnglish[index];
}

std::string ForecastWords::Decimal(long scaled, int places) const
{
    const long unit = places == 2 ? 100 : 10;
    std::string text = std::to_string(scaled / unit);
    std::string fraction = std::to_string(scaled % unit);
    fraction.insert(0, static_cast<size_t>(places) - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += (m_german ? "," : ".") + fraction;
    return text;
}

std::string ForecastWords::RainAmount(double mm) const
{
    // What shows as 0.0 mm is dry, in either unit.
    if (mm < 0.05)
        return m_german ? "trocken" : "dry";
    const std::string word = m_german ? " Regen" : " rain";
    if (m_fahrenheit)
        return Decimal(std::max(1L, std::lround(mm / kMmPerInch * 100)), 2) + " in" + word;
    return Decimal(std::lround(mm * 10), 1) + " mm" + word;
}

std::string ForecastWords::WithRain(std::string line, std::optional<double> rain) const
{
    if (rain)
        line += ", " + RainAmount(*rain);
    return line;
}

std::string ForecastWords::Now(double celsius, Sky sky) const
{
    std::string line = (m_german ? "Jetzt: " : "Now: ") + Degrees(celsius);
    const std::string word = SkyWord(sky);
    if (!word.empty())
        line += ", " + word;
    return line;
}

std::string ForecastWords::Wind(double metresPerSecond, std::optional<double> from) const
{
    if (metresPerSecond < kCalmBelow)
        return m_german ? "Windstill" : "Calm";
    const double speed = metresPerSecond * (m_fahrenheit ? kMphPerMetrePerSecond : kKmhPerMetrePerSecond);
    std::string line = "Wind " + std::to_string(std::lround(speed)) + (m_fahrenheit ? " mph" : " km/h");
    if (from && std::isfinite(*from)) {
        double degrees = std::fmod(*from, 360.0);
        if (degrees < 0)
            degrees += 360;
        const int point = static_cast<int>(std::lround(degrees / 45)) % 8;
        line += m_german ? std::string(" aus ") + kFromGerman[point] : std::string(" from the ") + kFromEnglish[point];
    }
    return line;
}

std::string ForecastWords::Today(double low, double high, std::optional<double> rain) const
{
    return WithRain((m_german ? "Heute: " : "Today: ") + Range(low, high), rain);
}

std::string ForecastWords::Tonight(double low, std::optional<double> rain) const
{
    return WithRain((m_german ? "Heute Nacht: bis " : "Tonight: down to ") + Degrees(low), rain);
}

std::string ForecastWords::Tomorrow(double low, double high, Sky sky, std::optional<double> rain) const
{
    std::string line = (m_german ? "Morgen: " : "Tomorrow: ") + Range(low, high);
    const std::string word = SkyWord(sky);
    if (!word.empty())
        line += ", " + word;
    return WithRain(line, rain);
}

std::string ForecastWords::BeerGardenGood(std::optional<std::int64_t> localStart, double warmest) const
{
    const std::string weather = Degrees(warmest) + (m_german ? " und trocken" : " and dry");
    if (!m_german)
        return "Beer garden: good " + (localStart ? "from " + ClockOf(*localStart) : std::string("now")) + ", " +
               weather;
    if (!localStart)
        return "Biergarten: jetzt gut, " + weather;
    // German names a full hour without its minutes: "17 Uhr", but "17:30 Uhr".
    const std::int64_t second = SecondOfDay(*localStart);
    const std::string hour = second % 3600 < 60 ? std::to_string(second / 3600) : ClockOf(*localStart);
    return "Biergarten: ab " + hour + " Uhr gut, " + weather;
}

std::string ForecastWords::BeerGardenNot(Flaw flaw) const
{
    std::string line = m_german ? "Biergarten: heute nicht" : "Beer garden: not today";
    switch (flaw) {
    case Flaw::Rain: return line + (m_german ? ", Regen" : ", rain");
    case Flaw::Cold: return line + (m_german ? ", zu kalt" : ", too cold");
    case Flaw::Wind: return line + (m_german ? ", zu windig" : ", too windy");
    case Flaw::None: break;
    }
    return line;
}

std::string ForecastWords::AsOf(std::int64_t local, bool today) const
{
    std::string line = m_german ? "Stand " : "as of ";
    if (!today) {
        std::int64_t day = local / kDay;
        if (local % kDay < 0)
            --day;
        const DateTime date(kOleDayOf1970 + static_cast<double>(day));
        const int month = date.GetMonth();
        if (month >= 1 && month <= 12)
            line += m_german ? std::to_string(date.GetDay()) + "." + std::to_string(month) + ".,"
                             : std::to_string(date.GetDay()) + " " + kMonthsEnglish[month - 1] + ",";
        line += " ";
    }
    return line + ClockOf(local);
}
