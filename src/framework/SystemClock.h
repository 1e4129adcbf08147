#pragma once

#include "base/Clock.h"

#include <windows.h>

// The system's local time: the one place that reads it. The program's logic gets
// it handed down as a Clock; tests of whole windows and processes fix it here.
// A test that starts the real program moves its time instead: the environment
// variable ZORLA_CLOCK_SHIFT_MINUTES, read once, shifts the system's time by
// that many minutes (negative: back), so the program runs "tomorrow".
class SystemClock : public Clock {
public:
    static constexpr const char* kShiftVariable = "ZORLA_CLOCK_SHIFT_MINUTES";

    DateTime Now() const override;
    // While a test fixes the local time, that time read as universal time.
    unsigned long long UniversalMilliseconds() const override;

    static SYSTEMTIME LocalNow();
    // A non-null time is returned by every later LocalNow() until reset with nullptr.
    static void SetForTest(const SYSTEMTIME* time);
};

DateTime FromSystemTime(const SYSTEMTIME& time);
// False for a date that is not valid.
bool ToSystemTime(const DateTime& date, SYSTEMTIME& time);
