#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one round through the weather services came to: whose weather is shown
// and why the services before it were passed over. The status line words it.
struct WeatherReport {
    enum class Reason {
        NoAnswer,   // the request failed; detail says how
        NoPlace,    // the brand's feed has no weather for the place, or the place is unknown
        Resting,    // left alone after failures until `until`
        Busy,       // the service asked to be left alone (429, 503) until `until`
        BadAnswer,  // the answer could not be read; detail says why
    };
    struct Skip {
        std::string title;  // "MET Norway"
        Reason reason = Reason::NoAnswer;
        std::string detail;
        std::int64_t until = 0;  // universal seconds
    };

    std::string from;    // the title of the service whose weather is shown; empty when none answered
    bool saved = false;  // the weather shown was kept from an earlier answer, nothing was asked
    std::vector<Skip> skipped;
};
