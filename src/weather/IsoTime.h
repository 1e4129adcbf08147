#pragma once

#include <cstdint>
#include <string>

// Times as the weather services write them, ISO 8601 with a zone
// ("2026-12-09T06:00:00Z", "2026-12-09T07:00:00+01:00"), and the calendar
// arithmetic beneath them, in universal seconds since 1 January 1970.
class IsoTime {
public:
    // "YYYY-MM-DDThh:mm:ss", optional fraction of a second, then "Z" or
    // "+hh:mm"/"-hh:mm"; false for anything else, a time without a zone too.
    static bool Parse(const std::string& text, std::int64_t& seconds);
    // "YYYY-MM-DDThh:mm:ssZ"; years 0 to 9999.
    static std::string Format(std::int64_t seconds);

    // A time's date and clock, universal.
    struct Civil {
        std::int64_t days;  // since 1 January 1970
        int year, month, day, hour, minute, second;
    };
    static Civil Split(std::int64_t seconds);

    // Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
    static std::int64_t DaysFromCivil(int year, int month, int day);
    static void CivilFromDays(std::int64_t days, int& year, int& month, int& day);
    static int DaysInMonth(int year, int month);
};
