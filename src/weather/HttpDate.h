#pragma once

#include <cstdint>
#include <string>

// The dates of HTTP's headers (Expires, Last-Modified, If-Modified-Since,
// Retry-After) in universal seconds since 1 January 1970.
class HttpDate {
public:
    // "Wed, 09 Dec 2026 06:00:00 GMT"; also the two older forms a recipient must
    // take, "Wednesday, 09-Dec-26 06:00:00 GMT" and "Wed Dec  9 06:00:00 2026".
    static bool Parse(const std::string& text, std::int64_t& seconds);
    // "Wed, 09 Dec 2026 06:00:00 GMT".
    static std::string Format(std::int64_t seconds);
    // Retry-After: a number of seconds, or a date, from now; a date already past
    // waits 0 seconds.
    static bool ParseRetryAfter(const std::string& text, std::int64_t now, std::int64_t& waitSeconds);
};
