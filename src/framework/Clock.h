#pragma once

#include <windows.h>

// The one place that reads the current local time, so tests can fix it.
class Clock {
public:
    static SYSTEMTIME Now();

    // A non-null time is returned by every later Now() until reset with nullptr.
    static void SetForTest(const SYSTEMTIME* time);
};
