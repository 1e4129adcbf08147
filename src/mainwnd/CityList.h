#pragma once

#include "weather/WeatherRecord.h"
#include "weather/WeatherUnits.h"

#include <cstdint>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class WeatherChain;

// The weather view's city list and weather text. The list is the main window's
// drop-down combo box that the user may type into: the places the user chose,
// newest first, then the brand feed's cities in alphabetical order. Its items
// are the cities' names, looked up in the model's records by name whenever one
// is chosen, so the list holds nothing that a new feed could take away.
class CityList {
public:
    // Rebuilds the list from the chosen places and the records and selects the
    // first city that begins with selection, in any case. When a city was
    // selected, selection becomes its full name and its weather text from the
    // brand's feed is returned; otherwise nothing is selected, the box shows
    // selection and the display keeps the text it has.
    static std::optional<std::string> Fill(HWND combo, const std::vector<std::string>& chosen,
                                           const std::vector<WeatherRecord>& records, std::string& selection);
    static std::optional<std::string> Fill(HWND combo, const std::vector<WeatherRecord>& records,
                                           std::string& selection)
    {
        return Fill(combo, {}, records, selection);
    }

    // The list's selection changed: selection becomes the selected city's name;
    // returns its weather text (empty without a selected city).
    static std::string OnSelChange(HWND combo, const std::vector<WeatherRecord>& records, std::string& selection);

    // The weather text of one city, in the interface language; empty for null.
    static std::string WeatherText(const WeatherRecord* record);
    // The text of the open service's forecast the chain shows, in the interface
    // language and the units chosen, at now (universal seconds).
    static std::string ForecastText(const WeatherChain& chain, std::int64_t now, WeatherUnits units);
};
