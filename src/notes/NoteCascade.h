#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

// Where new notes without a stored place go: down and to the right of the one
// before, back to the start when a note would reach past the full-screen area.
// The note window registry keeps one for the windows it opens. The steps are
// counted at 96 DPI and taken at the scale of the note that asks.
class NoteCascade {
public:
    static const int kStart = 10;
    static const int kStep = 15;

    // The place for a new note of the picture's size (both in pixels at
    // scale), and moves on.
    POINT Next(SIZE picture, SIZE fullScreen, const DisplayScale& scale = DisplayScale());
    void Restart() { m_next = POINT{kStart, kStart}; }

private:
    POINT m_next{kStart, kStart};
};
