#pragma once

#include <cstdint>
#include <string>

// The computer's time zone, daylight saving included, for times the weather
// services give in universal seconds.
namespace LocalTime {

// The local wall-clock time of a universal one, as seconds since 1970 read as
// if they were universal.
std::int64_t Of(std::int64_t universalSeconds);
// "14:05", local.
std::string Clock(std::int64_t universalSeconds);

}  // namespace LocalTime
