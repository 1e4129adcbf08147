#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

// Where a window stored at a place is shown: there, unless too little of it
// lies on any monitor (the monitor it lay on is gone, or the screen got
// smaller); then inside the nearest monitor's work area, as close to the
// stored place as fits.
class MonitorPlace {
public:
    // The part of a window that must lie on a monitor for it to count as
    // reachable, at 96 DPI.
    static const int kMinVisible = 24;

    // Against the monitors of this screen. Screen coordinates; scale is the
    // window's.
    static RECT OnSomeMonitor(const RECT& rect, const DisplayScale& scale = DisplayScale());
    // Against one monitor's work area.
    static RECT Within(const RECT& rect, const RECT& work, const DisplayScale& scale = DisplayScale());
};
