#include "weather/KeptPlaces.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

bool ReadDegrees(const std::string& text, double limit, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(value) && std::fabs(value) <= limit;
}

}  // namespace

KeptPlaces KeptPlaces::Parse(const std::string& text)
{
    KeptPlaces kept;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line) && kept.m_places.size() < kMaxPlaces) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        City place;
        if (fields.size() != 4 || fields[0].empty() || !ReadDegrees(fields[2], 90, place.latitude) ||
            !ReadDegrees(fields[3], 180, place.longitude))
            continue;
        place.name = fields[0];
        place.country = fields[1];
        kept.m_places.push_back(place);
    }
    return kept;
}

std::string KeptPlaces::Format() const
{
    std::string text;
    for (const City& place : m_places) {
        char degrees[64];
        std::snprintf(degrees, sizeof degrees, "\t%.5f\t%.5f", place.latitude, place.longitude);
        text += place.name + "\t" + place.country + degrees + "\n";
    }
    return text;
}

void KeptPlaces::Add(const City& place)
{
    // The settings' lines could not hold it.
    if (place.name.find_first_of("\t\r\n") != std::string::npos || place.name.empty())
        return;
    for (auto it = m_places.begin(); it != m_places.end(); ++it) {
        if (it->name == place.name && it->country == place.country) {
            m_places.erase(it);
            break;
        }
    }
    m_places.insert(m_places.begin(), place);
    if (m_places.size() > kMaxPlaces)
        m_places.resize(kMaxPlaces);
}

std::optional<City> KeptPlaces::Find(const std::string& name) const
{
    for (const City& place : m_places)
        if (place.name == name)
            return place;
    return std::nullopt;
}
