#pragma once

#include "base/COleDateTime.h"

// Where the program's logic reads the current local time. The application hands
// the system's clock down; tests hand a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual COleDateTime Now() const = 0;
};

// A clock that shows the time it is set to, for tests and tools.
class FixedClock : public Clock {
public:
    explicit FixedClock(const COleDateTime& time)
        : m_time(time)
    {}
    COleDateTime Now() const override { return m_time; }
    void Set(const COleDateTime& time) { m_time = time; }

private:
    COleDateTime m_time;
};
