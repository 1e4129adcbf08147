#include "weather/PlaceQuery.h"

#include "weather/CityTable.h"
#include "weather/IsoTime.h"

#include <cstdio>

std::string PlaceQuery::Append(const std::string& address, const City& place)
{
    char query[80];
    // Whole ten-thousandths, so "-0.0000" never appears.
    const long long lat = static_cast<long long>(place.latitude * 10000 + (place.latitude < 0 ? -0.5 : 0.5));
    const long long lon = static_cast<long long>(place.longitude * 10000 + (place.longitude < 0 ? -0.5 : 0.5));
    auto part = [](long long value, char* out, std::size_t size) {
        const unsigned long long magnitude = value < 0 ? -value : value;
        std::snprintf(out, size, "%s%llu.%04llu", value < 0 ? "-" : "", magnitude / 10000, magnitude % 10000);
    };
    char latText[32];
    char lonText[32];
    part(lat, latText, sizeof latText);
    part(lon, lonText, sizeof lonText);
    std::snprintf(query, sizeof query, "lat=%s&lon=%s", latText, lonText);
    return address + (address.find('?') == std::string::npos ? "?" : "&") + query;
}

std::string PlaceQuery::Date(std::int64_t seconds)
{
    return IsoTime::Format(seconds).substr(0, 10);
}
