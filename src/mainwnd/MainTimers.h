#pragma once

#include <windows.h>

// The main window's timers. The program's services keep theirs on a window of
// their own (app/CompanionTimers.h), numbered apart from these.
enum MainTimer : UINT_PTR {
    TimerBlink = 10,           // one blink step of the figure
    TimerStatus = 11,          // clears a transient status text
    TimerWeatherDisplay = 20,  // rebuilds the city list and weather text
    TimerDraft = 24,           // keeps what the editor holds as a draft, once typing paused
};
