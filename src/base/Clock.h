#pragma once

#include "base/DateTime.h"

// Where the program's logic reads the current local time. The application hands
// the system's clock down; tests hand a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
    // Milliseconds since 1 January 1970 in universal time: what orders changes
    // made on computers in other time zones.
    virtual unsigned long long UniversalMilliseconds() const = 0;
};

// A clock that shows the time it is set to, for tests and tools.
class FixedClock : public Clock {
public:
    explicit FixedClock(const DateTime& time)
        : m_time(time)
    {}
    DateTime Now() const override { return m_time; }
    // The fixed time read as universal time.
    unsigned long long UniversalMilliseconds() const override
    {
        const double seconds = (m_time - DateTime(1970, 1, 1, 0, 0, 0)).GetTotalSeconds();
        return seconds > 0 ? static_cast<unsigned long long>(seconds * 1000 + 0.5) : 0;
    }
    void Set(const DateTime& time) { m_time = time; }

private:
    DateTime m_time;
};
