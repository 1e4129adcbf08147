#pragma once

#include <windows.h>

// The main window's timers.
enum MainTimer : UINT_PTR {
    TimerBlink = 10,           // one blink step of the figure
    TimerStatus = 11,          // clears a transient status text
    TimerWeather = 12,         // the weather schedule, every 15 minutes
    TimerDueCheck = 13,        // the reminders' due check, at every full minute
    TimerLaunchReport = 18,    // the launch report, once
    TimerWeatherDisplay = 20,  // rebuilds the city list and weather text
    TimerRehome = 21,          // looks for a desktop again for notes that lost theirs
    TimerOpenNotes = 22,       // the next slice of stored notes, once input and paint had their turn
    TimerSyncCheck = 23,       // looks at the synced folder, in case no notification came
    TimerDraft = 24,           // keeps what the editor holds as a draft, once typing paused
    TimerFindRefresh = 25,     // the find window follows the notes, once a burst of changes is through
};
