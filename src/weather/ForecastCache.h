#pragma once

#include "store/XmlStore.h"

#include <cstdint>
#include <optional>
#include <string>

struct City;

// The open weather services' last answers, as they sent them, with what they
// said about caching: one per service and place, the newest kMaxAnswers kept,
// in "Zorla_Forecasts". The weather shows at once after a start, a service is
// asked "has it changed since?" rather than for everything again, and nothing
// is asked before the answer's "Expires".
class ForecastCache : public XmlStore {
public:
    static constexpr int kMaxAnswers = 16;

    struct Answer {
        std::string provider;
        std::string place;  // the place's name, as shown
        std::string at;     // its coordinates, as the services were asked for them
        std::string body;
        std::int64_t fetched = 0;  // universal seconds: when it was taken or confirmed
        std::int64_t expires = 0;  // universal seconds; 0 when the service named no time
        std::string lastModified;  // the service's "Last-Modified", as sent
    };

    ForecastCache(const std::string& folder, FileSystem& files);

    // The service's answer for the place of that name.
    std::optional<Answer> Find(const std::string& provider, const std::string& place) const;
    // "48.1374,11.5755": how answers tell places of one name apart.
    static std::string Coordinates(const City& place);
    // Keeps answer for place in memory, replacing the service's earlier one;
    // the oldest answers go beyond kMaxAnswers. Save writes the file.
    void Put(const City& place, const Answer& answer);
};
