#pragma once

#include <cstdint>

// How long a weather service that failed is left alone: five minutes after the
// first failure, twice as long after each further one, at most six hours; or
// as long as the service itself asked ("Retry-After"), up to a day. A service
// that answers is asked again as usual.
class ProviderRest {
public:
    static constexpr std::int64_t kFirstRest = 5 * 60;
    static constexpr std::int64_t kLongestRest = 6 * 60 * 60;
    static constexpr std::int64_t kLongestAsked = 24 * 60 * 60;

    // A failure at now (universal seconds); asked is the rest the service
    // asked for, 0 when it named none.
    void Failed(std::int64_t now, std::int64_t asked = 0);
    void Answered();
    bool IsResting(std::int64_t now) const { return now < m_until; }
    std::int64_t Until() const { return m_until; }

private:
    std::int64_t m_until = 0;
    std::int64_t m_last = 0;  // the length of the last rest
};
