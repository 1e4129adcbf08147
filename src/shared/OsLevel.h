#pragma once

#include <windows.h>

// The Windows version class the menu shadow, the hand cursor and the monitor
// handling go by: 1 Windows 95, 2 NT 4 or older NT, 3 Windows 98, 4 Windows 98
// SE, 5 Windows Me, 6 Windows 2000, 7 Windows XP or later; 0 for an unknown
// platform. Read once (ProgramUi; an unknown platform is asked again).
int GetOsLevel();

// Asks the system, every time; 0 when it does not answer.
int ReadOsLevel();
// The class for the values GetVersionExA reports.
int OsLevelFor(const OSVERSIONINFOA& version);
