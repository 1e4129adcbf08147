#pragma once

#include "weather/CityTable.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The weather view's city box while the user types into it: its list holds
// the places of the city table that begin with what is typed (in any case,
// with or without accents, in the other languages' names too), the most
// populous first, each with its country: "Łódź, PL". Taking one makes it the
// city; leaving the box brings the usual list back.
class CitySuggestions {
public:
    static constexpr std::size_t kMaxShown = 12;

    // The box's text changed by the user's typing: the list becomes the places
    // that begin with it and drops down, the text and caret as typed.
    void OnEditChange(HWND combo, const CityTable* table);
    // The place of the suggestion selected in the list, if the list shows
    // suggestions and one is selected.
    std::optional<City> Selected(HWND combo) const;
    // The first suggestion: Enter takes it when none is selected.
    std::optional<City> First() const;
    bool IsShowing() const { return m_showing; }
    // The usual list is back.
    void End()
    {
        m_showing = false;
        m_places.clear();
    }

    // "Łódź, PL", or "München, DE (Munich)" when another language's name matched.
    static std::wstring ItemText(const CityMatch& match);

private:
    std::vector<City> m_places;
    bool m_showing = false;
    bool m_filling = false;
};
