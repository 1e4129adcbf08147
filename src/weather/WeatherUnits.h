#pragma once

class Settings;

// The units the weather is told in: as the user's region says (°F where it
// measures in US units), or always °C, or always °F. Kept as "Units" in the
// weather's section: 0, 1 or 2; anything else reads as automatic.
enum class WeatherUnits { Automatic = 0, Celsius = 1, Fahrenheit = 2 };

WeatherUnits ReadWeatherUnits(const Settings& settings);
void WriteWeatherUnits(Settings& settings, WeatherUnits units);
// Whether the weather is told in °F, mph and inches.
bool ShowsFahrenheit(WeatherUnits units, bool regionMeasuresInUsUnits);
