#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

// A note's place as its entry keeps it. Copies of the program that knew
// nothing of display scales were shown the screen at 96 DPI (its pixels
// divided by the system's scale) and stored places in those units; the store
// keeps them so, and the places are taken into and out of screen pixels here.
// -1 for either stays "no place yet".
class StoredPlace {
public:
    static bool IsSet(POINT stored) { return stored.x != -1 && stored.y != -1; }
    // Where the stored place lies on the screen, in pixels.
    static POINT OnScreen(POINT stored, const DisplayScale& system);
    // What to store for a window at screen, whose entry held stored: stored
    // itself while the window stands where stored puts it, so a note opened
    // and left alone is never rewritten a pixel off.
    static POINT ForScreen(POINT screen, POINT stored, const DisplayScale& system);
};
