#pragma once

#include "framework/SystemClock.h"

// Fixes the program's clock for the life of the object.
class ScopedTestClock {
public:
    ScopedTestClock(int year, int month, int day, int hour, int minute, int second)
    {
        Set(year, month, day, hour, minute, second);
    }
    ~ScopedTestClock() { SystemClock::SetForTest(nullptr); }
    ScopedTestClock(const ScopedTestClock&) = delete;
    ScopedTestClock& operator=(const ScopedTestClock&) = delete;

    void Set(int year, int month, int day, int hour, int minute, int second)
    {
        SYSTEMTIME time{};
        time.wYear = static_cast<WORD>(year);
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        time.wSecond = static_cast<WORD>(second);
        SystemClock::SetForTest(&time);
    }
};
