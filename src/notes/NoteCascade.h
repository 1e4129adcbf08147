#pragma once

#include <windows.h>

// Where new notes without a stored place go: down and to the right of the one
// before, back to the start when a note would reach past the full-screen area.
// The note window registry keeps one for the windows it opens.
class NoteCascade {
public:
    static const int kStart = 10;
    static const int kStep = 15;

    // The place for a new note of the picture's size, and moves on.
    POINT Next(SIZE picture, SIZE fullScreen);
    void Restart() { m_next = POINT{kStart, kStart}; }

private:
    POINT m_next{kStart, kStart};
};
