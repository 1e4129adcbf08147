#pragma once

#include <windows.h>

// The timers of the program's own window (Companion). The numbers are those the
// main window used for them, so no two timers of the program share one.
enum CompanionTimer : UINT_PTR {
    TimerWeather = 12,       // the weather schedule, every 15 minutes
    TimerDueCheck = 13,      // the reminders' due check, at every full minute
    TimerLaunchReport = 18,  // the launch report, once
    TimerRehome = 21,        // looks for a desktop again for notes that lost theirs
    TimerOpenNotes = 22,     // the next slice of stored notes, once input and paint had their turn
    TimerSyncCheck = 23,     // looks at the synced folder, in case no notification came
    TimerFindRefresh = 25,   // the find window follows the notes, once a burst of changes is through
};
