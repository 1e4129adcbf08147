#pragma once

#include "xml/XmlElement.h"

#include <windows.h>

#include <optional>
#include <string>

// The weather view's city list and weather text, from the weather document.
// The list is the main window's sorted drop-down combo box; each item's data is
// the city's "ENTRY" node in the document that filled it, so the list must be
// rebuilt whenever that document goes away. User-interface thread only.
class CWeatherDisplay {
public:
    // Rebuilds the list from the entries under root's "WEATHER" (root may be
    // null) and selects the first city that begins with selection, in any case.
    // When a city was selected, selection becomes its full name and its weather
    // text is returned for ShowWeatherText; otherwise nothing is selected and the
    // display keeps the text it has.
    static std::optional<std::string> FillCityList(HWND combo, const util::xml::XmlElement* root,
                                                   std::string& selection);

    // The list's selection changed: selection becomes the selected city's name;
    // returns the weather text to show (empty without a selected city).
    static std::string OnCitySelChange(HWND combo, std::string& selection);

    // The weather text of one "ENTRY"; empty for null or any other element.
    static std::string BuildWeatherText(const util::xml::XmlElement* entry);

    // The node behind the selected item, or null.
    static const util::xml::XmlElement* SelectedEntry(HWND combo);
};
