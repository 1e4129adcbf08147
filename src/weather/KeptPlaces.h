#pragma once

#include "weather/CityTable.h"

#include <optional>
#include <string>
#include <vector>

// The places the user chose for the weather, newest first, as the settings keep
// them: a line per place with its name, country, latitude and longitude
// separated by tabs. The weather view's list shows them first, and a kept
// place needs no look into the city table.
class KeptPlaces {
public:
    static constexpr std::size_t kMaxPlaces = 10;

    // Lines that do not read as a place are left out.
    static KeptPlaces Parse(const std::string& text);
    std::string Format() const;

    // place becomes the newest; an earlier entry of the same name and country goes.
    void Add(const City& place);
    // The newest place of that name, or none.
    std::optional<City> Find(const std::string& name) const;
    const std::vector<City>& Places() const { return m_places; }

private:
    std::vector<City> m_places;
};
