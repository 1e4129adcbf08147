#pragma once

#include "weather/WeatherRecord.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The weather view's city list and weather text. The list is the main window's
// sorted drop-down combo box; its items are the cities' names, looked up in the
// model's records by name whenever one is chosen, so the list holds nothing
// that a new feed could take away.
class CityList {
public:
    // Rebuilds the list from the records and selects the first city that begins
    // with selection, in any case. When a city was selected, selection becomes
    // its full name and its weather text is returned; otherwise nothing is
    // selected and the display keeps the text it has.
    static std::optional<std::string> Fill(HWND combo, const std::vector<WeatherRecord>& records,
                                           std::string& selection);

    // The list's selection changed: selection becomes the selected city's name;
    // returns its weather text (empty without a selected city).
    static std::string OnSelChange(HWND combo, const std::vector<WeatherRecord>& records, std::string& selection);

    // The weather text of one city, in the interface language; empty for null.
    static std::string WeatherText(const WeatherRecord* record);
};
