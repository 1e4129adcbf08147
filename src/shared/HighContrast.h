#pragma once

#include <windows.h>

// Windows' high-contrast setting. While it is on, the program's text is drawn
// in the system's colours on the system's window colour instead of in the
// art's colours over the pictures, so a user who needs the contrast can read it.
namespace HighContrast {

// Read once and kept: text is drawn often, and the setting seldom changes.
bool IsOn();
// Reads the setting again: the main window calls it when Windows tells of a change.
void Refresh();
// As if Windows said on or off, until the next Refresh: Wine cannot turn the
// setting on, so tests of the system-colour drawing start here.
void SetForTest(bool on);
// Text colour and opaque background of the system for dc; the brush to fill
// the background with (a system brush, never to be deleted).
HBRUSH PrepareText(HDC dc);

}  // namespace HighContrast
