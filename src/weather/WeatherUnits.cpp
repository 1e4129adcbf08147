#include "weather/WeatherUnits.h"

#include "base/Settings.h"
#include "base/StoredNames.h"

WeatherUnits ReadWeatherUnits(const Settings& settings)
{
    const int stored = settings.GetInt(stored::kWeatherSection, stored::kWeatherUnits, 0);
    return stored == 1 || stored == 2 ? static_cast<WeatherUnits>(stored) : WeatherUnits::Automatic;
}

void WriteWeatherUnits(Settings& settings, WeatherUnits units)
{
    settings.WriteInt(stored::kWeatherSection, stored::kWeatherUnits, static_cast<int>(units));
}

bool ShowsFahrenheit(WeatherUnits units, bool regionMeasuresInUsUnits)
{
    return units == WeatherUnits::Automatic ? regionMeasuresInUsUnits : units == WeatherUnits::Fahrenheit;
}
