#pragma once

#include <cstdint>
#include <string>

struct City;

// The parts of a weather service's address that name a place and a day.
class PlaceQuery {
public:
    // address with "lat=..&lon=.." added, four decimals each (about 10 m, what
    // the services ask for, so answers for one place can be cached).
    static std::string Append(const std::string& address, const City& place);
    // The universal date of a time as "2026-12-09".
    static std::string Date(std::int64_t seconds);
};
