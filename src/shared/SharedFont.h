#pragma once

#include <windows.h>

class AppFont;

// The interface font every window of the program shares (ProgramUi): the
// application's own, or the system's GUI font while there is none (tests of
// single windows). At a scale: the same font for that many dots per inch.
HFONT SharedFont();
HFONT SharedFont(int dpi);
// Makes font the shared one (null: the system's again); it must outlive that.
void SetSharedFont(const AppFont* font);
